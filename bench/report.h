#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace zelbor::bench {

// What one benchmark is held to: a ratio to its floor measured in the same run, or a time. A row
// with neither is shown for information.
struct Budget {
  std::string operation;
  std::string floor;           // empty: an absolute budget, or none
  double maxRatio = 0;         // with a floor; 0 for no budget
  double maxMicroseconds = 0;  // without one; 0 for no budget
};

// Prints as the console reporter does and keeps the median of every benchmark, in microseconds.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  MedianReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override;
  const std::map<std::string, double>& medians() const { return medians_; }

 private:
  std::map<std::string, double> medians_;
};

// Writes the table of medians, floors, ratios and budgets as Markdown, then `notes`.
void writeReport(const std::string& path, const std::vector<Budget>& budgets,
                 const std::map<std::string, double>& medians, const std::string& command,
                 const std::string& notes);

}  // namespace zelbor::bench
