#include <memory>

#include "commands.h"
#include "exchange/text_output.h"
#include "findings.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

struct CheckOptions {
  std::string path;
  std::string listFolder;
};

void printFinding(std::ostream& out, const Finding& finding) {
  writeRow(out, {std::to_string(finding.team), finding.slot ? std::to_string(*finding.slot) : "-",
                 finding.kind, finding.detail});
}

ExitStatus checkDatabase(const CommandContext& context, const CheckOptions& options) {
  std::optional<db::Database> database = openDatabase(context, options.path);
  if (!database) return ExitStatus::FileError;
  const db::Result<db::ValueLists> lists =
      db::ValueLists::load(context.fileSystem, options.listFolder);
  if (!lists) return reportFileError(context, lists.error());
  bool found = false;
  for (int team = 1; team <= db::kTeamCount; ++team) {
    const auto area = database->readPlayerArea(team);
    if (!area) return reportFileError(context, area.error());
    const auto lineups = database->readLineupArea(team);
    if (!lineups) return reportFileError(context, lineups.error());
    const std::span<const db::Byte, db::kPlayerAreaSize> slots(area.value());
    for (const Finding& finding : teamFindings(team, slots, lineups.value(), lists.value())) {
      printFinding(context.out, finding);
      found = true;
    }
  }
  return found ? ExitStatus::Findings : ExitStatus::Success;
}

}  // namespace

Command addCheckCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser = app.add_subcommand(
      "check",
      "Report problems, one per line: team, slot (- for a lineup), kind, detail; exit status 3 "
      "when there are any");
  auto options = std::make_shared<CheckOptions>();
  addFileArgument(*parser, options->path);
  addListsOption(*parser, options->listFolder, context);
  return {parser, [&context, options] { return checkDatabase(context, *options); }};
}

}  // namespace zelbor::cli
