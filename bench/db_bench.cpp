#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "db/database.h"
#include "sample/sample_database.h"

namespace {

using namespace zelbor;

std::string writeSample() {
  const auto path = (std::filesystem::temp_directory_path() / "zelbor-bench-TeamAndPlayerInfo.bag").string();
  const auto bytes = sample::makeSampleDatabase();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path;
}

void LoadAllTeams(benchmark::State& state) {
  const std::string path = writeSample();
  auto database = db::Database::open(db::posixFileSystem(), path).value();
  for (auto _ : state) {
    for (int team = 1; team <= db::kTeamCount; ++team) {
      if (!database.LoadTeam(team)) state.SkipWithError("load failed");
    }
    benchmark::DoNotOptimize(database.playerCount());
  }
  std::filesystem::remove(path);
}
BENCHMARK(LoadAllTeams)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
