#include <memory>

#include "commands.h"
#include "exchange/text_output.h"
#include "team_scope.h"
#include "tools/spoof_repair.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

struct FixSpoofOptions {
  std::string path;
  bool dryRun = false;
};

ExitStatus fixSpoof(const CommandContext& context, const FixSpoofOptions& options) {
  std::optional<db::Database> database = openDatabase(context, options.path);
  if (!database) return ExitStatus::FileError;
  int playersChanged = 0;
  const PlayerChange repair = [&playersChanged](std::span<db::PlayerRecord> players) {
    for (db::PlayerRecord& player : players) playersChanged += tools::repairSpoofFields(player);
  };
  if (options.dryRun) {
    const db::WalkOutcome walk = changeTeamsDryRun(*database, std::nullopt, repair, {});
    if (!walk.ok()) return reportWalkError(context, walk);
  } else {
    const db::WriteOutcome walk =
        changeTeams(*database, std::nullopt, repair,
                    writePolicy(context, options.path, db::BackupOperation::FixSpoof));
    if (!walk.ok()) return reportWriteOutcome(context, walk);
  }
  writeRow(context.out, {"players changed", std::to_string(playersChanged)});
  return options.dryRun ? ExitStatus::Success : finishWrite(context, options.path);
}

}  // namespace

Command addFixSpoofCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser = app.add_subcommand(
      "fix-spoof",
      "Copy real names, faces and bats over the spoof ones in all teams; print the changes");
  auto options = std::make_shared<FixSpoofOptions>();
  addFileArgument(*parser, options->path);
  addDryRunFlag(*parser, options->dryRun);
  return {parser, [&context, options] { return fixSpoof(context, *options); }};
}

}  // namespace zelbor::cli
