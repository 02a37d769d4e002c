// qzhost run end to end: a small scenario with expect steps, its outputs and exit status,
// and bad scenarios refused with the file, the JSON path and the reason.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "qzhost_process.h"

namespace {

namespace fs = std::filesystem;

using qztest::Outcome;
using qztest::U8;

class QzhostTest : public qztest::QzhostProcessTest {};

const std::string kScenario = U8(u8R"json({
  "start": "2025-03-14T09:00:00",
  "broker": {
    "latencyMs": 300,
    "stocks": { "2330": { "boardLot": 1000 } },
    "quotes": [ { "market": 16, "code": "2330", "name": "台積電", "items": { "125": 580 } } ],
    "accounts": [
      { "brokerId": "9A95", "account": "0123456", "name": "林美玲", "kind": 65,
        "holdings": [ { "code": "2330", "cashYesterday": 2000, "cashToday": 2500 } ] }
    ]
  },
  "views": [ { "name": "v", "class": "QzTestView", "title": "庫存(股票)", "width": 800, "height": 300 } ],
  "steps": [
    { "do": "login" },
    { "do": "click", "view": "v", "control": 2212 },
    { "do": "wait", "ms": 299 },
    { "do": "expect", "view": "v", "control": 2000, "rowCount": 0 },
    { "do": "wait", "ms": 1 },
    { "do": "expect", "view": "v", "control": 2000, "rowCount": 1,
      "cell": { "row": 0, "column": 0, "text": "台積電(2330)" } },
    { "do": "wait", "ms": 200 },
    { "do": "expect", "view": "v", "control": 2000, "cell": { "row": 0, "column": 7, "text": "580.00" } },
    { "do": "clickCell", "view": "v", "control": 2000, "row": 0, "column": 0 },
    { "do": "answerMessageBox", "result": "IDNO" },
    { "do": "click", "view": "v", "control": 2412 },
    { "do": "expect", "noOrderSent": true },
    { "do": "answerMessageBox", "result": "IDYES" },
    { "do": "click", "view": "v", "control": 2412 },
    { "do": "expect", "orderSent": { "symbol": "2330", "side": "S", "quantity": 1, "accepted": true } },
    { "do": "wait", "ms": 300 },
    { "do": "dump", "name": "after" },
    { "do": "snapshot", "name": "after" }
  ]
})json");

TEST_F(QzhostTest, RunsAScenarioAndWritesItsOutputs) {
  std::string file = Write("s.json", kScenario);
  fs::path out = dir_ / "out";
  Outcome o = Qzhost("run " + file + " --out " + out.string());
  ASSERT_EQ(o.status, 0) << o.output;
  ASSERT_TRUE(fs::exists(out / "after.png"));
  EXPECT_GT(fs::file_size(out / "after.png"), 1000u);

  auto dump = nlohmann::json::parse(Read(out / "after.json"));
  EXPECT_EQ(dump["class"], "AfxFrameOrView");
  bool foundList = false;
  for (const auto& child : dump["children"]) {
    if (child["id"] == 2000) {
      foundList = true;
      EXPECT_EQ(child["rows"][0][0], U8(u8"台積電(2330)"));
      EXPECT_EQ(child["columns"][1]["text"], U8(u8"昨餘"));
    }
  }
  EXPECT_TRUE(foundList);

  // The transcript: one JSON object a line, in time order, with queries, notices, boxes and orders.
  std::istringstream lines(Read(out / "transcript.jsonl"));
  std::string line;
  std::uint64_t last = 0;
  std::map<std::string, int> events;
  while (std::getline(lines, line)) {
    auto e = nlohmann::json::parse(line);
    EXPECT_GE(e["t"].get<std::uint64_t>(), last);
    last = e["t"];
    events[e["event"]]++;
    if (e["event"] == "notice" && events["notice"] == 1) {
      EXPECT_EQ(e["t"], 300);  // the latency, in virtual time
    }
  }
  // The button's query; the accepted order's change notice makes the view query again.
  EXPECT_EQ(events["query"], 2);
  EXPECT_EQ(events["notice"], 2);
  EXPECT_EQ(events["messageBox"], 2);
  EXPECT_EQ(events["order"], 1);
}

