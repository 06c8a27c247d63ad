#include <cstdlib>

#include "config_file.h"
#include "win32_text.h"

namespace zelbor::db {

std::string editorConfigFile() {
  const wchar_t* const appData = ::_wgetenv(L"APPDATA");
  if (appData == nullptr || appData[0] == L'\0') return {};
  return utf8FromWide(appData) + "\\Zelbor Player Editor\\editor.conf";
}

}  // namespace zelbor::db
