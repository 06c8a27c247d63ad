#include "win32/main_window.h"

#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "box_answerer.h"
#include "cli/cli.h"
#include "db/backup_folder.h"
#include "db/list_files.h"
#include "editor/ability_bars.h"
#include "exchange/table_format.h"
#include "file_dialog_parts.h"
#include "forms/main_window_form.h"
#include "forms/menus.h"
#include "support/database_image.h"
#include "support/editor_fixture.h"
#include "support/temp_file.h"
#include "win32/dpi.h"
#include "win32/editor_session.h"

namespace zelbor::win32 {
namespace {

using editor::ListControl;
using editor::TextBox;

class ComThread {
 public:
  ComThread() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComThread() { CoUninitialize(); }
  ComThread(const ComThread&) = delete;
  ComThread& operator=(const ComThread&) = delete;
};

// The program folder with the list files, the standard database, and the window started on it.
class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest()
      : programFolder_(makeProgramFolder(dir_)),
        databasePath_(dir_.file("TeamAndPlayerInfo.bag")),
        image_(testing::EditorHarness::standardImage()),
        session_(db::systemFileSystem(), {programFolder_, {}, ".", db::backupFolderFromEnvironment}) {}

  void SetUp() override {
    testing::writeFileBytes(databasePath_, image_);
    ASSERT_EQ(session_.start(databasePath_), editor::StartupOutcome::Ready);
  }

  void TearDown() override {
    // A closed window asks the thread to quit; the next test's message boxes must not see that.
    MSG quit{};
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  static std::string makeProgramFolder(const testing::TempDir& dir) {
    const std::string folder = dir.file("program");
    std::filesystem::create_directory(folder);
    // The tests run beside the built program, where the list files lie.
    for (const std::string_view name : db::kListFileNames) {
      std::filesystem::copy_file(name, std::filesystem::path(folder) / name);
    }
    return folder;
  }

  HWND window() { return session_.window().window(); }
  HWND control(std::string_view name) { return session_.window().controls().control(name); }
  HWND box(TextBox box) { return control(editor::designName(box)); }

  // The user types `text` into `edit`, replacing what it holds.
  void type(HWND edit, const std::string& text) {
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const char c : text) SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(c), 0);
  }

  // Ctrl plus `key` pressed in `target`, through the window's accelerators.
  bool pressCtrl(HWND target, char key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE before = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG press{target, WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, {}};
    const bool translated =
        TranslateAcceleratorW(window(), session_.window().accelerators(), &press) != 0;
    keys[VK_CONTROL] = before;
    SetKeyboardState(keys);
    return translated;
  }

  std::string title() { return windowText(window()); }

