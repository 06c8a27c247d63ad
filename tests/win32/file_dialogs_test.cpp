// The file dialogs of importing, exporting and comparing: their titles, the extension a name
// typed without one takes, and the question before a file is replaced.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <thread>

#include "db/win32_text.h"
#include "dialog_waiter.h"
#include "file_dialog_parts.h"
#include "forms/exchange_texts.h"
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
  const struct {
    int type;
    const wchar_t* extension;
  } cases[] = {{0, L".xlsx"}, {1, L".csv"}, {2, L".json"}};
  for (const auto& chosen : cases) {
    std::thread user = typeName(texts::kExportTitle, chosen.type, folder + L"\\players");
    const std::string path = dialogs.chooseExportPath();
    user.join();
    EXPECT_EQ(path, db::utf8FromWide(folder + L"\\players" + chosen.extension));
  }
}

TEST(FileDialogs, ReplacingAFileIsAskedFirst) {
  const std::wstring folder = newTempFolder(L"Zelbor \u00DCbergabe");
  const std::wstring existing = folder + L"\\patch.json";
  std::ofstream(existing.c_str()) << "{}";
  ExchangeDialogs dialogs(nullptr);
  bool asked = false;
  std::thread user = typeName(texts::kPatchTitle, 0, existing, &asked);
  const std::string path = dialogs.choosePatchPath();
  user.join();
  EXPECT_TRUE(asked);
  EXPECT_EQ(path, db::utf8FromWide(existing));
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
