#pragma once

#include <functional>
#include <optional>
#include <span>

#include "db/team_walk.h"

namespace zelbor::cli {

// The teams a command covers: the one given with --team, or all seventeen.
using TeamScope = std::optional<int>;

// Loads each team in scope in turn and hands its players to `visit`.
db::WalkOutcome readTeams(
    db::Database& database, TeamScope scope,
    const std::function<void(int team, std::span<const db::PlayerRecord>)>& visit);

using PlayerChange = std::function<void(std::span<db::PlayerRecord>)>;

// One write operation: loads each team in scope under the writer's lock, changes its players and
// writes them back before the next team is loaded.
db::WriteOutcome changeTeams(db::Database& database, TeamScope scope, const PlayerChange& change,
                             const db::WritePolicy& policy);

// What changeTeams would do, on copies: nothing is opened for writing. `inspect` sees every
// team's players as they would be afterwards, the teams out of scope unchanged; it may be empty.
db::WalkOutcome changeTeamsDryRun(
    db::Database& database, TeamScope scope, const PlayerChange& change,
    const std::function<void(std::span<const db::PlayerRecord>)>& inspect);

}  // namespace zelbor::cli
