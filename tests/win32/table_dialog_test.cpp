// The table windows of restoring a backup, importing and comparing, opened for real and answered
// from another thread as a user would.
#include "win32/table_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "caption_fit.h"
#include "db/win32_text.h"
#include "dialog_waiter.h"
#include "forms/exchange_texts.h"
#include "win32/backup_dialog.h"
#include "win32/dpi.h"
#include "win32/exchange_dialogs.h"

namespace zelbor::win32 {
namespace {

namespace texts = forms::exchange_texts;

// What a table window showed while it was open.
struct SeenTable {
  std::string caption;
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
  int highlighted = -1;
  std::string okCaption;
  std::string cancelCaption;
  bool okEnabled = false;
  int defaultButton = 0;  // what Enter presses
  bool buttonsFit = false;
  // Every header and cell fits its column, with the margins the list view draws them with.
  bool columnsFit = false;
  bool stayedOpenOnOk = false;
};

std::string windowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return db::utf8FromWide(text);
}

// The text a list view gives for `message` into an item or column description.
template <class Description>
std::string listViewText(HWND table, UINT message, int index, Description description) {
  wchar_t text[512] = {};
  description.pszText = text;
  description.cchTextMax = 512;
  SendMessageW(table, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&description));
  return db::utf8FromWide(text);
}

// Whether each column of `table` is as wide as its header text and its cells need.
bool columnsFit(HWND table, const SeenTable& seen) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(table, LVM_GETHEADER, 0, 0));
  HDC context = GetDC(header);
  HGDIOBJ previous =
      SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)));
  // The margins a header item and a cell keep on either side of their texts.
  const int margin = 12;
  bool fit = true;
  for (std::size_t i = 0; i < seen.columns.size(); ++i) {
    const std::wstring text = db::wideFromUtf8(seen.columns[i]);
    SIZE extent{};
    GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT item{};
    SendMessageW(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
    const auto width = static_cast<int>(SendMessageW(table, LVM_GETCOLUMNWIDTH, i, 0));
    fit = fit && item.right - item.left >= extent.cx + margin && width >= extent.cx + margin;
    for (const std::vector<std::string>& row : seen.rows) {
      const std::wstring cell = db::wideFromUtf8(row.at(i));
      const auto cellWidth = static_cast<int>(
          SendMessageW(table, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(cell.c_str())));
      fit = fit && width >= cellWidth + margin;
    }
  }
  SelectObject(context, previous);
  ReleaseDC(header, context);
  return fit;
}

