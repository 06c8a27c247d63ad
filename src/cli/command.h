#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "db/backups.h"
#include "db/database.h"
#include "db/team_walk.h"
#include "exit_status.h"

namespace zelbor::cli {

inline constexpr char kOutputFailure[] = "Cannot write to standard output.";

// What a command works with: the output streams, the files, and the program's folder, where the
// list files are unless --lists names another.
struct CommandContext {
  std::ostream& out;
  std::ostream& err;
  db::FileSystem& fileSystem;
  std::string programFolder;
  std::istream* standardInput = nullptr;
  // False after --no-backup: writes go ahead without a backup.
  const bool& backupBeforeWrite;
  // This command's run, which its backup names.
  db::BackupRun& backupRun;
};

// A subcommand as declared on the parser, and what runs once the command line has been parsed into
// its options.
struct Command {
  CLI::App* parser;
  std::function<ExitStatus()> run;
};

// A whole decimal number from first to last, rewritten to plain digits before CLI11 converts it:
// CLI11 alone would read "010" as octal 8 and "0x10" as 16.
CLI::Validator wholeNumberIn(int first, int last);

void addFileArgument(CLI::App& command, std::string& path);
CLI::Option* addTeamOption(CLI::App& command, std::optional<int>& team, const std::string& what);
void addDryRunFlag(CLI::App& command, bool& dryRun);
// Sets `folder` to the program's folder unless the option names another.
void addListsOption(CLI::App& command, std::string& folder, const CommandContext& context);

// Opens the database, reporting a failure on the error stream.
std::optional<db::Database> openDatabase(const CommandContext& context, const std::string& path);

ExitStatus reportFileError(const CommandContext& context, const db::FileError& error);
ExitStatus reportWalkError(const CommandContext& context, const db::WalkOutcome& outcome);
// Success, or the failure of a write operation and which teams it left on disk: FileError, or
// WrittenButLaterStepFailed when every team was written and only closing the file failed.
ExitStatus reportWriteOutcome(const CommandContext& context, const db::WriteOutcome& outcome);

// The backup taken before the first byte of a write operation of `operation` on the database, or
// none after --no-backup.
db::WritePolicy writePolicy(const CommandContext& context, const db::Path& databasePath,
                            db::BackupOperation operation);
// After a write operation succeeded: removes the database's backups beyond the newest kept.
ExitStatus pruneBackups(const CommandContext& context, const db::Path& databasePath);
// Ends a command whose write operation succeeded and whose report is written: the backups are
// pruned and the report flushed.
ExitStatus finishWrite(const CommandContext& context, const db::Path& databasePath);
// A step after a successful write operation failed: says so, and that the file was written.
ExitStatus reportLaterStepFailure(const CommandContext& context, const std::string& reason);
// Ends a command that wrote the file: its report must reach standard output, or the user would
// not know the file was written.
ExitStatus flushReportOfWrite(const CommandContext& context);

}  // namespace zelbor::cli
