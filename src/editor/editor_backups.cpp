// The backup taken before the editor's writes, and the choice to write without one.
#include "db/backups.h"
#include "editor.h"
#include "messages.h"

namespace zelbor::editor {

db::WriteOutcome Editor::writeBackedUp(const std::string& operation, const WriteStep& write) {
  if (!environment_.backupFolder || (operation == "save" && saveBackedUp_)) return write({});
  const db::Path& path = database_->databasePath();
  db::Result<db::BackupFolder> folder = environment_.backupFolder();
  std::optional<db::Backups> backups;
  if (folder) backups.emplace(fileSystem_, std::move(folder).value());
  bool backedUp = false;
  const db::BeforeFirstWrite backUp = [&](db::File& database) -> db::Result<void> {
    if (!backups) return folder.error();
    const db::Result<std::string> taken = backups->take(database, path, operation);
    if (!taken) return taken.error();
    backedUp = true;
    return {};
  };
  db::WriteOutcome outcome = write(backUp);
  if (outcome.failure == db::WriteFailure::BackupFailed) {
    const std::string question =
        outcome.error->message + "\r\n\r\n" + std::string(messages::kWriteWithoutBackupQuestion);
    if (prompts_.askYesNoDefaultNo(question) == Answer::No) return outcome;
    return write({});
  }
  saveBackedUp_ |= operation == "save" && backedUp;
  if (outcome.ok() && backups) {
    if (const db::Result<void> pruned = backups->prune(path); !pruned) {
      prompts_.tell("\"" + path.utf8() + "\" was written, but its old backups could not be removed. " +
                        pruned.error().message,
                    MessageIcon::Warning);
    }
  }
  return outcome;
}

}  // namespace zelbor::editor
