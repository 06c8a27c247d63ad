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

// Writes the copy's player areas of the plan's teams in one write operation, each area read again
// under the writer's lock: the plan then holds the file as it was when written (`current` and
// each write's `loaded`), so a report made from it tells what the restore changed, whatever
// another program wrote since the plan was made.
WriteOutcome applyRestore(const Database& database, RestorePlan& plan, const WritePolicy& policy);

}  // namespace zelbor::db
