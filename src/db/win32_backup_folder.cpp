#include <windows.h>

#include <cstdlib>

#include "backup_folder.h"
#include "win32_text.h"

namespace zelbor::db {

Result<BackupFolder> backupFolderFromEnvironment() {
  const wchar_t* const localData = ::_wgetenv(L"LOCALAPPDATA");
  if (localData == nullptr || localData[0] == L'\0') {
    return FileError{"", "Cannot make a backup: LOCALAPPDATA does not name a folder."};
  }
  BackupFolder folder;
  folder.userLevels = {utf8FromWide(localData)};
  const std::string own = folder.userLevels.back() + "\\Zelbor Player Editor";
  folder.ownLevels = {own, own + "\\Backups"};
  return folder;
}

std::string fullPath(const std::string& path) {
  const std::wstring wide = wideFromUtf8(path);
  const DWORD length = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::wstring full(length, L'\0');
  const DWORD written = ::GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
  if (written == 0 || written >= length) return path;
  full.resize(written);
  return utf8FromWide(full);
}

}  // namespace zelbor::db
