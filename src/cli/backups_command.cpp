#include <memory>

#include "commands.h"
#include "db/backups.h"
#include "db/restore.h"
#include "exchange/text_output.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

// "12 players differ", or why the backup cannot be compared.
std::string differenceFromNow(const CommandContext& context, const std::string& backupPath,
                              const std::vector<db::Byte>& now) {
  const db::Result<std::vector<db::Byte>> copy =
      db::readDatabaseCopy(context.fileSystem, backupPath, now.size());
  if (!copy) return copy.error().message;
  const int differing = db::differingSlots(now, copy.value());
  return std::to_string(differing) + (differing == 1 ? " player differs" : " players differ");
}

ExitStatus listBackups(const CommandContext& context, const std::string& path) {
  const db::Result<db::BackupFolder> folder = db::backupFolderFromEnvironment();
  if (!folder) return reportFileError(context, folder.error());
  db::Backups backups(context.fileSystem, folder.value());
  const db::Result<std::vector<db::BackupEntry>> entries = backups.list(path);
  if (!entries) return reportFileError(context, entries.error());
  const db::Result<std::vector<db::Byte>> now = db::readDatabaseImage(context.fileSystem, path);
  if (!now) return reportFileError(context, now.error());
  for (const db::BackupEntry& entry : entries.value()) {
    writeRow(context.out, {entry.when, db::backupDescription(entry),
                           differenceFromNow(context, entry.path, now.value()), entry.path});
  }
  if (entries.value().empty()) {
    context.err << "No backups of \"" << path << "\" yet; they are kept in \""
                << folder.value().path() << "\".\n";
  }
  return ExitStatus::Success;
}

}  // namespace

Command addBackupsCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser = app.add_subcommand(
      "backups",
      "List the backups of a database, newest first: when, the operation and run it was taken "
      "before, players that differ from the file now, and the backup's path");
  auto path = std::make_shared<std::string>();
  addFileArgument(*parser, *path);
  return {parser, [&context, path] { return listBackups(context, *path); }};
}

}  // namespace zelbor::cli
