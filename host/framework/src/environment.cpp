#include "host/environment.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace host {
namespace {

struct State {
  std::string home;
  bool homeSet = false;
  LogSink sink;
  EventSink events;
  std::unique_ptr<LanguageTable> language;
  bool languageLoaded = false;
  bool languageExplicit = false;  // loaded by LoadLanguage, not from the home
  Services services;
  bool failNextPrint = false;
};

State& state() {
  static auto* s = new State;
  return *s;
}

std::string defaultHome() {
  const char* env = std::getenv("QZHOST_HOME");
  return env && *env ? env : ".";
}

LanguageTable& table() {
  State& s = state();
  if (!s.language)
    s.language = std::make_unique<LanguageTable>([](std::string_view m) { Log(m); });
  return *s.language;
}

}  // namespace

void SetHomeDirectory(const std::string& path) {
  State& s = state();
  s.home = path.empty() ? "." : path;
  s.homeSet = true;
  if (!s.languageExplicit) s.languageLoaded = false;
}

const std::string& HomeDirectory() {
  State& s = state();
  if (!s.homeSet) {
    s.home = defaultHome();
    s.homeSet = true;
  }
  return s.home;
}

std::string HomePath(std::string_view name) {
  std::string path = HomeDirectory();
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

void SetLogSink(LogSink sink) { state().sink = std::move(sink); }

void Log(std::string_view message) {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04u/%02u/%02u %02u:%02u:%02u.%03u ", t.wYear, t.wMonth,
                t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
  std::string line = stamp;
  line += message;
  if (std::FILE* f = std::fopen(HomePath("qzhost.log").c_str(), "ab")) {
    std::fputs(line.c_str(), f);
    std::fputc('\n', f);
    std::fclose(f);
  }
  if (state().sink) state().sink(line);
}

void SetEventSink(EventSink sink) { state().events = std::move(sink); }

void Notify(const HostEvent& event) {
  if (state().events) state().events(event);
}

void FailNextPrint() { state().failNextPrint = true; }

bool TakePrintFailure() {
  bool fail = state().failNextPrint;
  state().failNextPrint = false;
  return fail;
}

namespace {
LanguageLoadResult load(const std::string& path) {
  LanguageLoadResult result = table().Load(path);
  state().languageLoaded = true;
  for (const LanguageError& e : result.errors) Log(e.Describe());
  return result;
}
}  // namespace

LanguageLoadResult LoadLanguage(const std::string& path) {
  state().languageExplicit = true;
  return load(path);
}

const LanguageTable& Language() {
  if (!state().languageLoaded) load(HomePath("zh-TW.lang"));
  return table();
}

void SetServices(Services services) { state().services = std::move(services); }
const Services& GetServices() { return state().services; }

void ResetEnvironment() {
  State& s = state();
  s.homeSet = false;
  s.sink = nullptr;
  s.events = nullptr;
  s.language.reset();
  s.languageLoaded = false;
  s.languageExplicit = false;
  s.services = Services{};
  s.failNextPrint = false;
}

}  // namespace host
