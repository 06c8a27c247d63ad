#include <memory>

#include "commands.h"
#include "db/text_codec.h"
#include "exchange/name_search.h"
#include "exchange/text_output.h"
#include "team_scope.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

struct PlayersOptions {
  std::string path;
  TeamScope team;
  std::string find;
};

ExitStatus listPlayers(const CommandContext& context, const PlayersOptions& options) {
  std::optional<db::Database> database = openDatabase(context, options.path);
  if (!database) return ExitStatus::FileError;
  const NameSearch search(options.find);
  const db::WalkOutcome walk =
      readTeams(*database, options.team, [&](int team, std::span<const db::PlayerRecord> players) {
        for (std::size_t i = 0; i < players.size(); ++i) {
          if (!search.matches(players[i].realName)) continue;
          writeRow(context.out, {std::to_string(team), std::to_string(i + 1),
                                 db::decodeUpToNul(players[i].realName)});
        }
      });
  return walk.ok() ? ExitStatus::Success : reportWalkError(context, walk);
}

}  // namespace

Command addPlayersCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser =
      app.add_subcommand("players", "List the loaded players: team, slot, name (up to its NUL)");
  auto options = std::make_shared<PlayersOptions>();
  addFileArgument(*parser, options->path);
  addTeamOption(*parser, options->team, "Only this team, 1..17 (default: all teams)");
  parser->add_option("--find", options->find, "Only names containing this text, in any case");
  return {parser, [&context, options] { return listPlayers(context, *options); }};
}

}  // namespace zelbor::cli
