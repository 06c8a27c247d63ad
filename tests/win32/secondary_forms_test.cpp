#include "win32/secondary_forms.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>
// The trackbar messages need the Windows types first.
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "batch/ability_scaling.h"
#include "box_answerer.h"
#include "db/backup_folder.h"
#include "db/layout.h"
#include "db/win32_text.h"
#include "editor/messages.h"
#include "forms/batch_form.h"
#include "forms/file_hash_form.h"
#include "forms/lineup_form.h"
#include "forms/menus.h"
#include "support/editor_fixture.h"
#include "tools/file_hash.h"
#include "win32/dpi.h"
#include "win32/form_controls.h"
#include "win32/main_window.h"

namespace zelbor::win32 {
namespace {

// Plays the user in modal windows: each step's `act` runs from a timer of the window's own
// message loop once the window titled `title` shows, the steps in turn. A window still open well
// after its step is closed from its title bar, and the test fails instead of hanging.
class WhileOpen {
 public:
  struct Step {
    std::wstring title;
    std::function<void(HWND)> act;
  };

  WhileOpen(std::wstring title, std::function<void(HWND)> act)
      : WhileOpen({{std::move(title), std::move(act)}}) {}
  explicit WhileOpen(std::vector<Step> steps) : steps_(std::move(steps)) {
    current = this;
    timer_ = SetTimer(nullptr, 0, 20, tick);
  }
  ~WhileOpen() {
    KillTimer(nullptr, timer_);
    current = nullptr;
    for (std::size_t step = acted_; step < steps_.size(); ++step) {
      ADD_FAILURE() << "no window titled " << db::utf8FromWide(steps_[step].title) << " opened";
    }
    for (const std::wstring& title : leftOpen_) {
      ADD_FAILURE() << db::utf8FromWide(title) << " stayed open";
    }
  }
  WhileOpen(const WhileOpen&) = delete;
  WhileOpen& operator=(const WhileOpen&) = delete;

 private:
  static HWND shown(const std::wstring& title) {
    HWND window = FindWindowW(nullptr, title.c_str());
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
  }

  static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    WhileOpen& self = *current;
    if (self.acted_ > 0) {
      const std::wstring& last = self.steps_[self.acted_ - 1].title;
      if (HWND window = shown(last)) {
        if (++self.ticksAfterActing_ == 100) {
          self.leftOpen_.push_back(last);
          PostMessageW(window, WM_CLOSE, 0, 0);
        }
        return;
      }
    }
    if (self.acted_ == self.steps_.size()) return;
    const Step& step = self.steps_[self.acted_];
    HWND window = shown(step.title);
    if (window == nullptr) return;
    ++self.acted_;
    self.ticksAfterActing_ = 0;
    step.act(window);
  }

