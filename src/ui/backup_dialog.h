#pragma once

#include <QWidget>

#include "editor/backup_chooser.h"

namespace zelbor::ui {

// File "Restore from Backup...": a list of the database's backups, then the chosen one's changes
// with Apply and Cancel. Each step is a modal dialog over `owner`.
class BackupDialog final : public editor::BackupChooser {
 public:
  explicit BackupDialog(QWidget* owner) : owner_(owner) {}

  std::optional<int> chooseBackup(const std::string& databasePath,
                                  const std::vector<editor::BackupListing>& backups) override;
  bool confirmRestore(const editor::BackupListing& backup,
                      const std::vector<editor::RestoreChange>& changes) override;

 private:
  QWidget* owner_;
};

}  // namespace zelbor::ui
