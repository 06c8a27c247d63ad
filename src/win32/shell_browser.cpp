#include "shell_browser.h"

#include <windows.h>

// Needs the declarations of windows.h before it.
#include <shellapi.h>

#include "db/win32_text.h"
#include "editor/web_lookup.h"

namespace zelbor::win32 {
bool ShellBrowser::open(const std::string& address) {
  const std::wstring wide = db::wideFromUtf8(address);
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  // The failure is told in the editor's own words, with the address.
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  execute.lpVerb = L"open";
  execute.lpFile = wide.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&execute)) return false;
  // A browser already running is handed the address without a new process.
  if (execute.hProcess == nullptr) return true;
  DWORD status = STILL_ACTIVE;
  if (WaitForSingleObject(execute.hProcess,
                          static_cast<DWORD>(editor::kBrowserFailureWaitMilliseconds)) ==
      WAIT_OBJECT_0) {
    GetExitCodeProcess(execute.hProcess, &status);
  }
  CloseHandle(execute.hProcess);
  return status == 0 || status == STILL_ACTIVE;
}

}  // namespace zelbor::win32
