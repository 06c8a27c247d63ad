#include "team_scope.h"

#include <vector>

namespace zelbor::cli {
namespace {

bool inScope(TeamScope scope, int team) {
  return !scope || *scope == team;
}

}  // namespace

db::WalkOutcome readTeams(
    db::Database& database, TeamScope scope,
    const std::function<void(int team, std::span<const db::PlayerRecord>)>& visit) {
  if (!scope) return db::readEachTeam(database, visit);
  const db::Result<std::vector<db::PlayerRecord>> players = database.readTeamPlayers(*scope);
  if (!players) return {players.error(), *scope};
  visit(*scope, players.value());
  return {};
}

db::WriteOutcome changeTeams(db::Database& database, TeamScope scope, const PlayerChange& change,
                             const db::BeforeFirstWrite& beforeFirstWrite) {
  const db::TeamChange changeTeam = [&change](int, std::span<db::PlayerRecord> players) {
    change(players);
  };
  if (!scope) return db::rewriteEachTeam(database, changeTeam, beforeFirstWrite);
  const int team[] = {*scope};
  return database.rewriteTeams(team, changeTeam, beforeFirstWrite);
}

db::WalkOutcome changeTeamsDryRun(
    db::Database& database, TeamScope scope, const PlayerChange& change,
    const std::function<void(std::span<const db::PlayerRecord>)>& inspect) {
  return db::readEachTeam(database, [&](int team, std::span<const db::PlayerRecord> players) {
    std::vector<db::PlayerRecord> copy(players.begin(), players.end());
    if (inScope(scope, team)) change(copy);
    if (inspect) inspect(copy);
  });
}

}  // namespace zelbor::cli