  static inline WhileOpen* current = nullptr;
  std::vector<Step> steps_;
  UINT_PTR timer_ = 0;
  std::size_t acted_ = 0;
  int ticksAfterActing_ = 0;
  std::vector<std::wstring> leftOpen_;
};

// The control built for row `name` of `form` in `window`. The builder numbers a form's rows alike
// in every window it builds, so one build of the form on a scratch window tells the numbers.
HWND rowControl(HWND window, const forms::FormSpec& form, std::string_view name) {
  static std::map<std::string, std::map<std::string, int, std::less<>>> idsByForm;
  std::map<std::string, int, std::less<>>& ids = idsByForm[form.name];
  if (ids.empty()) {
    HWND scratch = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    {
      const FormControls controls(scratch, form);
      for (const forms::ControlSpec& row : form.controls) ids[row.name] = controls.id(row.name);
    }
    DestroyWindow(scratch);
  }
  const auto id = ids.find(name);
  EXPECT_NE(id, ids.end()) << name;
  return id != ids.end() ? GetDlgItem(window, id->second) : nullptr;
}

void pressKey(HWND control, WPARAM key) {
  // Through the window's loop, where the dialog keys are handled, as typed keys come.
  PostMessageW(control, WM_KEYDOWN, key, 1);
  PostMessageW(control, WM_KEYUP, key, 1 | (3UL << 30));
}

void expectDesignedClientSize(HWND window, const forms::FormSpec& form) {
  RECT client{};
  GetClientRect(window, &client);
  const UINT dpi = windowDpi(window);
  EXPECT_EQ(client.right, pixelsFromTwips(form.clientWidth, dpi));
  EXPECT_EQ(client.bottom, pixelsFromTwips(form.clientHeight, dpi));
}

// Every row of the form is a control of the window, captioned as designed; `changed` names the
// rows whose captions the window sets itself.
void expectRowsOf(HWND window, const forms::FormSpec& form,
                  const std::vector<std::string_view>& changed = {}) {
  for (const forms::ControlSpec& row : form.controls) {
    HWND control = rowControl(window, form, row.name);
    ASSERT_NE(control, nullptr) << row.name;
    if (std::find(changed.begin(), changed.end(), row.name) == changed.end()) {
      EXPECT_EQ(windowText(control), row.caption) << row.name;
    }
  }
}

// The batch window's control for row `name`.
HWND batchControl(HWND window, std::string_view name) {
  return rowControl(window, forms::batchForm(), name);
}
void click(HWND window, std::string_view name) {
  SendMessageW(batchControl(window, name), BM_CLICK, 0, 0);
}
// Keys pressed on a batch window's slider, then its label once they have been handled.
std::string afterKeys(HWND window, std::string_view slider, std::string_view label,
                      std::initializer_list<WPARAM> keys) {
  for (const WPARAM key : keys) {
    SendMessageW(batchControl(window, slider), WM_KEYDOWN, key, 1);
    SendMessageW(batchControl(window, slider), WM_KEYUP, key, 1 | (3UL << 30));
  }
  return windowText(batchControl(window, label));
}

// `image` with no power left in any player of teams `firstTeam`..`lastTeam`: the batch with Power's
// slider at the bottom.
std::vector<db::Byte> withoutPower(std::vector<db::Byte> image, int firstTeam, int lastTeam) {
  for (int team = firstTeam; team <= lastTeam; ++team) {
    for (int slot = 1; slot <= db::kPlayerSlots; ++slot) {
      db::PlayerRecord player = testing::playerAt(image, team, slot);
      if (db::isEmptySlot(player)) break;
      player.battingAbilities[2] = 0;
      testing::putPlayer(image, team, slot, player);
    }
  }
  return image;
}

// A top-level window of the program standing in for the main window.
class SecondaryFormsTest : public ::testing::Test {
 protected:
  SecondaryFormsTest()
      : owner(CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW, 0, 0, 900, 700, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr)) {}
  ~SecondaryFormsTest() override { DestroyWindow(owner); }

  // Whether the owner could be used while the window was open, and once it had closed.
  void expectOwnerDisabledOnlyWhileOpen(bool enabledWhileOpen) const {
    EXPECT_FALSE(enabledWhileOpen);
    EXPECT_TRUE(IsWindowEnabled(owner));
  }

  HWND owner;
};

