// The stand-in's environment: the host's home directory, its log, its language
// table and the services the back-end or the terminal plugs in (accounts, quotes).
// Plain modern C++; the module never includes this.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "AccountType.h"
#include "host/language_table.h"

namespace host {

// The directory that holds OrderCfg.ini, the layouts, the log and the language file.
// Defaults to $QZHOST_HOME, else the current directory. Setting it drops a language
// table that was loaded lazily from the old home.
void SetHomeDirectory(const std::string& path);
const std::string& HomeDirectory();
// home + "/" + name
std::string HomePath(std::string_view name);

// The log: one line per message in <home>/qzhost.log (CP950, time-stamped from the
// local clock); each line also reaches the sink when one is set (tests use it).
using LogSink = std::function<void(const std::string& line)>;
void SetLogSink(LogSink sink);
void Log(std::string_view message);

// What the host shows or writes that a person notices outside the windows' contents:
// a tip shown, a file exported or printed. The terminal records them; tests listen.
struct HostEvent {
  enum class Kind { kTip, kExport, kPrint };
  Kind kind = Kind::kTip;
  std::string text;   // a tip's text (CP950)
  int tipKind = -1;   // a base dialog's tip kind (0 waiting, 1 no data, 3 no answer); -1 other tips
  std::string file;   // the path of the file written; empty when none was
  bool written = true;  // false: the print or export was asked for and failed
  // What the caller passed (print and export): name and value as text (CP950).
  std::vector<std::pair<std::string, std::string>> args;
};
using EventSink = std::function<void(const HostEvent& event)>;
void SetEventSink(EventSink sink);
void Notify(const HostEvent& event);
// The next print fails as a printer that cannot be reached would (the terminal's
// failure path); taken by the print helper.
void FailNextPrint();
bool TakePrintFailure();

// The global language table. Load reads a file explicitly (tests load the bundled
// one); without a load, the first look-up reads <home>/zh-TW.lang. Load errors are
// logged and returned.
LanguageLoadResult LoadLanguage(const std::string& path);
const LanguageTable& Language();

// What the framework needs from the back-end. Unset services give no accounts and no
// quotes, so the framework still works alone.
struct Services {
  // Every account of the login, in the order the terminal lists them.
  std::function<std::vector<AccountType>()> accounts;
  // A quote-memory item of a symbol; false when the memory holds no such value.
  std::function<bool(BYTE market, const std::string& code, WORD item, double& value)> quote;
  // The name of a symbol in a market; empty when unknown.
  std::function<std::string(const std::string& code, BYTE market)> commodityName;
};
void SetServices(Services services);
const Services& GetServices();

// Restores the defaults above (home from the environment, no sinks, no services, no
// table); for tests.
void ResetEnvironment();

}  // namespace host
