// zelbor-editor.exe: the editor's main window on the database named by the argument, or the one
// the user picks.
// The other system headers need windows.h before them.
// clang-format off
#include <windows.h>
// clang-format on
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>

#include "db/backup_folder.h"
#include "db/config_file.h"
#include "db/file_access.h"
#include "db/win32_program_folder.h"
#include "db/win32_text.h"
#include "editor/install_folder.h"
#include "editor/messages.h"
#include "editor_session.h"

namespace {

using namespace zelbor;

// The exit status of a start-up the user was told failed, and of an error nothing answered.
constexpr int kStartFailed = 1;
constexpr int kUnexpectedError = 70;

// The database path given as the first argument, as file managers pass it for "Open with"; empty
// when there is none.
std::string databasePathArgument() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return {};
  std::string path = count > 1 ? db::utf8FromWide(arguments[1]) : std::string();
  LocalFree(arguments);
  return path;
}

std::string decimalSeparator() {
  wchar_t separator[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) return ".";
  return db::utf8FromWide(separator);
}

editor::EditorEnvironment environment() {
  return {db::programFolder(),
          editor::gameInstallFolders(std::getenv("WINEPREFIX"), std::getenv("HOME")),
          decimalSeparator(), db::backupFolderFromEnvironment, db::editorConfigFile()};
}

int runEditor(int show) {
  win32::EditorSession session(db::systemFileSystem(), environment());
  if (session.window().window() == nullptr) {
    throw std::runtime_error("The main window could not be made: " +
                             db::systemReason(GetLastError()));
  }
  // The window is shown only once it is filled: a failed start-up has told the user why.
  switch (session.start(databasePathArgument())) {
    case editor::StartupOutcome::Cancelled:
      return 0;
    case editor::StartupOutcome::Failed:
      return kStartFailed;
    case editor::StartupOutcome::Ready:
      break;
  }
  win32::MainWindow& window = session.window();
  ShowWindow(window.window(), show);
  SetFocus(window.controls().control(editor::designName(editor::ListControl::cboTeams)));
  return win32::runMessageLoop(window.window(), window.accelerators());
}

void tellUnexpectedError(const std::string& what) {
  MessageBoxW(nullptr, db::wideFromUtf8(editor::messages::unexpectedErrorMessage(what)).c_str(),
              db::wideFromUtf8(editor::messages::kApplicationTitle).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  // Each window scales with the monitor it is on.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                     ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  // The face pictures are decoded and the file dialogs run through COM.
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
    tellUnexpectedError("COM could not be started on this system.");
    return kUnexpectedError;
  }
  int status = kUnexpectedError;
  try {
    status = runEditor(show);
  } catch (const std::exception& error) {
    tellUnexpectedError(error.what());
  }
  CoUninitialize();
  return status;
}