TEST_F(SecondaryFormsTest, FileHashWindowShowsTheHashUntilOk) {
  const forms::FormSpec form = forms::fileHashForm();
  bool ownerEnabled = true;
  {
    const WhileOpen user(L"File Version Authentication", [&](HWND window) {
      ownerEnabled = IsWindowEnabled(owner);
      EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
      expectDesignedClientSize(window, form);
      expectRowsOf(window, form, {"txtHash"});
      HWND hash = rowControl(window, form, "txtHash");
      EXPECT_EQ(windowText(hash), "3F2A-91C0-77DE");
      EXPECT_TRUE(GetWindowLongPtrW(hash, GWL_STYLE) & ES_READONLY);
      HWND ok = rowControl(window, form, "cmdOK");
      EXPECT_EQ(GetFocus(), ok) << "OK comes first in the tab order";
      EXPECT_EQ(GetWindowLongPtrW(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
      pressKey(ok, VK_RETURN);
    });
    showFileHashWindow(owner, "3F2A-91C0-77DE");
  }
  expectOwnerDisabledOnlyWhileOpen(ownerEnabled);
}

TEST_F(SecondaryFormsTest, LineupWindowListsEachLineupUnderTheTeamsName) {
  const forms::FormSpec form = forms::lineupForm();
  const editor::LineupLines lines = {{{"1  Ana \xC3\x89vora", "2  Ben Kerr"},
                                      {},
                                      {"1  Ben Kerr"},
                                      {"1  Cal Dunne", "2  Ana \xC3\x89vora", "3  Ben Kerr"}}};
  bool ownerEnabled = true;
  {
    const WhileOpen user(L"Team Lineups - Harbour Gulls \u00C9", [&](HWND window) {
      ownerEnabled = IsWindowEnabled(owner);
      expectDesignedClientSize(window, form);
      expectRowsOf(window, form);
      for (std::size_t i = 0; i < forms::kLineupListNames.size(); ++i) {
        HWND list = rowControl(window, form, forms::kLineupListNames[i]);
        std::vector<std::string> shown;
        const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT item = 0; item < count; ++item) {
          wchar_t line[100] = {};
          SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(line));
          shown.push_back(db::utf8FromWide(line));
        }
        EXPECT_EQ(shown, lines[i]) << forms::kLineupListNames[i];
      }
      pressKey(GetFocus(), VK_ESCAPE);
    });
    showLineupWindow(owner, "Harbour Gulls \xC3\x89", lines);
  }
  expectOwnerDisabledOnlyWhileOpen(ownerEnabled);
}

// The batch window over a real editor on a generated database, whose file it writes.
class BatchWindowTest : public SecondaryFormsTest, public testing::EditorHarness {
 protected:
  void SetUp() override { startOrFail(); }
};

TEST_F(BatchWindowTest, OpensAtFullStrengthAndWaitsForAScope) {
  const forms::FormSpec form = forms::batchForm();
  const std::vector<db::Byte> before = fileBytes();
  bool ownerEnabled = true;
  {
    const WhileOpen user(L"Batch Editing", [&](HWND window) {
      ownerEnabled = IsWindowEnabled(owner);
      expectDesignedClientSize(window, form);
      expectRowsOf(window, form, {"optCurrent"});
      EXPECT_EQ(windowText(batchControl(window, "optCurrent")), "Current Team (Team 2)");
      for (const char* group : {"sldBat", "sldBowl"}) {
        for (int i = 0; i < 4; ++i) {
          HWND slider = batchControl(window, forms::arrayElement(group, i));
          EXPECT_TRUE(GetWindowLongPtrW(slider, GWL_STYLE) & TBS_VERT);
          EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 0);
          EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 100);
          EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 0) << "the top is 100%";
          EXPECT_EQ(SendMessageW(slider, TBM_GETNUMTICS, 0, 0), 11) << "a tick every ten";
        }
      }
      HWND process = batchControl(window, "cmdProcess");
      EXPECT_FALSE(IsWindowEnabled(process));
      click(window, "optCurrent");
      EXPECT_TRUE(IsWindowEnabled(process));
      click(window, "optAll");
      EXPECT_TRUE(IsWindowEnabled(process));
      PostMessageW(window, WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(showBatchWindow(owner, editor, "Team 2")) << "closed by its title bar";
  }
  expectOwnerDisabledOnlyWhileOpen(ownerEnabled);
  EXPECT_TRUE(prompts.questions.empty());
  EXPECT_EQ(fileBytes(), before);
}