  std::string listItem(HWND list, bool listBox, int index) {
    wchar_t text[256] = {};
    SendMessageW(list, listBox ? LB_GETTEXT : CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return db::utf8FromWide(text);
  }

  ComThread com_;
  testing::TempDir dir_;
  std::string programFolder_;
  std::string databasePath_;
  std::vector<db::Byte> image_;
  EditorSession session_;
};

TEST_F(MainWindowTest, StartShowsTeamOnesFirstPlayerInTheDesignedControls) {
  const forms::FormSpec form = forms::mainWindowForm();
  for (const auto& row : form.controls) {
    HWND shown = control(row.name);
    ASSERT_NE(shown, nullptr) << row.name;
    // Boxes and drop-down lists show the player; every other row its caption.
    if (row.kind != forms::ControlKind::TextBox && row.kind != forms::ControlKind::ComboBox) {
      EXPECT_EQ(windowText(shown), row.caption) << row.name;
    }
  }
  RECT client{};
  GetClientRect(window(), &client);
  const UINT dpi = session_.window().dpi();
  EXPECT_EQ(client.right, pixelsFromTwips(form.clientWidth, dpi));
  EXPECT_EQ(client.bottom, pixelsFromTwips(form.clientHeight, dpi));

  EXPECT_EQ(title(), databasePath_) << "no unsaved-edits marker after start";
  HWND teams = control("cboTeams");
  EXPECT_EQ(SendMessageW(teams, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(listItem(teams, false, 0), "Team 1");
  HWND players = control("lstPlayers");
  EXPECT_EQ(SendMessageW(players, LB_GETCOUNT, 0, 0), 6);
  EXPECT_EQ(SendMessageW(players, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(listItem(players, true, 0), "T1 Player 1");
  EXPECT_EQ(session_.window().text(TextBox::txtRealName), "T1 Player 1");
  EXPECT_EQ(session_.editor().currentPlayer(), 1);
}

// The user picks an entry: the selection moves and the control tells the window.
void pick(HWND list, bool listBox, int index) {
  SendMessageW(list, listBox ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(GetParent(list), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(list), listBox ? LBN_SELCHANGE : CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

// Counts the titles `window` is given while it lives.
class TitleCounter {
 public:
  explicit TitleCounter(HWND window) : window_(window) {
    SetWindowSubclass(window_, count, 1, reinterpret_cast<DWORD_PTR>(&titles_));
  }
  TitleCounter(const TitleCounter&) = delete;
  TitleCounter& operator=(const TitleCounter&) = delete;
  ~TitleCounter() { RemoveWindowSubclass(window_, count, 1); }
  int titles() const { return titles_; }

 private:
  static LRESULT CALLBACK count(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR titles) {
    if (message == WM_SETTEXT) ++*reinterpret_cast<int*>(titles);
    return DefSubclassProc(window, message, wParam, lParam);
  }
  HWND window_;
  int titles_ = 0;
};

TEST_F(MainWindowTest, PickedTeamsAndPlayersAreShownWithoutAnEditMarked) {
  const TitleCounter counter(window());
  pick(control("lstPlayers"), true, 2);
  EXPECT_EQ(session_.editor().currentPlayer(), 3);
  EXPECT_EQ(session_.window().text(TextBox::txtRealName), "T1 Player 3");
  pick(control("cboTeams"), false, 1);
  EXPECT_EQ(session_.editor().loadedTeam(), 2);
  EXPECT_EQ(SendMessageW(control("lstPlayers"), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(session_.window().text(TextBox::txtRealName), "T2 Player 1");
  // Showing a player is no edit, though it changes every box: the marker never shows.
  EXPECT_EQ(title(), databasePath_);
  EXPECT_EQ(counter.titles(), 0);
  EXPECT_EQ(listItem(control("lstPlayers"), true, 0), "T2 Player 1");

  // A player's drop-down list changed by the user is an edit.
  HWND hat = control("cboHat");
  pick(hat, false, SendMessageW(hat, CB_GETCURSEL, 0, 0) == 0 ? 1 : 0);
  EXPECT_EQ(title(), databasePath_ + "*");
}

TEST_F(MainWindowTest, ATeamWithoutPlayersDisablesThePlayersControls) {
  pick(control("cboTeams"), false, 2);
  EXPECT_EQ(SendMessageW(control("lstPlayers"), LB_GETCOUNT, 0, 0), 0);
  for (const HWND player : {box(TextBox::txtRealName), box(editor::txtBat(0)), control("cboHat")}) {
    EXPECT_FALSE(IsWindowEnabled(player));
  }
  EXPECT_TRUE(IsWindowEnabled(control("cboTeams")));
  pick(control("cboTeams"), false, 0);
  EXPECT_TRUE(IsWindowEnabled(box(TextBox::txtRealName)));
  EXPECT_TRUE(IsWindowEnabled(control("cboHat")));
}

TEST_F(MainWindowTest, APlayerThatCannotBeStoredKeepsTheListOnIt) {
  // Runs beyond what the file's 16 bits hold.
  type(box(editor::txtStats(2)), "99999");
  {
    BoxAnswerer answerer([](HWND box, HWND) { click(box, IDOK); });
    pick(control("lstPlayers"), true, 3);
    EXPECT_NE(answerer.seen().text.find("Runs"), std::string::npos) << answerer.seen().text;
  }
  EXPECT_EQ(SendMessageW(control("lstPlayers"), LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(session_.editor().currentPlayer(), 1);
  EXPECT_EQ(session_.window().text(editor::txtStats(2)), "99999");
}

TEST_F(MainWindowTest, ControlsMoveWithTheMonitorsDpi) {
  const forms::FormSpec form = forms::mainWindowForm();
  RECT suggested{0, 0, 100, 100};
  SendMessageW(window(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(session_.window().dpi(), 192U);
  for (const char* name : {"cboTeams", "lstPlayers", "Frame1"}) {
    const auto row = std::find_if(form.controls.begin(), form.controls.end(),
                                  [&](const forms::ControlSpec& c) { return c.name == name; });
    RECT bounds{};
    GetWindowRect(control(name), &bounds);
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&bounds), 2);
    EXPECT_EQ(bounds.left, pixelsFromTwips(row->rect.left, 192)) << name;
    EXPECT_EQ(bounds.right - bounds.left, pixelsFromTwips(row->rect.width, 192)) << name;
  }
  // The designed client area at the new dpi, scrolling where the screen cannot hold all of it.
  RECT client{};
  GetClientRect(window(), &client);
  EXPECT_LE(client.right, pixelsFromTwips(form.clientWidth, 192));
  for (const int bar : {SB_HORZ, SB_VERT}) {
    SCROLLINFO content{sizeof content, SIF_RANGE};
    GetScrollInfo(window(), bar, &content);
    EXPECT_EQ(content.nMax + 1,
              pixelsFromTwips(bar == SB_HORZ ? form.clientWidth : form.clientHeight, 192));
  }
}

TEST_F(MainWindowTest, MenusAndShortcutsComeFromTheTable) {
  HMENU bar = GetMenu(window());
  const std::vector<forms::MenuSpec> menus = forms::mainMenus();
  ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(menus.size()));
  std::vector<ACCEL> accelerators(
      static_cast<size_t>(CopyAcceleratorTableW(session_.window().accelerators(), nullptr, 0)));
  CopyAcceleratorTableW(session_.window().accelerators(), accelerators.data(),
                        static_cast<int>(accelerators.size()));
  size_t shortcuts = 0;
  const auto menuText = [](HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return db::utf8FromWide(text);
  };
  for (int m = 0; m < static_cast<int>(menus.size()); ++m) {
    const forms::MenuSpec& designed = menus[static_cast<size_t>(m)];
    EXPECT_EQ(menuText(bar, m), designed.caption);
    HMENU menu = GetSubMenu(bar, m);
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(designed.items.size())) << designed.name;
    for (int i = 0; i < static_cast<int>(designed.items.size()); ++i) {
      const forms::MenuItemSpec& item = designed.items[static_cast<size_t>(i)];
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_ID;
      GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
      EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, item.name.empty()) << item.name;
      if (item.name.empty()) continue;
      std::string expected = item.caption;
      if (item.shortcut) expected += std::string("\tCtrl+") + item.shortcut->key;
      EXPECT_EQ(menuText(menu, i), expected);
      if (!item.shortcut) continue;
      ++shortcuts;
      const bool found = std::any_of(accelerators.begin(), accelerators.end(), [&](const ACCEL& a) {
        return a.cmd == info.wID && a.key == item.shortcut->key && a.fVirt == (FVIRTKEY | FCONTROL);
      });
      EXPECT_TRUE(found) << item.name;
    }
  }
  EXPECT_EQ(accelerators.size(), shortcuts);
}

TEST_F(MainWindowTest, TypedNameSavedWithCtrlSAndYesIsWrittenToTheFile) {
  type(box(TextBox::txtRealName), "Zed Newname");
  EXPECT_EQ(session_.window().text(TextBox::txtRealName), "Zed Newname");
  EXPECT_EQ(title(), databasePath_ + "*");
  {
    BoxAnswerer answerer([](HWND box, HWND) { click(box, IDYES); });
    EXPECT_TRUE(pressCtrl(box(TextBox::txtRealName), 'S'));
    EXPECT_EQ(answerer.seen().text, "Save current player?");
  }
  std::vector<db::Byte> expected = image_;
  db::PlayerRecord player = testing::playerAt(expected, 1, 1);
  player.realName = {};
  const std::string name = "Zed Newname";
  std::copy(name.begin(), name.end(), player.realName.begin());
  player.spoofName = player.realName;
  testing::putPlayer(expected, 1, 1, player);
  EXPECT_TRUE(testing::readFileBytes(databasePath_) == expected);
  EXPECT_EQ(title(), databasePath_);
}

// Player 2 holds what a save tidies: looking at him is no edit, and Ctrl+S and Yes store him as
// designed though nothing was typed.
TEST_F(MainWindowTest, AnUnEditedPlayerSavedWithCtrlSAndYesIsStoredAsDesigned) {
  std::vector<db::Byte> untidy = image_;
  testing::putPlayer(untidy, 1, 2, testing::untidyPlayer(testing::playerAt(image_, 1, 2)));
  testing::writeFileBytes(databasePath_, untidy);
  pick(control("cboTeams"), false, 1);
  pick(control("cboTeams"), false, 0);
  pick(control("lstPlayers"), true, 1);
  EXPECT_EQ(title(), databasePath_) << "browsing marks nothing";
  {
    BoxAnswerer answerer([](HWND box, HWND) { click(box, IDYES); });
    EXPECT_TRUE(pressCtrl(control("lstPlayers"), 'S'));
    EXPECT_EQ(answerer.seen().text, "Save current player?");
  }
  std::vector<db::Byte> expected = untidy;
  testing::putPlayer(expected, 1, 2, testing::savedAsDesigned(testing::playerAt(untidy, 1, 2)));
  EXPECT_TRUE(testing::readFileBytes(databasePath_) == expected);
  EXPECT_EQ(title(), databasePath_);
}

// Merge and Save write what Reload Team, the same name typed again and Save write.
TEST_F(MainWindowTest, MergeAndSaveWriteWhatReloadAndTheSameEditTypedAgainWrite) {
  pick(control("lstPlayers"), true, 1);
  type(box(TextBox::txtRealName), "Merged Name");
  std::vector<db::Byte> changed = image_;
  for (int slot = 1; slot <= 6; ++slot) {
    db::PlayerRecord player = testing::playerAt(changed, 1, slot);
    player.battingAbilities[0] = static_cast<db::Byte>(player.battingAbilities[0] / 2);
    testing::putPlayer(changed, 1, slot, slot == 2 ? testing::untidyPlayer(player) : player);
  }
  testing::writeFileBytes(databasePath_, changed);
  // Yes to "Save current player?", then the button of the changed team's question.
  const auto saveAnd = [this](int button) {
    BoxAnswerer answerer([button](HWND box, HWND) {
      click(box, IDYES);
      while (IsWindow(box)) Sleep(10);
      HWND changedTeam = waitForDialog(L"Zelbor Player Editor");
      if (changedTeam != nullptr) click(changedTeam, button);
    });
    EXPECT_TRUE(pressCtrl(box(TextBox::txtRealName), 'S'));
    answerer.seen();
  };
  const auto saveWithYes = [this] {
    BoxAnswerer answerer([](HWND box, HWND) { click(box, IDYES); });
    EXPECT_TRUE(pressCtrl(box(TextBox::txtRealName), 'S'));
    answerer.seen();
  };

  saveAnd(IDNO);  // Merge
  EXPECT_TRUE(testing::readFileBytes(databasePath_) == changed) << "nothing written before Save";
  EXPECT_EQ(session_.window().text(TextBox::txtRealName), "Merged Name");
  saveWithYes();
  std::vector<db::Byte> expected = changed;
  db::PlayerRecord renamed = testing::playerAt(changed, 1, 2);
  renamed.realName = testing::namedPlayer("Merged Name").realName;
  testing::putPlayer(expected, 1, 2, testing::savedAsDesigned(renamed));
  EXPECT_TRUE(testing::readFileBytes(databasePath_) == expected);

  testing::writeFileBytes(databasePath_, changed);
  saveAnd(IDYES);  // Reload Team
  EXPECT_TRUE(testing::readFileBytes(databasePath_) == changed);
  type(box(TextBox::txtRealName), "Merged Name");
  saveWithYes();
  EXPECT_TRUE(testing::readFileBytes(databasePath_) == expected);
  EXPECT_EQ(title(), databasePath_);
}

TEST_F(MainWindowTest, AbilityBoxTakesOnlyDigitsAndItsBarFollows) {
  HWND ability = box(editor::txtBat(0));
  type(ability, "7x5");
  EXPECT_EQ(session_.window().text(editor::txtBat(0)), "75");
  const editor::AbilityBar expected = editor::abilityBar(75);
  RECT bounds{};
  GetWindowRect(ability, &bounds);
  EXPECT_EQ(bounds.right - bounds.left,
            pixelsFromTwips(expected.widthTwips, session_.window().dpi()));
  HDC dc = GetDC(ability);
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      window(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(ability)));
  ReleaseDC(ability, dc);
  LOGBRUSH described{};
  ASSERT_NE(GetObjectW(brush, sizeof described, &described), 0);
  EXPECT_EQ(described.lbColor,
            RGB(expected.colour.red, expected.colour.green, expected.colour.blue));
  EXPECT_EQ(title(), databasePath_ + "*");
}

TEST_F(MainWindowTest, ClosingWithEditsAsksToSaveDiscardOrCancel) {
  type(box(TextBox::txtRealName), "Q");
  {
    BoxAnswerer answerer([](HWND box, HWND) { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); });
    SendMessageW(window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(answerer.seen().buttons, (std::vector<std::string>{"&Save", "&Discard", "&Cancel"}));
  }
  ASSERT_TRUE(IsWindow(window())) << "Cancel keeps the window";
  EXPECT_EQ(title(), databasePath_ + "*");
  HWND closing = window();
  {
    BoxAnswerer answerer([](HWND box, HWND) { click(box, IDNO); });
    SendMessageW(closing, WM_CLOSE, 0, 0);
  }
  EXPECT_FALSE(IsWindow(closing)) << "Discard closes it";
  EXPECT_TRUE(testing::readFileBytes(databasePath_) == image_);
}

// The window's Export through its file dialog, the workbook chosen: the same bytes as
// zelbor-db export --format xlsx --names writes with the same list files.
TEST_F(MainWindowTest, AWorkbookExportedThroughTheWindowIsTheCommandLinesWorkbook) {
  if (!exchange::buildHasXlsx()) GTEST_SKIP() << "this build has no xlsx";
  const std::string workbook = dir_.file("players.xlsx");
  std::thread user([&] {
    HWND dialog = waitForDialog(L"Export Players");
    ASSERT_NE(dialog, nullptr);
    HWND types = GetDlgItem(dialog, kFileTypeList);
    SendMessageW(types, CB_SETCURSEL, 0, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeList, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(types));
    SetDlgItemTextW(dialog, kFileNameBox, db::wideFromUtf8(workbook).c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  {
    BoxAnswerer answerer([](HWND box, HWND) { click(box, IDOK); });
    EXPECT_TRUE(pressCtrl(window(), 'E'));
    user.join();
    EXPECT_THAT(answerer.seen().text, ::testing::HasSubstr("players were exported"));
  }
  const std::string expected = dir_.file("expected.xlsx");
  std::ostringstream out, err;
  ASSERT_EQ(cli::runCli({"export", databasePath_, "--format", "xlsx", "--names", "--output",
                         expected},
                        out, err, {db::systemFileSystem(), programFolder_}),
            0)
      << err.str();
  EXPECT_TRUE(testing::readFileBytes(workbook) == testing::readFileBytes(expected));
  EXPECT_TRUE(testing::readFileBytes(databasePath_) == image_);
}

}  // namespace
}  // namespace zelbor::win32
