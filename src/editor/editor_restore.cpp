// Restoring the open database from one of its backups.
#include "db/backups.h"
#include "db/layout.h"
#include "db/player_record.h"
#include "db/restore.h"
#include "db/text_codec.h"
#include "editor.h"
#include "exchange/database_diff.h"

namespace zelbor::editor {
namespace {

std::vector<BackupListing> listings(db::FileSystem& fileSystem,
                                    const std::vector<db::BackupEntry>& entries,
                                    const std::vector<db::Byte>& current) {
  std::vector<BackupListing> shown;
  for (const db::BackupEntry& entry : entries) {
    BackupListing listing{entry.when, entry.operation, std::nullopt};
    const db::Result<std::vector<db::Byte>> copy =
        db::readDatabaseCopy(fileSystem, entry.path, current.size());
    if (copy) listing.differingPlayers = db::differingSlots(current, copy.value());
    shown.push_back(std::move(listing));
  }
  return shown;
}

// The name of the player in `slot` of `team` in a database image.
std::string nameIn(const std::vector<db::Byte>& image, int team, int slot) {
  const auto start = static_cast<std::size_t>(db::slotStart(team, slot));
  const db::RecordBytes record(image.data() + start, db::kRecordSize);
  return db::decodeUpToNul(db::decodePlayerRecord(record).realName);
}

}  // namespace

void Editor::mnuRestore_Click(BackupChooser& chooser) {
  if (!database_ || !resolveUnsavedEdits()) return;
  const std::string& path = database_->databasePath().utf8();
  if (!environment_.backupFolder) {
    return reportError("\"" + path + "\" has no backups: backups are not kept in this run.");
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
  std::vector<RestoreChange> changes;
  for (const db::TeamAreaWrite& write : plan.value().writes) {
    for (const exchange::Difference& d :
         exchange::compareDatabases(plan.value().current, plan.value().copy, write.team)) {
      if (d.slot) {
        changes.push_back({teamLabel(write.team), *d.slot,
                           nameIn(plan.value().current, write.team, *d.slot), d.field, d.a, d.b});
      }
    }
  }
  const BackupListing& backup = shown[static_cast<std::size_t>(*chosen)];
  if (!chooser.confirmRestore(backup, changes) || plan.value().writes.empty()) return;

  const int teamIndex = view_.selectedIndex(ListControl::cboTeams);
  const int playerIndex = view_.selectedIndex(ListControl::lstPlayers);
  team_ = {};
  const db::WriteOutcome outcome =
      writeBackedUp("restore", [&](const db::BeforeFirstWrite& backUp) {
        return database_->writeTeams(plan.value().writes, backUp);
      });
  restoreView(teamIndex, playerIndex);
  if (!outcome.ok()) return reportWriteFailure(outcome, "Restoring from \"" + backupPath + "\"");
  prompts_.tell("\"" + path + "\" was restored from the backup of " + backup.when + ".",
                MessageIcon::None);
}

}  // namespace zelbor::editor
