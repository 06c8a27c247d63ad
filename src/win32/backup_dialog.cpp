#include "backup_dialog.h"

#include "forms/exchange_texts.h"
#include "table_dialog.h"

namespace zelbor::win32 {

namespace texts = forms::exchange_texts;

std::optional<int> BackupDialog::chooseBackup(const std::string& databasePath,
                                              const std::vector<editor::BackupListing>& backups) {
  TableContent content{.title = texts::kRestoreTitle,
                       .caption = texts::backupsCaption(databasePath),
                       .columns = texts::kBackupColumns,
                       .okCaption = texts::kShowChangesButton,
                       .choosing = true};
  for (const editor::BackupListing& backup : backups)
    content.rows.push_back(texts::backupRow(backup));
  const std::optional<int> chosen = showTable(owner_, content);
  return chosen && *chosen >= 0 ? chosen : std::nullopt;
}

bool BackupDialog::confirmRestore(const editor::BackupListing& backup,
                                  const std::vector<editor::RestoreChange>& changes) {
  TableContent content{.title = texts::kRestoreTitle,
                       .caption = texts::restoreCaption(backup, changes.empty()),
                       .columns = texts::kRestoreColumns,
                       .rows = texts::changeRows(changes),
                       .okCaption = texts::kApplyButton,
                       .offerOk = !changes.empty()};
  return showTable(owner_, content).has_value() && !changes.empty();
}

}  // namespace zelbor::win32
