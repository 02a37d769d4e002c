// The terminal under a storm: three classic holdings views (two in sync group 1, one in
// group 2) and a dividend view, over the simulated broker, driven only through what a
// person and the broker do. Each account holds stocks and earns dividends that no other
// account has, and each has ratios of its own, so that anything shown under the wrong
// account is seen as such.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "module_fixture.h"
#include "storm_events.h"

namespace storm {

// Where a storm failed: the index of the event after which an invariant broke, and why.
struct Failure {
  std::size_t index = 0;
  std::string what;
};

class StormTest : public moduletest::ModuleTest {
 protected:
  // Runs the events on a fresh scene, checking at every quiet point and, at the end,
  // that closing the views leaves no window, GDI object or device context behind.
  std::optional<Failure> Run(const std::vector<Event>& events);
  // The shortest sub-list found that still fails (delta debugging), within a budget of
  // runs.
  std::vector<Event> Shrink(const std::vector<Event>& events, const Failure& failure);

 private:
  void Build();
  void OpenViews();
  // Closes the views; what they left behind, or empty.
  std::string Close();
  void Apply(const Event& e);
  void ApplyUser(const Event& e);
  void ApplyBroker(const Event& e);
  // Empty when every invariant holds.
  std::string Check();
  std::string CheckHoldings(int index);
  std::string CheckDividends();
  std::string CheckOrders();

  JqzOrderBaseView* View(std::uint32_t pick) const;
  JqzOrderBaseView* HoldingsView(std::uint32_t pick) const;
  // The account number the view's selector shows; empty when none.
  std::string ShownAccount(const JqzOrderBaseView* view) const;
  // The view that a person last worked in, and the account it showed then.
  void Acting(const JqzOrderBaseView* view);

  host::BrokerData data_;
  std::vector<JqzOrderBaseView*> views_;  // three holdings views, then the dividend view
  // What each account (by number) was ever given: codes held, dividend names, ratios.
  std::map<std::string, std::set<std::string>> codes_;
  std::map<std::string, std::set<std::string>> dividendNames_;
  std::map<std::string, std::set<std::string>> ratios_;
  std::set<int> hidden_;
  // Orders: each needs a confirmation of its own, given in a view that showed its account.
  std::vector<std::string> confirmed_;  // accounts, in order
  std::string actingAccount_;
  std::size_t ordersSeen_ = 0;
  std::uint64_t lastQuery_ = 0;  // virtual time of the last query sent
  unsigned confirmAnswers_ = 0;
  // Counts before the views were made, for the leak check.
  std::size_t windows0_ = 0, gdi0_ = 0, dcs0_ = 0;
  bool built_ = false;
};

}  // namespace storm
