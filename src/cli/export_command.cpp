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
};

ExitStatus exportPlayers(const CommandContext& context, const ExportOptions& options) {
  std::optional<db::Database> database = openDatabase(context, options.path);
  if (!database) return ExitStatus::FileError;
  std::vector<ExportedPlayer> exported;
  const db::WalkOutcome walk =
      readTeams(*database, options.team, [&](int team, std::span<const db::PlayerRecord> players) {
        for (std::size_t i = 0; i < players.size(); ++i) {
          exported.push_back({team, static_cast<int>(i + 1), interpretedFields(players[i])});
        }
      });
  if (!walk.ok()) return reportWalkError(context, walk);
  if (options.format == "csv") {
    writeCsv(context.out, exported);
  } else {
    writeJson(context.out, exported);
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
  return {parser, [&context, options] { return exportPlayers(context, *options); }};
}

}  // namespace zelbor::cli
