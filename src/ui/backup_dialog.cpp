#include "backup_dialog.h"

#include "table_dialog.h"

namespace zelbor::ui {
namespace {

const QString kTitle = QStringLiteral("Restore from Backup");

}  // namespace

std::optional<int> BackupDialog::chooseBackup(const std::string& databasePath,
                                              const std::vector<editor::BackupListing>& backups) {
  TableDialog window(
      owner_, QStringLiteral("frmBackups"), kTitle,
      QStringLiteral("Backups of \"%1\", newest first:").arg(qtText(databasePath)),
      {QStringLiteral("Taken"), QStringLiteral("Before"), QStringLiteral("Players that differ")},
      QStringLiteral("&Show Changes"));
  for (const editor::BackupListing& backup : backups) {
    const QString players = backup.differingPlayers ? QString::number(*backup.differingPlayers)
                                                    : QStringLiteral("cannot be read");
    new QTreeWidgetItem(window.table, {qtText(backup.when), qtText(backup.operation), players});
  }
  window.table->setCurrentItem(window.table->topLevelItem(0));
  QObject::connect(window.table, &QTreeWidget::itemDoubleClicked, &window.dialog, &QDialog::accept);
  if (window.dialog.exec() != QDialog::Accepted) return std::nullopt;
  const int chosen = window.table->indexOfTopLevelItem(window.table->currentItem());
  return chosen < 0 ? std::nullopt : std::optional<int>(chosen);
}

bool BackupDialog::confirmRestore(const editor::BackupListing& backup,
                                  const std::vector<editor::RestoreChange>& changes) {
  const QString when = qtText(backup.when);
  const QString caption =
      changes.empty() ? QStringLiteral(
                            "The players of the backup of %1 are those of the file now; there is "
                            "nothing to restore.")
                            .arg(when)
                      : QStringLiteral(
                            "Restoring the backup of %1 changes these fields. The file is backed "
                            "up first, so this can be undone in turn.")
                            .arg(when);
  TableDialog window(owner_, QStringLiteral("frmRestoreChanges"), kTitle, caption,
                     {QStringLiteral("Team"), QStringLiteral("Player"), QStringLiteral("Field"),
                      QStringLiteral("Now"), QStringLiteral("Restored")},
                     QStringLiteral("&Apply"));
  addChangeRows(window.table, changes);
  window.offerApply(!changes.empty());
  return window.dialog.exec() == QDialog::Accepted && !changes.empty();
}

}  // namespace zelbor::ui
