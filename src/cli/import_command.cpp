#include <algorithm>
#include <cctype>
#include <iterator>
#include <memory>
#include <set>

#include "commands.h"
#include "csv_table.h"
#include "db/whole_file.h"
#include "exchange/text_output.h"
#include "file_formats.h"
#include "import_plan.h"
#include "json_table.h"
#include "team_walks.h"
#include "xlsx_reader.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

constexpr std::string_view kStandardInput = "-";
// Far beyond an export of every player (about 150 KB); a larger file is refused, not read.
constexpr std::uint64_t kInputSizeLimit = 64 * 1024 * 1024;

struct ImportOptions {
  std::string path;
  std::string input;
  std::string format;  // empty: from the input's extension
  bool dryRun = false;
  bool keepSpoof = false;
  std::string listFolder;
};

// The format given, or the one the input's extension names, in any case ("roster.CSV").
std::string formatOf(const ImportOptions& options) {
  if (!options.format.empty()) return options.format;
  // Read from the UTF-8 name itself: a narrow std::filesystem path on Windows passes through the
  // ANSI code page.
  const std::size_t lastDot = options.input.find_last_of("./\\");
  std::string extension = lastDot != std::string::npos && options.input[lastDot] == '.'
                              ? options.input.substr(lastDot)
                              : std::string();
  std::ranges::transform(extension, extension.begin(),
                         [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".csv") return "csv";
  if (extension == ".json") return "json";
  if (extension == ".xlsx") return "xlsx";
  return {};
}

std::optional<std::string> readInput(const CommandContext& context, const std::string& input) {
  if (input == kStandardInput) {
    if (context.standardInput == nullptr) return std::string();
    std::string text(std::istreambuf_iterator<char>(*context.standardInput), {});
    if (context.standardInput->bad()) {
      context.err << "Cannot read the standard input.\n";
      return std::nullopt;
    }
    return text;
  }
  const db::Result<std::vector<db::Byte>> bytes =
      db::readWholeFile(context.fileSystem, input, kInputSizeLimit, "an import's input");
  if (!bytes) {
    reportFileError(context, bytes.error());
    return std::nullopt;
  }
  return std::string(bytes.value().begin(), bytes.value().end());
}

// A sheet's first row with a value names the columns; rows without any value are left out.
std::variant<ImportTable, std::string> headedTable(const db::Result<std::vector<ImportRow>>& rows) {
  if (!rows) return rows.error().message;
  ImportTable table;
  for (const ImportRow& row : rows.value()) {
    if (row.cells.empty()) continue;
    if (table.columns.empty() && table.rows.empty()) {
      for (const auto& cell : row.cells) table.columns.push_back({cell.value_or(""), row.number});
    } else {
      table.rows.push_back(row);
    }
  }
  return table;
}

// The input as a table, or why it is not one.
std::variant<ImportTable, std::string> tableOf(const CommandContext& context,
                                               const std::string& input, const std::string& text,
                                               const std::string& format) {
  if (format == "csv") {
    auto read = readCsvTable(text);
    if (const auto* reason = std::get_if<std::string>(&read)) return *reason;
    CsvTable& csv = std::get<CsvTable>(read);
    const char* separator = csv.separator == '\t'  ? "tabs"
                            : csv.separator == ';' ? "semicolons"
                                                   : "commas";
    context.err << (input == kStandardInput ? "The standard input" : input) << ": read as "
                << csv.encoding << " text with cells separated by " << separator << ".\n";
    return std::move(csv.table);
  }
  if (format == "xlsx") return headedTable(readXlsxFirstSheet(text, input));
  auto read = readJsonTable(text);
  if (const auto* reason = std::get_if<std::string>(&read)) return *reason;
  JsonTable& json = std::get<JsonTable>(read);
  if (json.notCarried > 0) {
    context.err << input << ": "
                << (json.notCarried == 1 ? "the 1 difference listed as beyond a patch"
                                         : "the " + std::to_string(json.notCarried) +
                                               " differences listed as beyond a patch")
                << " (team names, player counts, lineups, other bytes) "
                << (json.notCarried == 1 ? "is" : "are") << " not imported.\n";
  }
  return std::move(json.table);
}

bool samePlayers(std::span<const db::PlayerRecord> a, std::span<const db::PlayerRecord> b) {
  return std::ranges::equal(a, b, [](const db::PlayerRecord& x, const db::PlayerRecord& y) {
    return db::encodePlayerRecord(x) == db::encodePlayerRecord(y);
  });
}

// Writes the changed teams in team order in one write operation. From the first team whose
// players changed on disk since the input was checked against them, that team and the ones after
// it keep the players they now hold: the bytes written back are those read. Gives the teams that
// hold the import's changes, or the status to exit with.
std::variant<std::vector<int>, ExitStatus> writeTeams(const CommandContext& context,
                                                      db::Database& database,
                                                      const LoadedTeams& loaded,
                                                      const ImportPlan& plan) {
  std::optional<int> changedOnDisk;
  const db::WriteOutcome outcome = database.rewriteTeams(
      plan.changedTeams,
      [&](int team, std::span<db::PlayerRecord> players) {
        const auto index = static_cast<std::size_t>(team - 1);
        if (!changedOnDisk && !samePlayers(players, loaded[index])) changedOnDisk = team;
        if (!changedOnDisk) std::ranges::copy(plan.teams[index], players.begin());
      },
      backupBeforeWrite(context, database.databasePath(), "import"));
  if (!outcome.ok()) return reportWriteOutcome(context, outcome);
  if (!changedOnDisk) return plan.changedTeams;
  const auto firstLeft = std::ranges::find(plan.changedTeams, *changedOnDisk);
  const std::vector<int> written(plan.changedTeams.begin(), firstLeft);
  const std::vector<int> left(firstLeft, plan.changedTeams.end());
  context.err << "\"" << database.databasePath().utf8() << "\": team " << *changedOnDisk
              << " changed while the input was being checked, so the import wrote nothing to "
              << db::teamList(left) << "; "
              << (written.empty() ? "nothing was written"
                                  : db::teamList(written) +
                                        (written.size() == 1 ? " was written" : " were written"))
              << ". Run the import again.\n";
  return written;
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
  const std::string format = formatOf(options);
  if (format.empty()) {
    context.err << "Give --format " << formatNames() << ": the format of \"" << options.input
                << "\" cannot be told from its name.\n";
    return ExitStatus::UsageError;
  }
  if (const std::string lacking = lackingFormatReason(format); !lacking.empty()) {
    context.err << "Cannot import \"" << options.input << "\": " << lacking << ".\n";
    return ExitStatus::UsageError;
  }
  std::optional<db::Database> database = openDatabase(context, options.path);
  if (!database) return ExitStatus::FileError;
  const db::Result<db::ValueLists> lists =
      db::ValueLists::load(context.fileSystem, options.listFolder);
  if (!lists) return reportFileError(context, lists.error());
  const std::optional<std::string> text = readInput(context, options.input);
  if (!text) return ExitStatus::FileError;
  const auto table = tableOf(context, options.input, *text, format);
  if (const auto* reason = std::get_if<std::string>(&table)) {
    if (format == "xlsx") {
      context.err << *reason << "\n";
    } else {
      context.err << options.input << " is not " << (format == "csv" ? "CSV" : "JSON")
                  << " that import reads: " << *reason << ".\n";
    }
    return ExitStatus::InvalidInput;
  }

  LoadedTeams loaded;
  const db::WalkOutcome walk =
      readTeams(*database, std::nullopt, [&loaded](int team, auto players) {
        loaded[static_cast<std::size_t>(team - 1)].assign(players.begin(), players.end());
      });
  if (!walk.ok()) return reportWalkError(context, walk);

  const auto plan =
      planImport(std::get<ImportTable>(table), loaded, lists.value(), options.keepSpoof,
                 format == "csv"    ? InputGuards::CsvRewriting
                 : format == "xlsx" ? InputGuards::ErrorValues
                                    : InputGuards::None);
  if (const auto* problems = std::get_if<CellProblems>(&plan)) {
    for (const std::string& problem : *problems) context.err << problem << "\n";
    context.err << "Nothing was written: " << counted(problems->size(), "cell") << " of "
                << options.input << (problems->size() == 1 ? " is" : " are") << " invalid.\n";
    return ExitStatus::InvalidInput;
  }
  const ImportPlan& changes = std::get<ImportPlan>(plan);
  for (const std::string& note : changes.notes) context.err << note << "\n";
  if (options.dryRun) {
    printPlan(context.out, changes, changes.changedTeams, true);
    return ExitStatus::Success;
  }
  const auto written = writeTeams(context, *database, loaded, changes);
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