TEST_F(QzhostTest, AFailedExpectationExitsWith3AndNamesTheStep) {
  nlohmann::json s = nlohmann::json::parse(kScenario);
  s["steps"][5]["cell"]["text"] = U8(u8"鴻海(2317)");
  std::string file = Write("s.json", s.dump());
  Outcome o = Qzhost("run " + file + " --out " + (dir_ / "out").string());
  EXPECT_EQ(o.status, 3) << o.output;
  EXPECT_NE(o.output.find("/steps/5"), std::string::npos) << o.output;
  EXPECT_NE(o.output.find(U8(u8"鴻海(2317)")), std::string::npos) << o.output;
}

TEST_F(QzhostTest, BadScenariosAreRefusedWithFilePathAndReason) {
  struct Case {
    const char* what;
    std::string text;
    const char* where;
  };
  auto with = [](auto change) {
    nlohmann::json s = nlohmann::json::parse(kScenario);
    change(s);
    return s.dump();
  };
  const Case cases[] = {
      {"not JSON", "{ \"steps\": [ ", "not JSON"},
      {"number beyond any type", "{ \"broker\": { \"latencyMs\": 1E02641 } }", "number overflow"},
      {"wrong type", with([](auto& s) { s["broker"]["latencyMs"] = "fast"; }),
       "/broker/latencyMs: expected an integer"},
      {"unknown step", with([](auto& s) { s["steps"][1]["do"] = "jump"; }),
       "/steps/1/do: unknown step"},
      {"missing account field", with([](auto& s) { s["broker"]["accounts"][0].erase("kind"); }),
       "/broker/accounts/0/kind: missing"},
      {"zero board lot", with([](auto& s) { s["broker"]["stocks"]["2330"]["boardLot"] = 0; }),
       "/broker/stocks/2330/boardLot"},
      {"text outside CP950",
       with([](auto& s) { s["broker"]["accounts"][0]["name"] = U8(u8"한국"); }),
       "/broker/accounts/0/name: text holds U+D55C"},
      {"unknown view", with([](auto& s) { s["steps"][1]["view"] = "nope"; }), "/steps/1/view"},
      {"impossible date", with([](auto& s) { s["start"] = "2025-02-30T09:00:00"; }),
       "/start: no such day"},
      {"box result of a wrong type", with([](auto& s) { s["steps"][9]["result"] = true; }),
       "/steps/9/result"},
      {"unknown box result", with([](auto& s) { s["steps"][9]["result"] = "IDMAYBE"; }),
       "/steps/9/result"},
      {"unknown key", with([](auto& s) {
         s["steps"].push_back({{"do", "key"}, {"key", "VK_NOPE"}});
       }),
       "/steps/18/key"},
      {"failQuery account", with([](auto& s) {
         s["steps"].push_back({{"do", "failQuery"}, {"query", "unoffset"}, {"account", 7}});
       }),
       "/steps/18/account: expected a text"},
      {"failQuery times", with([](auto& s) {
         s["steps"].push_back({{"do", "failQuery"}, {"query", "unoffset"}, {"times", "twice"}});
       }),
       "/steps/18/times: expected an integer"},
      {"reject side", with([](auto& s) {
         s["steps"].push_back({{"do", "reject"}, {"message", "x"}, {"side", "SB"}});
       }),
       "/steps/18/side"},
      {"reject message", with([](auto& s) {
         s["steps"].push_back({{"do", "reject"}, {"message", 10000}});
       }),
       "/steps/18/message"},
      {"clear code", with([](auto& s) {
         s["steps"].push_back({{"do", "clear"}, {"account", "0123456"}, {"code", "x"}});
       }),
       "/steps/18/code"},
      {"expect cell", with([](auto& s) { s["steps"][5]["cell"]["row"] = "0"; }),
       "/steps/5/cell/row"},
      {"expect cell member", with([](auto& s) { s["steps"][5]["cell"]["colour"] = 1; }),
       "/steps/5/cell/colour"},
      {"expect visible", with([](auto& s) { s["steps"][3]["visible"] = "yes"; }),
       "/steps/3/visible"},
      {"config line break", with([](auto& s) {
         s["orderCfg"] = {{"ORDER_SETTING", {{"A", "1\r\n[X]\r\nB=2"}}}};
       }),
       "/orderCfg/ORDER_SETTING/A: a value holds a line break"},
      {"language key line break", with([](auto& s) {
         s["language"] = {{"IDS_A\nIDS_B", "x"}};
       }),
       "/language/IDS_A\nIDS_B: a language key"},
      {"config key line break", with([](auto& s) {
         s["orderCfg"] = {{"ORDER_SETTING", {{"A\nB", "1"}}}};
       }),
       "a key name holds a line break"},
  };
  for (const Case& c : cases) {
    std::string file = Write("bad.json", c.text);
    fs::path out = dir_ / "never";
    Outcome o = Qzhost("run " + file + " --out " + out.string());
    EXPECT_EQ(o.status, 2) << c.what << ": " << o.output;
    EXPECT_NE(o.output.find(file), std::string::npos) << c.what << ": " << o.output;
    EXPECT_NE(o.output.find(c.where), std::string::npos) << c.what << ": " << o.output;
    EXPECT_FALSE(fs::exists(out)) << c.what << ": nothing may be written";
  }
}

