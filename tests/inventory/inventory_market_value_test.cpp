// The inventory's market-value face (prices, odd lots, rounding, the total row, quote
// answers), its row count and maintenance ratio, and what print and export hand the host.
#include <gtest/gtest.h>

#include <headless/headless.h>
#include <host/broker.h>
#include <host/environment.h>
#include <input/input.h>

#include <CommonUtilities.h>
#include <ViewDataHelpers.h>

#include <map>

#include "inventory_scene.h"

namespace inventorytest {
namespace {

class InventoryMarketValueTest : public InventoryTest {
 protected:
  void SetUp() override {
    InventoryTest::SetUp();
    Price(16, "2330", "台積電", 125, 10.5);
    // 2,500 shares of which 500 odd.
    Hold(0, DSRecord("2330", [](auto& r) { r.m_nCashToday = 2500; }));
    host::SetEventSink([this](const host::HostEvent& e) {
      if (e.kind == host::HostEvent::Kind::kPrint || e.kind == host::HostEvent::Kind::kExport)
        handed_.push_back(e);
    });
  }
  void TearDown() override {
    host::SetEventSink(nullptr);
    InventoryTest::TearDown();
  }

  void Price(BYTE market, const char* code, const char* name, WORD item, double value) {
    Quote(market, code, name);
    data_.quotes[{market, code}].items[item] = value;
  }
  // Switches to market value and waits for the inventory and the quote answers.
  void ShowMarketValue(JqzOrderBaseView* view) {
    ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_MARKETVALUE)));
    WaitForAnswer();
    Advance(data_.quoteLatencyMs + 50);
  }
  std::vector<std::string> Row(const JqzOrderBaseView* view, int row, int cols) const {
    std::vector<std::string> cells;
    for (int c = 0; c < cols; ++c) cells.push_back(Cell(view, row, c));
    return cells;
  }
  std::vector<std::string> Captions(const JqzOrderBaseView* view) const {
    HWND header = reinterpret_cast<HWND>(::SendMessageA(Main(view), LVM_GETHEADER, 0, 0));
    std::vector<std::string> out;
    const int n = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char text[128] = {};
      HDITEMA item{};
      item.mask = HDI_TEXT;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      ::SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      out.emplace_back(text);
    }
    return out;
  }
  std::map<std::string, std::string> Args(size_t i) const {
    std::map<std::string, std::string> out;
    if (i < handed_.size())
      for (const auto& [k, v] : handed_[i].args) out[k] = v;
    return out;
  }
  std::string Ratio(const JqzOrderBaseView* view) const {
    return Visible(Control(view, IDC_STATIC_STM_RATIO)) ? Text(Control(view, IDC_STATIC_STM_RATIO))
                                                        : "(hidden)";
  }

  std::string Entry(const JqzOrderBaseView* view, int account) const {
    CString name;
    Dialog(view)->vGetAccountDisplayName(moduletest::Account(account), name, false);
    return name.str();
  }

  std::vector<host::HostEvent> handed_;
};

TEST_F(InventoryMarketValueTest, ValuesWithAndWithoutOddLotsAndTheTotalRow) {
  Hold(0, DSRecord("2882", [](auto& r) { r.m_nCashToday = 500; }));  // odd lots only
  Price(16, "2882", "國泰金", 125, 40);
  JqzOrderBaseView* view = Open();
  const int queries = Queries();
  ShowMarketValue(view);
  EXPECT_EQ(Queries(), queries + 1);
  EXPECT_EQ(Captions(view), (std::vector<std::string>{"庫存股數", "最新成交價", "市值(含零股)"}));
  EXPECT_TRUE(Visible(Control(view, IDC_CHK_INCLUDE_ODD)));
  EXPECT_FALSE(Visible(Control(view, IDC_BTN_CLEAR_OUT)));
  ASSERT_EQ(Rows(view), 3);
  EXPECT_EQ(Name(view, 0), "台積電(2330)");
  EXPECT_EQ(Row(view, 0, 3), (std::vector<std::string>{"2,500 股", "10.50 元", "26,250 元"}));
  EXPECT_EQ(Row(view, 1, 3), (std::vector<std::string>{"500 股", "40.00 元", "20,000 元"}));
  EXPECT_EQ(Name(view, 2), "總市值  ");
  EXPECT_EQ(Row(view, 2, 3), (std::vector<std::string>{"總市值  ", "  ", "46,250 元"}));
  EXPECT_EQ(Text(Control(view, IDC_STATIC_COUNT)), "2 筆");

  // Without odd lots: no new query, the full quantity still shows.
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_CHK_INCLUDE_ODD)));
  EXPECT_EQ(Queries(), queries + 1);
  EXPECT_EQ(Captions(view)[2], "市值(不含零股)");
  EXPECT_EQ(Row(view, 0, 3), (std::vector<std::string>{"2,500 股", "10.50 元", "21,000 元"}));
  EXPECT_EQ(Row(view, 1, 3), (std::vector<std::string>{"500 股", "40.00 元", "0 元"}));
  EXPECT_EQ(Cell(view, 2, 2), "21,000 元");

  // The inventory query leaves market value.
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_QUERY_STOCKS)));
  WaitForAnswer();
  EXPECT_EQ(Rows(view), 2);
  EXPECT_EQ(Text(Control(view, IDC_STATIC_COUNT)), "2 筆");
  EXPECT_FALSE(Visible(Control(view, IDC_CHK_INCLUDE_ODD)));
}

