#include "cli.h"

#include <algorithm>

#include "commands.h"

namespace zelbor::cli {

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment) {
  const CommandContext context{out, err, environment.fileSystem, environment.programFolder,
                               environment.standardInput};
  CLI::App app("Inspect, check, export, import, compare and repair a Zelbor player database.",
               "zelbor-db");
  app.require_subcommand(1);
  app.failure_message(CLI::FailureMessage::help);
  const Command commands[] = {
      addTeamsCommand(app, context),    addPlayersCommand(app, context),
      addShowCommand(app, context),     addExportCommand(app, context),
      addLineupsCommand(app, context),  addHashCommand(app, context),
      addCheckCommand(app, context),    addBatchCommand(app, context),
      addFixSpoofCommand(app, context), addSampleCommand(app, context),
      addImportCommand(app, context),   addDiffCommand(app, context),
  };

  // CLI11 takes the arguments last first.
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& error) {
    // --help ends parsing with a success; everything else is wrong usage.
    return app.exit(error, out, err) == 0 ? 0 : static_cast<int>(ExitStatus::UsageError);
  }

  const auto chosen =
      std::find_if(std::begin(commands), std::end(commands),
                   [&app](const Command& c) { return app.got_subcommand(c.parser); });
  const ExitStatus status = chosen->run();
  if (status == ExitStatus::UsageError) err << app.help();  // the chosen command's usage
  if (!out.flush()) {
    err << "Cannot write the output.\n";
    return static_cast<int>(ExitStatus::FileError);
  }
  return static_cast<int>(status);
}

}  // namespace zelbor::cli
