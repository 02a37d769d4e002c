// Runs the benchmarks and prints ratios between their CPU times after the table: on a machine
// shared with other work the wall time also counts the waits for a processor.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace benchscene {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  // CPU time per iteration of a run by its name; 0 when it did not run.
  double Time(const char* name) const {
    auto it = times_.find(name);
    return it == times_.end() ? 0.0 : it->second;
  }
  // One line: a / b beside its target, when both ran.
  void Ratio(const char* what, const char* a, const char* b, double target) const {
    if (Time(a) > 0 && Time(b) > 0)
      std::printf("%-44s %6.2f  (target at most %.0f)\n", what, Time(a) / Time(b), target);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace benchscene
