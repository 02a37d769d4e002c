// What a run did, read back from its transcript: the short summary the terminal prints at
// the end of every run.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace qzhost {

struct RunSummary {
  struct File {
    std::string kind;  // snapshot, dump, export, print
    std::string name;  // relative to the output folder
    bool written = true;
  };
  std::string scenario;
  std::vector<std::pair<std::string, std::string>> views;  // name, class
  int steps = 0;
  int expectsPassed = 0;
  std::vector<std::string> expectFailures;  // "step: what"
  int ordersAccepted = 0;
  int ordersRefused = 0;
  std::vector<File> files;
};

// The transcript's events, one JSON object a line; a line that is not JSON is skipped.
std::vector<nlohmann::json> ReadTranscript(const std::string& path);

RunSummary Summarise(const std::string& scenario, const std::vector<nlohmann::json>& events);

// Plain text for standard output; paths are shown under outDir.
std::string FormatSummary(const RunSummary& summary, const std::string& outDir);

}  // namespace qzhost
