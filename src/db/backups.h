#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "backup_folder.h"
#include "database.h"
#include "file_access.h"

namespace zelbor::db {

// The newest this many backups of each database are kept.
inline constexpr std::size_t kBackupsKept = 50;

struct BackupEntry {
  std::string path;
  std::string when;       // "2026-12-10 16:17:05 UTC"
  std::string operation;  // "save", "batch", "fix-spoof", "import", "restore"
};

// Whole copies of a database taken before it is written. Each database has a folder of its own
// inside the backups folder, named by a hash of its full path and holding that path in
// "database.txt". A backup is named "<UTC time>_<operation>_<database's name>.bak", so the names
// sort by time; only such names are ever removed.
class Backups {
 public:
  Backups(FileSystem& fileSystem, BackupFolder folder)
      : fileSystem_(fileSystem), folder_(std::move(folder)) {}

  // Copies the database, open and locked by the caller, into a new backup: written to a temporary
  // file, flushed, renamed and the folder flushed. Returns the backup's path.
  Result<std::string> take(File& database, const Path& databasePath,
                           std::string_view operation);
  // take() as the step before the first write of a write operation; it holds a copy of this.
  BeforeFirstWrite before(const Path& databasePath, std::string operation);

  // This database's backups, newest first; none when it has none yet.
  Result<std::vector<BackupEntry>> list(const Path& databasePath);
  // Removes this database's backups beyond the newest kBackupsKept, after a write succeeded.
  Result<void> prune(const Path& databasePath);

 private:
  // The database's own folder, created with the levels above it when missing, and the names of
  // the backups in it, newest first.
  struct Folder {
    std::string path;
    std::vector<std::string> backups;
  };
  Result<Folder> databaseFolder(const Path& databasePath);

  FileSystem& fileSystem_;
  BackupFolder folder_;
};

// How many player slots of all teams differ between two database images of the same length.
int differingSlots(std::span<const Byte> a, std::span<const Byte> b);

}  // namespace zelbor::db
