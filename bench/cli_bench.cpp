// Importing an unedited whole-file CSV against exporting it: the check of every cell and the
// comparison with the stored players against writing them out.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "sample_file.h"

namespace {

using namespace zelbor;

// Runs zelbor-db with the list files beside the benchmark program; gives the standard output.
std::string runDb(const std::vector<std::string>& arguments, const std::string& input,
                  benchmark::State& state) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const cli::CliEnvironment environment{db::systemFileSystem(),
                                        std::filesystem::current_path().string(), &in};
  if (cli::runCli(arguments, out, err, environment) != 0) state.SkipWithError(err.str().c_str());
  return out.str();
}

void ExportCsv(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        runDb({"export", bench::sampleDatabaseFile(), "--format", "csv"}, {}, state));
  }
}

void ImportUnchangedCsv(benchmark::State& state) {
  const std::string csv =
      runDb({"export", bench::sampleDatabaseFile(), "--format", "csv"}, {}, state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        runDb({"import", bench::sampleDatabaseFile(), "-", "--format", "csv"}, csv, state));
  }
}

BENCHMARK(ExportCsv)->Unit(benchmark::kMicrosecond);
BENCHMARK(ImportUnchangedCsv)->Unit(benchmark::kMicrosecond);

}  // namespace