SeenTable look(HWND window) {
  SeenTable seen;
  seen.caption = windowText(GetDlgItem(window, kTableCaptionId));
  HWND table = GetDlgItem(window, kTableId);
  HWND header = reinterpret_cast<HWND>(SendMessageW(table, LVM_GETHEADER, 0, 0));
  const auto columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < columns; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    seen.columns.push_back(listViewText(table, LVM_GETCOLUMNW, i, column));
  }
  const auto rows = static_cast<int>(SendMessageW(table, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) {
    std::vector<std::string> cells;
    for (int i = 0; i < columns; ++i) {
      LVITEMW item{};
      item.iSubItem = i;
      cells.push_back(listViewText(table, LVM_GETITEMTEXTW, row, item));
    }
    seen.rows.push_back(cells);
  }
  seen.highlighted = static_cast<int>(SendMessageW(table, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  seen.okCaption = windowText(GetDlgItem(window, IDOK));
  seen.cancelCaption = windowText(GetDlgItem(window, IDCANCEL));
  seen.okEnabled = IsWindowEnabled(GetDlgItem(window, IDOK)) != FALSE;
  const auto defaultId = static_cast<DWORD>(SendMessageW(window, DM_GETDEFID, 0, 0));
  if (HIWORD(defaultId) == DC_HASDEFID) seen.defaultButton = LOWORD(defaultId);
  seen.buttonsFit =
      captionFits(GetDlgItem(window, IDOK)) && captionFits(GetDlgItem(window, IDCANCEL));
  seen.columnsFit = columnsFit(table, seen);
  return seen;
}

// Runs `show` (which opens a table window titled `title`) while another thread looks at the
// window, lets `act` act on it and then presses `button`. With OK disabled, the OK pressed first
// must leave the window open, and Cancel ends it.
template <class Result>
Result answer(std::string_view title, const std::function<Result()>& show, int button,
              SeenTable& seen, const std::function<void(HWND)>& act = {}) {
  const std::wstring wideTitle = db::wideFromUtf8(title);
  std::thread user([&] {
    HWND window = waitForDialog(wideTitle.c_str());
    ASSERT_NE(window, nullptr);
    seen = look(window);
    if (act) act(window);
    if (!seen.okEnabled && button == IDOK) {
      // A disabled button cannot be clicked; Enter or a stray command must not end the window.
      SendMessageW(window, WM_COMMAND, IDOK, 0);
      Sleep(100);
      seen.stayedOpenOnOk = IsWindow(window) != FALSE;
      button = IDCANCEL;
    }
    PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(button), 0);
  });
  const Result result = show();
  user.join();
  return result;
}

const std::vector<editor::RestoreChange> kChanges = {
    {"1 (Australia)", 3, "A. Batter", "Timing", "50", "60"},
    {"2 (England)", 12, "B. Bowler \u00C9", "Role", "Batsman", "Bowler"},
    {"2 (England)", 12, "B. Bowler \u00C9", "Kit 1", "Oakridge Classic", "250"},
    {"2 (England)", 0, "", "record bytes 94..96", "00 00 00", "01 00 00"},
};
// The team is named once, on its first row.
const std::vector<std::vector<std::string>> kChangeRows = {
    {"1 (Australia)", "3 (A. Batter)", "Timing", "50", "60"},
    {"2 (England)", "12 (B. Bowler \u00C9)", "Role", "Batsman", "Bowler"},
    {"", "12 (B. Bowler \u00C9)", "Kit 1", "Oakridge Classic", "250"},
    {"", "", "record bytes 94..96", "00 00 00", "01 00 00"},
};

TEST(TableWindows, BackupsAreListedNewestFirstAndTheHighlightedOneIsChosen) {
  BackupDialog dialog(nullptr);
  const std::vector<editor::BackupListing> backups = {
      {"2026-12-10 16:17:05 UTC", "save", 2,
       "save of team 1 (Team 1): A Player; write 2 of the run that began writing at 2026-12-10 "
       "16:17:04 UTC"},
      {"2026-12-09 10:00:00 UTC", "batch", std::nullopt,
       "batch; first write of its run: the file as it was before the run"}};
  const std::function<std::optional<int>()> choose = [&] {
    return dialog.chooseBackup("C:\\Spiele\\\u00C4rger\\TeamAndPlayerInfo.bag", backups);
  };
  SeenTable seen;
  EXPECT_EQ(answer(texts::kRestoreTitle, choose, IDOK, seen), std::optional<int>(0));
  EXPECT_EQ(seen.caption,
            "Backups of \"C:\\Spiele\\\u00C4rger\\TeamAndPlayerInfo.bag\", newest first:");
  EXPECT_EQ(seen.columns, (std::vector<std::string>{"Taken", "Before", "Players that differ"}));
  EXPECT_EQ(seen.rows, (std::vector<std::vector<std::string>>{
                           {"2026-12-10 16:17:05 UTC", backups[0].description, "2"},
                           {"2026-12-09 10:00:00 UTC", backups[1].description, "cannot be read"}}));
  EXPECT_TRUE(seen.columnsFit);
  EXPECT_EQ(seen.highlighted, 0);
  EXPECT_EQ(seen.okCaption, "&Show Changes");
  EXPECT_TRUE(seen.okEnabled);
  EXPECT_EQ(seen.defaultButton, IDOK);

  // The second highlighted, by a double click on it.
  const auto doubleClickSecond = [](HWND window) {
    HWND table = GetDlgItem(window, kTableId);
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageW(table, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const LPARAM point = MAKELPARAM(row.left + 5, (row.top + row.bottom) / 2);
    SendMessageW(table, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(table, WM_LBUTTONUP, 0, point);
    SendMessageW(table, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    SendMessageW(table, WM_LBUTTONUP, 0, point);
  };
  std::optional<int> chosen;
  const std::wstring title = db::wideFromUtf8(texts::kRestoreTitle);
  std::thread user([&] {
    HWND window = waitForDialog(title.c_str());
    ASSERT_NE(window, nullptr);
    doubleClickSecond(window);
  });
  chosen = choose();
  user.join();
  EXPECT_EQ(chosen, std::optional<int>(1));

  EXPECT_EQ(answer(texts::kRestoreTitle, choose, IDCANCEL, seen), std::nullopt);
}

// The Enter that opened a window is held: its repeats neither choose a backup nor apply anything.
TEST(TableWindows, AKeyHeldBeforeTheWindowOpenedPressesNothing) {
  BackupDialog backups(nullptr);
  ExchangeDialogs exchange(nullptr);
  const editor::BackupListing backup{"2026-12-10 16:17:05 UTC", "save", 2};
  const editor::ImportPreviewRows changing{"C:\\in.csv", "", kChanges, {}, {}};
  const struct {
    std::string_view title;
    std::function<bool()> show;  // whether the window was answered with OK
  } windows[] = {
      {texts::kRestoreTitle,
       [&] { return backups.chooseBackup("C:\\a.bag", {backup}).has_value(); }},
      {texts::kRestoreTitle, [&] { return backups.confirmRestore(backup, kChanges); }},
      {texts::kImportTitle, [&] { return exchange.confirmImport(changing); }},
  };
  for (const auto& window : windows) {
    SeenTable seen;
    bool openAfterRepeats = false;
    const bool answered = answer<bool>(window.title, window.show, IDCANCEL, seen, [&](HWND shown) {
      // Bit 30 says the key was already down.
      constexpr LPARAM kRepeat = 1 | (1L << 30);
      for (int repeat = 0; repeat < 5; ++repeat) {
        PostMessageW(GetDlgItem(shown, kTableId), WM_KEYDOWN, VK_RETURN, kRepeat);
      }
      Sleep(200);
      openAfterRepeats = IsWindow(shown) != FALSE;
    });
    EXPECT_TRUE(openAfterRepeats) << window.title;
    EXPECT_FALSE(answered) << window.title;
    EXPECT_TRUE(seen.okEnabled) << window.title;
  }
}

// Each table window with something to apply and with nothing: its texts, which button Enter
// presses, whether Apply can be pressed, and what the window returns.
TEST(TableWindows, ApplyIsTheDefaultOnlyWithSomethingToApply) {
  BackupDialog backups(nullptr);
  ExchangeDialogs exchange(nullptr);
  const editor::BackupListing backup{"2026-12-10 16:17:05 UTC", "save", 2};
  editor::ImportPreviewRows changing{"C:\\in.csv", "UTF-8, comma", kChanges, {}, {"a note"}};
  editor::ImportPreviewRows unchanged{"C:\\in.json", "", {}, {}, {}};
  editor::ImportPreviewRows refused{
      "C:\\in.csv", "", kChanges, {"row 2, column C, value \"x\": not a number"}, {}};
  const std::vector<std::string> restoreColumns(texts::kRestoreColumns.begin(),
                                                texts::kRestoreColumns.end());
  const std::vector<std::string> importColumns(texts::kImportColumns.begin(),
                                               texts::kImportColumns.end());
  const std::vector<std::string> differenceColumns(texts::kDifferenceColumns.begin(),
                                                   texts::kDifferenceColumns.end());
  const struct {
    const char* what;
    std::string_view title;
    std::function<bool()> show;
    std::string caption;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    std::string okCaption;
    std::string cancelCaption;
    bool applicable;
  } cases[] = {
      {"restore", texts::kRestoreTitle, [&] { return backups.confirmRestore(backup, kChanges); },
       "Restoring the backup of 2026-12-10 16:17:05 UTC changes these fields. The file is backed "
       "up first, so this can be undone in turn.",
       restoreColumns, kChangeRows, "&Apply", "&Cancel", true},
      {"restore of nothing",
       texts::kRestoreTitle,
       [&] { return backups.confirmRestore(backup, {}); },
       "The players of the backup of 2026-12-10 16:17:05 UTC are those of the file now; there is "
       "nothing to restore.",
       restoreColumns,
       {},
       "&Apply",
       "&Cancel",
       false},
      {"import", texts::kImportTitle, [&] { return exchange.confirmImport(changing); },
       "Importing \"C:\\in.csv\" changes 4 fields. The file is backed up first.\nRead as UTF-8, "
       "comma.\na note",
       importColumns, kChangeRows, "&Apply", "&Cancel", true},
      {"import of nothing",
       texts::kImportTitle,
       [&] { return exchange.confirmImport(unchanged); },
       "\"C:\\in.json\" holds the players as the file does: nothing to import.",
       importColumns,
       {},
       "&Apply",
       "&Cancel",
       false},
      {"import with a refused cell",
       texts::kImportTitle,
       [&] { return exchange.confirmImport(refused); },
       "Nothing can be imported: 1 cell of \"C:\\in.csv\" is refused.",
       {"Refused cell"},
       {{"row 2, column C, value \"x\": not a number"}},
       "&Apply",
       "&Cancel",
       false},
      {"differences", texts::kCompareTitle,
       [&] { return exchange.showDifferences("4 differences", kChanges, true); },
       "4 differences", differenceColumns, kChangeRows, "Save as &Patch\u2026", "Close", true},
      {"differences without a patch",
       texts::kCompareTitle,
       [&] { return exchange.showDifferences("No differences", {}, false); },
       "No differences",
       differenceColumns,
       {},
       "Save as &Patch\u2026",
       "Close",
       false},
  };
  for (const auto& window : cases) {
    SCOPED_TRACE(window.what);
    SeenTable seen;
    EXPECT_EQ(answer(window.title, window.show, IDOK, seen), window.applicable);
    EXPECT_EQ(seen.caption, window.caption);
    EXPECT_EQ(seen.columns, window.columns);
    EXPECT_EQ(seen.rows, window.rows);
    EXPECT_EQ(seen.okCaption, window.okCaption);
    EXPECT_EQ(seen.cancelCaption, window.cancelCaption);
    EXPECT_EQ(seen.okEnabled, window.applicable);
    EXPECT_EQ(seen.defaultButton, window.applicable ? IDOK : IDCANCEL);
    EXPECT_EQ(seen.stayedOpenOnOk, !window.applicable);
    EXPECT_TRUE(seen.buttonsFit);
    EXPECT_TRUE(seen.columnsFit);
    if (window.applicable) {
      EXPECT_FALSE(answer(window.title, window.show, IDCANCEL, seen));
    }
  }
}

// The window keeps its size in twips on a monitor of another dpi, its controls in it.
TEST(TableWindows, KeepTheirSizeInTwipsAtAnotherDpi) {
  BackupDialog dialog(nullptr);
  SIZE before{};
  SIZE after{};
  SIZE wantedAfter{};
  SIZE clientAfter{};
  RECT tableAfter{};
  bool fontChanged = false;
  bool buttonsFit = false;
  std::thread user([&] {
    HWND window = waitForDialog(db::wideFromUtf8(texts::kRestoreTitle).c_str());
    ASSERT_NE(window, nullptr);
    RECT client{};
    GetClientRect(window, &client);
    before = {client.right, client.bottom};
    const UINT dpi = windowDpi(window);
    const auto font = SendMessageW(GetDlgItem(window, kTableId), WM_GETFONT, 0, 0);
    RECT suggested{0, 0, 100, 100};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi * 2, dpi * 2),
                 reinterpret_cast<LPARAM>(&suggested));
    // The outer size for that client area at the new dpi: Wine draws the frame at the system's.
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT wanted{0, 0, pixelsFromTwips(texts::kTableWindowWidth, dpi * 2),
                pixelsFromTwips(texts::kTableWindowHeight, dpi * 2)};
    AdjustWindowRectExForDpi(&wanted, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                             FALSE, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)),
                             dpi * 2);
    after = {outer.right - outer.left, outer.bottom - outer.top};
    wantedAfter = {wanted.right - wanted.left, wanted.bottom - wanted.top};
    GetClientRect(window, &client);
    clientAfter = {client.right, client.bottom};
    GetWindowRect(GetDlgItem(window, kTableId), &tableAfter);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&tableAfter), 2);
    fontChanged = SendMessageW(GetDlgItem(window, kTableId), WM_GETFONT, 0, 0) != font;
    buttonsFit = captionFits(GetDlgItem(window, IDOK)) && captionFits(GetDlgItem(window, IDCANCEL));
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(dialog.confirmRestore({"2026-12-10 16:17:05 UTC", "save", 1}, kChanges));
  user.join();
  const UINT dpi = windowDpi(nullptr);
  EXPECT_EQ(before.cx, pixelsFromTwips(texts::kTableWindowWidth, dpi));
  EXPECT_EQ(before.cy, pixelsFromTwips(texts::kTableWindowHeight, dpi));
  EXPECT_EQ(after.cx, wantedAfter.cx);
  EXPECT_EQ(after.cy, wantedAfter.cy);
  // The controls are placed for the new size.
  EXPECT_LE(tableAfter.right, clientAfter.cx);
  EXPECT_GT(tableAfter.right - tableAfter.left,
            pixelsFromTwips(texts::kTableWindowWidth, dpi * 2) * 9 / 10);
  EXPECT_TRUE(fontChanged);
  EXPECT_TRUE(buttonsFit);
}

}  // namespace
}  // namespace zelbor::win32
