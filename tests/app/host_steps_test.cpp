// What the host does to views, caused from a scenario: restoring a view again, hiding and
// showing it, sending it messages, minimising and restoring the frame, a dialog that fails
// to create, the follow flag, and the back-end's stated totals.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "qzhost_process.h"

namespace {

using nlohmann::json;
using qztest::U8;

class HostStepsTest : public qztest::QzhostProcessTest {
 protected:
  // The demo's broker, module and views with other steps.
  json Demo(json steps) {
    std::ifstream in(QZ_DEMO_SCENARIO, std::ios::binary);
    json s = json::parse(in);
    s["steps"] = std::move(steps);
    return s;
  }
  std::vector<json> Run(const json& scenario, int status = 0) {
    std::string file = Write("s.json", scenario.dump());
    out_ = dir_ / "out";
    qztest::Outcome o = Qzhost("run " + file + " --out " + out_.string());
    EXPECT_EQ(o.status, status) << o.output;
    std::vector<json> events;
    std::istringstream lines(Read(out_ / "transcript.jsonl"));
    std::string line;
    while (std::getline(lines, line)) events.push_back(json::parse(line));
    return events;
  }
  static std::vector<json> All(const std::vector<json>& events, const std::string& kind) {
    std::vector<json> found;
    for (const auto& e : events) {
      if (e["event"] == kind) found.push_back(e);
    }
    return found;
  }
  json Dump(const std::string& name) { return json::parse(Read(out_ / (name + ".json"))); }
  static json Child(const json& window, int id) {
    if (window.value("id", -1) == id) return window;
    for (const auto& c : window.value("children", json::array())) {
      json found = Child(c, id);
      if (!found.is_null()) return found;
    }
    return nullptr;
  }
  std::filesystem::path out_;
};

TEST_F(HostStepsTest, AHiddenViewAndItsDialogReportNotVisibleUntilShown) {
  auto events = Run(Demo({{{"do", "login"}},
                          {{"do", "wait"}, {"ms", 2500}},
                          {{"do", "hide"}, {"view", "second"}},
                          {{"do", "dump"}, {"view", "second"}, {"name", "hidden"}},
                          {{"do", "show"}, {"view", "second"}},
                          {{"do", "dump"}, {"view", "second"}, {"name", "shown"}}}));
  json hidden = Dump("hidden"), shown = Dump("shown");
  EXPECT_FALSE(hidden["visible"]);
  EXPECT_FALSE(Child(hidden, 2054)["visible"]) << "the dialog's list is inside the hidden pane";
  EXPECT_TRUE(shown["visible"]);
  EXPECT_TRUE(Child(shown, 2054)["visible"]);
  EXPECT_EQ(All(events, "viewHidden").size(), 1u);
  EXPECT_EQ(All(events, "viewShown").size(), 1u);
}

TEST_F(HostStepsTest, QueriesNameTheViewWhoseDialogAsked) {
  auto events = Run(Demo({{{"do", "login"}},
                          {{"do", "wait"}, {"ms", 2500}},
                          {{"do", "click"}, {"view", "second"}, {"control", 2162}},
                          {{"do", "wait"}, {"ms", 500}}}));
  std::set<std::string> views;
  for (const auto& q : All(events, "query")) views.insert(q.value("view", "?"));
  EXPECT_EQ(views, (std::set<std::string>{"holdings", "second", "dividend"}));
  // The refresh button's query is the second view's.
  auto steps = All(events, "step");
  size_t click = 0;
  for (size_t i = 0; i < events.size(); ++i) {
    if (events[i]["event"] == "step" && events[i]["do"] == "click") click = i;
  }
  ASSERT_GT(click, 0u);
  size_t next = click;
  while (next < events.size() && events[next]["event"] != "query") ++next;
  ASSERT_LT(next, events.size());
  EXPECT_EQ(events[next]["view"], "second");
}

TEST_F(HostStepsTest, ASentAccountChangeMakesTheViewFollowTheNamedSender) {
  // The holdings views move to the second account; the dividend view (group 3) hears of it
  // only from the message sent on its group with the holdings view as the sender.
  auto events = Run(Demo({{{"do", "login"}},
                          {{"do", "wait"}, {"ms", 2500}},
                          {{"do", "choose"}, {"view", "holdings"}, {"control", 2183}, {"index", 1}},
                          {{"do", "wait"}, {"ms", 2500}},
                          {{"do", "dump"}, {"view", "dividend"}, {"name", "before"}},
                          {{"do", "send"}, {"view", "dividend"}, {"message", "QZMSG_SENDCHANGEACCOUNT"},
                           {"wParam", 3}, {"lParam", {{"view", "holdings"}}}},
                          {{"do", "send"}, {"view", "dividend"}, {"message", "0x0480"}, {"wParam", 1189},
                           {"lParam", {{"firstKey", "9A95"}, {"account", "0654321"}, {"kind", 65}}}},
                          {{"do", "wait"}, {"ms", 500}},
                          {{"do", "dump"}, {"view", "dividend"}, {"name", "after"}}}));
  json before = Child(Dump("before"), 2183), after = Child(Dump("after"), 2183);
  ASSERT_FALSE(before.is_null());
  EXPECT_EQ(before["selected"], 0);
  EXPECT_EQ(after["selected"], 1);
  EXPECT_EQ(All(events, "sent").size(), 2u);
}

TEST_F(HostStepsTest, TheFrameShowsEachShowStateChangeAndDumpsCarryIt) {
  auto events = Run(Demo({{{"do", "minimize"}},
                          {{"do", "dump"}, {"view", "holdings"}, {"name", "minimized"}},
                          {{"do", "restore"}, {"frame", true}},
                          {{"do", "dump"}, {"view", "holdings"}, {"name", "restored"}}}));
  std::vector<std::string> states;
  for (const auto& f : All(events, "frame")) states.push_back(f["state"]);
  EXPECT_EQ(states, (std::vector<std::string>{"normal", "minimized", "normal"}));
  EXPECT_EQ(Dump("minimized")["frame"], "minimized");
  EXPECT_EQ(Dump("restored")["frame"], "normal");
}

TEST_F(HostStepsTest, AViewRestoredAgainTakesItsNewTitleAndLayout) {
  auto events = Run(Demo({{{"do", "restore"}, {"view", "second"}, {"title", U8(u8"庫存二")}, {"layout", "L2"}},
                          {{"do", "login"}},
                          {{"do", "wait"}, {"ms", 2500}}}));
  auto restored = All(events, "viewRestored");
  ASSERT_EQ(restored.size(), 4u);
  EXPECT_EQ(restored[3]["view"], "second");
  EXPECT_EQ(restored[3]["title"], U8(u8"庫存二"));
  EXPECT_EQ(restored[3]["layout"], "L2");
  // It saves itself into the layout it was last restored from.
  bool saved = false;
  for (const auto& s : All(events, "viewSaved")) saved = saved || (s["view"] == "second" && s["layout"] == "L2");
  EXPECT_TRUE(saved);
}

TEST_F(HostStepsTest, OnlyTheNextCreationOfTheTemplateFails) {
  json s = {{"module", QZ_PROBE_MODULE},
            {"views", {{{"name", "a"}, {"class", "QzProbeView"}, {"width", 400}, {"height", 200}}}},
            {"steps",
             {{{"do", "failCreate"}, {"template", 8119}},
              {{"do", "click"}, {"view", "a"}, {"control", 100}},
              {{"do", "click"}, {"view", "a"}, {"control", 100}}}}};
  auto events = Run(s);
  int refused = 0;
  for (const auto& e : All(events, "log")) refused += e["text"].get<std::string>().find("probe tip") != std::string::npos;
  EXPECT_EQ(refused, 1);
  EXPECT_EQ(All(events, "tip").size(), 1u) << "the second click creates the tip";
}

TEST_F(HostStepsTest, AViewOutsideAnyGroupFollowsOnlyWithItsFollowFlag) {
  json s = Demo({{{"do", "login"}},
                 {{"do", "wait"}, {"ms", 2500}},
                 {{"do", "choose"}, {"view", "lead"}, {"control", 2183}, {"index", 2}},
                 {{"do", "wait"}, {"ms", 2500}},
                 {{"do", "dump"}, {"view", "follower"}, {"name", "follower"}},
                 {{"do", "dump"}, {"view", "loner"}, {"name", "loner"}}});
  json view = {{"class", "JqzStockDividendCalcView"}, {"syncGroup", 0}, {"width", 1000}, {"height", 300}};
  json lead = view, follower = view, loner = view;
  lead["name"] = "lead";
  follower["name"] = "follower";
  follower["followAccount"] = true;
  loner["name"] = "loner";
  loner["followAccount"] = false;
  s["views"] = {lead, follower, loner};
  Run(s);
  EXPECT_EQ(Child(Dump("follower"), 2183)["selected"], 2);
  EXPECT_EQ(Child(Dump("loner"), 2183)["selected"], 0);
}

TEST_F(HostStepsTest, StatedDividendTotalsAndEmptyAnswersReachTheView) {
  json s = Demo({{{"do", "login"}}, {{"do", "wait"}, {"ms", 2500}}, {{"do", "dump"}, {"view", "dividend"}, {"name", "d"}}});
  s["broker"]["accounts"][0]["dividends"] = json::array();
  s["broker"]["accounts"][0]["dividendCashTotal"] = 1234;
  Run(s);
  json d = Dump("d");
  EXPECT_EQ(Child(d, 2719)["text"], "$ 1,234");
}

TEST_F(HostStepsTest, NewStepsAreCheckedAtLoad) {
  struct Case {
    json step;
    std::string where;
  };
  std::vector<Case> cases = {
      {{{"do", "restore"}}, "/steps/0: a \"restore\" step restores either a view or the frame"},
      {{{"do", "restore"}, {"view", "holdings"}, {"frame", true}}, "/steps/0: a \"restore\" step"},
      {{{"do", "hide"}, {"view", "nobody"}}, "/steps/0/view: no view named \"nobody\""},
      {{{"do", "send"}, {"view", "holdings"}, {"message", "0x12345"}}, "/steps/0/message: expected a hexadecimal"},
      {{{"do", "send"}, {"view", "holdings"}, {"message", 1}, {"lParam", {{"view", "x"}}}},
       "/steps/0/lParam/view: no view named \"x\""},
      {{{"do", "send"}, {"view", "holdings"}, {"message", 1}, {"lParam", {{"account", "1"}}}},
       "/steps/0/lParam/firstKey: missing"},
      {{{"do", "failCreate"}, {"template", "28233"}}, "/steps/0/template: expected an integer"},
      {{{"do", "dragDivider"}, {"control", 2054}, {"item", 0}}, "/steps/0/dx: missing"},
      {{{"do", "refuseOrderList"}, {"times", 0}}, "/steps/0/times: out of range"},
  };
  for (const auto& c : cases) {
    std::string file = Write("bad.json", Demo({c.step}).dump());
    qztest::Outcome o = Qzhost("run " + file + " --out " + (dir_ / "bad").string());
    EXPECT_EQ(o.status, 2) << c.step.dump() << "\n" << o.output;
    EXPECT_NE(o.output.find("bad.json: " + c.where), std::string::npos) << c.step.dump() << "\n" << o.output;
  }
}

TEST_F(HostStepsTest, DividerStepsDragAndDoubleClickAListsHeader) {
  json s = {{"views", {{{"name", "t"}, {"class", "QzTestView"}, {"width", 800}, {"height", 300}}}},
            {"steps",
             {{{"do", "dump"}, {"name", "before"}},
              {{"do", "dragDivider"}, {"control", 2000}, {"item", 0}, {"dx", 25}},
              {{"do", "dump"}, {"name", "after"}}}}};
  Run(s);
  int before = Child(Dump("before"), 2000)["columns"][0]["width"];
  int after = Child(Dump("after"), 2000)["columns"][0]["width"];
  EXPECT_EQ(after, before + 25);
  EXPECT_EQ(Child(Dump("after"), 2000)["topIndex"], 0);
}

}  // namespace