TEST_F(BatchWindowTest, KeysMoveTheSlidersAndTheirLabels) {
  const WhileOpen user(L"Batch Editing", [](HWND window) {
    // Down lowers the percentage, Up raises it, Page Down by ten, End to nothing.
    EXPECT_EQ(afterKeys(window, "sldBat(0)", "lblBat(0)", {VK_DOWN}), "99%");
    EXPECT_EQ(afterKeys(window, "sldBat(0)", "lblBat(0)", {VK_UP}), "100%");
    EXPECT_EQ(afterKeys(window, "sldBowl(3)", "lblBowl(3)", {VK_NEXT, VK_NEXT, VK_DOWN}), "79%");
    EXPECT_EQ(afterKeys(window, "sldBowl(0)", "lblBowl(0)", {VK_END}), "0%");
    EXPECT_EQ(windowText(batchControl(window, "lblBat(1)")), "100%") << "the others stay";
    PostMessageW(window, WM_CLOSE, 0, 0);
  });
  EXPECT_FALSE(showBatchWindow(owner, editor, "Team 1"));
}

TEST_F(BatchWindowTest, DraggingMovesTheLabelAndTheFactorTakesWhereTheSliderSettles) {
  int settled = -1;
  const WhileOpen user(L"Batch Editing", [&](HWND window) {
    HWND swing = batchControl(window, "sldBowl(1)");
    RECT thumb{};
    SendMessageW(swing, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int x = (thumb.left + thumb.right) / 2;
    const int y = (thumb.top + thumb.bottom) / 2;
    SendMessageW(swing, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(swing, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + 60));
    settled = static_cast<int>(SendMessageW(swing, TBM_GETPOS, 0, 0));
    EXPECT_GT(settled, 0);
    EXPECT_EQ(windowText(batchControl(window, "lblBowl(1)")), std::to_string(100 - settled) + "%");
    SendMessageW(swing, WM_LBUTTONUP, 0, MAKELPARAM(x, y + 60));
    EXPECT_EQ(SendMessageW(swing, TBM_GETPOS, 0, 0), settled);
    click(window, "optCurrent");
    click(window, "cmdProcess");
  });
  const db::PlayerRecord before = testing::playerAt(fileBytes(), 1, 1);
  EXPECT_TRUE(showBatchWindow(owner, editor, "Team 1"));
  const db::PlayerRecord after = testing::playerAt(fileBytes(), 1, 1);
  EXPECT_EQ(after.bowlingAbilities[1],
            batch::scaleAbility(before.bowlingAbilities[1], batch::factorForSliderValue(settled)));
  EXPECT_EQ(after.battingAbilities, before.battingAbilities);
}

TEST_F(BatchWindowTest, ProcessForAllTeamsAsksAndWritesEveryTeam) {
  const std::vector<db::Byte> before = fileBytes();
  bool ownerEnabled = true;
  {
    const WhileOpen user(L"Batch Editing", [&](HWND window) {
      ownerEnabled = IsWindowEnabled(owner);
      EXPECT_EQ(afterKeys(window, "sldBat(2)", "lblBat(2)", {VK_END}), "0%");
      click(window, "optAll");
      click(window, "cmdProcess");
    });
    EXPECT_TRUE(showBatchWindow(owner, editor, "Team 1"));
  }
  expectOwnerDisabledOnlyWhileOpen(ownerEnabled);
  ASSERT_EQ(prompts.questions.size(), 1U);
  EXPECT_THAT(prompts.questions[0], ::testing::StartsWith(editor::messages::kBatchAllQuestion));
  EXPECT_EQ(prompts.messages.back().first, editor::messages::kBatchAllDone);
  const std::vector<db::Byte> expected = withoutPower(before, 1, db::kTeamCount);
  ASSERT_NE(expected, before) << "the database must hold power to scale";
  EXPECT_EQ(fileBytes(), expected);
}

TEST_F(BatchWindowTest, DecliningTheQuestionStillCountsAsProcessed) {
  const std::vector<db::Byte> before = fileBytes();
  prompts.answers = {editor::Answer::No};
  const WhileOpen user(L"Batch Editing", [](HWND window) {
    afterKeys(window, "sldBat(2)", "lblBat(2)", {VK_END});
    click(window, "optAll");
    click(window, "cmdProcess");
  });
  EXPECT_TRUE(showBatchWindow(owner, editor, "Team 1"));
  EXPECT_EQ(prompts.questions.size(), 1U);
  EXPECT_EQ(fileBytes(), before);
}

// The main window's menu item `designName` chosen, as a click on it does.
void chooseMenuItem(HWND window, std::string_view designName) {
  std::wstring caption;
  for (const forms::MenuSpec& menu : forms::mainMenus()) {
    for (const forms::MenuItemSpec& item : menu.items) {
      if (item.name == designName) caption = db::wideFromUtf8(item.caption);
    }
  }
  HMENU bar = GetMenu(window);
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    HMENU menu = GetSubMenu(bar, i);
    for (int j = 0; j < GetMenuItemCount(menu); ++j) {
      wchar_t text[200] = {};
      GetMenuStringW(menu, static_cast<UINT>(j), text, 200, MF_BYPOSITION);
      // The shortcut's text follows a tab.
      if (std::wstring_view(text).substr(0, std::wstring_view(text).find(L'\t')) == caption) {
        SendMessageW(window, WM_COMMAND, GetMenuItemID(menu, j), 0);
        return;
      }
    }
  }
  ADD_FAILURE() << "no menu item " << designName;
}

