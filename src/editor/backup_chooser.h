#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zelbor::editor {

// A backup of the open database as the chooser lists it.
struct BackupListing {
  std::string when;       // "2026-12-10 16:17:05 UTC"
  std::string operation;  // the write it was taken before: "save", "batch", "restore", ...
  // Player slots that differ from the file as it is now; nothing when the backup cannot be read.
  std::optional<int> differingPlayers;
  // That write and its run: "save of team 3 (Team Name): A Player; write 3 of the run that began
  // writing at 2026-12-10 16:17:05 UTC".
  std::string description;
  // The run's first backup: the file as it was before that run wrote it.
  bool beforeRun = false;
};

// One changed field of a restore: in `team`, player slot `slot` (named `player` in the file now),
// `field` goes from `now` to `restored`.
struct RestoreChange {
  std::string team;
  int slot = 0;
  std::string player;
  std::string field;
  std::string now;
  std::string restored;
};

// The front end's window for File "Restore from Backup...".
class BackupChooser {
 public:
  virtual ~BackupChooser() = default;
  // The backup to restore, an index into `backups` (newest first); nothing on Cancel.
  virtual std::optional<int> chooseBackup(const std::string& databasePath,
                                          const std::vector<BackupListing>& backups) = 0;
  // Shows what restoring the chosen backup changes; true on Apply. With no changes there is
  // nothing to apply.
  virtual bool confirmRestore(const BackupListing& backup,
                              const std::vector<RestoreChange>& changes) = 0;
};

}  // namespace zelbor::editor