TEST_F(QzhostTest, FilesThatAreNoScenarioAreRefusedBeforeReading) {
  const std::pair<std::string, const char*> cases[] = {
      {"/dev/zero", "/dev/zero: /: not a regular file"},
      {dir_.string(), "not a regular file"},
      {(dir_ / "missing.json").string(), "cannot be read"},
  };
  for (const auto& [file, what] : cases) {
    Outcome o = Qzhost("run " + file + " --out " + (dir_ / "never").string());
    EXPECT_EQ(o.status, 2) << file << ": " << o.output;
    EXPECT_NE(o.output.find(what), std::string::npos) << o.output;
  }
  // Over 64 MB: a sparse file costs nothing to make.
  const fs::path big = dir_ / "big.json";
  std::ofstream(big, std::ios::binary) << "{}";
  fs::resize_file(big, (64u << 20) + 1);
  Outcome o = Qzhost("run " + big.string() + " --out " + (dir_ / "never").string());
  EXPECT_EQ(o.status, 2) << o.output;
  EXPECT_NE(o.output.find("larger than 64 MB"), std::string::npos) << o.output;
  EXPECT_FALSE(fs::exists(dir_ / "never"));
}

// Outputs and settings that cannot be written end the run with 4, naming the file.
TEST_F(QzhostTest, OutputsAndSettingsThatCannotBeWrittenEndTheRunWith4) {
  nlohmann::json s = nlohmann::json::parse(kScenario);
  fs::path out = dir_ / "out";
  fs::create_directories(out / "after.json");  // a folder where the dump would go
  Outcome o = Qzhost("run " + Write("s.json", s.dump()) + " --out " + out.string());
  EXPECT_EQ(o.status, 4) << o.output;
  EXPECT_NE(o.output.find((out / "after.json").string() + ": cannot be written"), std::string::npos)
      << o.output;

  nlohmann::json layout = {
      {"module", QZ_PROBE_MODULE},
      {"views", {{{"name", "a"}, {"class", "QzProbeView"}, {"layout", std::string(300, 'L')}}}},
      {"steps", nlohmann::json::array()}};
  o = Qzhost("run " + Write("layout.json", layout.dump()) + " --out " + (dir_ / "out2").string());
  EXPECT_EQ(o.status, 4) << o.output;
  EXPECT_NE(o.output.find(std::string(300, 'L') + ".ini: cannot be written"), std::string::npos)
      << o.output;
}

