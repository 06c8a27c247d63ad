#include "team_on_screen.h"

#include <algorithm>

#include "player_form.h"

namespace zelbor::editor {

TeamOnScreen::TeamOnScreen(int team, std::vector<db::Byte> area)
    : team_(team),
      players_(db::decodeTeamPlayers(std::span<const db::Byte, db::kPlayerAreaSize>(area))),
      savedPlayers_(players_),
      snapshot_{team, std::move(area), {}, {}} {}

db::Result<TeamOnScreen> TeamOnScreen::LoadTeam(const db::Database& database, int team) {
  db::Result<std::vector<db::Byte>> area = database.readPlayerArea(team);
  if (!area) return area.error();
  return TeamOnScreen(team, std::move(area).value());
}

void TeamOnScreen::storePlayer(int index, const db::PlayerRecord& record) {
  players_.at(static_cast<std::size_t>(index - 1)) = record;
  compareWithSaved();
}

void TeamOnScreen::storePlayers(std::vector<db::PlayerRecord> players) {
  players_ = std::move(players);
  compareWithSaved();
}

void TeamOnScreen::compareWithSaved() {
  // By what the controls show: bytes a store tidies (padding, spoof fields) are no edit. Both
  // sides are formatted alike, so the decimal separator does not matter.
  storedEdits_ =
      !std::ranges::equal(players_, savedPlayers_, [](const auto& now, const auto& saved) {
        return formFromRecord(now, ".") == formFromRecord(saved, ".");
      });
}

db::WriteOutcome TeamOnScreen::StoreTeam(const db::Database& database,
                                         std::vector<db::PlayerRecord> players,
                                         const db::BeforeFirstWrite& beforeFirstWrite) {
  if (players.empty()) {
    const int teams[] = {team_};
    db::WriteOutcome outcome = db::WriteOutcome::planned(teams);
    outcome.teams.front().state = db::TeamWriteState::Written;
    return outcome;
  }
  db::TeamAreaWrite write = snapshot_;
  write.wanted = db::withPlayers(snapshot_.loaded, players);
  const db::WriteOutcome outcome = database.writeTeams({&write, 1}, beforeFirstWrite);
  switch (outcome.teams.front().state) {
    case db::TeamWriteState::Written:
    case db::TeamWriteState::WrittenPossiblyNotOnDisk:
      snapshot_.loaded = std::move(write.wanted);
      snapshot_.failedWrite.clear();
      break;
    case db::TeamWriteState::PossiblyPartWritten:
      snapshot_.failedWrite = std::move(write.wanted);
      break;
    case db::TeamWriteState::Untouched:
      break;
  }
  if (outcome.ok()) {
    players_ = std::move(players);
    savedPlayers_ = players_;
    storedEdits_ = false;
  }
  return outcome;
}

}  // namespace zelbor::editor
