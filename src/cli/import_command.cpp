#include <algorithm>
#include <array>
#include <iterator>
#include <memory>
#include <set>

#include "commands.h"
#include "exchange/player_import.h"
#include "exchange/text_output.h"
#include "file_formats.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

constexpr std::string_view kStandardInput = "-";

struct ImportOptions {
  std::string path;
  std::string input;
  std::string format;  // empty: from the input's extension
  bool dryRun = false;
  bool keepSpoof = false;
  std::string listFolder;
};

// The format given, or the one the input's extension names.
std::optional<TableFormat> formatOf(const ImportOptions& options) {
  return options.format.empty() ? tableFormatOf(options.input) : formatNamed(options.format);
}

// The input's bytes, or the status to exit with when it cannot be read or is too large.
std::variant<std::string, ExitStatus> readInput(const CommandContext& context,
                                                const std::string& input) {
  if (input == kStandardInput) {
    if (context.standardInput == nullptr) return std::string();
    // Read no further than past the limit: a larger input is refused without holding all of it.
    std::string text;
    std::array<char, 1 << 16> chunk;
    while (text.size() <= kInputSizeLimit && *context.standardInput) {
      context.standardInput->read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
      text.append(chunk.data(), static_cast<std::size_t>(context.standardInput->gcount()));
    }
    if (context.standardInput->bad()) {
      context.err << "Cannot read the standard input.\n";
      return ExitStatus::FileError;
    }
    if (auto refusal = inputSizeRefusal("the standard input", text.size())) {
      context.err << *refusal << "\n";
      return ExitStatus::InvalidInput;
    }
    return text;
  }
  db::Result<ImportFile> file = readImportFile(context.fileSystem, input);
  if (!file) return reportFileError(context, file.error());
  if (file.value().refusal) {
    context.err << *file.value().refusal << "\n";
    return ExitStatus::InvalidInput;
  }
  return std::move(file.value().bytes);
}

// How the input was read, when that is worth saying.
void printReading(const CommandContext& context, const std::string& input,
                  const ImportSource& source) {
  if (const std::string reading = readingDescription(source); !reading.empty()) {
    context.err << (input == kStandardInput ? "The standard input" : input) << ": read as "
                << reading << ".\n";
  }
  if (source.notCarried > 0) {
    context.err << input << ": "
                << (source.notCarried == 1 ? "the 1 difference listed as beyond a patch"
                                           : "the " + std::to_string(source.notCarried) +
                                                 " differences listed as beyond a patch")
                << " (team names, player counts, lineups, other bytes) "
                << (source.notCarried == 1 ? "is" : "are") << " not imported.\n";
  }
}

// Writes the import and says which teams were left when one changed on disk meanwhile. Gives
// the teams that hold the import's changes, or the status to exit with.
std::variant<std::vector<int>, ExitStatus> writeTeams(const CommandContext& context,
                                                      db::Database& database,
                                                      const ImportPreview& preview) {
  const AppliedImport applied =
      applyImport(database, preview,
                  writePolicy(context, database.databasePath(), db::BackupOperation::Import));
  if (!applied.outcome.ok()) return reportWriteOutcome(context, applied.outcome);
  if (!applied.changedOnDisk) return applied.written;
  context.err << "\"" << database.databasePath() << "\": team " << *applied.changedOnDisk
              << " changed while the input was being checked, so the import wrote nothing to "
              << db::teamList(applied.left) << "; "
              << (applied.written.empty()
                      ? "nothing was written"
                      : db::teamList(applied.written) +
                            (applied.written.size() == 1 ? " was written" : " were written"))
              << ". Run the import again.\n";
  return applied.written;
}

