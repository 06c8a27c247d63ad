// Unsaved edits: knowing about them, asking before anything drops them, and saving the team.
#include <algorithm>

#include "editor.h"
#include "messages.h"

namespace zelbor::editor {

bool Editor::hasUnsavedEdits() const {
  if (!database_ || loadedTeam_ == 0) return false;
  if (storedEdits_) return true;
  if (loadingTeam_ || currentPlayer_ < 1 || currentPlayer_ > database_->playerCount()) return false;
  return controlsForm() != shownForm_;
}

void Editor::PlayerControl_Change() {
  showModified();
  if (!database_ || loadingTeam_ || currentPlayer_ < 1 || currentPlayer_ > database_->playerCount())
    return;
  view_.setItemText(ListControl::lstPlayers, currentPlayer_ - 1, playerListItem(currentPlayer_));
}

bool Editor::Form_QueryUnload() {
  return resolveUnsavedEdits();
}

bool Editor::resolveUnsavedEdits() {
  if (!hasUnsavedEdits()) return true;
  switch (prompts_.askSaveChanges(messages::saveChangesQuestion(loadedTeamName()))) {
    case SaveChoice::Save: {
      const std::optional<db::PlayerRecord> current = checkedControls();
      return current && saveTeam(*current);
    }
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Cancel:
      break;
  }
  return false;
}

bool Editor::settleUnsavedEdits() {
  if (!resolveUnsavedEdits()) return false;
  // Discarded: the window shows the team as the file holds it.
  if (hasUnsavedEdits()) {
    restoreView(view_.selectedIndex(ListControl::cboTeams),
                view_.selectedIndex(ListControl::lstPlayers));
  }
  return true;
}

bool Editor::saveTeam(const db::PlayerRecord& current) {
  if (!confirmEmptyNames(current)) return false;
  const db::PlayerRecord before = database_->player(currentPlayer_);
  database_->player(currentPlayer_) = current;
  // loadedTeam_ is the team selected in the team list, and the one memory holds.
  const db::WriteOutcome stored = writeBackedUp(
      db::BackupOperation::Save,
      [this](const db::WritePolicy& policy) { return database_->StoreTeam(loadedTeam_, policy); },
      savedPlayers());
  if (!stored) {
    // The edits stay on screen; memory keeps the player as it was before this save.
    database_->player(currentPlayer_) = before;
    if (stored.failure == db::WriteFailure::TeamChangedOnDisk) {
      offerReloadOfChangedTeam(current);
    } else {
      reportWriteFailure(stored, "Saving");
    }
    return false;
  }
  rememberLoadedTeam();
  // The list shows the names as saved, on the same player.
  const int row = view_.selectedIndex(ListControl::lstPlayers);
  DisplayPlayer(row + 1);
  FillPlayerList();
  view_.setSelectedIndex(ListControl::lstPlayers, row);
  showModified();
  return true;
}

bool Editor::confirmEmptyNames(const db::PlayerRecord& current) {
  const std::vector<db::PlayerRecord>& players = database_->teamPlayers();
  int firstEmpty = 0;
  for (int index = 1; index <= database_->playerCount() && firstEmpty == 0; ++index) {
    const db::PlayerRecord& player =
        index == currentPlayer_ ? current : players[static_cast<std::size_t>(index - 1)];
    if (db::isEmptySlot(player)) firstEmpty = index;
  }
  if (firstEmpty == 0) return true;
  return prompts_.askYesNoDefaultNo(messages::emptyNameQuestion(
             firstEmpty, database_->playerCount(), loadedTeamName())) == Answer::Yes;
}

void Editor::rememberLoadedTeam() {
  loadedPlayers_ = database_->teamPlayers();
  storedEdits_ = false;
}

bool Editor::teamDiffersFromLoaded() const {
  return !std::ranges::equal(database_->teamPlayers(), loadedPlayers_,
                             [this](const auto& now, const auto& loaded) {
                               return formFromRecord(now, environment_.decimalSeparator) ==
                                      formFromRecord(loaded, environment_.decimalSeparator);
                             });
}

void Editor::showModified() {
  view_.setModified(hasUnsavedEdits());
}

const std::string& Editor::loadedTeamName() const {
  return teamNames_.at(static_cast<std::size_t>(loadedTeam_ - 1));
}

}  // namespace zelbor::editor
