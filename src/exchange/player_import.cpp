#include "player_import.h"

#include <algorithm>

#include "csv_table.h"
#include "db/whole_file.h"
#include "json_table.h"
#include "xlsx_reader.h"

namespace zelbor::exchange {
namespace {

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

bool samePlayers(std::span<const db::PlayerRecord> a, std::span<const db::PlayerRecord> b) {
  return std::ranges::equal(a, b, [](const db::PlayerRecord& x, const db::PlayerRecord& y) {
    return db::encodePlayerRecord(x) == db::encodePlayerRecord(y);
  });
}

}  // namespace

std::optional<std::string> inputSizeRefusal(const std::string& name, std::uint64_t size) {
  if (size <= kInputSizeLimit) return std::nullopt;
  return "Cannot import \"" + name + "\": an import's input may hold at most " +
         std::to_string(kInputSizeLimit) + " bytes (64 MiB), and it holds more.";
}

db::Result<ImportFile> readImportFile(db::FileSystem& fileSystem, const std::string& path) {
  {
    auto file = fileSystem.openExisting(path, db::OpenMode::ReadOnly);
    if (!file) return file.error();
    const db::Result<db::FileStatus> status = file.value()->status();
    if (!status) return status.error();
    if (auto refusal = inputSizeRefusal(path, status.value().size)) {
      return ImportFile{{}, std::move(refusal)};
    }
  }
  // A file that grew since is refused by the read itself.
  const db::Result<std::vector<db::Byte>> bytes =
      db::readWholeFile(fileSystem, path, kInputSizeLimit, "an import's input");
  if (!bytes) return bytes.error();
  return ImportFile{std::string(bytes.value().begin(), bytes.value().end()), std::nullopt};
}

std::variant<ImportSource, std::string> readImportSource(std::string_view bytes,
                                                         const std::string& name,
                                                         TableFormat format) {
  ImportSource source;
  source.format = format;
  if (format == TableFormat::Xlsx) {
    auto table = headedTable(readXlsxFirstSheet(bytes, name));
    if (auto* reason = std::get_if<std::string>(&table)) return std::move(*reason);
    source.table = std::move(std::get<ImportTable>(table));
    source.table.fromSheet = true;
    return source;
  }
  const auto refused = [&](const std::string& reason) {
    return name + " is not " + (format == TableFormat::Csv ? "CSV" : "JSON") +
           " that import reads: " + reason + ".";
  };
  if (format == TableFormat::Csv) {
    auto read = readCsvTable(bytes);
    if (const auto* reason = std::get_if<std::string>(&read)) return refused(*reason);
    CsvTable& csv = std::get<CsvTable>(read);
    source.table = std::move(csv.table);
    source.encoding = std::move(csv.encoding);
    source.separator = csv.separator;
    return source;
  }
  auto read = readJsonTable(bytes);
  if (const auto* reason = std::get_if<std::string>(&read)) return refused(*reason);
  JsonTable& json = std::get<JsonTable>(read);
  source.table = std::move(json.table);
  source.notCarried = json.notCarried;
  return source;
}

db::WalkOutcome previewImport(const db::Database& database, const ImportSource& source,
                              const db::ValueLists& lists, bool keepSpoof, ImportPreview& preview) {
  const db::WalkOutcome walk =
      db::readEachTeam(database, [&preview](int team, std::span<const db::PlayerRecord> players) {
        preview.loaded[static_cast<std::size_t>(team - 1)].assign(players.begin(), players.end());
      });
  if (!walk.ok()) return walk;
  preview.plan = planImport(source.table, preview.loaded, lists, keepSpoof);
  return walk;
}

AppliedImport applyImport(db::Database& database, const ImportPreview& preview,
                          const db::WritePolicy& policy) {
  const ImportPlan& plan = std::get<ImportPlan>(preview.plan);
  AppliedImport applied;
  applied.outcome = database.rewriteTeams(
      plan.changedTeams,
      [&](int team, std::span<db::PlayerRecord> players) {
        const auto index = static_cast<std::size_t>(team - 1);
        if (!applied.changedOnDisk && !samePlayers(players, preview.loaded[index])) {
          applied.changedOnDisk = team;
        }
        if (!applied.changedOnDisk) std::ranges::copy(plan.teams[index], players.begin());
      },
      policy);
  if (!applied.outcome.ok()) return applied;
  const auto firstLeft = applied.changedOnDisk
                             ? std::ranges::find(plan.changedTeams, *applied.changedOnDisk)
                             : plan.changedTeams.end();
  applied.written.assign(plan.changedTeams.begin(), firstLeft);
  applied.left.assign(firstLeft, plan.changedTeams.end());
  return applied;
}

std::string readingDescription(const ImportSource& source) {
  if (source.format != TableFormat::Csv) return {};
  const char* separator = source.separator == '\t'  ? "tabs"
                          : source.separator == ';' ? "semicolons"
                                                    : "commas";
  return source.encoding + " text with cells separated by " + separator;
}

}  // namespace zelbor::exchange
