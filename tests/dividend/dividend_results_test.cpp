// The dividend results as the list shows them after an answer: each mode's columns, the
// forms of dates, names, types and numbers, and the totals of mode 1.
#include <gtest/gtest.h>

#include <Stru_Item.h>

#include <optional>

#include "dividend_scene.h"
#include "resource.h"

namespace dividendtest {
namespace {

class DividendResultsTest : public DividendTest {
 protected:
  // Account 0 earned these records, and the back-end states these totals.
  void Earned(std::vector<CBaseOrder_StockDividendInfo> records, std::optional<double> cash = {},
              std::optional<double> stock = {}) {
    host::BrokerData data = DividendBroker();
    data.accounts[0].dividends = std::move(records);
    data.accounts[0].dividendCashTotal = cash;
    data.accounts[0].dividendStockTotal = stock;
    LoadBroker(data);
  }
  // The totals line (the last) as (caption, cash, stock), and the shown cash dividend.
  std::vector<std::string> Totals() const {
    const int last = Rows() - 1;
    return {Cell(last, 1), Cell(last, 6), Cell(last, 8), Text(IDC_STATIC_CASH_DIVIDEND)};
  }
  static std::string Total() { return Lang("IDS_ORDER-TAB-STOCK-DIVIDENDCALC_TOTAL"); }
};

TEST_F(DividendResultsTest, ModeOneListsEachDistributionThenAnEmptyLineAndTheTotals) {
  Open();
  EXPECT_EQ(Columns(), Langs({"IDS_ORDER-ITEM_DATACOUNT", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DIVIDENDDATE",
                              "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_STOCKNAME", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_TYPE",
                              "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DTINT", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_KEEPQTY",
                              "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_CRINT", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_PDATE",
                              "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SQTY", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SDATE",
                              "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_NORATE", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DDATE",
                              "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SOURCE"}));
  ASSERT_EQ(Rows(), 5);
  EXPECT_EQ(Line(0), (std::vector<std::string>{"1", "2024/06/13", "台積電(2330)",
                                               Lang("IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI38"), "3.5",
                                               "3,000", "10,500", "2024/07/11", "0", "2024/08/20", "0",
                                               "2024/06/13", "盈餘"}));
  EXPECT_EQ(Cell(2, 0), "3");
  EXPECT_EQ(Cell(2, 3), Lang("IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI39"));
  EXPECT_EQ(Line(3), std::vector<std::string>(13, ""));
  std::vector<std::string> totals(13, "");
  totals[1] = Total();
  totals[6] = "$ 22,500";
  totals[8] = "120";
  EXPECT_EQ(Line(4), totals);
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "$ 22,500");
}

TEST_F(DividendResultsTest, TotalsAreTheBackEndsUnlessItLeavesThemAtZero) {
  const auto two = {Record("20240613", "台積電", "2330", "1", 100.5, 10.6),
                    Record("20240912", "台積電", "2330", "1", 200.7, 20.6)};
  const struct {
    std::optional<double> cash, stock;
    std::vector<std::string> shown;
  } cases[] = {
      {1234.9, 77.8, {Total(), "$ 1,234", "77", "$ 1,234"}},    // its own, without fraction
      {0.0, 0.0, {Total(), "$ 301", "31", "$ 301"}},             // the records' sums
      {5e9, {}, {Total(), "$ 5,000,000,000", "31", "$ 5,000,000,000"}},  // beyond 32 bits
  };
  for (const auto& c : cases) {
    Earned(two, c.cash, c.stock);
    view_ = nullptr;
    Open();
    EXPECT_EQ(Rows(), 4);
    EXPECT_EQ(Totals(), c.shown);
  }
}

TEST_F(DividendResultsTest, AnAnswerWithoutRecordsHasTheTotalsLineWithoutDataNothing) {
  Earned({}, 500.0);
  Open();
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Cell(0, 1), "");
  EXPECT_EQ(Totals(), (std::vector<std::string>{Total(), "$ 500", "0", "$ 500"}));

  Earned({});
  view_ = nullptr;
  Open();
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "");
  EXPECT_EQ(TipText(), "查無資料");
}

