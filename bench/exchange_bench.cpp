// Previewing the import of an unedited whole-file xlsx against exporting it: reading the workbook
// and checking every cell against the stored players, against building the workbook.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "db/database.h"
#include "exchange/player_export.h"
#include "exchange/player_import.h"
#include "sample_file.h"

namespace {

using namespace zelbor;

// The list files beside the benchmark program.
db::Result<db::ValueLists> loadLists() {
  return db::ValueLists::load(db::systemFileSystem(), std::filesystem::current_path().string());
}

// Every player's table as an xlsx workbook with item names, as the window exports it.
std::string exportedWorkbook(db::Database& database, const db::ValueLists& names,
                             benchmark::State& state) {
  std::vector<exchange::ExportedPlayer> exported;
  const db::WalkOutcome walk =
      db::readEachTeam(database, [&](int team, std::span<const db::PlayerRecord> players) {
        exchange::addExported(exported, team, players);
      });
  if (!walk.ok()) state.SkipWithError(walk.error->message.c_str());
  db::Result<std::string> bytes =
      exchange::exportedBytes(db::systemFileSystem(), exported, exchange::TableFormat::Xlsx,
                              exchange::ItemNames(names), false);
  if (!bytes) state.SkipWithError(bytes.error().message.c_str());
  return bytes ? std::move(bytes).value() : std::string();
}

void ExportXlsx(benchmark::State& state) {
  db::Result<db::Database> database =
      db::Database::open(db::systemFileSystem(), bench::sampleDatabaseFile());
  const db::Result<db::ValueLists> lists = loadLists();
  if (!database || !lists)
    return state.SkipWithError("the sample or the list files cannot be read");
  for (auto _ : state) {
    benchmark::DoNotOptimize(exportedWorkbook(database.value(), lists.value(), state));
  }
}

void PreviewImportUnchangedXlsx(benchmark::State& state) {
  db::Result<db::Database> opened =
      db::Database::open(db::systemFileSystem(), bench::sampleDatabaseFile());
  const db::Result<db::ValueLists> lists = loadLists();
  if (!opened || !lists) return state.SkipWithError("the sample or the list files cannot be read");
  db::Database& database = opened.value();
  const db::ValueLists& names = lists.value();
  const std::string workbook = exportedWorkbook(database, names, state);
  for (auto _ : state) {
    auto source = exchange::readImportSource(workbook, "players.xlsx", exchange::TableFormat::Xlsx);
    if (const auto* refusal = std::get_if<std::string>(&source)) {
      state.SkipWithError(refusal->c_str());
      break;
    }
    exchange::ImportPreview preview;
    const db::WalkOutcome walk = exchange::previewImport(
        database, std::get<exchange::ImportSource>(source), names, false, preview);
    const auto* plan = std::get_if<exchange::ImportPlan>(&preview.plan);
    if (!walk.ok() || plan == nullptr || !plan->changes.empty()) {
      state.SkipWithError("the unedited workbook did not preview as no change");
      break;
    }
  }
}

BENCHMARK(ExportXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(PreviewImportUnchangedXlsx)->Unit(benchmark::kMillisecond);

}  // namespace