TEST_F(InventoryMarketValueTest, PricesFallBackByItemAndMarketAndValuesRoundAsShown) {
  data_.accounts[0].domestic.clear();
  // One share each: the value is the price.
  const struct {
    const char* code;
    BYTE market;
    WORD item;
    double price;
  } holdings[] = {{"A1", 16, 125, 0.4},  {"A2", 16, 455, 0.6}, {"A3", 122, 129, 0.96},
                  {"A4", 122, 455, 1.25}, {"ZZ", 0, 0, 0}};
  for (const auto& h : holdings) {
    if (h.market) Price(h.market, h.code, h.code, h.item, h.price);
    Hold(0, DSRecord(h.code, [](auto& r) { r.m_nCashToday = 1; }));
  }
  // A later item never hides an earlier one.
  data_.quotes[{16, "A1"}].items[129] = 99;
  JqzOrderBaseView* view = Open();
  ShowMarketValue(view);
  ASSERT_EQ(Rows(view), 6);
  const char* prices[] = {"0.40 元", "0.60 元", "0.96 元", "1.25 元", "0.00 元"};
  const char* values[] = {"0 元", "0 元", "1 元", "1 元", "0 元"};
  for (int r = 0; r < 5; ++r) {
    EXPECT_EQ(Cell(view, r, 1), prices[r]) << r;
    EXPECT_EQ(Cell(view, r, 2), values[r]) << r;
  }
  // The total adds the shown values, not the exact ones (3.21).
  EXPECT_EQ(Cell(view, 5, 2), "2 元");
  EXPECT_EQ(Text(Control(view, IDC_STATIC_COUNT)), "5 筆");
}

TEST_F(InventoryMarketValueTest, AFullSetOfQuoteAnswersRecomputesTheValues) {
  JqzOrderBaseView* view = Open();
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_MARKETVALUE)));
  WaitForAnswer();
  EXPECT_EQ(Cell(view, 0, 2), "26,250 元");
  // The price moves before the quote service answers the grid's requests.
  host::Broker::Instance().SetQuoteValue(16, "2330", 125, 11);
  EXPECT_EQ(Cell(view, 0, 2), "26,250 元");
  Advance(data_.quoteLatencyMs + 50);
  EXPECT_EQ(Cell(view, 0, 1), "11.00 元");
  EXPECT_EQ(Cell(view, 0, 2), "27,500 元");
  EXPECT_EQ(Cell(view, 1, 2), "27,500 元");

  // Answers to other requests, or an incomplete set, change nothing.
  host::Broker::Instance().SetQuoteValue(16, "2330", 125, 12);
  CMultiSymbolMemoryInfo stray;
  stray.m_byReqNo = 250;
  view->vRecvMultiSymbolMemoryRecovery(&stray);
  EXPECT_EQ(Cell(view, 0, 2), "27,500 元");
}

TEST_F(InventoryMarketValueTest, ForeignHoldingsOfAllAccountsShowCurrencyThenAccount) {
  HoldForeign(2, FSRecord("AAPL", 1, 30, 30, "USD"));
  Price(22, "AAPL", "Apple", 455, 190.5);
  JqzOrderBaseView* view = Open();
  Choose(view, AllAccountsEntry(51));
  ShowMarketValue(view);
  EXPECT_EQ(Captions(view), (std::vector<std::string>{"庫存股數", "最新成交價", "市值(含零股)",
                                                      "交割幣別", "帳號"}));
  ASSERT_EQ(Rows(view), 2);
  EXPECT_EQ(Row(view, 0, 5),
            (std::vector<std::string>{"30 股", "190.50 元", "5,715 元", "USD", " F880012H"}));
  EXPECT_EQ(Cell(view, 1, 2), "5,715 元");
}

