#include <memory>

#include "commands.h"
#include "export_formats.h"
#include "team_walks.h"

namespace zelbor::cli {
namespace {

struct ExportOptions {
  std::string path;
  TeamScope team;
  std::string format = "json";
  bool names = false;
  bool byteOrderMark = false;
  std::string listFolder;
};

ExitStatus exportPlayers(const CommandContext& context, const ExportOptions& options) {
  if (options.byteOrderMark && options.format != "csv") {
    context.err << "--bom applies to CSV only.\n";
    return ExitStatus::UsageError;
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
        for (std::size_t i = 0; i < players.size(); ++i) {
          exported.push_back({team, static_cast<int>(i + 1), db::encodePlayerRecord(players[i])});
        }
      });
  if (!walk.ok()) return reportWalkError(context, walk, false);
  const ItemNames names = lists ? &*lists : nullptr;
  if (options.format == "csv") {
    writeCsv(context.out, exported, names, options.byteOrderMark);
  } else {
    writeJson(context.out, exported, names);
  }
  return ExitStatus::Success;
}

}  // namespace

Command addExportCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser = app.add_subcommand(
      "export", "Write the loaded players with every interpreted field, as JSON or CSV");
  auto options = std::make_shared<ExportOptions>();
  addFileArgument(*parser, options->path);
  addTeamOption(*parser, options->team, "Only this team, 1..17 (default: all teams)");
  parser->add_option("--format", options->format, "json (an array of objects) or csv")
      ->check(CLI::IsMember({"json", "csv"}))
      ->capture_default_str();
  parser->add_flag("--names", options->names,
                   "List fields as their item's text; a position with no item stays a number");
  parser->add_flag("--bom", options->byteOrderMark,
                   "Start CSV with a UTF-8 byte order mark, for spreadsheet programs");
  addListsOption(*parser, options->listFolder, context);
  return {parser, [&context, options] { return exportPlayers(context, *options); }};
}

}  // namespace zelbor::cli
