// Runs a scenario: the terminal's frame and views on the virtual clock, the steps, and the
// transcript, dumps and snapshots in the output folder.
#pragma once

#include <string>
#include <vector>

#include "scenario.h"

namespace qzhost {

struct RunResult {
  int exitCode = 0;                   // 0 all well, 2 the module did not load, 3 an expect failed
  std::vector<std::string> failures;  // one line per failed expect step, or the load error
};

// dataDir holds lang/zh-TW.lang.
RunResult RunScenario(const Scenario& scenario, const std::string& outDir, const std::string& dataDir);

}  // namespace qzhost
