#include "editor.h"

#include <algorithm>

#include "ability_bars.h"
#include "db/list_files.h"
#include "db/new_file.h"
#include "db/text_codec.h"
#include "db/value_lists.h"
#include "db/value_tables.h"
#include "face_picture.h"
#include "install_folder.h"
#include "messages.h"
#include "number_reading.h"
#include "web_lookup.h"

namespace zelbor::editor {
namespace {

template <std::size_t N>
std::vector<std::string> items(const std::array<std::string_view, N>& texts) {
  return {texts.begin(), texts.end()};
}

}  // namespace

Editor::Editor(MainView& view, Prompts& prompts, FileDialog& fileDialog, Browser& browser,
               db::FileSystem& fileSystem, EditorEnvironment environment)
    : view_(view),
      prompts_(prompts),
      fileDialog_(fileDialog),
      browser_(browser),
      fileSystem_(fileSystem),
      environment_(std::move(environment)) {}

StartupOutcome Editor::InitialiseEditor(const std::string& databasePathArgument) {
  loadingTeam_ = true;
  setListItems(ListControl::cboRole, items(db::kRoles));
  setListItems(ListControl::cboBatHand, items(db::kHands));
  setListItems(ListControl::cboBowlHand, items(db::kHands));
  setListItems(ListControl::cboBowlStyle, items(db::kBowlStyles));
  setListItems(ListControl::cboBowlAction, items(db::kBowlActions));
  setListItems(ListControl::cboCaptain, items(db::kNoYes));
  setListItems(ListControl::cboEverBowls, items(db::kNoYes));
  setListItems(ListControl::cboSunscreen, items(db::kSunscreens));
  setListItems(ListControl::cboHelmet, items(db::kHelmets));
  setListItems(ListControl::cboHat, items(db::kHats));
  setListItems(ListControl::cboGlasses, items(db::kGlasses));
  if (!fillListsFromFiles()) return StartupOutcome::Failed;

  setListItems(ListControl::cboFace, db::faceListItems());

  std::string path = databasePathArgument;
  if (path.empty()) {
    path = fileDialog_.chooseDatabase(initialDialogFolder(environment_.installFolders).utf8(),
                                      std::string(messages::kDatabaseFilter));
    if (path.empty()) return StartupOutcome::Cancelled;
  }
  view_.setCaption(path);
  std::optional<db::Database> opened = openWritable(path);
  if (!opened) return StartupOutcome::Failed;
  return showOpened(std::move(*opened)) ? StartupOutcome::Ready : StartupOutcome::Failed;
}

std::optional<db::Database> Editor::openWritable(const std::string& path) {
  const db::Result<bool> readOnly = fileSystem_.isReadOnly(path);
  if (!readOnly) {
    reportError(readOnly.error().message);
    return std::nullopt;
  }
  if (readOnly.value()) {
    prompts_.tell(std::string(messages::kReadOnly), MessageIcon::None);
    return std::nullopt;
  }
  db::Result<db::Database> opened = db::Database::open(fileSystem_, path);
  if (!opened) {
    reportError(opened.error().message);
    return std::nullopt;
  }
  return std::move(opened).value();
}

bool Editor::showOpened(db::Database opened) {
  database_.emplace(std::move(opened));
  team_ = {};
  saveBackedUp_ = false;
  if (!LoadTeamNames()) return false;
  view_.setSelectedIndex(ListControl::cboTeams, 0);
  return runTeamSelection();
}

void Editor::mnuOpen_Click() {
  if (!database_ || !resolveUnsavedEdits()) return;
  const std::string path = fileDialog_.chooseDatabase(
      db::folderOf(database_->databasePath()).utf8(), std::string(messages::kDatabaseFilter));
  if (path.empty()) return;
  std::optional<db::Database> opened = openWritable(path);
  if (!opened) return;
  view_.setCaption(path);
  if (!showOpened(std::move(*opened))) showNoTeam();
}

bool Editor::fillListsFromFiles() {
  constexpr std::array<ListControl, std::size(db::kListFileNames)> kLists = {
      ListControl::cboBat,  ListControl::cboKit1, ListControl::cboKit2,
      ListControl::cboKit3, ListControl::cboKit4, ListControl::cboGuard};
  const auto entries = db::readListFiles(fileSystem_, environment_.programFolder);
  if (!entries) {
    reportError(entries.error().message);
    return false;
  }
  for (std::size_t i = 0; i < kLists.size(); ++i) setListItems(kLists[i], entries.value()[i]);
  return true;
}

void Editor::setListItems(ListControl list, std::vector<std::string> items) {
  view_.setItems(list, items);
  listItems_[static_cast<std::size_t>(list)] = std::move(items);
}

bool Editor::LoadTeamNames() {
  const auto names = database_->readTeamNames();
  if (!names) {
    reportError(names.error().message);
    return false;
  }
  teamNames_.assign(names.value().begin(), names.value().end());
  view_.setItems(ListControl::cboTeams, teamNames_);
  currentPlayer_ = 1;
  return true;
}

void Editor::cboTeams_Click() {
  if (!resolveUnsavedEdits()) {
    // Cancelled: the list goes back to the team still loaded.
    view_.setSelectedIndex(ListControl::cboTeams, team_.team() - 1);
    return;
  }
  runTeamSelection();
}

bool Editor::runTeamSelection() {
  const int index = view_.selectedIndex(ListControl::cboTeams);
  if (!database_ || index < 0) return false;
  db::Result<TeamOnScreen> loaded = TeamOnScreen::LoadTeam(*database_, index + 1);
  if (!loaded) {
    reportError(loaded.error().message);
    // The team on screen stays, and the list goes back to it.
    if (team_.team() > 0) view_.setSelectedIndex(ListControl::cboTeams, team_.team() - 1);
    return false;
  }
  showTeam(std::move(loaded).value());
  return true;
}

void Editor::showTeam(TeamOnScreen team) {
  team_ = std::move(team);
  loadingTeam_ = true;
  FillPlayerList();
  if (team_.playerCount() == 0) {
    showNoPlayer();
    return;
  }
  view_.setPlayerControlsEnabled(true);
  // Runs the player selection at once, which shows player 1 and ends the loading state.
  selectPlayer(0);
}

void Editor::FillPlayerList() {
  std::vector<std::string> names;
  names.reserve(team_.players().size());
  for (int index = 1; index <= team_.playerCount(); ++index) {
    names.push_back(playerListItem(index));
  }
  view_.setItems(ListControl::lstPlayers, names);
}

std::string Editor::playerListItem(int index) const {
  const db::PlayerRecord& player = team_.player(index);
  const bool shown = index == currentPlayer_ && !loadingTeam_;
  const auto saved = static_cast<std::size_t>(index - 1);
  const std::vector<db::PlayerRecord>& savedPlayers = team_.savedPlayers();
  const bool edited = (shown && controlsForm() != shownForm_) || saved >= savedPlayers.size() ||
                      formFromRecord(player, environment_.decimalSeparator) !=
                          formFromRecord(savedPlayers[saved], environment_.decimalSeparator);
  const std::string name =
      shown ? view_.text(TextBox::txtRealName) : db::decodeUpToNul(player.realName);
  return edited ? std::string(messages::kUnsavedPlayerMarker) + name : name;
}

void Editor::selectPlayer(int index) {
  view_.setSelectedIndex(ListControl::lstPlayers, index);
  lstPlayers_Click();
}

void Editor::lstPlayers_Click() {
  const int index = view_.selectedIndex(ListControl::lstPlayers);
  if (!database_ || index < 0 || index >= team_.playerCount()) return;
  if (!loadingTeam_ && !StorePlayer()) {
    // The edits cannot be kept, so the list stays on the player being edited.
    view_.setSelectedIndex(ListControl::lstPlayers, currentPlayer_ - 1);
    return;
  }
  const int previous = currentPlayer_;
  currentPlayer_ = index + 1;
  // The player left shows the name as stored.
  if (!loadingTeam_ && previous >= 1 && previous <= team_.playerCount()) {
    view_.setItemText(ListControl::lstPlayers, previous - 1, playerListItem(previous));
  }
  DisplayPlayer(currentPlayer_);
  loadingTeam_ = false;
  showModified();
}

void Editor::showNoPlayer() {
  currentPlayer_ = 0;
  for (int box = 0; box < kTextBoxCount; ++box) view_.setText(static_cast<TextBox>(box), {});
  for (const ListControl list : kPlayerLists) view_.setSelectedIndex(list, -1);
  ColourAbilityBars();
  view_.showPicture({});
  view_.setPlayerControlsEnabled(false);
  showModified();
}

void Editor::DisplayPlayer(int index) {
  const PlayerForm form = formFromRecord(team_.player(index), environment_.decimalSeparator);
  for (int box = 0; box < kTextBoxCount; ++box) {
    view_.setText(static_cast<TextBox>(box), form.texts[static_cast<std::size_t>(box)]);
  }
  for (const ListControl list : kPlayerLists) view_.setSelectedIndex(list, form.selection(list));
  shownForm_ = controlsForm();
  ColourAbilityBars();
  ShowFacePicture();
}

bool Editor::StorePlayer() {
  if (!database_ || currentPlayer_ < 1 || currentPlayer_ > team_.playerCount()) return true;
  // Controls as shown hold no edit: moving on keeps the record as loaded, byte for byte, where
  // storing would tidy it (a name padded with spaces, spoof fields that differ).
  if (controlsForm() == shownForm_) return true;
  const std::optional<db::PlayerRecord> stored = checkedControls();
  if (!stored) return false;
  team_.storePlayer(currentPlayer_, *stored);
  return true;
}

PlayerForm Editor::controlsForm() const {
  PlayerForm form;
  for (int box = 0; box < kTextBoxCount; ++box) {
    form.texts[static_cast<std::size_t>(box)] = view_.text(static_cast<TextBox>(box));
  }
  for (const ListControl list : kPlayerLists) form.selection(list) = view_.selectedIndex(list);
  return form;
}

std::optional<db::PlayerRecord> Editor::checkedControls() {
  auto stored = storeForm(controlsForm(), team_.player(currentPlayer_));
  if (const auto* refusals = std::get_if<std::vector<StoreRefusal>>(&stored)) {
    std::string message;
    for (const StoreRefusal& refusal : *refusals) {
      if (!message.empty()) message += "\r\n";
      message += refusal.message;
    }
    reportError(message);
    view_.focus(refusals->front().control);
    return std::nullopt;
  }
  return std::get<db::PlayerRecord>(stored);
}

void Editor::mnuSave_Click() {
  if (!database_) return;
  if (team_.team() == 0 || currentPlayer_ < 1) {
    reportError(
        std::string(team_.team() == 0 ? messages::kNoTeamLoaded : messages::kNoPlayerToSave));
    return;
  }
  // Every box is checked before the question, so one answer is enough.
  const std::optional<db::PlayerRecord> current = checkedControls();
  if (!current) return;
  if (prompts_.askYesNo(std::string(messages::kSaveQuestion)) == Answer::No) return;
  saveTeam(*current);
}

void Editor::ColourAbilityBars() {
  for (int row = 0; row < kAbilityRowCount; ++row) {
    const AbilityBar bar = abilityBar(leadingNumber(view_.text(abilityBox(row))));
    view_.setBar(row, bar.colour, bar.widthTwips);
  }
}

void Editor::txtBat_Change(int) {
  ColourAbilityBars();
}
void Editor::txtBowl_Change(int) {
  ColourAbilityBars();
}
void Editor::txtField_Change(int) {
  ColourAbilityBars();
}

void Editor::ShowFacePicture() {
  view_.showPicture(
      facePicturePath(environment_.programFolder, view_.selectedIndex(ListControl::cboFace))
          .utf8());
}

void Editor::cboFace_Click() {
  ShowFacePicture();
}

void Editor::lblCricInfo_Click() {
  const int row = view_.selectedIndex(ListControl::lstPlayers);
  if (!database_ || team_.team() == 0 || row < 0 || row >= team_.playerCount()) return;
  const std::string address = lookupAddress(team_.player(row + 1).realName);
  if (!browser_.open(address)) reportError(messages::noBrowser(address));
}

void Editor::reportError(const std::string& message) {
  prompts_.tell(message, MessageIcon::Warning);
}

}  // namespace zelbor::editor
