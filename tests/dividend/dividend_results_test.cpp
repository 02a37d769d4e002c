// The dividend results: each mode's columns, the forms of dates, names, types and
// numbers, and the totals of mode 1, as the list shows them after an answer.
#include <gtest/gtest.h>

#include <headless/headless.h>
#include <input/input.h>

#include <Stru_Item.h>

#include <optional>

#include "dividend_scene.h"
#include "resource.h"

namespace dividendtest {
namespace {

std::vector<std::string> Titles(std::initializer_list<const char*> keys) {
  std::vector<std::string> titles;
  for (const char* key : keys) titles.push_back(Lang(key));
  return titles;
}

class DividendResultsTest : public DividendTest {
 protected:
  // Account 0 earned the records given, and the back-end states the totals given.
  void Earned(std::vector<CBaseOrder_StockDividendInfo> records,
              std::optional<double> cashTotal = std::nullopt,
              std::optional<double> stockTotal = std::nullopt) {
    host::BrokerData data = DividendBroker();
    data.accounts[0].dividends = std::move(records);
    data.accounts[0].dividendCashTotal = cashTotal;
    data.accounts[0].dividendStockTotal = stockTotal;
    LoadBroker(data);
  }
  std::vector<std::string> Line(int row) const {
    std::vector<std::string> cells;
    for (size_t c = 0; c < Columns().size(); ++c) cells.push_back(Cell(row, static_cast<int>(c)));
    return cells;
  }
};

// ---- mode 1 -------------------------------------------------------------------------------------------

TEST_F(DividendResultsTest, ModeOneListsEachDistributionThenTheTotals) {
  Open();
  EXPECT_EQ(Columns(), Titles({"IDS_ORDER-ITEM_DATACOUNT", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DIVIDENDDATE",
                               "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_STOCKNAME", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_TYPE",
                               "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DTINT", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_KEEPQTY",
                               "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_CRINT", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_PDATE",
                               "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SQTY", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SDATE",
                               "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_NORATE", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DDATE",
                               "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SOURCE"}));
  ASSERT_EQ(Rows(), 5);  // three records, an empty line and the totals
  const std::vector<std::string> first = {"1",          "2024/06/13", "台積電(2330)", Lang("IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI38"),
                                          "3.5",        "3,000",      "10,500",       "2024/07/11",
                                          "0",          "2024/08/20", "0",            "2024/06/13",
                                          "盈餘"};
  EXPECT_EQ(Line(0), first);
  EXPECT_EQ(Cell(2, 0), "3");
  EXPECT_EQ(Cell(2, 3), Lang("IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI39"));
  EXPECT_EQ(Cell(2, 8), "120");
  EXPECT_EQ(Line(3), std::vector<std::string>(13, ""));
  std::vector<std::string> totals(13, "");
  totals[1] = Lang("IDS_ORDER-TAB-STOCK-DIVIDENDCALC_TOTAL");
  totals[6] = "$ 22,500";
  totals[8] = "120";
  EXPECT_EQ(Line(4), totals);
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "$ 22,500");
  EXPECT_EQ(TipText(), "");
}

TEST_F(DividendResultsTest, TheBackEndsTotalsShowWithoutTheirFraction) {
  Earned({Record("20240613", "台積電", "2330", "1", 10500)}, 1234.9, 77.8);
  Open();
  ASSERT_EQ(Rows(), 3);
  EXPECT_EQ(Cell(2, 6), "$ 1,234");
  EXPECT_EQ(Cell(2, 8), "77");
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "$ 1,234");
}

TEST_F(DividendResultsTest, TotalsTheBackEndLeavesAtZeroAreTheRecordsSums) {
  Earned({Record("20240613", "台積電", "2330", "1", 100.5, 10.6),
          Record("20240912", "台積電", "2330", "1", 200.7, 20.6)},
         0.0, 0.0);
  Open();
  ASSERT_EQ(Rows(), 4);
  EXPECT_EQ(Cell(3, 6), "$ 301");
  EXPECT_EQ(Cell(3, 8), "31");
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "$ 301");
}

TEST_F(DividendResultsTest, TotalsBeyondThirtyTwoBitsDoNotWrap) {
  Earned({Record("20240613", "台積電", "2330", "1", 10500)}, 5e9);
  Open();
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "$ 5,000,000,000");
}

TEST_F(DividendResultsTest, AnAnswerWithoutRecordsStillHasTheTotalsLine) {
  Earned({}, 500.0);
  Open();
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Cell(0, 1), "");
  EXPECT_EQ(Cell(1, 1), Lang("IDS_ORDER-TAB-STOCK-DIVIDENDCALC_TOTAL"));
  EXPECT_EQ(Cell(1, 6), "$ 500");
  EXPECT_EQ(Cell(1, 8), "0");
}

