// The terminal's scenario loader over arbitrary bytes: a bad scenario must end in a
// ScenarioError (exit 2 with its JSON path), never in any other exception or a crash.
#include "fuzz_support.h"
#include "scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    qzhost::ParseScenario(text, "fuzz.json");
  } catch (const qzhost::ScenarioError&) {
  }
  return 0;
}
