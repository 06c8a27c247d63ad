// The backup taken before each of the editor's writes, and the choice to write without one.
#include "db/backups.h"
#include "db/text_codec.h"
#include "editor.h"
#include "messages.h"

namespace zelbor::editor {

db::WriteOutcome Editor::writeBackedUp(db::BackupOperation operation, const WriteStep& write,
                                       std::string subject) {
  const db::Path& path = database_->databasePath();
  db::Result<db::BackupFolder> folder =
      environment_.backupFolder
          ? environment_.backupFolder()
          : db::FileError{"", "Cannot make a backup: no backups folder is known."};
  std::optional<db::Backups> backups;
  if (folder) backups.emplace(fileSystem_, std::move(folder).value());
  db::WriteOutcome outcome =
      write(backups ? backups->before(path, backupRun_, operation, std::move(subject))
                    : db::WritePolicy::failedBackup(folder.error()));
  if (outcome.failure == db::WriteFailure::BackupFailed) {
    const std::string question =
        outcome.error->message + "\r\n\r\n" + std::string(messages::kWriteWithoutBackupQuestion);
    if (prompts_.askYesNoDefaultNo(question) == Answer::No) return outcome;
    return write(db::WritePolicy(db::NoBackupConsent()));
  }
  if (outcome.ok() && backups) {
    if (const db::Result<void> pruned = backups->prune(path); !pruned) {
      prompts_.tell("\"" + path.utf8() +
                        "\" was written, but its old backups could not be removed. " +
                        pruned.error().message,
                    MessageIcon::Warning);
    }
  }
  return outcome;
}

std::string Editor::savedPlayers(const std::vector<db::PlayerRecord>& players) const {
  std::string names;
  const std::vector<db::PlayerRecord>& saved = team_.savedPlayers();
  for (std::size_t i = 0; i < players.size(); ++i) {
    if (i < saved.size() &&
        db::encodePlayerRecord(players[i]) == db::encodePlayerRecord(saved[i])) {
      continue;
    }
    names += (names.empty() ? "" : ", ") + db::decodeUpToNul(players[i].realName);
  }
  return "team " + teamLabel(team_.team()) + (names.empty() ? "" : ": " + names);
}

}  // namespace zelbor::editor