// "1 field", "3 fields".
std::string counted(std::size_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// Each change to the teams `teams` and a summary of them.
void printPlan(std::ostream& out, const ImportPlan& plan, std::span<const int> teams, bool dryRun) {
  std::set<std::pair<int, int>> players;
  std::size_t fields = 0;
  for (const FieldChange& change : plan.changes) {
    if (std::ranges::find(teams, change.team) == teams.end()) continue;
    ++fields;
    players.insert({change.team, change.slot});
    writeRow(out, {std::to_string(change.team), std::to_string(change.slot), change.field,
                   change.before, change.after});
  }
  out << counted(fields, "field") << " of " << counted(players.size(), "player") << " in "
      << counted(teams.size(), "team") << (dryRun ? " would change" : " changed") << ".\n";
}

ExitStatus importInput(const CommandContext& context, const ImportOptions& options) {
  const std::optional<TableFormat> format = formatOf(options);
  if (!format) {
    context.err << "Give --format " << formatNames() << ": the format of \"" << options.input
                << "\" cannot be told from its name.\n";
    return ExitStatus::UsageError;
  }
  if (const std::string lacking = lackingFormatReason(std::string(formatName(*format)));
      !lacking.empty()) {
    context.err << "Cannot import \"" << options.input << "\": " << lacking << ".\n";
    return ExitStatus::UsageError;
  }
  std::optional<db::Database> database = openDatabase(context, options.path);
  if (!database) return ExitStatus::FileError;
  const db::Result<db::ValueLists> lists =
      db::ValueLists::load(context.fileSystem, options.listFolder);
  if (!lists) return reportFileError(context, lists.error());
  const auto input = readInput(context, options.input);
  if (const auto* status = std::get_if<ExitStatus>(&input)) return *status;
  const auto source = readImportSource(std::get<std::string>(input), options.input, *format);
  if (const auto* refusal = std::get_if<std::string>(&source)) {
    context.err << *refusal << "\n";
    return ExitStatus::InvalidInput;
  }
  printReading(context, options.input, std::get<ImportSource>(source));

  ImportPreview preview;
  const db::WalkOutcome walk = previewImport(*database, std::get<ImportSource>(source),
                                             lists.value(), options.keepSpoof, preview);
  if (!walk.ok()) return reportWalkError(context, walk);
  if (const auto* problems = std::get_if<CellProblems>(&preview.plan)) {
    for (const std::string& line : problemLines(*problems)) context.err << line << "\n";
    context.err << "Nothing was written: " << counted(problems->count, "cell") << " of "
                << options.input << (problems->count == 1 ? " is" : " are") << " invalid.\n";
    return ExitStatus::InvalidInput;
  }
  const ImportPlan& changes = std::get<ImportPlan>(preview.plan);
  for (const std::string& note : changes.notes) context.err << note << "\n";
  if (options.dryRun) {
    printPlan(context.out, changes, changes.changedTeams, true);
    return ExitStatus::Success;
  }
  const auto written = writeTeams(context, *database, preview);
  if (const auto* status = std::get_if<ExitStatus>(&written)) return *status;
  const auto& teams = std::get<std::vector<int>>(written);
  printPlan(context.out, changes, teams, false);
  const ExitStatus finished = finishWrite(context, options.path);
  if (finished != ExitStatus::Success) return finished;
  return teams.size() == changes.changedTeams.size() ? ExitStatus::Success : ExitStatus::FileError;
}

}  // namespace

Command addImportCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser =
      app.add_subcommand("import", "Write the players' fields from edited export output (" +
                                       formatNames() + "); print each change");
  auto options = std::make_shared<ImportOptions>();
  addFileArgument(*parser, options->path);
  parser->add_option("INPUT", options->input, formatNames() + " as export writes it; - reads stdin")
      ->required();
  takeFormatsOfThisBuild(parser->add_option("--format", options->format,
                                            formatNames() + " (default: from INPUT's name)"));
  addDryRunFlag(*parser, options->dryRun);
  parser->add_flag("--keep-spoof", options->keepSpoof,
                   "Write the spoof fields as given instead of making them follow the real ones");
  addListsOption(*parser, options->listFolder, context);
  return {parser, [&context, options] { return importInput(context, *options); }};
}

}  // namespace zelbor::cli
