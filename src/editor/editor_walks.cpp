// The operations that walk over all teams, and the lineups: batch scaling, the file hash, the
// spoof repair. Each first has unsaved edits saved or discarded, and ends by restoring the view
// from the file.
#include "batch/ability_scaling.h"
#include "editor.h"
#include "messages.h"
#include "tools/file_hash.h"
#include "tools/lineups.h"
#include "tools/spoof_repair.h"

namespace zelbor::editor {
namespace {

std::string batchConfirmation(std::string_view question) {
  return std::string(question) + "\r\n\r\n" + std::string(messages::kBatchWarning);
}

}  // namespace

bool Editor::mnuEditAbilities_Click() {
  return database_ && settleUnsavedEdits();
}

void Editor::BatchAll(const batch::BatchFactors& factors) {
  if (!database_ || !resolveUnsavedEdits()) return;
  if (prompts_.askYesNo(batchConfirmation(messages::kBatchAllQuestion)) == Answer::No) return;
  const int teamIndex = view_.selectedIndex(ListControl::cboTeams);
  const int playerIndex = view_.selectedIndex(ListControl::lstPlayers);
  team_ = {};
  const db::WriteOutcome outcome = writeBackedUp("batch", [&](const db::BeforeFirstWrite& backUp) {
    return db::rewriteEachTeam(
        *database_,
        [&](int, std::span<db::PlayerRecord> players) { batch::scalePlayers(players, factors); },
        backUp);
  });
  restoreView(teamIndex, playerIndex);
  if (!outcome.ok()) return reportWriteFailure(outcome, "Batch processing");
  prompts_.tell(std::string(messages::kBatchAllDone), MessageIcon::Information);
}

void Editor::BatchCurrent(const batch::BatchFactors& factors) {
  if (!database_) return;
  if (team_.team() == 0) return reportError(std::string(messages::kNoTeamLoaded));
  if (!resolveUnsavedEdits()) return;
  if (prompts_.askYesNo(batchConfirmation(messages::kBatchCurrentQuestion)) == Answer::No) return;
  if (hasUnsavedEdits()) {
    // Discarded: the team is scaled as the file holds it.
    db::Result<TeamOnScreen> loaded = TeamOnScreen::LoadTeam(*database_, team_.team());
    if (!loaded) return reportError(loaded.error().message);
    team_ = std::move(loaded).value();
  }
  const int teamIndex = view_.selectedIndex(ListControl::cboTeams);
  const int playerIndex = view_.selectedIndex(ListControl::lstPlayers);
  std::vector<db::PlayerRecord> scaled = team_.players();
  batch::scalePlayers(scaled, factors);
  const db::WriteOutcome stored = writeBackedUp("batch", [&](const db::BeforeFirstWrite& backUp) {
    return team_.StoreTeam(*database_, scaled, backUp);
  });
  restoreView(teamIndex, playerIndex);
  if (!stored) return reportWriteFailure(stored, "Batch processing");
  prompts_.tell(std::string(messages::kBatchCurrentDone), MessageIcon::Information);
}

void Editor::cmdProcess_Click(const BatchWindowState& state) {
  if (state.scope() == BatchScope::AllTeams) {
    BatchAll(state.factors());
  } else if (state.scope() == BatchScope::CurrentTeam) {
    BatchCurrent(state.factors());
  }
}

void Editor::mnuFileHash_Click() {
  if (!database_ || !settleUnsavedEdits()) return;
  tools::AbilityTotals totals;
  const db::WalkOutcome outcome = tools::sumAllTeams(*database_, totals);
  if (!outcome.ok()) return reportWalkFailure(outcome, "The file hash");
  view_.showFileHash(tools::hashString(totals));
}

void Editor::mnuFixSpoof_Click() {
  if (!database_ || !resolveUnsavedEdits()) return;
  const int teamIndex = view_.selectedIndex(ListControl::cboTeams);
  const int playerIndex = view_.selectedIndex(ListControl::lstPlayers);
  if (prompts_.askYesNo(std::string(messages::kFixSpoofQuestion)) == Answer::No) return;
  const db::WriteOutcome outcome = FixSpoofAllTeams();
  restoreView(teamIndex, playerIndex);
  if (!outcome.ok()) return reportWriteFailure(outcome, "The spoof repair");
  prompts_.tell(std::string(messages::kFixSpoofDone), MessageIcon::None);
}

db::WriteOutcome Editor::FixSpoofAllTeams() {
  team_ = {};
  return writeBackedUp("fix-spoof", [this](const db::BeforeFirstWrite& backUp) {
    return db::rewriteEachTeam(
        *database_,
        [](int, std::span<db::PlayerRecord> players) {
          for (db::PlayerRecord& player : players) tools::repairSpoofFields(player);
        },
        backUp);
  });
}

void Editor::mnuLineup_Click() {
  if (!database_) return;
  if (team_.team() == 0) return reportError(std::string(messages::kNoTeamLoaded));
  const db::Result<db::LineupArea> area = database_->readLineupArea(team_.team());
  if (!area) return reportError(area.error().message);
  view_.showLineups(loadedTeamName(), tools::lineupLines(area.value(), team_.players()));
}

void Editor::restoreView(int teamIndex, int playerIndex) {
  if (teamIndex < 0) return;
  db::Result<TeamOnScreen> loaded = TeamOnScreen::LoadTeam(*database_, teamIndex + 1);
  if (!loaded) {
    reportError(loaded.error().message);
    return showNoTeam();
  }
  view_.setSelectedIndex(ListControl::cboTeams, teamIndex);
  showTeam(std::move(loaded).value());
  if (playerIndex < 0 || playerIndex >= team_.playerCount()) return;
  selectPlayer(playerIndex);
  if (currentPlayer_ == playerIndex + 1) DisplayPlayer(currentPlayer_);
}

void Editor::showNoTeam() {
  team_ = {};
  view_.setItems(ListControl::lstPlayers, {});
  showNoPlayer();
}

void Editor::reportWalkFailure(const db::WalkOutcome& outcome, const std::string& operation) {
  reportError(operation + " stopped at team " + teamLabel(outcome.failedTeam) + ". " +
              outcome.error->message);
}

void Editor::reportWriteFailure(const db::WriteOutcome& outcome, const std::string& operation) {
  std::string where = operation + " failed after writing";
  if (outcome.failedTeam > 0) {
    where = operation + " stopped at team " + teamLabel(outcome.failedTeam);
  } else if (!outcome.everyTeamWritten()) {
    where = operation + " did not write the file";
  }
  reportError(where + ". " + outcome.error->message + " " + db::teamsOnDiskSummary(outcome));
}

std::string Editor::teamLabel(int team) const {
  return std::to_string(team) + " (" + teamNames_[static_cast<std::size_t>(team - 1)] + ")";
}

}  // namespace zelbor::editor
