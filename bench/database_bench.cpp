// The database operations against a raw loop of the same system calls on the same file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>

#include "batch/ability_scaling.h"
#include "db/backups.h"
#include "db/team_walk.h"
#include "sample_file.h"
#include "tools/file_hash.h"
#include "tools/spoof_repair.h"

namespace {

using namespace zelbor;

const std::string& samplePath() {
  return bench::sampleDatabaseFile();
}

db::Database openSample() {
  return db::Database::open(db::systemFileSystem(), samplePath()).value();
}

std::array<int, db::kTeamCount> playerCounts() {
  db::Database database = openSample();
  std::array<int, db::kTeamCount> counts{};
  for (int team = 1; team <= db::kTeamCount; ++team) {
    counts[team - 1] = static_cast<int>(database.readTeamPlayers(team).value().size());
  }
  return counts;
}

void rawRead(int team, std::vector<db::Byte>& area) {
  const int fd = ::open(samplePath().c_str(), O_RDONLY | O_CLOEXEC);
  if (::pread(fd, area.data(), area.size(), static_cast<off_t>(db::playerAreaStart(team))) < 0)
    std::abort();
  ::close(fd);
}

void FloorReadAllTeams(benchmark::State& state) {
  std::vector<db::Byte> area(db::kPlayerAreaSize);
  for (auto _ : state) {
    for (int team = 1; team <= db::kTeamCount; ++team) rawRead(team, area);
    benchmark::DoNotOptimize(area.data());
  }
}

void FloorRewriteAllTeams(benchmark::State& state) {
  const auto counts = playerCounts();
  std::vector<db::Byte> area(db::kPlayerAreaSize);
  for (auto _ : state) {
    for (int team = 1; team <= db::kTeamCount; ++team) {
      rawRead(team, area);
      const int fd = ::open(samplePath().c_str(), O_RDWR | O_CLOEXEC);
      struct stat status {};
      ::fstat(fd, &status);
      const auto size = static_cast<std::size_t>(counts[team - 1]) * db::kRecordSize;
      if (::pwrite(fd, area.data(), size, static_cast<off_t>(db::playerAreaStart(team))) < 0)
        std::abort();
      ::fdatasync(fd);
      ::close(fd);
    }
  }
}

void LoadTeamAllTeams(benchmark::State& state) {
  db::Database database = openSample();
  for (auto _ : state) {
    for (int team = 1; team <= db::kTeamCount; ++team) {
      const auto players = database.readTeamPlayers(team);
      if (!players) state.SkipWithError("load failed");
      benchmark::DoNotOptimize(players.value().data());
    }
  }
}

void FileHash(benchmark::State& state) {
  db::Database database = openSample();
  for (auto _ : state) {
    tools::AbilityTotals totals;
    const auto outcome = db::readEachTeam(
        database, [&](int, std::span<const db::PlayerRecord> players) { totals.add(players); });
    if (!outcome.ok()) state.SkipWithError("walk failed");
    benchmark::DoNotOptimize(tools::hashString(totals));
  }
}

void BatchAllTeams(benchmark::State& state) {
  db::Database database = openSample();
  batch::BatchFactors factors;
  factors.batting.fill(0.8f);
  for (auto _ : state) {
    const auto outcome = db::rewriteEachTeam(
        database,
        [&](int, std::span<db::PlayerRecord> players) { batch::scalePlayers(players, factors); });
    if (!outcome.ok()) state.SkipWithError("walk failed");
  }
}

// The batch with the backup every write operation takes first, into a folder of its own in the
// temporary folder, pruned after each write as the commands do.
void BatchAllTeamsWithBackup(benchmark::State& state) {
  db::Database database = openSample();
  const std::string folder =
      (std::filesystem::temp_directory_path() / "zelbor-bench-state").string();
  std::filesystem::remove_all(folder);
  db::Backups backups(db::systemFileSystem(), {{folder}, {folder + "/backups"}});
  batch::BatchFactors factors;
  factors.batting.fill(0.8f);
  for (auto _ : state) {
    const auto outcome = db::rewriteEachTeam(
        database,
        [&](int, std::span<db::PlayerRecord> players) { batch::scalePlayers(players, factors); },
        backups.before(samplePath(), "batch"));
    if (!outcome.ok() || !backups.prune(samplePath())) state.SkipWithError("walk failed");
  }
  std::filesystem::remove_all(folder);
}

void SpoofRepair(benchmark::State& state) {
  db::Database database = openSample();
  for (auto _ : state) {
    const auto outcome =
        db::rewriteEachTeam(database, [](int, std::span<db::PlayerRecord> players) {
          for (db::PlayerRecord& player : players) tools::repairSpoofFields(player);
        });
    if (!outcome.ok()) state.SkipWithError("walk failed");
  }
}

BENCHMARK(FloorReadAllTeams)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadTeamAllTeams)->Unit(benchmark::kMicrosecond);
BENCHMARK(FileHash)->Unit(benchmark::kMicrosecond);
BENCHMARK(FloorRewriteAllTeams)->Unit(benchmark::kMicrosecond);
BENCHMARK(BatchAllTeams)->Unit(benchmark::kMicrosecond);
BENCHMARK(BatchAllTeamsWithBackup)->Unit(benchmark::kMicrosecond);
BENCHMARK(SpoofRepair)->Unit(benchmark::kMicrosecond);

}  // namespace
