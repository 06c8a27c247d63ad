#include "editor.h"

namespace zelbor::editor {

void Editor::run(Command command, SecondaryWindows& windows) {
  switch (command) {
    case Command::Save:
      return mnuSave_Click();
    case Command::EditAbilities:
      if (!mnuEditAbilities_Click()) return;
      // Closed by "Process", the window is followed by the file's hash, which shows the batch's
      // effect; closed by its title bar, nothing was processed and nothing more is shown.
      if (windows.showBatchWindow(selectedTeamName())) mnuFileHash_Click();
      return;
    case Command::FixSpoof:
      return mnuFixSpoof_Click();
    case Command::Lineup:
      return mnuLineup_Click();
    case Command::FileHash:
      return mnuFileHash_Click();
    case Command::Restore:
      return mnuRestore_Click(*windows.backupChooser());
    case Command::Open:
      return mnuOpen_Click();
    case Command::Export:
      return mnuExport_Click(*windows.exchangeWindows());
    case Command::Import:
      return mnuImport_Click(*windows.exchangeWindows());
    case Command::Compare:
      return mnuCompare_Click(*windows.exchangeWindows());
    case Command::Quit:
      return windows.closeMainWindow();
    case Command::FindPlayer:
      return mnuFindPlayer_Click(*windows.playerFinder());
    case Command::About:
      return mnuAbout_Click();
  }
}

std::string Editor::selectedTeamName() const {
  const int index = view_.selectedIndex(ListControl::cboTeams);
  if (index < 0 || static_cast<std::size_t>(index) >= teamNames_.size()) return {};
  return teamNames_[static_cast<std::size_t>(index)];
}

}  // namespace zelbor::editor
