// zelbor-editor.exe itself, started as a user would.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "box_answerer.h"
#include "support/editor_fixture.h"
#include "support/temp_file.h"

namespace zelbor::win32 {
namespace {

class EditorProgram {
 public:
  explicit EditorProgram(const std::string& databasePath) {
    // The program lies beside the tests.
    std::wstring command = L"zelbor-editor.exe \"" + db::wideFromUtf8(databasePath) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process_) != 0;
  }
  EditorProgram(const EditorProgram&) = delete;
  EditorProgram& operator=(const EditorProgram&) = delete;
  ~EditorProgram() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 99);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool started() const { return started_; }
  DWORD processId() const { return process_.dwProcessId; }
  // The exit status once it ended within ten seconds; STILL_ACTIVE when it did not.
  DWORD exitStatus() const {
    WaitForSingleObject(process_.hProcess, 10000);
    DWORD status = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &status);
    return status;
  }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

TEST(EditorProgram, AFailedStartIsToldInAMessageBox) {
  const testing::TempDir dir;
  const std::string missing = dir.file("missing.bag");
  const EditorProgram program(missing);
  ASSERT_TRUE(program.started());
  HWND box = waitForDialog(L"Zelbor Player Editor");
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_NE(windowText(GetDlgItem(box, 0xFFFF)).find(missing), std::string::npos);
  click(box, IDOK);
  EXPECT_EQ(program.exitStatus(), 1U);
}

// The standard database, written in `dir`; its path.
std::string standardDatabase(const testing::TempDir& dir) {
  const std::string path = dir.file("TeamAndPlayerInfo.bag");
  testing::writeFileBytes(path, testing::EditorHarness::standardImage());
  return path;
}

// The main window of the program on the database `path`, once it shows.
HWND mainWindow(const std::string& path) {
  for (int tries = 0; tries < 1000; ++tries) {
    HWND window = FindWindowW(nullptr, db::wideFromUtf8(path).c_str());
    if (window != nullptr && IsWindowVisible(window)) return window;
    Sleep(10);
  }
  return nullptr;
}

TEST(EditorProgram, ShowsTheDatabaseAndEndsWhenClosed) {
  const testing::TempDir dir;
  const std::string path = standardDatabase(dir);
  const EditorProgram program(path);
  ASSERT_TRUE(program.started());
  HWND window = mainWindow(path);
  ASSERT_NE(window, nullptr) << "no main window titled with the database";
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.exitStatus(), 0U);
}

// The look-up's label, found by the site it names.
HWND lookUpLabel(HWND window) {
  HWND found = nullptr;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM result) {
        if (windowText(child) != "espncricinfo.com") return TRUE;
        *reinterpret_cast<HWND*>(result) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The test's Wine has no browser to hand an address to: the look-up says so, with the address.
TEST(EditorProgram, ALookUpThatStartsNoBrowserIsToldWithTheAddress) {
  const testing::TempDir dir;
  const std::string path = standardDatabase(dir);
  const EditorProgram program(path);
  ASSERT_TRUE(program.started());
  HWND window = mainWindow(path);
  ASSERT_NE(window, nullptr);
  HWND label = lookUpLabel(window);
  ASSERT_NE(label, nullptr) << "no label naming the site";
  PostMessageW(GetParent(label), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED),
               reinterpret_cast<LPARAM>(label));
  HWND box = waitForDialog(L"Zelbor Player Editor");
  ASSERT_NE(box, nullptr) << "nothing was told";
  const std::string text = windowText(GetDlgItem(box, 0xFFFF));
  EXPECT_NE(text.find("No web browser could be started"), std::string::npos) << text;
  EXPECT_NE(text.find("https://stats.espncricinfo.com/ci/engine/stats/analysis.html"
                      "?search=T1+Player+1;template=analysis"),
            std::string::npos)
      << text;
  click(box, IDOK);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.exitStatus(), 0U);
}

}  // namespace
}  // namespace zelbor::win32
