// Unsaved edits: knowing about them, asking before anything drops them, and saving the team.
#include "editor.h"
#include "messages.h"

namespace zelbor::editor {

bool Editor::hasUnsavedEdits() const {
  if (!database_ || team_.team() == 0) return false;
  if (team_.storedEdits()) return true;
  if (loadingTeam_ || currentPlayer_ < 1 || currentPlayer_ > team_.playerCount()) return false;
  return controlsForm() != shownForm_;
}

void Editor::PlayerControl_Change() {
  showModified();
  if (!database_ || loadingTeam_ || currentPlayer_ < 1 || currentPlayer_ > team_.playerCount())
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
  std::vector<db::PlayerRecord> players = team_.players();
  players.at(static_cast<std::size_t>(currentPlayer_ - 1)) = current;
  const db::WriteOutcome stored = writeBackedUp("save", [&](const db::BeforeFirstWrite& backUp) {
    return team_.StoreTeam(*database_, players, backUp);
  });
  if (!stored) {
    // The edits stay on screen; the team on screen keeps the player as it was before this save.
    if (stored.failure == db::WriteFailure::TeamChangedOnDisk) {
      offerReloadOfChangedTeam(current);
    } else {
      reportWriteFailure(stored, "Saving");
    }
    return false;
  }
  // The list shows the names as saved, on the same player.
  const int row = view_.selectedIndex(ListControl::lstPlayers);
  DisplayPlayer(row + 1);
  FillPlayerList();
  view_.setSelectedIndex(ListControl::lstPlayers, row);
  showModified();
  return true;
}

bool Editor::confirmEmptyNames(const db::PlayerRecord& current) {
  const std::vector<db::PlayerRecord>& players = team_.players();
  int firstEmpty = 0;
  for (int index = 1; index <= team_.playerCount() && firstEmpty == 0; ++index) {
    const db::PlayerRecord& player =
        index == currentPlayer_ ? current : players[static_cast<std::size_t>(index - 1)];
    if (db::isEmptySlot(player)) firstEmpty = index;
  }
  if (firstEmpty == 0) return true;
  return prompts_.askYesNoDefaultNo(messages::emptyNameQuestion(firstEmpty, team_.playerCount(),
                                                                loadedTeamName())) == Answer::Yes;
}

void Editor::showModified() {
  view_.setModified(hasUnsavedEdits());
}

const std::string& Editor::loadedTeamName() const {
  return teamNames_.at(static_cast<std::size_t>(team_.team() - 1));
}

}  // namespace zelbor::editor
