#include <memory>

#include "commands.h"
#include "exchange/text_output.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

ExitStatus listTeams(const CommandContext& context, const std::string& path) {
  std::optional<db::Database> database = openDatabase(context, path);
  if (!database) return ExitStatus::FileError;
  const auto names = database->readTeamNames();
  if (!names) return reportFileError(context, names.error());
  const db::WalkOutcome walk =
      db::readEachTeam(*database, [&](int team, std::span<const db::PlayerRecord> players) {
        writeRow(context.out, {std::to_string(team), std::to_string(players.size()),
                               names.value()[static_cast<std::size_t>(team - 1)]});
      });
  return walk.ok() ? ExitStatus::Success : reportWalkError(context, walk);
}

}  // namespace

Command addTeamsCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser = app.add_subcommand(
      "teams", "List the 17 teams: team, number of players, name as the team list shows it");
  auto path = std::make_shared<std::string>();
  addFileArgument(*parser, *path);
  return {parser, [&context, path] { return listTeams(context, *path); }};
}

}  // namespace zelbor::cli
