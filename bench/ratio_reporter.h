// Runs the benchmarks and prints ratios between their CPU times after the table: on a machine
// shared with other work the wall time also counts the waits for a processor.
//
// A ratio compares the least CPU time of each benchmark's repetitions. Other work on the
// machine only ever adds time, so the least disturbed repetition is the truest; the
// repetitions of all benchmarks run interleaved, so both sides of a ratio meet the same
// moments of the machine.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace benchscene {

// benchmark::Initialize with five interleaved repetitions unless the command line says
// otherwise (a later flag wins).
inline void Initialize(int* argc, char** argv) {
  static std::vector<char*> args;
  static char repetitions[] = "--benchmark_repetitions=5";
  static char interleaving[] = "--benchmark_enable_random_interleaving=true";
  args.assign(argv, argv + *argc);
  args.insert(args.begin() + (args.empty() ? 0 : 1), {repetitions, interleaving});
  args.push_back(nullptr);
  int count = static_cast<int>(args.size()) - 1;
  benchmark::Initialize(&count, args.data());
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      auto [it, added] = times_.emplace(run.benchmark_name(), run.GetAdjustedCPUTime());
      if (!added) it->second = std::min(it->second, run.GetAdjustedCPUTime());
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // Least CPU time per iteration of a benchmark's repetitions, by its name; 0 when it did not run.
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
