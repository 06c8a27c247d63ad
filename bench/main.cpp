// Runs the benchmarks and, with --report=FILE, writes their medians against their budgets.
#include <string>
#include <string_view>

#include "report.h"

namespace {

const std::vector<zelbor::bench::Budget> kBudgets = {
    {"LoadTeamAllTeams", "FloorReadAllTeams", 2.0, 0},
    {"FileHash", "FloorReadAllTeams", 2.0, 0},
    {"BatchAllTeams", "FloorRewriteAllTeams", 2.0, 0},
    {"SpoofRepair", "FloorRewriteAllTeams", 2.0, 0},
};

}  // namespace

int main(int argc, char* argv[]) {
  std::string reportPath;
  const std::string command = "scripts/bench";
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument.starts_with("--report=")) {
      reportPath = argument.substr(9);
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  benchmark::Initialize(&argc, argv);
  zelbor::bench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (!reportPath.empty()) zelbor::bench::writeReport(reportPath, kBudgets, reporter.medians(), command);
  return 0;
}
