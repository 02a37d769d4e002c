// The events of a storm: what a person does to the terminal's views and what the broker
// does on its own. An event holds only small numbers; what they pick (a view, a row, an
// account) is resolved against the scene when it runs, so any sub-list of a storm is
// itself a storm that can run, which is what shrinking a failure needs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace storm {

enum class Kind {
  // A person.
  kChooseAccount,   // view, entry
  kClickRefresh,    // view
  kClickCell,       // view, row, column
  kDoubleClickCell, // view, row, column
  kTypeCode,        // view, code
  kPressKey,        // view, key
  kTurnWheel,       // view, notches
  kResize,          // width, height of the frame
  kHideShow,        // view
  kHeader,          // view, column, how: click (sorts), drag or double-click the divider
  kChooseDividend,  // combo (type or interval), entry
  kClickDividendMode,  // which radio button
  kClickQuery,      // the dividend view's query button
  // The broker.
  kWait,            // milliseconds
  kFailNext,        // account, which query
  kClear,           // account
  kQueryElsewhere,  // account, which query: another window of the terminal asks
  kQuoteChange,     // symbol, price step
  kHoldingsChange,  // account, what changes
  kRatioChange,     // account, new ratio
  kLogout,
  kLogin,
  // Everything due delivered, then the invariants.
  kQuiet,
  kCount
};

struct Event {
  Kind kind = Kind::kQuiet;
  std::uint32_t a = 0;
  std::uint32_t b = 0;
  std::uint32_t c = 0;
};

// The storm of a seed: n events, a quiet point among them every few events and one at
// the end. The same seed always gives the same storm.
std::vector<Event> Generate(std::uint64_t seed, std::size_t n);

// One line per event, e.g. "ChooseAccount a=2 b=1 c=0".
std::string Describe(const Event& event);
std::string Describe(const std::vector<Event>& events);

// Reads a list back from Describe's lines (blank lines and '#' comments skipped); false,
// with the line in error, when a line is not an event.
bool Parse(const std::string& text, std::vector<Event>* events, std::string* error);

// The shortest sub-list of events found for which fails() still holds, by delta
// debugging (short tails first, then ever smaller chunks left out), trying lists of at
// most budget events in all. Gives events back unchanged when nothing shorter fails.
std::vector<Event> ShrinkEvents(std::vector<Event> events,
                                const std::function<bool(const std::vector<Event>&)>& fails,
                                long long budget);

}  // namespace storm
