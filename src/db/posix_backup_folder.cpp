#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>

#include "backup_folder.h"

namespace zelbor::db {

Result<BackupFolder> backupFolderFromEnvironment() {
  BackupFolder folder;
  const char* const stateHome = std::getenv("XDG_STATE_HOME");
  const char* const home = std::getenv("HOME");
  // A relative XDG_STATE_HOME is to be ignored.
  if (stateHome != nullptr && stateHome[0] == '/') {
    folder.userLevels = {stateHome};
  } else if (home != nullptr && home[0] == '/') {
    folder.userLevels = {std::string(home) + "/.local", std::string(home) + "/.local/state"};
  } else {
    return FileError{"", "Cannot make a backup: neither XDG_STATE_HOME nor HOME names a folder."};
  }
  const std::string own = folder.userLevels.back() + "/zelbor-player-editor";
  folder.ownLevels = {own, own + "/backups"};
  return folder;
}

std::string fullPath(const std::string& path) {
  if (char* const resolved = ::realpath(path.c_str(), nullptr)) {
    std::string full = resolved;
    std::free(resolved);
    return full;
  }
  if (!path.empty() && path[0] == '/') return path;
  char current[PATH_MAX];
  if (::getcwd(current, sizeof current) == nullptr) return path;
  return std::string(current) + "/" + path;
}

}  // namespace zelbor::db
