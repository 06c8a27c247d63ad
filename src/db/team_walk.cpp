#include "team_walk.h"

#include <array>

namespace zelbor::db {

WalkOutcome readEachTeam(
    Database& database, const std::function<void(int team, std::span<const PlayerRecord>)>& visit) {
  for (int team = 1; team <= kTeamCount; ++team) {
    if (Result<void> loaded = database.LoadTeam(team); !loaded) return {loaded.error(), team};
    visit(team, database.teamPlayers());
  }
  return {};
}

WriteOutcome rewriteEachTeam(const Database& database, const TeamChange& change,
                             const BeforeFirstWrite& beforeFirstWrite) {
  std::array<int, kTeamCount> teams{};
  for (int team = 1; team <= kTeamCount; ++team) teams[team - 1] = team;
  return database.rewriteTeams(teams, change, beforeFirstWrite);
}

}  // namespace zelbor::db
