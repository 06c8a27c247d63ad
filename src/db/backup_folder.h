#pragma once

#include <string>
#include <vector>

#include "result.h"

namespace zelbor::db {

// Where backups are kept: in the user's own data, never beside the database. The levels are
// created one at a time when missing; the user's may be reached through a link, ours may not.
struct BackupFolder {
  std::vector<std::string> userLevels;  // the user's state folder, outermost first
  std::vector<std::string> ownLevels;   // ours, down to the backups folder itself

  const std::string& path() const { return ownLevels.back(); }
};

// Linux: $XDG_STATE_HOME/zelbor-player-editor/backups (~/.local/state when it is unset);
// Windows: %LOCALAPPDATA%\Zelbor Player Editor\Backups.
Result<BackupFolder> backupFolderFromEnvironment();

// The path from the root, links resolved where the file exists, so each database has one
// history however it is named.
std::string fullPath(const std::string& path);

}  // namespace zelbor::db
