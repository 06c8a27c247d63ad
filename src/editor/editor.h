#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "backup_chooser.h"
#include "batch/batch_factors.h"
#include "batch_window_state.h"
#include "command.h"
#include "db/backup_folder.h"
#include "db/database.h"
#include "db/team_walk.h"
#include "db/value_lists.h"
#include "exchange/table_format.h"
#include "exchange_windows.h"
#include "main_view.h"
#include "player_form.h"
#include "secondary_windows.h"
#include "team_on_screen.h"

namespace zelbor::editor {

struct TeamMerge;

// What the editor finds around it; the application fills this from the process's surroundings.
struct EditorEnvironment {
  // The folder holding the executable, the list files and faces/.
  db::Path programFolder;
  // Where the game may be installed; the file dialog starts in the first one's Data/Gui.
  std::vector<db::Path> installFolders;
  // The user's decimal separator, used to show the averages.
  std::string decimalSeparator = ".";
  // Where the backups before writes go; without it nothing is backed up.
  std::function<db::Result<db::BackupFolder>()> backupFolder = nullptr;
};

enum class StartupOutcome { Ready, Cancelled, Failed };

// The main window's behaviour, written against MainView. Handlers and procedures keep the names of
// the window's design; the Qt window forwards its events here and holds no decisions.
class Editor {
 public:
  Editor(MainView& view, Prompts& prompts, FileDialog& fileDialog, Browser& browser,
         db::FileSystem& fileSystem, EditorEnvironment environment);

  // Start-up. With a path the file dialog is skipped. Failures other than Cancel are reported
  // with the file and the reason; the caller then ends the program.
  StartupOutcome InitialiseEditor(const std::string& databasePathArgument = {});

  // Team and player selection, run for the user's picks and for selections made from code.
  void cboTeams_Click();
  void lstPlayers_Click();
  void FillPlayerList();
  // The player list's entry for player `index`: the name, as it is being typed for the player
  // shown, marked while the player has unsaved edits.
  std::string playerListItem(int index) const;

  void DisplayPlayer(int index);
  // Copies the controls into the current player's record when the user edited them, all or
  // nothing. On a refusal it tells the user every box that cannot be stored and why, focuses the
  // first and returns false; nothing has changed then.
  bool StorePlayer();
  void mnuSave_Click();

  // Unsaved edits: a player stored into the team on screen that differs from what was loaded, or
  // controls that differ from the shown player's record.
  bool hasUnsavedEdits() const;
  // The user changed a player control; the window's marker follows.
  void PlayerControl_Change();
  // The window is about to close: whether it may, once unsaved edits are saved or discarded.
  bool Form_QueryUnload();

  void ColourAbilityBars();
  void txtBat_Change(int index);
  void txtBowl_Change(int index);
  void txtField_Change(int index);
  void ShowFacePicture();
  void cboFace_Click();
  void lblCricInfo_Click();

  // Whether the batch window may open: unsaved edits are saved or discarded first, so that
  // neither the batch nor the file hash shown after it has to ask again.
  bool mnuEditAbilities_Click();
  // Batch processing of abilities; both ask first and end by restoring the view.
  void BatchAll(const batch::BatchFactors& factors);
  void BatchCurrent(const batch::BatchFactors& factors);
  // The batch window's "Process": the batch of the scope chosen, with the sliders' factors.
  void cmdProcess_Click(const BatchWindowState& state);
  // File authentication string over all teams, shown in its window.
  void mnuFileHash_Click();
  void mnuFixSpoof_Click();
  db::WriteOutcome FixSpoofAllTeams();
  void mnuLineup_Click();
  // File "Restore from Backup...": after unsaved edits are resolved, the user picks one of this
  // database's backups and sees what it changes; Apply writes its player areas back (backed up
  // first) and the window shows the file as it is then.
  void mnuRestore_Click(BackupChooser& chooser);
  // File "Open Database...": after unsaved edits are resolved, another database replaces the open
  // one; when it cannot be opened the open one stays.
  void mnuOpen_Click();
  // File "Export Players...": every player to the file chosen, in the format its type names,
  // replacing an old file in one step.
  void mnuExport_Click(ExchangeWindows& windows);
  // File "Import Players...": a preview of every change or every refused cell first; Apply writes
  // the changed teams, backed up first, and the window shows the file as it is then.
  void mnuImport_Click(ExchangeWindows& windows);
  // File "Compare with Database...": every difference to another database, as a patch on request.
  void mnuCompare_Click(ExchangeWindows& windows);
  // Search "Find Player...": the picked player of any team is selected and shown.
  void mnuFindPlayer_Click(PlayerFinder& finder);
  // Help "About": version, licence, and the folder the list files and faces come from.
  void mnuAbout_Click();
  // What a menu item does; the windows it needs beyond the main one come from `windows`.
  void run(Command command, SecondaryWindows& windows);

