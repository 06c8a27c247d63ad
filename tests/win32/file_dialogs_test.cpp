// The file dialogs of importing, exporting and comparing: their titles, the file types they offer,
// the extension a name typed without one takes, and no question of their own before a file is
// replaced (the editor asks, once it knows the file is not the open database).
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "db/win32_text.h"
#include "dialog_waiter.h"
#include "editor/messages.h"
#include "exchange/table_format.h"
#include "file_dialog_parts.h"
#include "forms/exchange_texts.h"
#include "win32/database_file_dialog.h"
#include "win32/exchange_dialogs.h"

namespace zelbor::win32 {
namespace {

namespace texts = forms::exchange_texts;

// Another dialog window of the program than `dialog`, waiting up to two seconds.
HWND otherDialog(HWND dialog) {
  for (int tries = 0; tries < 200; ++tries) {
    HWND other = nullptr;
    while ((other = FindWindowExW(nullptr, other, L"#32770", nullptr)) != nullptr) {
      if (other != dialog && IsWindowVisible(other)) return other;
    }
    Sleep(10);
  }
  return nullptr;
}

// Answers the dialog titled `title` with `name` typed in its file name box, the file type
// `type` (0-based) chosen first; `replace` answers the question asked before replacing a file.
std::thread typeName(std::string_view title, int type, std::wstring name, bool* asked = nullptr) {
  return std::thread([wideTitle = db::wideFromUtf8(title), type, name, asked] {
    HWND dialog = waitForDialog(wideTitle.c_str());
    ASSERT_NE(dialog, nullptr);
    HWND types = GetDlgItem(dialog, kFileTypeList);
    SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(type), 0);
    // As a choice with the mouse or keys notifies.
    for (const WORD notification : {CBN_SELCHANGE, CBN_SELENDOK}) {
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeList, notification),
                   reinterpret_cast<LPARAM>(types));
    }
    SetDlgItemTextW(dialog, kFileNameBox, name.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    if (asked == nullptr) return;
    HWND question = otherDialog(dialog);
    *asked = question != nullptr;
    if (question != nullptr) PostMessageW(question, WM_COMMAND, IDYES, 0);
  });
}

TEST(FileDialogs, AnExportNameTypedWithoutExtensionTakesTheChosenTypes) {
  const std::wstring folder = newTempFolder(L"Zelbor \u00DCbergabe");
  ExchangeDialogs dialogs(nullptr);
  // The types in the order offered: the workbook only where the build writes it.
  std::vector<std::wstring> extensions = {L".csv", L".json"};
  if (exchange::buildHasXlsx()) extensions.insert(extensions.begin(), L".xlsx");
  for (int type = 0; type < static_cast<int>(extensions.size()); ++type) {
    std::thread user = typeName(texts::kExportTitle, type, folder + L"\\players");
    const std::string path = dialogs.chooseExportPath();
    user.join();
    EXPECT_EQ(path, db::utf8FromWide(folder + L"\\players" + extensions[type]));
  }
}

TEST(FileDialogs, ReplacingAFileIsLeftToTheEditor) {
  const std::wstring folder = newTempFolder(L"Zelbor \u00DCbergabe");
  const std::wstring existing = folder + L"\\patch.json";
  std::ofstream(existing.c_str()) << "{}";
  ExchangeDialogs dialogs(nullptr);
  bool asked = true;
  std::thread user = typeName(texts::kPatchTitle, 0, existing, &asked);
  const std::string path = dialogs.choosePatchPath();
  user.join();
  EXPECT_FALSE(asked);
  EXPECT_EQ(path, db::utf8FromWide(existing));
}

// The entries of the file type list of the dialog titled `title`, read while it is open; then a
// file named otherwise is picked under "All files", the last type.
std::thread readTypes(std::string_view title, std::wstring otherFile,
                      std::vector<std::string>& shown) {
  return std::thread([wideTitle = db::wideFromUtf8(title), otherFile, &shown] {
    HWND dialog = waitForDialog(wideTitle.c_str());
    ASSERT_NE(dialog, nullptr);
    HWND types = GetDlgItem(dialog, kFileTypeList);
    const auto count = static_cast<int>(SendMessageW(types, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[256] = {};
      SendMessageW(types, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      shown.push_back(db::utf8FromWide(text));
    }
    SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
    for (const WORD notification : {CBN_SELCHANGE, CBN_SELENDOK}) {
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeList, notification),
                   reinterpret_cast<LPARAM>(types));
    }
    SetDlgItemTextW(dialog, kFileNameBox, otherFile.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
}

TEST(FileDialogs, EachShowsItsTypesPatternsAndOffersAllFiles) {
  const std::wstring folder = newTempFolder(L"Zelbor \u00DCbergabe");
  // Named otherwise than any type but "All files" matches; with an extension of its own, a save
  // dialog adds none.
  const std::wstring copy = folder + L"\\Sicherung vom Montag.bak";
  std::ofstream(copy.c_str()) << "x";
  ExchangeDialogs dialogs(nullptr);
  DatabaseFileDialog database;
  std::vector<std::string> tables = {"CSV with byte order mark (*.csv)", "JSON (*.json)"};
  std::string importAny = "Players' tables (*.csv;*.json)";
  if (exchange::buildHasXlsx()) {
    tables.insert(tables.begin(), "Excel workbook (*.xlsx)");
    importAny = "Players' tables (*.xlsx;*.csv;*.json)";
  }
  std::vector<std::string> imports = tables;
  imports.insert(imports.begin(), importAny);
  const struct {
    std::string_view title;
    std::function<std::string()> choose;
    std::vector<std::string> types;
  } cases[] = {
      {texts::kImportTitle, [&] { return dialogs.chooseTableToImport(); }, imports},
      {texts::kExportTitle, [&] { return dialogs.chooseExportPath(); }, tables},
      {texts::kPatchTitle, [&] { return dialogs.choosePatchPath(); }, {"JSON patch (*.json)"}},
      {texts::kCompareTitle, [&] { return dialogs.chooseDatabaseToCompare(); },
       {"Zelbor Player Database (*TeamAndPlayerInfo.bag)"}},
      // The system's own title: the start-up's dialog has none of its own.
      {"Open", [&] { return database.chooseDatabase({}, editor::messages::databaseTypes()); },
       {"Zelbor Player Database (*TeamAndPlayerInfo.bag)"}},
  };
  for (const auto& dialog : cases) {
    SCOPED_TRACE(dialog.title);
    std::vector<std::string> shown;
    std::thread user = readTypes(dialog.title, copy, shown);
    const std::string chosen = dialog.choose();
    user.join();
    std::vector<std::string> expected = dialog.types;
    expected.push_back("All files (*.*)");
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(chosen, db::utf8FromWide(copy));
  }
}

TEST(FileDialogs, ImportAndCompareOpenAnExistingFileOrNothing) {
  const std::wstring folder = newTempFolder(L"Zelbor \u00DCbergabe");
  const std::wstring table = folder + L"\\Spieler \u00E9.csv";
  std::ofstream(table.c_str()) << "x";
  ExchangeDialogs dialogs(nullptr);
  std::thread user = typeName(texts::kImportTitle, 0, table);
  EXPECT_EQ(dialogs.chooseTableToImport(), db::utf8FromWide(table));
  user.join();

  std::thread canceller([] {
    HWND dialog = waitForDialog(db::wideFromUtf8(texts::kCompareTitle).c_str());
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(dialogs.chooseDatabaseToCompare(), "");
  canceller.join();
}

}  // namespace
}  // namespace zelbor::win32
