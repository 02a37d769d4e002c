#include "storm_events.h"

#include <algorithm>
#include <cstdlib>
#include <random>
#include <sstream>

namespace storm {
namespace {

// How often each kind comes, out of the sum; quiet points are inserted separately.
struct Weight {
  Kind kind;
  unsigned weight;
};
constexpr Weight kWeights[] = {
    {Kind::kChooseAccount, 10}, {Kind::kClickRefresh, 6},   {Kind::kClickCell, 8},
    {Kind::kDoubleClickCell, 3}, {Kind::kTypeCode, 3},      {Kind::kPressKey, 6},
    {Kind::kTurnWheel, 4},       {Kind::kResize, 3},        {Kind::kHideShow, 3},
    {Kind::kHeader, 4},
    {Kind::kChooseDividend, 4},  {Kind::kClickDividendMode, 3}, {Kind::kClickQuery, 4},
    {Kind::kWait, 12},           {Kind::kFailNext, 6},      {Kind::kClear, 3},
    {Kind::kQueryElsewhere, 6},  {Kind::kQuoteChange, 6},   {Kind::kHoldingsChange, 6},
    {Kind::kRatioChange, 3},     {Kind::kLogout, 1},        {Kind::kLogin, 2},
};

const char* Name(Kind kind) {
  switch (kind) {
    case Kind::kChooseAccount: return "ChooseAccount";
    case Kind::kClickRefresh: return "ClickRefresh";
    case Kind::kClickCell: return "ClickCell";
    case Kind::kDoubleClickCell: return "DoubleClickCell";
    case Kind::kTypeCode: return "TypeCode";
    case Kind::kPressKey: return "PressKey";
    case Kind::kTurnWheel: return "TurnWheel";
    case Kind::kResize: return "Resize";
    case Kind::kHideShow: return "HideShow";
    case Kind::kHeader: return "Header";
    case Kind::kChooseDividend: return "ChooseDividend";
    case Kind::kClickDividendMode: return "ClickDividendMode";
    case Kind::kClickQuery: return "ClickQuery";
    case Kind::kWait: return "Wait";
    case Kind::kFailNext: return "FailNext";
    case Kind::kClear: return "Clear";
    case Kind::kQueryElsewhere: return "QueryElsewhere";
    case Kind::kQuoteChange: return "QuoteChange";
    case Kind::kHoldingsChange: return "HoldingsChange";
    case Kind::kRatioChange: return "RatioChange";
    case Kind::kLogout: return "Logout";
    case Kind::kLogin: return "Login";
    case Kind::kQuiet: return "Quiet";
    case Kind::kCount: break;
  }
  return "?";
}

}  // namespace

std::vector<Event> Generate(std::uint64_t seed, std::size_t n) {
  std::mt19937_64 random(seed);
  unsigned total = 0;
  for (const Weight& w : kWeights) total += w.weight;
  std::vector<Event> events;
  events.reserve(n);
  while (events.size() + 1 < n) {
    Event e;
    if (random() % 8 == 0) {
      e.kind = Kind::kQuiet;
    } else {
      unsigned pick = static_cast<unsigned>(random() % total);
      for (const Weight& w : kWeights) {
        if (pick < w.weight) {
          e.kind = w.kind;
          break;
        }
        pick -= w.weight;
      }
    }
    e.a = static_cast<std::uint32_t>(random());
    e.b = static_cast<std::uint32_t>(random());
    e.c = static_cast<std::uint32_t>(random());
    events.push_back(e);
  }
  if (n > 0) events.push_back(Event{Kind::kQuiet, 0, 0, 0});
  return events;
}

std::string Describe(const Event& event) {
  return std::string(Name(event.kind)) + " a=" + std::to_string(event.a) +
         " b=" + std::to_string(event.b) + " c=" + std::to_string(event.c);
}

std::string Describe(const std::vector<Event>& events) {
  std::string text;
  for (const Event& e : events) text += "  " + Describe(e) + "\n";
  return text;
}

bool Parse(const std::string& text, std::vector<Event>* events, std::string* error) {
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') continue;
    std::istringstream fields(line.substr(first));
    std::string name;
    Event e;
    char eq = 0;
    std::string a, b, c;
    fields >> name >> a >> b >> c;
    bool known = false;
    for (int k = 0; k < static_cast<int>(Kind::kCount); ++k) {
      if (name == Name(static_cast<Kind>(k))) {
        e.kind = static_cast<Kind>(k);
        known = true;
      }
    }
    auto number = [](const std::string& field, const char* prefix, std::uint32_t* out) {
      if (field.rfind(prefix, 0) != 0 || field.size() <= 2) return false;
      char* end = nullptr;
      const unsigned long v = std::strtoul(field.c_str() + 2, &end, 10);
      if (*end || v > UINT32_MAX) return false;
      *out = static_cast<std::uint32_t>(v);
      return true;
    };
    (void)eq;
    if (!known || !number(a, "a=", &e.a) || !number(b, "b=", &e.b) || !number(c, "c=", &e.c)) {
      *error = "not an event: " + line;
      return false;
    }
    events->push_back(e);
  }
  return true;
}

std::vector<Event> ShrinkEvents(std::vector<Event> events,
                                const std::function<bool(const std::vector<Event>&)>& fails,
                                long long budget) {
  auto tryRun = [&](const std::vector<Event>& list) {
    budget -= static_cast<long long>(list.size());
    return budget >= 0 && fails(list);
  };
  // Most failures need only the last few events: short tails first.
  for (size_t length = 8; length < events.size(); length *= 2) {
    std::vector<Event> tail(events.end() - static_cast<long>(length), events.end());
    if (tryRun(tail)) {
      events = std::move(tail);
      break;
    }
  }
  // Then leave out ever smaller chunks while it still fails.
  size_t parts = 2;
  while (events.size() >= 2 && budget > 0) {
    const size_t chunk = (events.size() + parts - 1) / parts;
    bool reduced = false;
    for (size_t start = 0; start < events.size(); start += chunk) {
      std::vector<Event> rest(events.begin(), events.begin() + static_cast<long>(start));
      rest.insert(rest.end(),
                  events.begin() + static_cast<long>(std::min(start + chunk, events.size())),
                  events.end());
      if (tryRun(rest)) {
        events = std::move(rest);
        parts = std::max<size_t>(parts - 1, 2);
        reduced = true;
        break;
      }
    }
    if (!reduced) {
      if (parts >= events.size()) break;
      parts = std::min(events.size(), parts * 2);
    }
  }
  return events;
}

}  // namespace storm
