// Runs a scenario: the terminal's frame and views on the virtual clock, the steps, and the
// transcript, dumps and snapshots in the output folder.
#pragma once

#include <string>
#include <vector>

#include "scenario.h"

namespace qzhost {

struct RunResult {
  // 0 all well, 2 the module did not load, 3 an expect failed, 4 an output or the
  // settings could not be written
  int exitCode = 0;
  std::vector<std::string> failures;  // one line per failure, naming its step or file
};

// dataDir holds lang/zh-TW.lang.
RunResult RunScenario(const Scenario& scenario, const std::string& outDir, const std::string& dataDir);

}  // namespace qzhost
