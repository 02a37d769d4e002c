#include "run_summary.h"

#include <fstream>
#include <sstream>

namespace qzhost {

using nlohmann::json;

namespace {

std::string Text(const json& event, const char* key) {
  auto it = event.find(key);
  return it != event.end() && it->is_string() ? it->get<std::string>() : std::string();
}

// Actions inside a dialog's answer run as steps too, but the script's steps are what ran.
bool IsScriptStep(const std::string& path) { return path.find("/actions/") == std::string::npos; }

}  // namespace

std::vector<json> ReadTranscript(const std::string& path) {
  std::vector<json> events;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    json event = json::parse(line, nullptr, false);
    if (event.is_object()) events.push_back(std::move(event));
  }
  return events;
}

RunSummary Summarise(const std::string& scenario, const std::vector<json>& events) {
  RunSummary s;
  s.scenario = scenario;
  for (const json& e : events) {
    const std::string kind = Text(e, "event");
    if (kind == "viewCreated") {
      s.views.emplace_back(Text(e, "view"), Text(e, "class"));
    } else if (kind == "step") {
      if (IsScriptStep(Text(e, "step"))) ++s.steps;
    } else if (kind == "expect") {
      if (IsScriptStep(Text(e, "step"))) ++s.steps;
      if (e.value("ok", false)) ++s.expectsPassed;
    } else if (kind == "expectFailed") {
      s.expectFailures.push_back(Text(e, "step") + ": " + Text(e, "what"));
    } else if (kind == "order") {
      ++(e.value("accepted", false) ? s.ordersAccepted : s.ordersRefused);
    } else if (kind == "dump" || kind == "snapshot" || kind == "export" || kind == "print") {
      s.files.push_back({kind, Text(e, "file"), e.value("written", true)});
    }
  }
  return s;
}

std::string FormatSummary(const RunSummary& s, const std::string& outDir) {
  std::ostringstream o;
  o << "qzhost: " << s.scenario << "\n";
  o << "  views:   ";
  if (s.views.empty()) o << "none";
  for (size_t i = 0; i < s.views.size(); ++i) {
    o << (i ? ", " : "") << s.views[i].first << " (" << s.views[i].second << ")";
  }
  o << "\n";
  o << "  steps:   " << s.steps << " run\n";
  o << "  expect:  " << s.expectsPassed << " passed, " << s.expectFailures.size() << " failed\n";
  for (const auto& f : s.expectFailures) o << "           FAILED " << f << "\n";
  o << "  orders:  " << s.ordersAccepted + s.ordersRefused << " sent";
  if (s.ordersRefused) o << " (" << s.ordersRefused << " refused)";
  o << "\n";
  o << "  files:\n";
  for (const auto& f : s.files) {
    o << "    " << f.kind << std::string(f.kind.size() < 11 ? 11 - f.kind.size() : 1, ' ') << outDir << "/"
      << f.name << (f.written ? "" : "  (not written)") << "\n";
  }
  o << "    transcript " << outDir << "/transcript.jsonl\n";
  o << "    report     " << outDir << "/report.html\n";
  return o.str();
}

}  // namespace qzhost
