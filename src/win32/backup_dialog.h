#pragma once

#include <windows.h>

#include "editor/backup_chooser.h"

namespace zelbor::win32 {

// File "Restore from Backup...": a list of the database's backups, then the chosen one's changes
// with Apply and Cancel. Each step is a modal window over `owner`.
class BackupDialog final : public editor::BackupChooser {
 public:
  explicit BackupDialog(HWND owner) : owner_(owner) {}

  std::optional<int> chooseBackup(const std::string& databasePath,
                                  const std::vector<editor::BackupListing>& backups) override;
  bool confirmRestore(const editor::BackupListing& backup,
                      const std::vector<editor::RestoreChange>& changes) override;

 private:
  HWND owner_;
};

}  // namespace zelbor::win32
