#include "cli.h"

#include <algorithm>

#include "commands.h"
#include "version.h"

namespace zelbor::cli {
namespace {

// The arguments no option or positional of the command took, in the order given. An option the
// command does not have is named as such: the value after it was probably taken for the file.
std::string unexpectedArguments(const CLI::App& app) {
  const std::vector<std::string> extras = app.remaining(true);
  const CLI::App* command = app.get_subcommands().empty() ? &app : app.get_subcommands().front();
  const std::string name = "zelbor-db" + (command == &app ? "" : " " + command->get_name());
  std::string options;
  std::string all;
  for (const std::string& extra : extras) {
    all += " " + extra;
    if (extra.size() > 1 && extra[0] == '-') options += " " + extra;
  }
  if (!options.empty()) return name + " has no such option:" + options;
  return name + " does not take these arguments:" + all;
}

// A command failing with an exception nobody expected still ends with a message and a status.
ExitStatus runGuarded(const Command& command, std::ostream& err) {
  try {
    return command.run();
  } catch (const std::exception& error) {
    err << "zelbor-db stopped on an unexpected error: " << error.what() << "\n";
    return ExitStatus::UnexpectedError;
  }
}

}  // namespace

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment) {
  bool backupBeforeWrite = true;
  db::BackupRun backupRun;
  const CommandContext context{out,
                               err,
                               environment.fileSystem,
                               environment.programFolder,
                               environment.standardInput,
                               backupBeforeWrite,
                               backupRun};
  CLI::App app("Inspect, check, export, import, compare and repair a Zelbor player database.",
               "zelbor-db");
  app.set_version_flag("--version", "zelbor-db " + std::string(kVersion));
  app.require_subcommand(1);
  app.add_flag("--no-backup{false}", backupBeforeWrite,
               "Write without first copying the file into the backups folder");
  app.failure_message(CLI::FailureMessage::help);
  // --no-backup goes before or after the command's name; the commands take this from the app.
  app.fallthrough();
  // A path may start with a slash, on Windows too: only - and -- start options, and /? asks for
  // help as Windows programs do. Subcommands take this from the app.
  app.allow_windows_style_options(false);
  const Command commands[] = {
      addTeamsCommand(app, context),    addPlayersCommand(app, context),
      addShowCommand(app, context),     addExportCommand(app, context),
      addLineupsCommand(app, context),  addHashCommand(app, context),
      addCheckCommand(app, context),    addBatchCommand(app, context),
      addFixSpoofCommand(app, context), addSampleCommand(app, context),
      addImportCommand(app, context),   addDiffCommand(app, context),
      addBackupsCommand(app, context),  addRestoreCommand(app, context),
  };

  // CLI11 takes the arguments last first.
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  std::ranges::replace(reversed, std::string("/?"), std::string("--help"));
  try {
    app.parse(reversed);
  } catch (const CLI::ExtrasError&) {
    err << "ERROR: " << unexpectedArguments(app) << "\n" << app.help();
    return static_cast<int>(ExitStatus::UsageError);
  } catch (const CLI::ParseError& error) {
    // --help ends parsing with a success, if the help reaches the output; everything else is wrong
    // usage.
    if (app.exit(error, out, err) != 0) return static_cast<int>(ExitStatus::UsageError);
    if (out.flush()) return static_cast<int>(ExitStatus::Success);
    err << kOutputFailure << "\n";
    return static_cast<int>(ExitStatus::FileError);
  }

  const auto chosen =
      std::find_if(std::begin(commands), std::end(commands),
                   [&app](const Command& c) { return app.got_subcommand(c.parser); });
  const ExitStatus status = runGuarded(*chosen, err);
  if (status == ExitStatus::UsageError) err << app.help();  // the chosen command's usage
  // A command that wrote the file has checked its own report; the others' output fails here,
  // also when what they print is a finding (diff's patch, check's report).
  const bool printed = status == ExitStatus::Success || status == ExitStatus::Findings ||
                       status == ExitStatus::InvalidInput;
  if (printed && !out.flush()) {
    err << kOutputFailure << "\n";
    return static_cast<int>(ExitStatus::FileError);
  }
  return static_cast<int>(status);
}

}  // namespace zelbor::cli