  int currentPlayer() const { return currentPlayer_; }
  bool loadingTeam() const { return loadingTeam_; }
  // The team whose players the list shows, 1..17; 0 when none.
  int loadedTeam() const { return team_.team(); }
  const TeamOnScreen& teamOnScreen() const { return team_; }

 private:
  bool fillListsFromFiles();
  // The database at `path` opened for writing, or nothing after telling the user why not.
  std::optional<db::Database> openWritable(const std::string& path);
  // Takes `opened` as the database and shows its first team.
  bool showOpened(db::Database opened);
  // A players' table to export to or import from, with the lists its cells name items of.
  struct ChosenTable {
    std::string path;
    exchange::TableFormat format;
    db::ValueLists lists;
  };
  // The table at `path` in the format its name gives, once this build handles that format and
  // the lists are read; nothing on Cancel (an empty path) or after telling the user why not.
  std::optional<ChosenTable> chooseTable(const std::string& path);
  bool LoadTeamNames();
  bool runTeamSelection();
  // Takes `team` as the team on screen, fills the player list and shows its first player.
  void showTeam(TeamOnScreen team);
  void selectPlayer(int index);
  void showNoPlayer();
  void showNoTeam();
  // After a walk over all teams: reload the selected team, select it and the player again and
  // show that player. Skips what was not selected.
  void restoreView(int teamIndex, int playerIndex);
  void reportWalkFailure(const db::WalkOutcome& outcome, const std::string& operation);
  // What a failed write operation left on disk, with the file's reason. `operation` starts the
  // message ("Saving", "Batch processing").
  void reportWriteFailure(const db::WriteOutcome& outcome, const std::string& operation);
  // The save of `current` found the team changed in the file by another program: the user
  // reloads it, merges the edits into it or keeps the edits on screen; nothing is written.
  void offerReloadOfChangedTeam(const db::PlayerRecord& current);
  // Shows the team as the file holds it now with the user's edited fields on top, unsaved; asks
  // which value to keep where both changed a field.
  void mergeChangedTeam(const db::PlayerRecord& current);
  std::string mergeConflictQuestion(const TeamMerge& merge,
                                    const std::vector<db::PlayerRecord>& edited,
                                    const std::vector<db::PlayerRecord>& inFile) const;
  // A control's value in `record` as the window shows it, quoted; a list's item by its text.
  std::string shownValue(Control control, const db::PlayerRecord& record) const;
  // Fills a player's list and keeps its items for messages.
  void setListItems(ListControl list, std::vector<std::string> items);
  void reportError(const std::string& message);
  // "3 (Team Name)".
  std::string teamLabel(int team) const;

  // The current player's record stored from the controls, whether or not they were edited, or
  // nothing after telling the user every box that cannot be stored.
  std::optional<db::PlayerRecord> checkedControls();
  PlayerForm controlsForm() const;
  // Asks Save / Discard / Cancel when there are unsaved edits; false means the user cancelled
  // or the save was refused, and the caller stops.
  bool resolveUnsavedEdits();
  // resolveUnsavedEdits, and after a Discard the window shows the team as the file holds it: for
  // the steps that read the file and leave the team on screen as it is.
  bool settleUnsavedEdits();
  // Writes the team with `current` as the current player's record, after a warning when a name
  // left empty would hide players. False when declined or refused; nothing has changed then.
  bool saveTeam(const db::PlayerRecord& current);
  bool confirmEmptyNames(const db::PlayerRecord& current);
  void showModified();
  const std::string& loadedTeamName() const;
  // The team list's text; empty while it selects nothing.
  std::string selectedTeamName() const;

  // One write operation of `operation` ("save", "batch"), backed up first: once per run before
  // the first save, before every walk. When the backup cannot be made the user may write
  // without one (No, the default, writes nothing). Afterwards the old backups are pruned.
  using WriteStep = std::function<db::WriteOutcome(const db::BeforeFirstWrite&)>;
  db::WriteOutcome writeBackedUp(const std::string& operation, const WriteStep& write);

  MainView& view_;
  Prompts& prompts_;
  FileDialog& fileDialog_;
  Browser& browser_;
  db::FileSystem& fileSystem_;
  EditorEnvironment environment_;

  std::optional<db::Database> database_;
  std::vector<std::string> teamNames_;
  std::array<std::vector<std::string>, kListControlCount> listItems_;
  TeamOnScreen team_;
  int currentPlayer_ = 0;
  bool loadingTeam_ = false;
  // The controls as DisplayPlayer left them: a value without a list item shows no selection.
  PlayerForm shownForm_;
  // A save of this run was backed up; later saves are not.
  bool saveBackedUp_ = false;
};

}  // namespace zelbor::editor
