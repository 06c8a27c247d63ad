#include "report.h"

#include <fstream>
#include <iomanip>
#include <sstream>

namespace zelbor::bench {
namespace {

double microsecondsPer(benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kNanosecond:
      return 1e-3;
    case benchmark::kMicrosecond:
      return 1;
    case benchmark::kMillisecond:
      return 1e3;
    case benchmark::kSecond:
      return 1e6;
  }
  return 1;
}

std::string shown(double microseconds) {
  std::ostringstream out;
  out << std::fixed << std::setprecision(microseconds < 10 ? 2 : 1);
  if (microseconds >= 1000) {
    out << microseconds / 1000 << " ms";
  } else {
    out << microseconds << " µs";
  }
  return out.str();
}

}  // namespace

void MedianReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    if (median || (run.run_type == Run::RT_Iteration && run.repetitions <= 1)) {
      medians_[run.run_name.function_name] =
          run.GetAdjustedRealTime() * microsecondsPer(run.time_unit);
    }
  }
}

void writeReport(const std::string& path, const std::vector<Budget>& budgets,
                 const std::map<std::string, double>& medians, const std::string& command,
                 const std::string& notes) {
  std::ofstream out(path);
  out << "# Performance\n\n"
      << "Medians of repeated runs, each operation measured against its floor in the same run.\n"
      << "Reproduce with:\n\n```sh\n"
      << command << "\n```\n\n"
      << "| operation | median | floor | floor median | ratio | budget | met |\n"
      << "|---|---:|---|---:|---:|---|---|\n";
  for (const Budget& budget : budgets) {
    const auto operation = medians.find(budget.operation);
    if (operation == medians.end()) continue;
    out << "| " << budget.operation << " | " << shown(operation->second) << " | ";
    if (budget.floor.empty() && budget.maxMicroseconds == 0) {
      out << "— | — | — | none, for information | — |\n";
      continue;
    }
    if (budget.floor.empty()) {
      const bool met = operation->second <= budget.maxMicroseconds;
      out << "— | — | — | under " << shown(budget.maxMicroseconds) << " | " << (met ? "yes" : "NO")
          << " |\n";
      continue;
    }
    const auto floor = medians.find(budget.floor);
    if (floor == medians.end()) continue;
    const double ratio = operation->second / floor->second;
    if (budget.maxRatio == 0) {
      out << budget.floor << " | " << shown(floor->second) << " | " << std::fixed
          << std::setprecision(2) << ratio << " | none, for information | — |\n";
      continue;
    }
    out << budget.floor << " | " << shown(floor->second) << " | " << std::fixed
        << std::setprecision(2) << ratio << " | within " << budget.maxRatio << "x | "
        << (ratio <= budget.maxRatio ? "yes" : "NO") << " |\n";
  }
  out << "\n" << notes;
}

}  // namespace zelbor::bench
