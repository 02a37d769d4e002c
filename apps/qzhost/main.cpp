// qzhost: the stand-in terminal. `qzhost demo [--out DIR]` runs the bundled demo,
// `qzhost run SCENARIO [--out DIR]` any scenario. Exit status: 0 all went well, 1 wrong
// usage or an output folder that cannot be made, 2 a bad scenario or a module that
// cannot load, 3 an expect step failed, 4 an output or a setting could not be written.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "demo_scenario.h"
#include "runner.h"
#include "scenario.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: qzhost demo [--out DIR]\n"
               "       qzhost run SCENARIO.json [--out DIR]\n");
  return 1;
}

// The language table and the demo live beside the program when installed, else in the
// source tree it was built from.
std::string DataDir(const char* argv0) {
  if (const char* env = std::getenv("QZHOST_DATA")) return env;
  std::error_code ec;
  auto exe = std::filesystem::canonical(std::filesystem::path(argv0), ec);
  if (!ec) {
    auto beside = exe.parent_path().parent_path() / "share" / "qzhost";
    if (std::filesystem::exists(beside / "lang" / "zh-TW.lang", ec)) return beside.string();
  }
  return QZHOST_SOURCE_DATA;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  std::string command = argv[1];
  std::string file;
  std::string out;
  int i = 2;
  if (command == "run") {
    if (argc < 3) return Usage();
    file = argv[2];
    i = 3;
  } else if (command != "demo") {
    return Usage();
  }
  for (; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--out" && i + 1 < argc) {
      out = argv[++i];
    } else {
      return Usage();
    }
  }

  qzhost::Scenario scenario;
  try {
    scenario = command == "demo" ? qzhost::ParseScenario(qzhost::DemoScenarioText(), "data/demo/scenario.json")
                                 : qzhost::LoadScenario(file);
  } catch (const qzhost::ScenarioError& e) {
    std::fprintf(stderr, "qzhost: %s\n", e.what());
    return 2;
  }

  std::error_code ec;
  if (out.empty()) {
    std::string templ = (std::filesystem::temp_directory_path(ec) / "qzhost-XXXXXX").string();
    if (!mkdtemp(templ.data())) {
      std::fprintf(stderr, "qzhost: cannot make an output folder under %s\n", templ.c_str());
      return 1;
    }
    out = templ;
  } else {
    std::filesystem::create_directories(out, ec);
    if (ec) {
      std::fprintf(stderr, "qzhost: %s: cannot make the output folder: %s\n", out.c_str(), ec.message().c_str());
      return 1;
    }
  }

  qzhost::RunResult result = qzhost::RunScenario(scenario, out, DataDir(argv[0]));
  for (const auto& line : result.failures) std::fprintf(stderr, "qzhost: %s\n", line.c_str());
  std::printf("%s\n", out.c_str());
  return result.exitCode;
}