TEST_F(QzhostTest, AModuleThatCannotLoadExitsWith2) {
  nlohmann::json s = nlohmann::json::parse(kScenario);
  s["module"] = (dir_ / "libmissing.so").string();
  std::string file = Write("s.json", s.dump());
  Outcome o = Qzhost("run " + file + " --out " + (dir_ / "out").string());
  EXPECT_EQ(o.status, 2) << o.output;
  EXPECT_NE(o.output.find("libmissing.so"), std::string::npos) << o.output;
}

// The demo hosts the module's own views: two holdings views of one sync group and a
// dividend view, each checked by the demo's own expect steps.
TEST_F(QzhostTest, TheDemoRunsWithoutInput) {
  Outcome o = Qzhost("demo --out " + (dir_ / "demo").string());
  EXPECT_EQ(o.status, 0) << o.output;
  EXPECT_TRUE(fs::exists(dir_ / "demo" / "transcript.jsonl"));
  for (const char* name : {"holdings-positions", "second-account", "dividend-calc",
                           "dividend-ex-dividend"}) {
    EXPECT_TRUE(fs::exists(dir_ / "demo" / (std::string(name) + ".png"))) << name;
    EXPECT_TRUE(fs::exists(dir_ / "demo" / (std::string(name) + ".json"))) << name;
  }
}

// The second bundled scenario: the inventory dialog filled for a domestic account, for
// every domestic account at once and for the foreign account, every expect step passing.
TEST_F(QzhostTest, TheInventoryScenarioPasses) {
  const fs::path scenario = fs::path(QZ_DEMO_SCENARIO).parent_path() / "inventory.json";
  Outcome o = Qzhost("run " + scenario.string() + " --out " + (dir_ / "inventory").string());
  EXPECT_EQ(o.status, 0) << o.output;
  for (const char* name : {"inventory-domestic", "inventory-market-value",
                           "inventory-market-value-without-odd", "inventory-all-accounts",
                           "inventory-foreign"})
    EXPECT_TRUE(fs::exists(dir_ / "inventory" / (std::string(name) + ".png"))) << name;
  // The double click on 2330's cash today reached the order window as three lots.
  const std::string transcript = Read(dir_ / "inventory" / "transcript.jsonl");
  // Both grids were handed to the host's export and print helpers.
  EXPECT_NE(transcript.find("\"align\":\"CRRR\""), std::string::npos);
  EXPECT_NE(transcript.find("\"align\":\"LRRR\""), std::string::npos);
  bool pdf = false, xlsx = false;
  for (const auto& entry : fs::recursive_directory_iterator(dir_ / "inventory")) {
    pdf = pdf || entry.path().extension() == ".pdf";
    xlsx = xlsx || entry.path().extension() == ".xlsx";
  }
  EXPECT_TRUE(pdf);
  EXPECT_TRUE(xlsx);
  const size_t at = transcript.find("\"event\":\"priceAgent\"");
  ASSERT_NE(at, std::string::npos);
  const size_t start =
      transcript.rfind('\n', at) == std::string::npos ? 0 : transcript.rfind('\n', at) + 1;
  const std::string line = transcript.substr(start, transcript.find('\n', at) - start);
  EXPECT_NE(line.find("\"quantity\":3"), std::string::npos) << line;
  EXPECT_NE(line.find("\"symbol\":\"2330\""), std::string::npos) << line;
  EXPECT_NE(line.find("\"tradeType\":\"A\""), std::string::npos) << line;
}

