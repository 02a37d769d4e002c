// The summary a run prints and the report it leaves: what a person reads after a run.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "qzhost_process.h"

namespace {

using qztest::U8;

class RunReportTest : public qztest::QzhostProcessTest {};

// A query, a refused and an accepted order, a message box, two snapshots, a dump and a
// failing expectation.
const std::string kScenario = U8(u8R"json({
  "broker": {
    "stocks": { "2330": { "boardLot": 1000 } },
    "quotes": [ { "market": 16, "code": "2330", "name": "台積電", "items": { "125": 580 } } ],
    "accounts": [
      { "brokerId": "9A95", "account": "0123456", "name": "林美玲", "kind": 65,
        "holdings": [ { "code": "2330", "cashYesterday": 2000, "cashToday": 2500 } ] }
    ]
  },
  "views": [ { "name": "v", "class": "QzTestView", "width": 640, "height": 240 } ],
  "steps": [
    { "do": "login" },
    { "do": "click", "view": "v", "control": 2212 },
    { "do": "wait", "ms": 600 },
    { "do": "snapshot", "name": "first <page>" },
    { "do": "clickCell", "view": "v", "control": 2000, "row": 0, "column": 0 },
    { "do": "reject", "symbol": "2330", "message": "價格超過漲停 <&>", "times": 1 },
    { "do": "answerMessageBox", "result": "IDYES" },
    { "do": "click", "view": "v", "control": 2412 },
    { "do": "answerMessageBox", "result": "IDYES" },
    { "do": "click", "view": "v", "control": 2412 },
    { "do": "expect", "view": "v", "control": 2000, "rowCount": 7 },
    { "do": "dump", "name": "after" },
    { "do": "snapshot", "name": "after" }
  ]
})json");

// The page's tags, checked for nesting as a browser's parser would need them; void elements
// and the doctype stand alone.
bool WellNested(const std::string& html, std::string* why) {
  static const std::set<std::string> kVoid = {"meta", "img", "br", "!DOCTYPE"};
  std::vector<std::string> open;
  for (size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
    size_t end = html.find('>', at);
    if (end == std::string::npos) break;
    bool closing = html[at + 1] == '/';
    size_t nameStart = at + (closing ? 2 : 1);
    size_t nameEnd = html.find_first_of(" >", nameStart);
    std::string name = html.substr(nameStart, nameEnd - nameStart);
    if (kVoid.count(name)) continue;
    if (!closing) {
      open.push_back(name);
    } else if (open.empty() || open.back() != name) {
      *why = "</" + name + "> closes " + (open.empty() ? "nothing" : "<" + open.back() + ">");
      return false;
    } else {
      open.pop_back();
    }
  }
  if (!open.empty()) *why = "<" + open.back() + "> is never closed";
  return open.empty();
}

// What stands between each `before` and the next `after`, in order.
std::vector<std::string> All(const std::string& text, const std::string& before, const std::string& after) {
  std::vector<std::string> found;
  for (size_t at = text.find(before); at != std::string::npos; at = text.find(before, at + 1)) {
    size_t from = at + before.size(), to = text.find(after, from);
    if (to == std::string::npos) break;
    found.push_back(text.substr(from, to - from));
  }
  return found;
}

TEST_F(RunReportTest, TheSummaryCountsWhatRanAndNamesEveryFileWritten) {
  std::string file = Write("s.json", kScenario);
  std::string out = (dir_ / "out").string();
  qztest::Outcome o = Qzhost("run " + file + " --out " + out);
  ASSERT_EQ(o.status, 3) << o.output;
  EXPECT_NE(o.output.find("steps:   13 run"), std::string::npos) << o.output;
  EXPECT_NE(o.output.find("expect:  0 passed, 1 failed"), std::string::npos) << o.output;
  EXPECT_NE(o.output.find("FAILED /steps/10: rowCount: expected 7, found 1"), std::string::npos) << o.output;
  EXPECT_NE(o.output.find("orders:  2 sent (1 refused)"), std::string::npos) << o.output;
  for (const char* name : {"first <page>.png", "after.png", "after.json", "transcript.jsonl", "report.html"}) {
    EXPECT_NE(o.output.find(out + "/" + name), std::string::npos) << name << "\n" << o.output;
  }
  EXPECT_NE(o.output.find("output: " + out), std::string::npos);
}

TEST_F(RunReportTest, TheReportShowsEverySnapshotAndHighlightsFailedExpectations) {
  std::string file = Write("s.json", kScenario);
  std::filesystem::path out = dir_ / "out";
  ASSERT_EQ(Qzhost("run " + file + " --out " + out.string()).status, 3);
  std::string html = Read(out / "report.html");
  ASSERT_FALSE(html.empty());
  std::string why;
  EXPECT_TRUE(WellNested(html, &why)) << why;
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  // Nothing is fetched from elsewhere: no scripts, no remote addresses.
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_EQ(html.find("http"), std::string::npos);

  // Every snapshot inline, by a name that resolves to the file in the folder, in run order.
  auto images = All(html, "<img src=\"", "\"");
  ASSERT_EQ(images, (std::vector<std::string>{"first &lt;page&gt;.png", "after.png"}));
  EXPECT_TRUE(std::filesystem::exists(out / "first <page>.png"));

  // The failed expectation in a highlighted row, with its step and what was found.
  auto failed = All(html, "<tr class=\"fail\">", "</tr>");
  bool expectation = false, refusal = false;
  for (const auto& row : failed) {
    expectation = expectation || row.find("/steps/10</code> <b>failed</b>: rowCount: expected 7, found 1") !=
                                     std::string::npos;
    refusal = refusal || row.find(U8(u8"refused</b>: 價格超過漲停 &lt;&amp;&gt;")) != std::string::npos;
  }
  EXPECT_TRUE(expectation) << html;
  EXPECT_TRUE(refusal) << "a refused order is a failure a reader must see";

  // Message boxes with their answers; the accepted order with its number.
  EXPECT_NE(html.find("answered IDYES"), std::string::npos);
  EXPECT_NE(html.find("<b>accepted</b>"), std::string::npos);
}

}  // namespace
