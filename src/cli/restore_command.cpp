#include <algorithm>
#include <memory>

#include "commands.h"
#include "db/backups.h"
#include "db/restore.h"
#include "exchange/database_diff.h"
#include "exchange/text_output.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

struct RestoreOptions {
  std::string path;
  std::string backup;  // empty: the newest backup of the database
  std::vector<int> teams;
  bool dryRun = false;
};

// The newest backup of the database, or a message why there is none.
db::Result<std::string> newestBackup(const CommandContext& context, const std::string& path) {
  const db::Result<db::BackupFolder> folder = db::backupFolderFromEnvironment();
  if (!folder) return folder.error();
  db::Backups backups(context.fileSystem, folder.value());
  const db::Result<std::vector<db::BackupEntry>> entries = backups.list(path);
  if (!entries) return entries.error();
  if (entries.value().empty()) {
    return db::FileError{path, "There is no backup of \"" + path + "\" in \"" +
                                   folder.value().path() + "\" to restore."};
  }
  return entries.value().front().path;
}

// Each changed field of the player slots the restore writes, as import prints them: team, slot,
// field, now, afterwards.
void printChanges(std::ostream& out, const db::RestorePlan& plan) {
  for (const db::TeamAreaWrite& write : plan.writes) {
    for (const Difference& d : compareDatabases(plan.current, plan.copy, write.team)) {
      if (d.slot)
        writeRow(out, {std::to_string(*d.team), std::to_string(*d.slot), d.field, d.a, d.b});
    }
  }
}

// The player slots the restore changes, hidden ones included.
int changedSlots(const db::RestorePlan& plan) {
  int count = 0;
  for (const db::TeamAreaWrite& write : plan.writes) {
    for (std::size_t start = 0; start < db::kPlayerAreaSize; start += db::kRecordSize) {
      const auto from = static_cast<std::ptrdiff_t>(start);
      const auto to = static_cast<std::ptrdiff_t>(start + db::kRecordSize);
      count += std::equal(write.loaded.begin() + from, write.loaded.begin() + to,
                          write.wanted.begin() + from)
                   ? 0
                   : 1;
    }
  }
  return count;
}

// Each change and their count; `dryRun` says "would be".
void printReport(std::ostream& out, const db::RestorePlan& plan, const std::string& backup,
                 bool dryRun) {
  printChanges(out, plan);
  const int players = changedSlots(plan);
  const std::size_t teams = plan.writes.size();
  out << players << (players == 1 ? " player" : " players") << " in " << teams
      << (teams == 1 ? " team" : " teams") << (dryRun ? " would be" : " were")
      << " restored from \"" << backup << "\".\n";
}

ExitStatus restore(const CommandContext& context, const RestoreOptions& options) {
  std::optional<db::Database> database = openDatabase(context, options.path);
  if (!database) return ExitStatus::FileError;
  std::string backup = options.backup;
  if (backup.empty()) {
    const db::Result<std::string> newest = newestBackup(context, options.path);
    if (!newest) return reportFileError(context, newest.error());
    backup = newest.value();
  }
  db::Result<db::RestorePlan> plan =
      db::planRestore(context.fileSystem, *database, backup, options.teams);
  if (!plan) return reportFileError(context, plan.error());
  if (options.dryRun || plan.value().writes.empty()) {
    printReport(context.out, plan.value(), backup, options.dryRun);
    return ExitStatus::Success;
  }
  // Read again under the writer's lock: the report tells what the file held when written.
  const db::WriteOutcome outcome = db::applyRestore(
      *database, plan.value(), writePolicy(context, options.path, db::BackupOperation::Restore));
  if (!outcome.ok()) return reportWriteOutcome(context, outcome);
  printReport(context.out, plan.value(), backup, false);
  return finishWrite(context, options.path);
}

}  // namespace

Command addRestoreCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser = app.add_subcommand(
      "restore",
      "Write the players of a backup (the newest by default) or of any copy of the database back "
      "into it; the file is backed up first, so a restore can be undone too");
  auto options = std::make_shared<RestoreOptions>();
  addFileArgument(*parser, options->path);
  parser->add_option("BACKUP", options->backup,
                     "The backup or copy to restore from; `zelbor-db backups FILE` lists them");
  parser->add_option("--team", options->teams, "Only this team, 1..17; may be given again")
      ->transform(wholeNumberIn(1, db::kTeamCount));
  addDryRunFlag(*parser, options->dryRun);
  return {parser, [&context, options] { return restore(context, *options); }};
}

}  // namespace zelbor::cli
