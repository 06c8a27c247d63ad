#include <array>
#include <cctype>
#include <memory>

#include "batch/ability_scaling.h"
#include "commands.h"
#include "exchange/text_output.h"
#include "team_scope.h"
#include "tools/file_hash.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

// An ability's option is its name in lower case: "--cut" for Cut.
std::string optionFor(const batch::ScaledAbility& ability) {
  std::string option = "--";
  for (const char c : ability.name) {
    option += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return option;
}

struct BatchOptions {
  std::string path;
  TeamScope team;
  std::array<int, 8> percentages{100, 100, 100, 100, 100, 100, 100, 100};
  bool dryRun = false;
};

batch::BatchFactors factorsFor(const std::array<int, 8>& percentages) {
  // The batch window's slider for P % stands at 100 - P.
  const auto factor = [&percentages](std::size_t i) {
    return batch::factorForSliderValue(batch::kSliderMaximum - percentages[i]);
  };
  batch::BatchFactors factors;
  for (std::size_t i = 0; i < 4; ++i) {
    factors.batting[i] = factor(i);
    factors.bowling[i] = factor(i + 4);
  }
  return factors;
}

ExitStatus runBatch(const CommandContext& context, const BatchOptions& options) {
  std::optional<db::Database> database = openDatabase(context, options.path);
  if (!database) return ExitStatus::FileError;
  const batch::BatchFactors factors = factorsFor(options.percentages);
  int playersChanged = 0;
  int valuesChanged = 0;
  const PlayerChange scale = [&](std::span<db::PlayerRecord> players) {
    for (db::PlayerRecord& player : players) {
      const int changed = batch::scalePlayer(player, factors);
      playersChanged += changed > 0 ? 1 : 0;
      valuesChanged += changed;
    }
  };

  std::string hash;
  if (options.dryRun) {
    tools::AbilityTotals totals;
    const db::WalkOutcome walk = changeTeamsDryRun(
        *database, options.team, scale,
        [&totals](std::span<const db::PlayerRecord> players) { totals.add(players); });
    if (!walk.ok()) return reportWalkError(context, walk);
    hash = tools::hashString(totals);
  } else {
    const db::WriteOutcome walk =
        changeTeams(*database, options.team, scale,
                    writePolicy(context, options.path, db::BackupOperation::Batch));
    if (!walk.ok()) return reportWriteOutcome(context, walk);
    const db::Result<std::string> written = tools::fileHash(*database);
    if (!written) return reportLaterStepFailure(context, written.error().message);
    hash = written.value();
  }
  writeRow(context.out, {"players changed", std::to_string(playersChanged)});
  writeRow(context.out, {"values changed", std::to_string(valuesChanged)});
  writeRow(context.out, {"hash", hash});
  return options.dryRun ? ExitStatus::Success : finishWrite(context, options.path);
}

}  // namespace

Command addBatchCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser = app.add_subcommand(
      "batch",
      "Scale batting and bowling abilities by percentages; print the changes and the new hash");
  auto options = std::make_shared<BatchOptions>();
  addFileArgument(*parser, options->path);
  CLI::Option_group* scope = parser->add_option_group("scope");
  scope->add_flag("--all")->description("Every team");
  addTeamOption(*scope, options->team, "Only this team, 1..17, as stored in the file");
  scope->require_option(1);
  // The help words each ability as the batch window does, whose work this command does.
  for (std::size_t i = 0; i < batch::kScaledAbilities.size(); ++i) {
    const batch::ScaledAbility& ability = batch::kScaledAbilities[i];
    parser
        ->add_option(optionFor(ability), options->percentages[i],
                     std::string(ability.batchCaption) + " percentage")
        ->transform(wholeNumberIn(0, 100))
        ->capture_default_str();
  }
  addDryRunFlag(*parser, options->dryRun);
  return {parser, [&context, options] { return runBatch(context, *options); }};
}

}  // namespace zelbor::cli
