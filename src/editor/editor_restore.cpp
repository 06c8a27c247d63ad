// Restoring the open database from one of its backups.
#include "db/backups.h"
#include "db/restore.h"
#include "editor.h"
#include "exchange/database_diff.h"
#include "table_fields.h"

namespace zelbor::editor {
namespace {

std::vector<BackupListing> listings(db::FileSystem& fileSystem,
                                    const std::vector<db::BackupEntry>& entries,
                                    const std::vector<db::Byte>& current) {
  std::vector<BackupListing> shown;
  for (const db::BackupEntry& entry : entries) {
    BackupListing listing{entry.when, entry.operation, std::nullopt, db::backupDescription(entry),
                          entry.write == 1};
    const db::Result<std::vector<db::Byte>> copy =
        db::readDatabaseCopy(fileSystem, entry.path, current.size());
    if (copy) listing.differingPlayers = db::differingSlots(current, copy.value());
    shown.push_back(std::move(listing));
  }
  return shown;
}

}  // namespace

void Editor::mnuRestore_Click(BackupChooser& chooser) {
  if (!database_ || !resolveUnsavedEdits()) return;
  const std::string& path = database_->databasePath().utf8();
  if (!environment_.backupFolder) {
    return reportError("\"" + path + "\" has no backups: no backups folder is known.");
  }
  const db::Result<db::BackupFolder> folder = environment_.backupFolder();
  if (!folder) return reportError(folder.error().message);
  db::Backups backups(fileSystem_, folder.value());
  const db::Result<std::vector<db::BackupEntry>> entries = backups.list(path);
  if (!entries) return reportError(entries.error().message);
  if (entries.value().empty()) {
    return reportError("There is no backup of \"" + path + "\" in \"" + folder.value().path() +
                       "\" to restore.");
  }
  const db::Result<std::vector<db::Byte>> current = db::readDatabaseImage(fileSystem_, path);
  if (!current) return reportError(current.error().message);
  const std::vector<BackupListing> shown = listings(fileSystem_, entries.value(), current.value());
  const std::optional<int> chosen = chooser.chooseBackup(path, shown);
  if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(shown.size())) return;

  const std::string& backupPath = entries.value()[static_cast<std::size_t>(*chosen)].path;
  const db::Result<db::RestorePlan> plan = db::planRestore(fileSystem_, *database_, backupPath, {});
  if (!plan) return reportError(plan.error().message);
  const db::Result<db::ValueLists> lists =
      db::ValueLists::load(fileSystem_, environment_.programFolder);
  std::vector<RestoreChange> changes;
  for (const db::TeamAreaWrite& write : plan.value().writes) {
    for (const exchange::Difference& d :
         exchange::compareDatabases(plan.value().current, plan.value().copy, write.team)) {
      if (d.slot) {
        changes.push_back(differenceChange(d, teamLabel(write.team), plan.value().current,
                                           plan.value().copy, itemNames(lists)));
      }
    }
  }
  const BackupListing& backup = shown[static_cast<std::size_t>(*chosen)];
  if (!chooser.confirmRestore(backup, changes) || plan.value().writes.empty()) return;

  const int teamIndex = view_.selectedIndex(ListControl::cboTeams);
  const int playerIndex = view_.selectedIndex(ListControl::lstPlayers);
  team_ = {};
  const db::WriteOutcome outcome = writeBackedUp(
      db::BackupOperation::Restore,
      [&](const db::WritePolicy& policy) {
        return database_->writeTeams(plan.value().writes, policy);
      },
      "the backup of " + backup.when);
  restoreView(teamIndex, playerIndex);
  if (!outcome.ok()) return reportWriteFailure(outcome, "Restoring from \"" + backupPath + "\"");
  prompts_.tell("\"" + path + "\" was restored from the backup of " + backup.when + ".",
                MessageIcon::None);
}

}  // namespace zelbor::editor
