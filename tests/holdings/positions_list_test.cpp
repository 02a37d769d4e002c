// The positions list as a person reads it: rows per kind, values and their formats,
// change texts and colours, dates, action cells and what a click on one reaches.
#include <gtest/gtest.h>

#include <input/input.h>

#include <JqzFinanceStockUnoffsetDlg.h>
#include <OrderDataNotice.h>

#include "positions_scene.h"

namespace positionstest {
namespace {

using namespace std::string_literals;

constexpr char kKind[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED9";
constexpr char kCode[] = "IDS_ORDER-ITEM_STOCKCODE";
constexpr char kName[] = "IDS_ORDER-ITEM_COMSTOCK";
constexpr char kOpening[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED2";
constexpr char kPrice[] = "IDS_ORDER-ITEM_CURRENTPRICE";
constexpr char kValue[] = "IDS_ORDER-TAB-FINANCE_MARTKETPRICE_STOCK";
constexpr char kChange[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED12";
constexpr char kUnoffset[] = "IDS_ORDER-TAB-FINANCE_TD_UNOFFSET_STOCK";
constexpr char kStatus[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED4";
constexpr char kQ3[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED22";
constexpr char kToday[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED23";
constexpr char kOrdered[] = "IDS_ORDER-ITEM_ORDERQTYSDK";
constexpr char kQ2[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED7";
constexpr char kDate[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED13";
constexpr char kClose[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED5";
constexpr char kOdd[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED6";
constexpr char kDayTrade[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED8";
constexpr char kLine[] = "IDS_ORDER-ITEM_DATACOUNT";

// Count numbers of the record.
enum {
  kCashYesterday = 3, kCashToday = 4, kCashDealBuy = 6, kCashOrderSell = 7, kCashOther = 9,
  kMarginYesterday = 12, kMarginToday = 13, kMarginOrderSell = 16, kMarginRush = 18,
  kMarginOther = 19, kShortYesterday = 20, kShortToday = 21, kShortOrderBuy = 22,
  kShortRush = 26, kShortOther = 27,
};

class PositionsListTest : public PositionsTest {
 protected:
  // The special cell's action text, empty when the cell is plain.
  std::string Action(const JqzOrderBaseView* view, int row, const char* key) const {
    CListCtrlEx* list = ListCtrl(view);
    const int column = Column(view, key);
    if (!list || column < 0 || list->GetCellSpecialType(row, column) != LISTEX_SPECIAL_CLICKTEXT)
      return "";
    return Cell(view, row, key);
  }
  COLORREF TextColour(const JqzOrderBaseView* view, int row, const char* key) const {
    return ListCtrl(view)->GetCellTextColor(row, Column(view, key));
  }
  COLORREF BkColour(const JqzOrderBaseView* view, int row, const char* key) const {
    return ListCtrl(view)->GetCellBkColor(row, Column(view, key));
  }
  COLORREF Border(const JqzOrderBaseView* view, int row, const char* key) const {
    return ListCtrl(view)->GetCellBorderColor(row, Column(view, key));
  }
  std::vector<std::string> ColumnTexts(const JqzOrderBaseView* view, const char* key) const {
    std::vector<std::string> out;
    for (int i = 0; i < Rows(view); ++i) out.push_back(Cell(view, i, key));
    return out;
  }
  void WithoutItem(const char* key) {
    std::vector<std::string> keys = BuiltInKeys();
    std::erase(keys, std::string(key));
    data_.sections["CTABFAINANCESTOCKUNOFFSET"] = Section(keys);
  }
};

TEST_F(PositionsListTest, EachRecordGivesARowPerKindThatHoldsAnything) {
  Quote(16, "2330", "台積電", {{125, 585.0}});
  Hold(0, Record("2330", {{kCashYesterday, 3000}, {kMarginToday, 2000}, {kShortOrderBuy, 1000}}));
  Hold(0, Record("2317", {{kShortOther, 500}}));
  Hold(0, Record("2603", {{1, 9}, {kCashOrderSell + 1, 9}, {35, 2000}}));  // counts the list does not read
  Hold(0, Record("2882", {{kMarginRush, 1000}, {kCashDealBuy, 50}}));
  JqzOrderBaseView* view = Open();
  EXPECT_EQ(ColumnTexts(view, kCode), (std::vector<std::string>{"2330", "2330", "2330", "2317", "2882", "2882"}));
  EXPECT_EQ(ColumnTexts(view, kKind),
            (std::vector<std::string>{"現股", "融資", "融券", "融券", "現股", "融資"}));
  EXPECT_EQ(ColumnTexts(view, kLine), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(Text(view, IDC_STATIC_ROWCOUNT), "6筆");
}

TEST_F(PositionsListTest, QuantitiesShowInSharesUnderTheirItems) {
  Quote(16, "2330", "台積電", {{125, 585.0}});
  Hold(0, Record("2330", {{kCashYesterday, 3000}, {kCashOrderSell, 1000}, {kCashDealBuy, 500},
                          {kCashOther, 2500}, {kCashToday, 3500}}));
  Hold(0, Record("2317", {{kShortYesterday, 3000}, {kShortOrderBuy, 1000}, {kShortRush, 800},
                          {kShortOther, 2000}, {kShortToday, 2000}}));
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Rows(view), 2);
  EXPECT_EQ(Cell(view, 0, kOpening), "3000股");
  EXPECT_EQ(Cell(view, 0, kOrdered), "1000股");
  EXPECT_EQ(Cell(view, 0, kUnoffset), "2000股");
  EXPECT_EQ(Cell(view, 0, kQ2), "500股");
  EXPECT_EQ(Cell(view, 0, kQ3), "2500股");
  EXPECT_EQ(Cell(view, 0, kToday), "3500股");
  EXPECT_EQ(Cell(view, 0, kValue), "1,462,500");  // 2500 shares at 585
  EXPECT_EQ(Cell(view, 1, kOpening), "3000股");
  EXPECT_EQ(Cell(view, 1, kOrdered), "1000股");
  EXPECT_EQ(Cell(view, 1, kQ2), "800股");
  EXPECT_EQ(Cell(view, 1, kToday), "2000股");
}

TEST_F(PositionsListTest, WithoutTheStockColumnTheMarketValueCountsTheOpeningBalance) {
  WithoutItem(kQ3);
  Quote(16, "2330", "台積電", {{125, 585.0}});
  Hold(0, Record("2330", {{kCashYesterday, 3000}, {kCashOther, 2500}}));
  JqzOrderBaseView* view = Open();
  EXPECT_EQ(Cell(view, 0, kValue), "1,755,000");
  EXPECT_EQ(Text(view, IDC_STATIC_TOTAL), "1,755,000");
}

TEST_F(PositionsListTest, ThePriceFallsBackToTheSecondItemAndAZeroPriceShowsDashes) {
  Quote(16, "2330", "台積電", {{455, 580.5}});
  Quote(16, "2317", "鴻海", {});
  Quote(16, "2603", "長榮", {{125, 209.0}});
  Hold(0, Record("2330", {{kCashYesterday, 1000}, {kCashOther, 1000}}));
  Hold(0, Record("2317", {{kCashYesterday, 1000}, {kCashOther, 1000}}));
  Hold(0, Record("2603", {{kCashYesterday, 100}, {kCashOther, 100}}));
  JqzOrderBaseView* view = Open();
  EXPECT_EQ(ColumnTexts(view, kPrice), (std::vector<std::string>{"580.5", "--", "209"}));
  EXPECT_EQ(ColumnTexts(view, kValue), (std::vector<std::string>{"580,500", "--", "20,900"}));
  EXPECT_EQ(Text(view, IDC_STATIC_TOTAL), "601,400");
}

TEST_F(PositionsListTest, NamesComeFromEitherMarketAndAnUnknownCodeStandsAlone) {
  Quote(16, "2330", "台積電", {{125, 585.0}});
  Quote(122, "6488", "環球晶", {{125, 452.0}});
  Hold(0, Record("2330", {{kCashYesterday, 1000}}));
  Hold(0, Record("6488", {{kCashYesterday, 1000}, {kCashOther, 1000}}));
  Hold(0, Record("9999", {{kCashYesterday, 1000}}));
  JqzOrderBaseView* view = Open();
  EXPECT_EQ(ColumnTexts(view, kName), (std::vector<std::string>{"台積電", "環球晶", "--"}));
  EXPECT_EQ(Cell(view, 1, kPrice), "452");  // read in the over-the-counter market
  EXPECT_EQ(Cell(view, 2, kPrice), "--");

  WithoutItem(kCode);
  JqzOrderBaseView* second = Open(2);
  EXPECT_EQ(ColumnTexts(second, kName), (std::vector<std::string>{"台積電(2330)", "環球晶(6488)", "9999"}));
}

TEST_F(PositionsListTest, ChangesShowTheirDirectionAndLimitsInColour) {
  Quote(16, "2330", "台積電", {{125, 585.0}, {184, 5.0}, {185, 0.86}, {132, 638.0}});
  Quote(16, "2603", "長榮", {{125, 209.0}, {184, 19.0}, {185, 10.0}, {132, 209.0}});
  Quote(16, "2317", "鴻海", {{125, 101.5}, {184, -1.5}, {185, -2.0}, {133, 94.1}});
  Quote(16, "2882", "國泰金", {{125, 55.3}, {184, -6.1}, {185, -9.93}, {133, 55.3}});
  Quote(16, "2886", "兆豐金", {{125, 38.0}, {184, 0.0}, {185, 0.0}});
  for (const char* code : {"2330", "2603", "2317", "2882", "2886"})
    Hold(0, Record(code, {{kCashYesterday, 1000}}));
  JqzOrderBaseView* view = Open();
  EXPECT_EQ(ColumnTexts(view, kChange),
            (std::vector<std::string>{"▲ +5.00 / 0.86%", "▲ +19.00 / 10.00%", "▼ -1.50 / 2.00%",
                                      "▼ -6.10 / 9.93%", " +0.000 / 0.000%"}));
  constexpr COLORREF red = 0x0000FF, green = 0x009700, white = 0xFFFFFF;
  EXPECT_EQ(TextColour(view, 0, kChange), red);
  EXPECT_EQ(Border(view, 0, kChange), red);
  EXPECT_EQ(BkColour(view, 0, kChange), CLR_NONE);
  EXPECT_EQ(TextColour(view, 1, kChange), white);
  EXPECT_EQ(BkColour(view, 1, kChange), 0xFFFF00u);
  EXPECT_EQ(Border(view, 1, kChange), red);
  EXPECT_EQ(TextColour(view, 2, kChange), green);
  EXPECT_EQ(Border(view, 2, kChange), green);
  EXPECT_EQ(TextColour(view, 3, kChange), white);
  EXPECT_EQ(BkColour(view, 3, kChange), 0xFF68FFu);
  EXPECT_EQ(TextColour(view, 4, kChange), CLR_NONE);
  EXPECT_EQ(Border(view, 4, kChange), CLR_NONE);
  EXPECT_EQ(BkColour(view, 4, kChange), CLR_NONE);
}

TEST_F(PositionsListTest, TheStatusColumnColoursTheUnoffsetDirection) {
  std::vector<std::string> keys = BuiltInKeys();
  keys.push_back(kStatus);
  data_.sections["CTABFAINANCESTOCKUNOFFSET"] = Section(keys);
  Hold(0, Record("2330", {{kCashYesterday, 1000}}));
  Hold(0, Record("2317", {{kCashYesterday, 1000}, {kCashOrderSell, 2000}}));
  Hold(0, Record("2603", {{kCashYesterday, 1000}, {kCashOrderSell, 1000}}));
  JqzOrderBaseView* view = Open();
  EXPECT_EQ(TextColour(view, 0, kStatus), 0x0000FFu);
  EXPECT_EQ(TextColour(view, 1, kStatus), 0x009700u);
  EXPECT_EQ(TextColour(view, 2, kStatus), CLR_NONE);
}

TEST_F(PositionsListTest, DatesUpToAFortnightAheadAreRed) {
  const std::vector<int> offsets{0, 14, 15, -1};
  const char* codes[] = {"1101", "1102", "1103", "1104"};
  for (size_t i = 0; i < offsets.size(); ++i) {
    Quote(16, codes[i], "", {{453, DateNumber(offsets[i])}});
    Hold(0, Record(codes[i], {{kCashYesterday, 1000}}));
  }
  Hold(0, Record("1105", {{kCashYesterday, 1000}}));
  JqzOrderBaseView* view = Open();
  const int d = static_cast<int>(DateNumber(14));
  char expected[16];
  std::snprintf(expected, sizeof expected, "%04d/%02d/%02d", d / 10000, d / 100 % 100, d % 100);
  EXPECT_EQ(Cell(view, 1, kDate), expected);
  EXPECT_EQ(Cell(view, 4, kDate), "0000/00/00");
  EXPECT_EQ(TextColour(view, 0, kDate), 0x0000FFu);
  EXPECT_EQ(TextColour(view, 1, kDate), 0x0000FFu);
  EXPECT_EQ(TextColour(view, 2, kDate), CLR_NONE);
  EXPECT_EQ(TextColour(view, 3, kDate), CLR_NONE);
  EXPECT_EQ(TextColour(view, 4, kDate), CLR_NONE);
}

TEST_F(PositionsListTest, ActionCellsOfferWhatEachKindCanClose) {
  data_.boardLots["2330"] = 1000;
  Hold(0, Record("2330", {{kCashYesterday, 1000}, {kCashToday, 1500},
                          {kMarginYesterday, 2000}, {kMarginToday, 2000}, {kMarginRush, 1000},
                          {kShortYesterday, 1000}, {kShortToday, 1000}, {kShortRush, 1000}}));
  Hold(0, Record("2317", {{kCashYesterday, 300}, {kCashToday, 300},
                          {kMarginYesterday, 1000}, {kMarginOrderSell, 1000},
                          {kShortYesterday, 1000}, {kShortOrderBuy, 1000}}));
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Rows(view), 6);
  auto actions = [&](int row) {
    return std::vector<std::string>{Action(view, row, kClose), Action(view, row, kOdd),
                                    Action(view, row, kDayTrade)};
  };
  EXPECT_EQ(actions(0), (std::vector<std::string>{"現股賣出", "零股賣出", ""}));
  EXPECT_EQ(actions(1), (std::vector<std::string>{"融資賣出", "", "當沖賣出"}));
  EXPECT_EQ(actions(2), (std::vector<std::string>{"融券回補", "", "當沖買進"}));
  EXPECT_EQ(actions(3), (std::vector<std::string>{"", "零股賣出", ""}));  // unit from the caller: 1000
  EXPECT_EQ(actions(4), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(actions(5), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(Cell(view, 4, kClose), "--");
}

TEST_F(PositionsListTest, WithoutTodaysBalanceTheUnoffsetQuantityDecides) {
  WithoutItem(kToday);
  data_.boardLots["2330"] = 1000;
  Hold(0, Record("2330", {{kCashYesterday, 1000}, {kCashToday, 1500},
                          {kMarginYesterday, 1000}, {kMarginOrderSell, 1000}, {kMarginToday, 1000}}));
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Rows(view), 2);
  EXPECT_EQ(Action(view, 0, kClose), "現股賣出");
  EXPECT_EQ(Action(view, 0, kOdd), "");
  EXPECT_EQ(Action(view, 1, kClose), "");
}

TEST_F(PositionsListTest, ABoardLotBelowOneShareGivesTheCashRowNoActions) {
  data_.boardLots["2330"] = -1;
  Hold(0, Record("2330", {{kCashYesterday, 1500}, {kCashToday, 1500},
                          {kMarginYesterday, 1000}, {kMarginToday, 1000}}));
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Rows(view), 2);
  EXPECT_EQ(Action(view, 0, kClose), "");
  EXPECT_EQ(Action(view, 0, kOdd), "");
  EXPECT_EQ(Action(view, 1, kClose), "融資賣出");
}

TEST_F(PositionsListTest, TheTotalIsWrittenWithoutPrefixAndCountsEveryRow) {
  Quote(16, "2330", "台積電", {{125, 585.0}});
  Quote(16, "2317", "鴻海", {{125, 101.5}});
  Hold(0, Record("2330", {{kCashYesterday, 3000}, {kCashOther, 3000}, {kMarginYesterday, 2000}, {kMarginOther, 2000}}));
  Hold(0, Record("2317", {{kShortYesterday, 1000}, {kShortOther, 1000}}));
  LoadBroker(data_);
  JqzOrderBaseView* view = AddView(moduletest::kHoldingsView, 1);
  EXPECT_EQ(Text(view, IDC_STATIC_TOTAL), "NT$ --");
  Login();
  WaitForFill();
  EXPECT_EQ(Text(view, IDC_STATIC_TOTAL), "3,026,500");
}

// A dialog that records the action cells it is told about.
class RecordingDlg : public JqzFinanceStockUnoffsetDlg {
 public:
  using JqzFinanceStockUnoffsetDlg::JqzFinanceStockUnoffsetDlg;
  void vOnActionCell(int nLine, const CString& strAction) override {
    clicks.emplace_back(nLine, strAction.str());
  }
  std::vector<std::pair<int, std::string>> clicks;
};

TEST_F(PositionsListTest, AClickOnAnActionCellReachesTheDialogWithItsText) {
  data_.boardLots["2330"] = 1000;
  Hold(0, Record("2330", {{kCashYesterday, 1500}, {kCashToday, 1500},
                          {kShortYesterday, 1000}, {kShortToday, 1000}}));
  data_.sections["CTABFAINANCESTOCKUNOFFSET"] = Section({kCode, kKind, kClose, kOdd, kDayTrade});
  LoadBroker(data_);
  JqzOrderBaseView* view = AddView(moduletest::kHoldingsView, 1);
  Login();
  RecordingDlg dlg(view);
  ASSERT_TRUE(dlg.bCreateDlg());
  CRect client;
  view->GetClientRect(&client);
  dlg.MoveWindow(&client);
  dlg.vReloadAccounts(65, true);
  Advance(300);  // the answer goes to the view's own dialog; this one is told directly
  OrderDataNotice notice;
  notice.m_strAccount = "0123456";
  dlg.vRecvRefreshOrderData(ORDERDATA_NOTIFY_UNOFFSET, notice);
  Advance(2000);
  HWND list = dlg.GetDlgItem(IDC_LIST_UNOFFSET)->GetSafeHwnd();
  ASSERT_EQ(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);
  // Each cell is clicked where it is; a plain cell reports nothing.
  ASSERT_TRUE(input::ClickListCell(list, 0, Column(view, kOdd)));
  ASSERT_TRUE(input::ClickListCell(list, 1, Column(view, kClose)));
  ASSERT_TRUE(input::ClickListCell(list, 1, Column(view, kOdd)));
  EXPECT_EQ(dlg.clicks, (std::vector<std::pair<int, std::string>>{{0, "零股賣出"}, {1, "融券回補"}}));
  dlg.DestroyWindow();
}

}  // namespace
}  // namespace positionstest