// The terminal as host of a module's views: one frame whose panes hold them, each view
// restored from its layout slot before its initial update and saved at the end; the
// host's tips and exports in the transcript.
class QzhostHostingTest : public QzhostTest {
 protected:
  std::vector<nlohmann::json> Transcript(const fs::path& out) {
    std::vector<nlohmann::json> events;
    std::istringstream lines(Read(out / "transcript.jsonl"));
    std::string line;
    while (std::getline(lines, line)) events.push_back(nlohmann::json::parse(line));
    return events;
  }
  // Lines the probe view wrote to the log, without their time stamps.
  static std::vector<std::string> ProbeLines(const std::vector<nlohmann::json>& events) {
    std::vector<std::string> lines;
    for (const auto& e : events) {
      if (e["event"] != "log") continue;
      std::string text = e["text"];
      size_t at = text.find("probe ");
      if (at != std::string::npos) lines.push_back(text.substr(at));
    }
    return lines;
  }
  static size_t Index(const std::vector<nlohmann::json>& events, const std::string& event, const std::string& view) {
    for (size_t i = 0; i < events.size(); ++i) {
      if (events[i]["event"] == event && events[i].value("view", "") == view) return i;
    }
    return events.size();
  }
  static std::pair<unsigned, unsigned> PngSize(const std::string& bytes) {
    auto be = [&](size_t at) {
      return (unsigned char)bytes[at] << 24 | (unsigned char)bytes[at + 1] << 16 | (unsigned char)bytes[at + 2] << 8 |
             (unsigned char)bytes[at + 3];
    };
    return bytes.size() > 24 ? std::pair<unsigned, unsigned>(be(16), be(20)) : std::pair<unsigned, unsigned>(0, 0);
  }
  std::string Scenario() const {
    nlohmann::json s = {
        {"module", QZ_PROBE_MODULE},
        {"views",
         {{{"name", "a"}, {"class", "QzProbeView"}, {"layout", U8(u8"股票帳務")}, {"syncGroup", 3},
           {"selectAccount", false}, {"width", 600}, {"height", 200}},
          {{"name", "t"}, {"class", "QzTestView"}, {"width", 800}, {"height", 300}},
          {{"name", "b"}, {"class", "QzProbeView"}, {"layout", U8(u8"股票帳務")}, {"width", 500}, {"height", 150}}}},
        {"steps",
         {{{"do", "resize"}, {"view", "a"}, {"width", 700}, {"height", 220}},
          {{"do", "click"}, {"view", "a"}, {"control", 100}},
          {{"do", "snapshot"}, {"view", "a"}, {"name", "a"}},
          {{"do", "snapshot"}, {"view", "t"}, {"name", "t"}}}}};
    return s.dump();
  }
};

TEST_F(QzhostHostingTest, ViewsAreRestoredBeforeTheirInitialUpdateInPanesOfOneFrame) {
  std::string file = Write("s.json", Scenario());
  fs::path out = dir_ / "out";
  Outcome o = Qzhost("run " + file + " --out " + out.string());
  ASSERT_EQ(o.status, 0) << o.output;
  auto events = Transcript(out);

  // The layout's group and selection flag reach the view before its initial update.
  size_t created = Index(events, "viewCreated", "a"), restored = Index(events, "viewRestored", "a");
  ASSERT_LT(restored, events.size());
  EXPECT_LT(created, restored);
  EXPECT_EQ(events[restored]["syncGroup"], 3);
  EXPECT_EQ(events[restored]["selectAccount"], 0);
  EXPECT_EQ(events[restored]["layout"], U8(u8"股票帳務"));
  EXPECT_EQ(events[restored]["index"], 0);
  EXPECT_EQ(events[Index(events, "viewRestored", "b")]["index"], 1);
  // A view that is not a host view is neither restored nor saved.
  EXPECT_LT(Index(events, "viewCreated", "t"), events.size());
  EXPECT_EQ(Index(events, "viewRestored", "t"), events.size());
  EXPECT_EQ(Index(events, "viewSaved", "t"), events.size());

  // Each probe view: restored (not yet updated), then updated in a pane of its size, in the
  // one frame that holds every view so far; a resized pane resizes its view.
  std::vector<std::string> expected = {
      "probe restore QzProbeView: group=3 select=0 saves=0 updated=0",
      "probe update QzProbeView: group=3 panes=1 size=600x200",
      "probe restore QzProbeView: group=0 select=1 saves=0 updated=0",
      "probe update QzProbeView: group=0 panes=3 size=500x150",
      "probe size QzProbeView: 700x220",
  };
  EXPECT_EQ(ProbeLines(events), expected);
  EXPECT_EQ(PngSize(Read(out / "a.png")), std::make_pair(700u, 220u));
  EXPECT_EQ(PngSize(Read(out / "t.png")), std::make_pair(800u, 300u));

  // The button's export and tip.
  size_t exported = Index(events, "export", ""), tip = Index(events, "tip", "");
  ASSERT_LT(exported, events.size());
  ASSERT_LT(tip, events.size());
  EXPECT_TRUE(fs::exists(out / events[exported]["file"].get<std::string>())) << events[exported].dump();
  EXPECT_EQ(events[tip]["text"], U8(u8"已匯出"));
  EXPECT_FALSE(events[tip].contains("kind"));

  // Saved at the end, before the frame went.
  size_t saved = Index(events, "viewSaved", "a");
  ASSERT_LT(saved, events.size());
  EXPECT_LT(saved, Index(events, "end", ""));
  EXPECT_LT(Index(events, "viewSaved", "b"), events.size());
}

