// A scenario: everything qzhost needs for one run, read from a UTF-8 JSON file. Texts
// are already converted to CP950; the steps keep their JSON (UTF-8) and are checked for
// shape at load, so a bad scenario fails before anything is written.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/broker.h"

namespace qzhost {

// A bad scenario: the file, the JSON path (e.g. /broker/accounts/1/kind) and what is wrong.
class ScenarioError : public std::runtime_error {
 public:
  ScenarioError(const std::string& file, const std::string& path, const std::string& reason)
      : std::runtime_error(file + ": " + (path.empty() ? "/" : path) + ": " + reason) {}
};

struct ViewSetup {
  std::string name;       // how steps name the view
  std::string className;  // runtime class
  std::string layout;     // CP950
  std::string title;      // CP950
  BYTE syncGroup = 0;
  bool selectAccount = true;
  int width = 960;
  int height = 480;
};

struct Step {
  std::string kind;  // the "do" member
  std::string path;  // JSON path of the step, for messages
  nlohmann::json json;
};

struct Scenario {
  std::string file;
  SYSTEMTIME start{};
  std::string module;  // library file name; empty: the terminal's own views only
  std::map<std::string, std::map<std::string, std::string>> orderCfg;  // CP950
  std::map<std::string, std::string> language;  // key -> UTF-8 text
  host::BrokerData broker;
  std::vector<ViewSetup> views;
  std::vector<Step> steps;
};

// Scenario files larger than this are refused.
inline constexpr long long kMaxScenarioBytes = 64ll << 20;

// Throws ScenarioError: also for a file that is not a regular file or is too large.
Scenario LoadScenario(const std::string& file);
Scenario ParseScenario(const std::string& utf8, const std::string& file);

// The answer a "result" names (IDOK, ..., "default" for the default button, or a number);
// none for an unknown name.
std::optional<int> ResultCode(const nlohmann::json& j);
// The virtual key a "key" names (VK_RETURN, ..., a letter, a digit or a number 1 to 255);
// 0 for an unknown name.
UINT KeyCode(const nlohmann::json& j);

// The steps a scenario may hold.
const std::vector<std::string>& StepKinds();

}  // namespace qzhost