TEST_F(DividendResultsTest, NoDataLeavesTheListAndTheTotalEmpty) {
  Earned({});
  Open();
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "");
  EXPECT_EQ(TipText(), "查無資料");
}

// ---- forms ---------------------------------------------------------------------------------------------

TEST_F(DividendResultsTest, DatesNamesAndTypesOutsideTheirFormsShowAsTheyAre) {
  CBaseOrder_StockDividendInfo odd = Record("2024061", "", "", "9", 1234567.25);
  odd.m_strCashPayDate = "";
  odd.m_strDDate = "2024/6/10";
  CBaseOrder_StockDividendInfo half = Record("20240613", "A", "", "1", 0);
  half.m_strStockName = "";
  half.m_strNameSuffix = "B";
  Earned({odd, Record("20240613", "A", "B", "1", 0), half});
  Open();
  ASSERT_EQ(Rows(), 5);
  EXPECT_EQ(Cell(0, 1), "2024061");
  EXPECT_EQ(Cell(0, 2), "--");
  EXPECT_EQ(Cell(0, 3), "9");
  EXPECT_EQ(Cell(0, 6), "1,234,567.25");
  EXPECT_EQ(Cell(0, 7), "");
  EXPECT_EQ(Cell(0, 11), "2024/6/10");
  EXPECT_EQ(Cell(1, 2), "A(B)");
  EXPECT_EQ(Cell(2, 2), "(B)");
}

// ---- mode 2 ---------------------------------------------------------------------------------------------

TEST_F(DividendResultsTest, ModeTwoShowsTheRateAndPayDayOfTheRecordsType) {
  CBaseOrder_StockDividendInfo unknown = Record("20250401", "鴻海", "2317", "3", 0);
  host::BrokerData data = DividendBroker();
  data.accounts[0].exDividends.push_back(unknown);
  LoadBroker(data);
  Open();
  Click(IDC_RADIO_EX_DIVIDEND_STOCKS);
  Advance(300);
  EXPECT_EQ(Columns(), Titles({"IDS_ORDER-ITEM_DATACOUNT", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DIVIDENDDATE",
                               "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_STOCKNAME",
                               "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DTINT_CASH",
                               "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DTINT_STOCK",
                               "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_PAYDAY", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DDATE",
                               "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SOURCE"}));
  ASSERT_EQ(Rows(), 3);  // no totals in this mode
  EXPECT_EQ(Line(0), (std::vector<std::string>{"1", "2025/03/20", "台積電(2330)", "3.5", "", "2024/07/11",
                                               "2025/03/20", "盈餘"}));
  EXPECT_EQ(Line(1), (std::vector<std::string>{"2", "2025/03/25", "長榮(2603)", "", "3.5", "2024/08/20",
                                               "2025/03/25", "盈餘"}));
  EXPECT_EQ(Line(2), (std::vector<std::string>{"3", "2025/04/01", "鴻海(2317)", "", "", "", "2025/04/01",
                                               "盈餘"}));
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "");  // emptied by the query, left so by the answer
}

// ---- sections ---------------------------------------------------------------------------------------------

TEST_F(DividendResultsTest, TheSectionDecidesTheColumnsAndTheTotalsStayInPlace) {
  host::BrokerData data = DividendBroker();
  host::DisplaySection few;
  for (const char* key : {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SOURCE", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_STOCKNAME",
                          "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_CRINT"}) {
    few.items.emplace_back(key);
    Stru_Item column;
    column.m_strItem = key;
    column.m_strTitle = key;
    column.m_wWidth = 60;
    few.columns.push_back(column);
  }
  data.sections["CTABDIVIDENDCALC_STOCK"] = few;
  LoadBroker(data);
  Open();
  EXPECT_EQ(Columns(), Titles({"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SOURCE", "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_STOCKNAME",
                               "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_CRINT"}));
  ASSERT_EQ(Rows(), 5);
  EXPECT_EQ(Line(0), (std::vector<std::string>{"盈餘", "台積電(2330)", "10,500"}));
  // Columns 6 and 8 do not exist here: only the caption of the totals line shows.
  EXPECT_EQ(Line(4), (std::vector<std::string>{"", Lang("IDS_ORDER-TAB-STOCK-DIVIDENDCALC_TOTAL"), ""}));
  EXPECT_EQ(Text(IDC_STATIC_CASH_DIVIDEND), "$ 22,500");
}

}  // namespace
}  // namespace dividendtest