// The windows opened from the main window's menus, over a real editor.
class MenuWindowsTest : public ::testing::Test, public testing::EditorHarness {
 protected:
  MenuWindowsTest()
      : windowEditor(mainWindow, prompts, fileDialog, browser, fileSystem,
                     {programFolder, {}, ".", db::backupFolderFromEnvironment}) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    mainWindow.setEditor(windowEditor);
  }
  ~MenuWindowsTest() override { CoUninitialize(); }
  void SetUp() override {
    testing::writeFileBytes(databasePath, standardImage());
    ASSERT_EQ(windowEditor.InitialiseEditor(databasePath), editor::StartupOutcome::Ready);
  }

  MainWindow mainWindow;
  editor::Editor windowEditor;
};

TEST_F(MenuWindowsTest, ProcessingTheBatchWindowIsFollowedByTheFileHash) {
  bool mainWindowEnabled = true;
  std::string shownHash;
  {
    const WhileOpen user(
        {{L"Batch Editing",
          [&](HWND window) {
            mainWindowEnabled = IsWindowEnabled(mainWindow.window());
            EXPECT_EQ(GetWindow(window, GW_OWNER), mainWindow.window());
            EXPECT_EQ(windowText(batchControl(window, "optCurrent")), "Current Team (Team 1)");
            afterKeys(window, "sldBat(2)", "lblBat(2)", {VK_END});
            click(window, "optCurrent");
            click(window, "cmdProcess");
          }},
         {L"File Version Authentication", [&](HWND window) {
            shownHash = windowText(rowControl(window, forms::fileHashForm(), "txtHash"));
            PostMessageW(window, WM_CLOSE, 0, 0);
          }}});
    chooseMenuItem(mainWindow.window(), "mnuEditAbilities");
  }
  EXPECT_FALSE(mainWindowEnabled);
  EXPECT_TRUE(IsWindowEnabled(mainWindow.window()));
  EXPECT_EQ(prompts.messages.back().first, editor::messages::kBatchCurrentDone);
  // Team 1 is processed, and the hash shown is the file's as it is now.
  EXPECT_EQ(fileBytes(), withoutPower(standardImage(), 1, 1));
  db::Result<db::Database> database = db::Database::open(fileSystem, databasePath);
  ASSERT_TRUE(database);
  EXPECT_EQ(shownHash, tools::fileHash(database.value()).value());
}

}  // namespace
}  // namespace zelbor::win32
