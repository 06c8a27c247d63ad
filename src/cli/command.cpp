#include "command.h"

#include <charconv>

#include "db/backups.h"

namespace zelbor::cli {

CLI::Validator wholeNumberIn(int first, int last) {
  const std::string range = std::to_string(first) + ".." + std::to_string(last);
  return CLI::Validator(
      [first, last, range](std::string& text) -> std::string {
        int value = 0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        if (text.empty() || error != std::errc{} || stop != end || value < first || value > last) {
          return "must be a whole number in " + range + ", not \"" + text + "\"";
        }
        text = std::to_string(value);
        return {};
      },
      range);
}

void addFileArgument(CLI::App& command, std::string& path) {
  command.add_option("FILE", path, "The player database, TeamAndPlayerInfo.bag")->required();
}

CLI::Option* addTeamOption(CLI::App& command, std::optional<int>& team, const std::string& what) {
  return command.add_option("--team", team, what)->transform(wholeNumberIn(1, db::kTeamCount));
}

void addDryRunFlag(CLI::App& command, bool& dryRun) {
  command.add_flag("--dry-run", dryRun, "Print what would change; write nothing");
}

void addListsOption(CLI::App& command, std::string& folder, const CommandContext& context) {
  folder = context.programFolder;
  command.add_option("--lists", folder,
                     "Folder of Bats.txt, Kit1.txt..Kit4.txt and Guards.txt (default: the "
                     "program's folder)");
}

std::optional<db::Database> openDatabase(const CommandContext& context, const std::string& path) {
  db::Result<db::Database> database = db::Database::open(context.fileSystem, path);
  if (!database) {
    reportFileError(context, database.error());
    return std::nullopt;
  }
  return std::move(database).value();
}

ExitStatus reportFileError(const CommandContext& context, const db::FileError& error) {
  context.err << error.message << "\n";
  return ExitStatus::FileError;
}

ExitStatus reportWalkError(const CommandContext& context, const db::WalkOutcome& outcome) {
  return reportFileError(context, *outcome.error);
}

ExitStatus reportWriteOutcome(const CommandContext& context, const db::WriteOutcome& outcome) {
  if (outcome.ok()) return ExitStatus::Success;
  if (outcome.failure == db::WriteFailure::BackupFailed) {
    context.err << outcome.error->message << "\n"
                << "Give --no-backup to write without a backup.\n";
    return ExitStatus::FileError;
  }
  if (outcome.everyTeamWritten()) return reportLaterStepFailure(context, outcome.error->message);
  context.err << outcome.error->message << "\n" << db::teamsOnDiskSummary(outcome) << "\n";
  return ExitStatus::FileError;
}

ExitStatus reportLaterStepFailure(const CommandContext& context, const std::string& reason) {
  context.err << reason << "\n"
              << "The file was written; only this later step failed. Running the command again "
                 "would apply it a second time.\n";
  return ExitStatus::WrittenButLaterStepFailed;
}

ExitStatus flushReportOfWrite(const CommandContext& context) {
  if (context.out.flush()) return ExitStatus::Success;
  return reportLaterStepFailure(context, kOutputFailure);
}

namespace {

db::Result<db::Backups> backupsOf(const CommandContext& context) {
  db::Result<db::BackupFolder> folder = db::backupFolderFromEnvironment();
  if (!folder) return folder.error();
  return db::Backups(context.fileSystem, std::move(folder).value());
}

}  // namespace

// --no-backup: the user's consent to write without a backup.
struct NoBackupOption {
  static db::WritePolicy policy() { return db::WritePolicy(db::NoBackupConsent()); }
};

db::WritePolicy writePolicy(const CommandContext& context, const db::Path& databasePath,
                            db::BackupOperation operation) {
  if (!context.backupBeforeWrite) return NoBackupOption::policy();
  db::Result<db::Backups> backups = backupsOf(context);
  if (!backups) return db::WritePolicy::failedBackup(backups.error());
  return backups.value().before(databasePath, context.backupRun, operation);
}

ExitStatus pruneBackups(const CommandContext& context, const db::Path& databasePath) {
  if (!context.backupBeforeWrite) return ExitStatus::Success;
  db::Result<db::Backups> backups = backupsOf(context);
  db::Result<void> pruned = backups ? backups.value().prune(databasePath) : backups.error();
  if (!pruned) return reportLaterStepFailure(context, pruned.error().message);
  return ExitStatus::Success;
}

ExitStatus finishWrite(const CommandContext& context, const db::Path& databasePath) {
  if (const ExitStatus pruned = pruneBackups(context, databasePath);
      pruned != ExitStatus::Success) {
    return pruned;
  }
  return flushReportOfWrite(context);
}

}  // namespace zelbor::cli
