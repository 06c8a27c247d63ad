#include "win32/database_file_dialog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <thread>

#include "db/win32_text.h"
#include "dialog_waiter.h"
#include "file_dialog_parts.h"

namespace zelbor::win32 {
namespace {

TEST(DatabaseFileDialog, FilterPartsShowTheirPatternsAndEndWithNullCharacters) {
  constexpr wchar_t kExpected[] =
      L"Players (*Info.bag)\0*Info.bag\0Tables (*.csv;*.json)\0*.csv;*.json\0\0";
  EXPECT_EQ(dialogFilter({{"Players", {"*Info.bag"}}, {"Tables", {"*.csv", "*.json"}}}),
            std::wstring(kExpected, std::size(kExpected) - 1));
}

TEST(DatabaseFileDialog, OpensInTheGivenFolderAndGivesTheChosenPathOrNothing) {
  const std::wstring folder = newTempFolder(L"Zelbor \u00C4rger");
  const std::wstring file = folder + L"\\TeamAndPlayerInfo.bag";
  std::ofstream(file.c_str()) << "x";
  DatabaseFileDialog dialog;

  // A bare file name is found in the folder the dialog opened in.
  std::thread user([] {
    HWND open = waitForDialog(nullptr);
    ASSERT_NE(open, nullptr);
    SetDlgItemTextW(open, kFileNameBox, L"TeamAndPlayerInfo.bag");
    PostMessageW(open, WM_COMMAND, IDOK, 0);
    // Had the name not been found, the dialog would stay open over a message saying so.
    for (int tries = 0; IsWindow(open) && tries < 30; ++tries) Sleep(100);
    while (HWND left = FindWindowW(L"#32770", nullptr)) {
      PostMessageW(left, WM_CLOSE, 0, 0);
      Sleep(200);
    }
  });
  const std::string chosen =
      dialog.chooseDatabase(db::utf8FromWide(folder), {{"Players", {"*TeamAndPlayerInfo.bag"}}});
  user.join();
  EXPECT_EQ(chosen, db::utf8FromWide(file));

  std::thread canceller([] {
    HWND open = waitForDialog(nullptr);
    ASSERT_NE(open, nullptr);
    PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(dialog.chooseDatabase(db::utf8FromWide(folder), {{"Players", {"*.bag"}}}), "");
  canceller.join();
}

}  // namespace
}  // namespace zelbor::win32