TEST_F(QzhostHostingTest, ASecondRunInTheSameHomeRestoresWhatTheFirstSaved) {
  std::string file = Write("s.json", Scenario());
  fs::path out = dir_ / "out";
  ASSERT_EQ(Qzhost("run " + file + " --out " + out.string()).status, 0);
  EXPECT_TRUE(fs::exists(out / "home" / "Layouts"));
  EXPECT_FALSE(fs::exists(out / "home" / "views.ini"));
  Outcome o = Qzhost("run " + file + " --out " + out.string());
  ASSERT_EQ(o.status, 0) << o.output;
  auto lines = ProbeLines(Transcript(out));
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "probe restore QzProbeView: group=3 select=0 saves=1 updated=0");
  EXPECT_EQ(lines[2], "probe restore QzProbeView: group=0 select=1 saves=1 updated=0");
}

// The module's holdings view in sync group 1: a second run in the same home opens on the
// account the first run showed, and a combo entry of any length is dumped whole.
TEST_F(QzhostHostingTest, TheModulesViewReopensOnTheAccountItShowedLast) {
  const std::string longName(300 * 3, 'x');
  nlohmann::json s = {
      {"module", "libqzstockext.so"},
      {"broker",
       {{"accounts",
         {{{"brokerId", "9A95"}, {"account", "0123456"}, {"kind", 65}, {"name", "A"}},
          {{"brokerId", "9A95"}, {"account", "0654321"}, {"kind", 65}, {"name", longName}}}}}},
      {"views",
       {{{"name", "h"},
         {"class", "JqzFinanceStockUnoffsetView"},
         {"layout", U8(u8"股票帳務")},
         {"title", U8(u8"庫存(證券)")},
         {"syncGroup", 1}}}},
      {"steps",
       {{{"do", "login"}},
        {{"do", "wait"}, {"ms", 2500}},
        {{"do", "choose"}, {"view", "h"}, {"control", 2183}, {"index", 1}},
        {{"do", "wait"}, {"ms", 2500}}}}};
  fs::path out = dir_ / "out";
  Outcome o = Qzhost("run " + Write("first.json", s.dump()) + " --out " + out.string());
  ASSERT_EQ(o.status, 0) << o.output;
  s["steps"] = {
      {{"do", "login"}},
      {{"do", "wait"}, {"ms", 2500}},
      {{"do", "expect"}, {"view", "h"}, {"control", 2183}, {"selected", "0654321 " + longName}},
      {{"do", "dump"}, {"view", "h"}, {"name", "second"}}};
  o = Qzhost("run " + Write("second.json", s.dump()) + " --out " + out.string());
  EXPECT_EQ(o.status, 0) << o.output;
}

}  // namespace
