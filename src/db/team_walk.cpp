#include "team_walk.h"

namespace zelbor::db {

WalkOutcome readEachTeam(
    Database& database, const std::function<void(int team, std::span<const PlayerRecord>)>& visit) {
  for (int team = 1; team <= kTeamCount; ++team) {
    if (Result<void> loaded = database.LoadTeam(team); !loaded) return {loaded.error(), team};
    visit(team, database.teamPlayers());
  }
  return {};
}

WalkOutcome rewriteEachTeam(Database& database,
                            const std::function<void(int team, std::span<PlayerRecord>)>& change) {
  for (int team = 1; team <= kTeamCount; ++team) {
    if (Result<void> loaded = database.LoadTeam(team); !loaded) return {loaded.error(), team};
    change(team, database.teamPlayers());
    if (Result<void> stored = database.StoreTeam(team); !stored) return {stored.error(), team};
  }
  return {};
}

}  // namespace zelbor::db
