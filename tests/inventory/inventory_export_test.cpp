// The inventory grids as the user takes them away: the exported spreadsheet read back by an
// independent reader and held against the grid cell by cell, and a refresh that keeps the
// grid in the face the user chose.
#include <gtest/gtest.h>

#include <headless/headless.h>
#include <host/broker.h>
#include <host/cp950_text.h>
#include <host/environment.h>
#include <input/input.h>

#include <algorithm>
#include <charconv>

#include "inventory_scene.h"
#include "sheet_reader.h"

namespace inventorytest {
namespace {

using testsupport::CellName;

class InventoryExportTest : public InventoryTest {
 protected:
  void SetUp() override {
    InventoryTest::SetUp();
    Price(16, "2330", "台積電", 10.5);
    Price(16, "2882", "國泰金", 40);
    Hold(0, DSRecord("2330", [](auto& r) {
           r.m_nCashYesterday = 2000;
           r.m_nCashToday = 2500;
           r.m_nMarginToday = 3000;
         }));
    Hold(0, DSRecord("2882", [](auto& r) { r.m_nCashToday = 500; }));
    Hold(1, DSRecord("2882", [](auto& r) { r.m_nCashToday = 7000; }));
    host::SetEventSink([this](const host::HostEvent& e) {
      if (e.kind == host::HostEvent::Kind::kExport) exports_.push_back(e);
    });
  }
  void TearDown() override {
    host::SetEventSink(nullptr);
    InventoryTest::TearDown();
  }
  void Price(BYTE market, const char* code, const char* name, double value) {
    Quote(market, code, name);
    data_.quotes[{market, code}].items[125] = value;
  }
  void ShowMarketValue(JqzOrderBaseView* view) {
    ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_MARKETVALUE)));
    WaitForAnswer();
    Advance(data_.quoteLatencyMs + 50);
  }
  // Exports through the dialog's button and reads the file back.
  nlohmann::json Export(JqzOrderBaseView* view) {
    exports_.clear();
    EXPECT_TRUE(input::ClickButton(Control(view, IDC_BTN_EXPORT_EXCEL)));
    if (exports_.size() != 1 || !exports_[0].written) return nullptr;
    std::string error;
    nlohmann::json sheet = testsupport::ReadSheet(exports_[0].file, &error);
    EXPECT_TRUE(sheet.is_object()) << error;
    return sheet;
  }
  static std::string Utf8(const std::string& cp950) { return host::Cp950ToUtf8(cp950).text; }
  static std::string Trim(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
  }
  // Holds every grid row against the sheet from sheetRow on: the name first, then each
  // column; a count with or without thousands separators is a number, anything else the
  // same text without its padding, a blank cell nothing.
  void ExpectRows(const JqzOrderBaseView* view, const nlohmann::json& cells, int sheetRow) {
    const int columns = static_cast<int>(moduletest::ListTitles(Main(view)).size());
    for (int r = 0; r < Rows(view); ++r) {
      const std::string at = CellName(sheetRow + r, 0);
      ASSERT_TRUE(cells.contains(at)) << at;
      EXPECT_EQ(cells[at]["value"], Utf8(Trim(Name(view, r)))) << at;
      for (int c = 0; c < columns; ++c) {
        const std::string name = CellName(sheetRow + r, c + 1);
        const std::string text = Trim(Cell(view, r, c));
        if (text.empty()) {
          EXPECT_FALSE(cells.contains(name)) << name;
          continue;
        }
        ASSERT_TRUE(cells.contains(name)) << name << " " << text;
        std::string digits;
        for (char ch : text)
          if (ch != ',') digits += ch;
        long number = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (ec == std::errc() && end == digits.data() + digits.size()) {
          EXPECT_EQ(cells[name]["type"], "n") << name;
          EXPECT_EQ(cells[name]["value"], number) << name;
        } else {
          EXPECT_EQ(cells[name]["type"], "s") << name;
          EXPECT_EQ(cells[name]["value"], Utf8(text)) << name;
        }
      }
    }
    EXPECT_FALSE(cells.contains(CellName(sheetRow + Rows(view), 0)));
  }
  void ExpectCaptions(const JqzOrderBaseView* view, const nlohmann::json& cells, int sheetRow) {
    EXPECT_EQ(cells[CellName(sheetRow, 0)]["value"],
              Utf8(moduletest::ListTitles(Names(view)).front()));
    const auto titles = moduletest::ListTitles(Main(view));
    for (size_t c = 0; c < titles.size(); ++c)
      EXPECT_EQ(cells[CellName(sheetRow, static_cast<int>(c) + 1)]["value"], Utf8(titles[c])) << c;
  }

  std::vector<host::HostEvent> exports_;
};

