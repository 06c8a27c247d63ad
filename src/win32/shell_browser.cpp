#include "shell_browser.h"

#include <windows.h>

// Needs the declarations of windows.h before it.
#include <shellapi.h>

#include "db/win32_text.h"

namespace zelbor::win32 {

bool ShellBrowser::open(const std::string& address) {
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
      nullptr, L"open", db::wideFromUtf8(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  // Values up to 32 are errors.
  return result > 32;
}

}  // namespace zelbor::win32
