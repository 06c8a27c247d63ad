#include "win32_program_folder.h"

#include <windows.h>

#include <string>

#include "win32_text.h"

namespace zelbor::db {

Path programFolder() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size()) {
    path.resize(path.size() * 2);
  }
  path.resize(length);
  const std::size_t separator = path.find_last_of(L"\\/");
  return utf8FromWide(path.substr(0, separator == std::wstring::npos ? 0 : separator));
}

}  // namespace zelbor::db
