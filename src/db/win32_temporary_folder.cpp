#include <windows.h>

#include "temporary_folder.h"
#include "win32_text.h"

namespace zelbor::db {

Path temporaryFolder() {
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return ".";
  // Without its closing separator, as every folder here is kept.
  return utf8FromWide(std::wstring_view(folder, length - 1));
}

}  // namespace zelbor::db
