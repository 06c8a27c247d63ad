#pragma once

#include <functional>
#include <utility>

#include "file_access.h"

namespace zelbor::cli {
struct NoBackupOption;
}
namespace zelbor::editor {
class Editor;
}
namespace zelbor::testing {
struct WritesWithoutBackup;
}

namespace zelbor::db {

class Backups;

// Runs under the writer's lock, after the file was checked and before its first byte is written;
// a failure ends the operation with nothing written. Backups are taken here.
using BeforeFirstWrite = std::function<Result<void>(File& lockedFile)>;

// The user's choice to write without a backup. Only the command line's --no-backup and the
// window's "Write Without Backup?" Yes make one, so no other code can skip a backup.
class NoBackupConsent {
 private:
  NoBackupConsent() = default;
  friend struct cli::NoBackupOption;
  friend class editor::Editor;
  friend struct testing::WritesWithoutBackup;
};

// What a write operation does before its first byte: take a backup (made by Backups alone), or
// none by the user's consent. Every write takes one; there is no default.
class WritePolicy {
 public:
  explicit WritePolicy(NoBackupConsent) {}
  // A backup that cannot be taken: the write is refused with `reason`, nothing written.
  static WritePolicy failedBackup(FileError reason) {
    return WritePolicy([reason = std::move(reason)](File&) -> Result<void> { return reason; });
  }

  bool backsUp() const { return static_cast<bool>(step_); }
  const BeforeFirstWrite& beforeFirstWrite() const { return step_; }

 private:
  friend class Backups;
  explicit WritePolicy(BeforeFirstWrite takeBackup) : step_(std::move(takeBackup)) {}

  BeforeFirstWrite step_;
};

}  // namespace zelbor::db