TEST_F(InventoryExportTest, TheShareCountGridKeepsItsGroupRowAndEveryCell) {
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Rows(view), 2);
  const nlohmann::json sheet = Export(view);
  ASSERT_TRUE(sheet.is_object());
  const nlohmann::json& cells = sheet["cells"];
  EXPECT_EQ(cells["A1"]["value"], Utf8("帳務資料-證券庫存"));
  const std::string userLine = cells["A2"]["value"];
  EXPECT_NE(userLine.find(Utf8(data_.accounts[0].user.m_strAccount.str())), std::string::npos)
      << userLine;

  // One caption over each group of counts, merged across the group's columns, left to right.
  const char* groups[] = {"現股", "融資", "融券", "零股", "借券"};
  ASSERT_EQ(sheet["merged"].size(), 5u) << sheet["merged"];
  std::vector<std::pair<std::string, std::string>> spans;
  for (const auto& range : sheet["merged"]) {
    const std::string text = range;
    spans.emplace_back(text.substr(0, text.find(':')), text.substr(text.find(':') + 1));
  }
  std::sort(spans.begin(), spans.end(), [](const auto& a, const auto& b) {
    return a.first.size() != b.first.size() ? a.first.size() < b.first.size() : a.first < b.first;
  });
  for (size_t g = 0; g < 5; ++g) {
    EXPECT_EQ(cells[spans[g].first]["value"], Utf8(groups[g])) << spans[g].first;
    EXPECT_EQ(cells[spans[g].first]["align"], "center");
    EXPECT_EQ(spans[g].first.back(), '3');
    EXPECT_EQ(spans[g].second.back(), '3');
  }
  EXPECT_FALSE(cells.contains("A3"));

  ExpectCaptions(view, cells, 3);
  ExpectRows(view, cells, 4);
  // The name centred, the counts right-aligned by the 35 letters that follow it.
  EXPECT_EQ(cells["A5"]["align"], "center");
  EXPECT_EQ(cells["B5"]["align"], "right");
  EXPECT_EQ(cells["B5"]["value"], 2);
  EXPECT_EQ(cells["A5"]["value"], Utf8("台積電(2330)"));
}

TEST_F(InventoryExportTest, TheMarketValueGridHasNoGroupRowAndItsTotal) {
  JqzOrderBaseView* view = Open();
  ShowMarketValue(view);
  ASSERT_EQ(Rows(view), 3);
  const nlohmann::json sheet = Export(view);
  ASSERT_TRUE(sheet.is_object());
  const nlohmann::json& cells = sheet["cells"];
  EXPECT_EQ(cells["A1"]["value"], Utf8("帳務資料-庫存市值"));
  EXPECT_TRUE(sheet["merged"].empty());
  ExpectCaptions(view, cells, 2);
  ExpectRows(view, cells, 3);
  // 2,500 cash and 3,000 margin shares at 10.5.
  EXPECT_EQ(cells["D4"]["value"], Utf8("57,750 元"));
  EXPECT_EQ(cells["D4"]["align"], "right");
  EXPECT_EQ(cells["A6"]["value"], Utf8("總市值"));
  EXPECT_EQ(cells["D6"]["value"], Utf8("77,750 元"));
}

TEST_F(InventoryExportTest, AllForeignAccountsShowTheAccountWithoutPadding) {
  HoldForeign(2, FSRecord("AAPL", 1, 30, 30, "USD"));
  Price(22, "AAPL", "Apple", 190.5);
  JqzOrderBaseView* view = Open();
  Choose(view, AllAccountsEntry(51));
  ShowMarketValue(view);
  const nlohmann::json sheet = Export(view);
  ASSERT_TRUE(sheet.is_object());
  EXPECT_EQ(sheet["cells"]["E3"]["value"], "USD");
  EXPECT_EQ(sheet["cells"]["F3"]["value"], "F880012H");
}

// A refresh comes when the view shows again after missing a notice while hidden.
TEST_F(InventoryExportTest, ARefreshRebuildsTheGridInTheFaceTheUserChose) {
  JqzOrderBaseView* view = Open();
  ShowMarketValue(view);
  ASSERT_EQ(Cell(view, 0, 2), "57,750 元");
  auto refresh = [&] {
    view->ShowWindow(SW_HIDE);
    Notice(view, ORDERDATA_NOTIFY_ORDERCHANGED, moduletest::Account(0));
    view->ShowWindow(SW_SHOW);
    WaitForAnswer();
    Advance(data_.quoteLatencyMs + 50);
  };
  // Fresh holdings and a fresh price, still valued.
  data_.accounts[0].domestic[0].m_nCashToday = 3000;
  host::Broker::Instance().UpdateAccount(data_.accounts[0]);
  host::Broker::Instance().SetQuoteValue(16, "2330", 125, 11);
  const int queries = Queries();
  refresh();
  EXPECT_EQ(Queries(), queries + 1);
  ASSERT_EQ(moduletest::ListTitles(Main(view)).size(), 3u);
  ASSERT_EQ(Rows(view), 3);
  EXPECT_EQ(Cell(view, 0, 0), "6,000 股");
  EXPECT_EQ(Cell(view, 0, 1), "11.00 元");
  EXPECT_EQ(Cell(view, 0, 2), "66,000 元");
  EXPECT_TRUE(Visible(Control(view, IDC_CHK_INCLUDE_ODD)));
  EXPECT_EQ(Text(Control(view, IDC_STATIC_COUNT)), "2 筆");
  // The sync group asking again for the same account is a refresh too.
  Dialog(view)->vChangeDlgAccount(moduletest::Account(0), true);
  WaitForAnswer();
  Advance(data_.quoteLatencyMs + 50);
  EXPECT_EQ(moduletest::ListTitles(Main(view)).size(), 3u);

  // Share counts stay share counts.
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_QUERY_STOCKS)));
  WaitForAnswer();
  Advance(60000);
  refresh();
  EXPECT_EQ(moduletest::ListTitles(Main(view)).size(), 40u);
  ASSERT_EQ(Rows(view), 2);
  EXPECT_EQ(Cell(view, 0, 5), "3");
  EXPECT_FALSE(Visible(Control(view, IDC_CHK_INCLUDE_ODD)));
}

}  // namespace
}  // namespace inventorytest