TEST_F(InventoryMarketValueTest, TheMaintenanceRatioFollowsTheAccountAndIsNeverAFormat) {
  data_.accounts[0].maintenanceRatio = "152.3";
  data_.accounts[1].maintenanceRatio = "-1";
  JqzOrderBaseView* view = Open();
  EXPECT_EQ(Ratio(view), "整戶維持率: 152.3 %");
  Choose(view, Entry(view, 1));
  EXPECT_EQ(Ratio(view), "整戶維持率: 0 %");

  // An account without a ratio never shows the one before.
  data_.accounts[1].maintenanceRatio = "";
  host::Broker::Instance().UpdateAccount(data_.accounts[1]);
  Choose(view, Entry(view, 0));
  EXPECT_EQ(Ratio(view), "整戶維持率: 152.3 %");
  Choose(view, Entry(view, 1));
  EXPECT_EQ(Ratio(view), "(hidden)");

  data_.accounts[0].maintenanceRatio = "12%s%n";
  host::Broker::Instance().UpdateAccount(data_.accounts[0]);
  Choose(view, Entry(view, 0));
  EXPECT_EQ(Ratio(view), "整戶維持率: 12%s%n %");
}

TEST_F(InventoryMarketValueTest, PrintHandsTheGridAndSaysWhyNothingWasPrinted) {
  data_.accounts[0].domestic.clear();
  JqzOrderBaseView* view = Open();
  headless::ClearMessageBoxLog();
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_PRINT)));
  ASSERT_EQ(handed_.size(), 1u);
  EXPECT_EQ(Args(0), (std::map<std::string, std::string>{
                         {"title", "證券庫存"}, {"mode", "1"}, {"align", ""}, {"user", "yes"},
                         {"option", "1"}}));
  ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
  EXPECT_EQ(headless::MessageBoxLog()[0].text, "沒有資料可供列印。");
  EXPECT_EQ(headless::MessageBoxLog()[0].caption, g_cszProductName.str());

  Hold(0, DSRecord("2330", [](auto& r) { r.m_nCashToday = 2500; }));
  host::Broker::Instance().UpdateAccount(data_.accounts[0]);
  ShowMarketValue(view);
  host::FailNextPrint();
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_PRINT)));
  ASSERT_EQ(handed_.size(), 2u);
  EXPECT_EQ(Args(1)["title"], "庫存市值");
  EXPECT_EQ(Args(1)["align"], "LRRR");
  EXPECT_EQ(Args(1)["mode"], "0");
  ASSERT_EQ(headless::MessageBoxLog().size(), 2u);
  EXPECT_EQ(headless::MessageBoxLog()[1].text, "資料超出列印範圍，無法列印。");
}

TEST_F(InventoryMarketValueTest, ExportPassesAlignmentUserAndOptionByKindAndMode) {
  HoldForeign(2, FSRecord("AAPL", 1, 30, 30, "USD"));
  JqzOrderBaseView* view = Open();
  auto exportNow = [&] {
    handed_.clear();
    EXPECT_TRUE(input::ClickButton(Control(view, IDC_BTN_EXPORT_EXCEL)));
    return Args(0);
  };
  auto domestic = exportNow();
  EXPECT_EQ(domestic["title"], "帳務資料-證券庫存");
  EXPECT_EQ(domestic["align"], "C" + std::string(35, 'R'));
  EXPECT_EQ(domestic["user"], "yes");
  EXPECT_EQ(domestic["option"], "no");

  ShowMarketValue(view);
  auto market = exportNow();
  EXPECT_EQ(market["title"], "帳務資料-庫存市值");
  EXPECT_EQ(market["align"], "CRRR");
  EXPECT_EQ(market["option"], "yes");

  Choose(view, AllAccountsEntry(65));
  auto all = exportNow();
  EXPECT_EQ(all["align"], "C" + std::string(35, 'R') + "C");
  EXPECT_EQ(all["user"], "no");

  Choose(view, Entry(view, 2));
  auto foreign = exportNow();
  EXPECT_EQ(foreign["align"], "CRRRRRRRRR");
  EXPECT_EQ(foreign["user"], "yes");
  EXPECT_EQ(foreign["option"], "yes");
  ShowMarketValue(view);
  EXPECT_EQ(exportNow()["align"], "CRRRR");
}

}  // namespace
}  // namespace inventorytest
