#pragma once

#include <span>
#include <string>
#include <vector>

#include "database.h"

namespace zelbor::db {

// What restoring a copy of a database (a backup) into it writes: the whole player area of each
// team in scope that differs, compared with the database as read when the plan was made, so a
// change made since is refused rather than overwritten. Player areas are the only bytes our
// writes change, so this undoes any of them exactly.
struct RestorePlan {
  std::vector<Byte> current;  // the database, whole
  std::vector<Byte> copy;     // the backup, whole
  std::vector<TeamAreaWrite> writes;
};

// A database file read whole.
Result<std::vector<Byte>> readDatabaseImage(FileSystem& fileSystem, const Path& path);

// A copy of a database read whole, refused when it is not `expectedSize` bytes long.
Result<std::vector<Byte>> readDatabaseCopy(FileSystem& fileSystem, const Path& path,
                                           std::uint64_t expectedSize);

// `teams` empty: all seventeen.
Result<RestorePlan> planRestore(FileSystem& fileSystem, const Database& database,
                                const std::string& copyPath, std::span<const int> teams);

}  // namespace zelbor::db
