#include "team_walk.h"

#include <array>

namespace zelbor::db {

WalkOutcome readEachTeam(
    const Database& database,
    const std::function<void(int team, std::span<const PlayerRecord>)>& visit) {
  for (int team = 1; team <= kTeamCount; ++team) {
    const Result<std::vector<Byte>> area = database.readPlayerArea(team);
    if (!area) return {area.error(), team};
    visit(team, decodeTeamPlayers(std::span<const Byte, kPlayerAreaSize>(area.value())));
  }
  return {};
}

WriteOutcome rewriteEachTeam(const Database& database, const TeamChange& change,
                             const WritePolicy& policy) {
  std::array<int, kTeamCount> teams{};
  for (int team = 1; team <= kTeamCount; ++team) teams[team - 1] = team;
  return database.rewriteTeams(teams, change, policy);
}

}  // namespace zelbor::db
