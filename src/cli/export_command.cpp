#include <memory>

#include "commands.h"
#include "db/new_file.h"
#include "exchange/player_export.h"
#include "file_formats.h"
#include "team_scope.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

struct ExportOptions {
  std::string path;
  TeamScope team;
  std::string format = "json";
  bool names = false;
  bool byteOrderMark = false;
  std::string listFolder;
  std::string output;
};

ExitStatus exportPlayers(const CommandContext& context, const ExportOptions& options) {
  if (options.byteOrderMark && options.format != "csv") {
    context.err << "--bom applies to CSV only.\n";
    return ExitStatus::UsageError;
  }
  if (options.format == "xlsx" && options.output.empty()) {
    context.err << "xlsx needs --output FILE.\n";
    return ExitStatus::UsageError;
  }
  // Refused before the work whose output it would be.
  if (!options.output.empty()) {
    const db::Result<bool> same =
        db::namesDatabase(context.fileSystem, options.output, options.path);
    if (!same) return reportFileError(context, same.error());
    if (same.value()) {
      reportFileError(context, db::databaseAsOutput(options.output, options.path));
      return ExitStatus::UsageError;
    }
  }
  std::optional<db::Database> database = openDatabase(context, options.path);
  if (!database) return ExitStatus::FileError;
  std::optional<db::ValueLists> lists;
  if (options.names) {
    db::Result<db::ValueLists> loaded =
        db::ValueLists::load(context.fileSystem, options.listFolder);
    if (!loaded) return reportFileError(context, loaded.error());
    lists = std::move(loaded).value();
  }
  std::vector<ExportedPlayer> exported;
  const db::WalkOutcome walk =
      readTeams(*database, options.team, [&](int team, std::span<const db::PlayerRecord> players) {
        addExported(exported, team, players);
      });
  if (!walk.ok()) return reportWalkError(context, walk);
  const db::Result<std::string> bytes =
      exportedBytes(context.fileSystem, exported, *formatNamed(options.format),
                    lists ? ItemNames(*lists) : kRawNumbers, options.byteOrderMark);
  if (!bytes) return reportFileError(context, bytes.error());
  if (options.output.empty()) {
    context.out << bytes.value();
    return ExitStatus::Success;
  }
  const db::Result<void> written =
      db::replaceFile(context.fileSystem, options.output, db::bytesOf(bytes.value()), options.path);
  return written ? ExitStatus::Success : reportFileError(context, written.error());
}

}  // namespace

Command addExportCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser = app.add_subcommand(
      "export", "Write the loaded players with every interpreted field, as " + formatNames());
  auto options = std::make_shared<ExportOptions>();
  addFileArgument(*parser, options->path);
  addTeamOption(*parser, options->team, "Only this team, 1..17 (default: all teams)");
  takeFormatsOfThisBuild(
      parser->add_option("--format", options->format,
                         buildHasXlsx() ? "json (an array of objects), csv, or xlsx (a workbook "
                                          "for spreadsheet programs)"
                                        : "json (an array of objects) or csv"))
      ->capture_default_str();
  parser->add_option("--output", options->output,
                     "Write to this file, replacing it in one step, instead of standard output");
  parser->add_flag("--names", options->names,
                   "List fields as their item's text; a position with no item stays a number");
  parser->add_flag("--bom", options->byteOrderMark,
                   "Start CSV with a UTF-8 byte order mark, for spreadsheet programs");
  addListsOption(*parser, options->listFolder, context);
  return {parser, [&context, options] { return exportPlayers(context, *options); }};
}

}  // namespace zelbor::cli
