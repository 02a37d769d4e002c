// A seeded storm of user actions and broker events over the terminal's views, with the
// invariants checked at every quiet point. QZ_STORM_EVENTS and QZ_STORM_SEED choose the
// storm (scripts/storm sets them), QZ_STORM_REPLAY a file of events as a failure lists
// them; a failure names the seed and the shortest event list
// found that still fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <sstream>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "storm_scene.h"

namespace storm {
namespace {

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

// Wall-clock seconds, for the report only (<chrono> cannot be compiled to CP950).
double Seconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

TEST_F(StormTest, ViewsShowOnlyTheirAccountsDataAndLeakNothing) {
  const std::uint64_t seed = FromEnvironment("QZ_STORM_SEED", 1);
  const std::size_t count = FromEnvironment("QZ_STORM_EVENTS", QZ_STORM_DEFAULT_EVENTS);
  std::vector<Event> events;
  if (const char* replay = std::getenv("QZ_STORM_REPLAY"); replay && *replay) {
    std::ifstream in(replay);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    ASSERT_TRUE(in && Parse(text.str(), &events, &error)) << replay << ": " << error;
  } else {
    events = Generate(seed, count);
  }
  const double started = Seconds();
  const std::optional<Failure> failure = Run(events);
  const double seconds = Seconds() - started;
  if (!failure) {
    std::printf("storm: seed %llu, %zu events passed in %.1f s\n",
                static_cast<unsigned long long>(seed), events.size(), seconds);
    return;
  }
  const std::vector<Event> shortest = Shrink(events, *failure);
  const std::optional<Failure> again = Run(shortest);
  std::ostringstream report;
  report << "storm seed " << seed << " of " << events.size() << " events failed after event "
         << failure->index << ": " << failure->what << "\nreproduce: scripts/storm --seed "
         << seed << " --events " << std::min(failure->index + 1, events.size()) << "\n";
  if (shortest.size() > 500) {
    report << "no list shorter than " << shortest.size()
           << " events was found within the shrink budget (QZ_STORM_SHRINK_EVENTS)\n";
  } else {
    report << "shortest list found (" << shortest.size() << " events; save it to a file for "
           << "scripts/storm --replay; it fails with: "
           << (again ? again->what : std::string("nothing, the failure depends on more"))
           << "):\n"
           << Describe(shortest);
  }
  FAIL() << report.str();
}

// Every event list a storm once failed with, shrunk, stays passing.
TEST_F(StormTest, KeptFailingListsPass) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(QZ_STORM_REGRESSIONS))
    if (entry.path().extension() == ".events") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty());
  for (const auto& file : files) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<Event> events;
    std::string error;
    ASSERT_TRUE(Parse(text.str(), &events, &error)) << file << ": " << error;
    const std::optional<Failure> failure = Run(events);
    EXPECT_FALSE(failure) << file << ": " << failure->what;
  }
}

// The shrinker: a failure that needs two far-apart events shrinks to those two, and a
// failure that needs a long run of events keeps all of them.
TEST(StormShrinkTest, KeepsOnlyTheEventsAFailureNeeds) {
  std::vector<Event> events = Generate(5, 300);
  for (Event& e : events)
    if (e.kind == Kind::kLogout || e.kind == Kind::kLogin) e.kind = Kind::kWait;
  events[20] = Event{Kind::kLogout, 1, 0, 0};
  events[250] = Event{Kind::kLogin, 2, 0, 0};
  auto logoutThenLogin = [](const std::vector<Event>& list) {
    auto out = std::find_if(list.begin(), list.end(),
                            [](const Event& e) { return e.kind == Kind::kLogout; });
    return std::any_of(out, list.end(), [](const Event& e) { return e.kind == Kind::kLogin; });
  };
  const std::vector<Event> shortest = ShrinkEvents(events, logoutThenLogin, 1000000);
  ASSERT_EQ(shortest.size(), 2u) << Describe(shortest);
  EXPECT_EQ(shortest[0].a, 1u);
  EXPECT_EQ(shortest[1].a, 2u);

  auto waits = [](const std::vector<Event>& list) {
    return std::count_if(list.begin(), list.end(),
                         [](const Event& e) { return e.kind == Kind::kWait; });
  };
  const auto all = waits(events);
  ASSERT_GT(all, 20);
  auto everyWait = [&](const std::vector<Event>& list) { return waits(list) == all; };
  EXPECT_EQ(ShrinkEvents(events, everyWait, 10000000).size(), static_cast<size_t>(all));
  // Out of budget, the list comes back as it was.
  EXPECT_EQ(ShrinkEvents(events, logoutThenLogin, 0).size(), events.size());
}

TEST(StormShrinkTest, TheSameSeedGivesTheSameStormEndingInAQuietPoint) {
  const std::vector<Event> a = Generate(42, 1000);
  ASSERT_EQ(a.size(), 1000u);
  EXPECT_EQ(Describe(a), Describe(Generate(42, 1000)));
  EXPECT_NE(Describe(a), Describe(Generate(43, 1000)));
  EXPECT_EQ(a.back().kind, Kind::kQuiet);
  EXPECT_GT(std::count_if(a.begin(), a.end(), [](const Event& e) { return e.kind == Kind::kQuiet; }), 50);
}

}  // namespace
}  // namespace storm