TEST_F(DividendResultsTest, TextsOutsideTheirFormsShowAsTheyAre) {
  CBaseOrder_StockDividendInfo odd = Record("2024061", "", "", "9", 1234567.25);
  odd.m_strCashPayDate = "";
  odd.m_strDDate = "2024/6/10";
  Earned({odd, Record("20240613", "A", "B", "1", 0), Record("20240613", "", "B", "1", 0)});
  Open();
  ASSERT_EQ(Rows(), 5);
  const std::vector<std::string> line = Line(0);
  EXPECT_EQ(line[1], "2024061");
  EXPECT_EQ(line[2], "--");
  EXPECT_EQ(line[3], "9");
  EXPECT_EQ(line[6], "1,234,567.25");
  EXPECT_EQ(line[7], "");
  EXPECT_EQ(line[11], "2024/6/10");
  EXPECT_EQ(Cell(1, 2), "A(B)");
  EXPECT_EQ(Cell(2, 2), "(B)");
}

TEST_F(DividendResultsTest, SeparatorsInTheBackEndsTextsNeverShiftTheColumns) {
  CBaseOrder_StockDividendInfo odd = Record("20240613", "台積\t電", "2330", "1", 10500);
  odd.m_strSource = "盈\r\n餘";
  odd.m_strDDate = "2024\t0613";
  Earned({odd});
  Open();
  ASSERT_EQ(Rows(), 3);
  const std::vector<std::string> line = Line(0);
  ASSERT_EQ(line.size(), 13u);
  EXPECT_EQ(line[2], "台積 電(2330)");
  EXPECT_EQ(line[6], "10,500");
  EXPECT_EQ(line[11], "2024 0613");
  EXPECT_EQ(line[12], "盈  餘");
}

TEST_F(DividendResultsTest, ModeTwoShowsTheRateAndPayDayOfTheRecordsTypeWithoutTotals) {
  host::BrokerData data = DividendBroker();
  data.accounts[0].exDividends.push_back(Record("20250401", "鴻海", "2317", "3", 0));
  LoadBroker(data);
  Open();
  Click(IDC_RADIO_EX_DIVIDEND_STOCKS);
  Advance(300);
  EXPECT_EQ(Columns(), Langs({"IDS_ORDER-ITEM_DATACOUNT", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DIVIDENDDATE",
                              "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_STOCKNAME", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DTINT_CASH",
                              "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DTINT_STOCK", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_PAYDAY",
                              "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DDATE", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SOURCE"}));
  ASSERT_EQ(Rows(), 3);
  using Cells = std::vector<std::string>;
  EXPECT_EQ(Line(0), (Cells{"1", "2025/03/20", "台積電(2330)", "3.5", "", "2024/07/11", "2025/03/20", "盈餘"}));
  EXPECT_EQ(Line(1), (Cells{"2", "2025/03/25", "長榮(2603)", "", "3.5", "2024/08/20", "2025/03/25", "盈餘"}));
  EXPECT_EQ(Line(2), (Cells{"3", "2025/04/01", "鴻海(2317)", "", "", "", "2025/04/01", "盈餘"}));
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "");  // emptied by the query, left so
}

TEST_F(DividendResultsTest, TheSectionChoosesTheColumnsTheTotalsKeepTheirPlaces) {
  host::BrokerData data = DividendBroker();
  host::DisplaySection few;
  for (const char* key : {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SOURCE", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_STOCKNAME",
                          "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_CRINT"}) {
    few.items.emplace_back(key);
    Stru_Item column;
    column.m_strItem = column.m_strTitle = key;
    column.m_wWidth = 60;
    few.columns.push_back(column);
  }
  data.sections["CTABDIVIDENDCALC_STOCK"] = few;
  LoadBroker(data);
  Open();
  EXPECT_EQ(Columns(), Langs({"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SOURCE", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_STOCKNAME",
                              "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_CRINT"}));
  ASSERT_EQ(Rows(), 5);
  EXPECT_EQ(Line(0), (std::vector<std::string>{"盈餘", "台積電(2330)", "10,500"}));
  // There are no columns 6 and 8 here: only the caption of the totals line shows.
  EXPECT_EQ(Line(4), (std::vector<std::string>{"", Total(), ""}));
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "$ 22,500");
}

}  // namespace
}  // namespace dividendtest
