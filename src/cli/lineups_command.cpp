#include <memory>

#include "commands.h"
#include "exchange/text_output.h"
#include "tools/lineups.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

struct LineupsOptions {
  std::string path;
  std::optional<int> team;
};

ExitStatus listLineups(const CommandContext& context, const LineupsOptions& options) {
  std::optional<db::Database> database = openDatabase(context, options.path);
  if (!database) return ExitStatus::FileError;
  const db::Result<std::vector<db::PlayerRecord>> players =
      database->readTeamPlayers(*options.team);
  if (!players) return reportFileError(context, players.error());
  const db::Result<db::LineupArea> area = database->readLineupArea(*options.team);
  if (!area) return reportFileError(context, area.error());
  const auto lines = tools::lineupLines(area.value(), players.value());
  for (std::size_t lineup = 0; lineup < lines.size(); ++lineup) {
    for (std::size_t entry = 0; entry < lines[lineup].size(); ++entry) {
      writeRow(context.out, {tools::kLineupSlots[lineup].caption, std::to_string(entry + 1),
                             lines[lineup][entry]});
    }
  }
  return ExitStatus::Success;
}

}  // namespace

Command addLineupsCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser = app.add_subcommand(
      "lineups", "List a team's four stored lineups: lineup, entry, player name");
  auto options = std::make_shared<LineupsOptions>();
  addFileArgument(*parser, options->path);
  addTeamOption(*parser, options->team, "The team, 1..17")->required();
  return {parser, [&context, options] { return listLineups(context, *options); }};
}

}  // namespace zelbor::cli
