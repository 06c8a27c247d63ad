#include <cmath>
#include <map>
#include <memory>

#include "commands.h"
#include "db/whole_file.h"
#include "exchange/database_diff.h"
#include "exchange/field_cells.h"
#include "exchange/json_table.h"
#include "exchange/text_output.h"

namespace zelbor::cli {

// The tables and texts the command line shares with the window.
using namespace exchange;

namespace {

using Json = nlohmann::ordered_json;

// Far beyond the 358 KB of a database; a larger file is refused, not read.
constexpr std::uint64_t kDatabaseSizeLimit = 64 * 1024 * 1024;

struct DiffOptions {
  std::string pathA;
  std::string pathB;
  std::string format = "text";
  std::optional<int> team;
};

std::string numberOrDash(const std::optional<int>& number) {
  return number ? std::to_string(*number) : "-";
}

void printText(std::ostream& out, const std::vector<Difference>& differences) {
  for (const Difference& d : differences) {
    writeRow(out, {numberOrDash(d.team), numberOrDash(d.slot), d.field, d.a, d.b});
  }
}

// A field value in a patch: as export writes it, but a float that is not a number as its text,
// which import reads back.
Json patchValue(const db::PlayerField& field, const db::FieldValue& value) {
  if (const auto* number = std::get_if<float>(&value); number && !std::isfinite(*number)) {
    return shortestText(*number);
  }
  return jsonValue(field, value, kRawNumbers);
}

// The patch import reads: one sparse object per player that differs, with B's values, and what
// a patch cannot carry.
void printPatch(std::ostream& out, const std::vector<Difference>& differences) {
  std::map<std::pair<int, int>, Json> players;
  Json notCarried = Json::array();
  for (const Difference& d : differences) {
    if (d.playerField == nullptr) {
      notCarried.push_back({{"team", d.team ? Json(*d.team) : Json()},
                            {"slot", d.slot ? Json(*d.slot) : Json()},
                            {"field", d.field},
                            {"a", d.a},
                            {"b", d.b}});
      continue;
    }
    Json& player = players[{*d.team, *d.slot}];
    if (player.is_null()) player = {{"team", *d.team}, {"slot", *d.slot}};
    player[std::string(d.playerField->name)] = patchValue(*d.playerField, d.bValue);
  }
  out << "{\"" << kPatchPlayers << "\": [";
  const char* separator = "\n";
  for (const auto& [key, player] : players) {
    out << separator << player.dump();
    separator = ",\n";
  }
  out << "],\n\"" << kPatchNotCarried << "\": [";
  separator = "\n";
  for (const Json& entry : notCarried) {
    out << separator << entry.dump();
    separator = ",\n";
  }
  out << "]}\n";
}

std::optional<std::vector<db::Byte>> readDatabaseBytes(const CommandContext& context,
                                                       const std::string& path) {
  // Opening first refuses a file too short to be a database, with the same message as elsewhere.
  if (!openDatabase(context, path)) return std::nullopt;
  db::Result<std::vector<db::Byte>> bytes =
      db::readWholeFile(context.fileSystem, path, kDatabaseSizeLimit, "a database to compare");
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
    printPatch(context.out, differences);
  } else {
    printText(context.out, differences);
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
