#include "backup_dialog.h"

#include "forms/exchange_texts.h"
#include "table_dialog.h"

namespace zelbor::ui {

namespace texts = forms::exchange_texts;

std::optional<int> BackupDialog::chooseBackup(const std::string& databasePath,
                                              const std::vector<editor::BackupListing>& backups) {
  TableDialog window(owner_, QStringLiteral("frmBackups"), texts::kRestoreTitle,
                     qtText(texts::backupsCaption(databasePath)), texts::kBackupColumns,
                     texts::kShowChangesButton);
  for (const editor::BackupListing& backup : backups) {
    addRow(window.table, texts::backupRow(backup));
  }
  window.table->setCurrentItem(window.table->topLevelItem(0));
  QObject::connect(window.table, &QTreeWidget::itemDoubleClicked, &window.dialog, &QDialog::accept);
  if (window.dialog.exec() != QDialog::Accepted) return std::nullopt;
  const int chosen = window.table->indexOfTopLevelItem(window.table->currentItem());
  return chosen < 0 ? std::nullopt : std::optional<int>(chosen);
}

bool BackupDialog::confirmRestore(const editor::BackupListing& backup,
                                  const std::vector<editor::RestoreChange>& changes) {
  TableDialog window(owner_, QStringLiteral("frmRestoreChanges"), texts::kRestoreTitle,
                     qtText(texts::restoreCaption(backup, changes.empty())), texts::kRestoreColumns,
                     texts::kApplyButton);
  addChangeRows(window.table, changes);
  window.offerApply(!changes.empty());
  return window.dialog.exec() == QDialog::Accepted && !changes.empty();
}

}  // namespace zelbor::ui
