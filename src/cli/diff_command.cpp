#include <memory>

#include "commands.h"
#include "exchange/database_diff.h"
#include "exchange/difference_output.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

struct DiffOptions {
  std::string pathA;
  std::string pathB;
  std::string format = "text";
  std::optional<int> team;
};

std::optional<std::vector<db::Byte>> readDatabaseBytes(const CommandContext& context,
                                                       const std::string& path) {
  // Opening first refuses a file too short to be a database, with the same message as elsewhere.
  if (!openDatabase(context, path)) return std::nullopt;
  db::Result<std::vector<db::Byte>> bytes = readDatabaseToCompare(context.fileSystem, path);
  if (!bytes) {
    reportFileError(context, bytes.error());
    return std::nullopt;
  }
  return std::move(bytes).value();
}

ExitStatus diffDatabases(const CommandContext& context, const DiffOptions& options) {
  const auto a = readDatabaseBytes(context, options.pathA);
  if (!a) return ExitStatus::FileError;
  const auto b = readDatabaseBytes(context, options.pathB);
  if (!b) return ExitStatus::FileError;
  const std::vector<Difference> differences = compareDatabases(*a, *b, options.team);
  if (options.format == "json") {
    writePatch(context.out, differences);
  } else {
    writeDifferenceLines(context.out, differences);
  }
  return differences.empty() ? ExitStatus::Success : ExitStatus::Findings;
}

}  // namespace

Command addDiffCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* parser = app.add_subcommand(
      "diff",
      "Compare two databases: one line per difference (team, slot, field, A, B) or a JSON patch "
      "for import; exit status 3 when they differ");
  auto options = std::make_shared<DiffOptions>();
  parser->add_option("A", options->pathA, "The first database")->required();
  parser->add_option("B", options->pathB, "The second database")->required();
  parser->add_option("--format", options->format, "text or json (a patch import reads)")
      ->check(CLI::IsMember({"text", "json"}))
      ->capture_default_str();
  addTeamOption(*parser, options->team, "Only this team's block, 1..17");
  return {parser, [&context, options] { return diffDatabases(context, *options); }};
}

}  // namespace zelbor::cli
