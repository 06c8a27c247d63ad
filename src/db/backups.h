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

// What keeps a database's backups from filling the disk: after each write, the newest
// kNewestKept backups stay, every write of the latest runs; and so does the first backup of each
// of the newest kRunsKept runs, the file as it was before that run first wrote it, however long
// that run went on. At most kNewestKept + kRunsKept backups of a database remain.
inline constexpr std::size_t kNewestKept = 30;
inline constexpr std::size_t kRunsKept = 20;

// The write operations a backup is taken before: the only operations a backup's name carries.
enum class BackupOperation { Save, Batch, FixSpoof, Import, Restore };
std::string_view operationName(BackupOperation operation);

// One run of a program that writes: the editor from start to exit, or one command. Its backups
// carry its id and count, so the list can tell which run each was taken before.
class BackupRun {
 public:
  BackupRun();  // a new random id
  const std::string& id() const { return id_; }
  // How many backups this run has taken.
  int backupsTaken() const { return taken_; }

 private:
  friend class Backups;
  std::string id_;
  int taken_ = 0;
};

struct BackupEntry {
  std::string path;
  std::string when;       // "2026-12-10 16:17:05 UTC"
  std::string operation;  // "save", "batch", "fix-spoof", "import", "restore"
  // What the operation wrote, when it said: "team 3 (Team Name): A Player, B Player".
  std::string subject;
  std::string run;  // the run's id
  int write = 0;    // 1 for the run's first backup: the file as it was before the run
  // When the run took its first backup still kept (its first write).
  std::string runBegan;
};

// "save of team 3 (Team Name): A Player; write 3 of the run that began writing at
// 2026-12-10 16:17:05 UTC": the operation and run a backup was taken before, as both the window
// and the command line list it.
std::string backupDescription(const BackupEntry& entry);

// Whole copies of a database taken before it is written. Each database has a folder of its own
// inside the backups folder, named by a hash of its full path and holding that path in
// "database.txt". A backup is named "<UTC time>_<operation>_<run>-<write>_<database's name>.bak"
// (the database's name cut to keep within the file system's limit), so the names sort by time;
// what it saved, when said, is in the ".txt" of the same name. Only such names are ever removed.
class Backups {
 public:
  Backups(FileSystem& fileSystem, BackupFolder folder)
      : fileSystem_(fileSystem), folder_(std::move(folder)) {}

  // Copies the database, open and locked by the caller, into a new backup of `run`: written to a
  // temporary file, flushed, renamed and the folder flushed. Returns the backup's path.
  Result<std::string> take(File& database, const Path& databasePath, BackupRun& run,
                           BackupOperation operation, const std::string& subject);
  // take() as the step before the first write of a write operation; it holds a copy of this and
  // refers to `run`, which must outlive it.
  WritePolicy before(const Path& databasePath, BackupRun& run, BackupOperation operation,
                     std::string subject = {});

  // This database's backups, newest first; none when it has none yet.
  Result<std::vector<BackupEntry>> list(const Path& databasePath);
  // Removes this database's backups the retention does not keep, after a write succeeded.
  Result<void> prune(const Path& databasePath);

 private:
  // The database's own folder, created with the levels above it when missing, the names of the
  // backups in it, newest first, and the descriptions' names.
  struct Folder {
    std::string path;
    std::vector<std::string> backups;
    std::vector<std::string> descriptions;
  };
  Result<Folder> databaseFolder(const Path& databasePath);

  FileSystem& fileSystem_;
  BackupFolder folder_;
};

// How many player slots of all teams differ between two database images of the same length.
int differingSlots(std::span<const Byte> a, std::span<const Byte> b);

}  // namespace zelbor::db
