// The inventory grid: its columns and cells for domestic and foreign accounts, the
// selection and check boxes of the two lists, the two lists scrolling as one, and the
// double click that hands a quantity to the order window.
#include <gtest/gtest.h>

#include <headless/headless.h>
#include <input/input.h>

#include <CommonUtilities.h>

#include "inventory_scene.h"

namespace inventorytest {
namespace {

using moduletest::Account;

class InventoryGridTest : public InventoryTest {
 protected:
  void SetUp() override {
    InventoryTest::SetUp();
    Quote(16, "2330", "台積電");
    Hold(0, DSRecord("2330", [](auto& r) {
           r.m_nCashYesterday = 2000;
           r.m_nCashToday = 2500;
           r.m_nMarginToday = 3000;
           r.m_nMarginRushStock = 999;
           r.m_nShortRushStock = -5;
         }));
    Hold(0, DSRecord("1260", [](auto& r) { r.m_nShortToday = 3000; }));
    Hold(0, DSRecord("Abc", [](auto& r) { r.m_nCashToday = 1000; }));
    Hold(1, DSRecord("2882", [](auto& r) { r.m_nCashToday = 7000; }));
  }
  std::string ForeignName() {
    return std::string(Account(2).m_strAccount.GetString()) + "-" +
           Account(2).m_strSubAccount.GetString();
  }
  void ChooseForeign(JqzOrderBaseView* view) {
    CString name;
    Dialog(view)->vGetAccountDisplayName(Account(2), name, false);
    Choose(view, name.str());
  }
  std::vector<nlohmann::json> Agents() const { return Events("priceAgent"); }
  int Width(HWND list, int col) const {
    return static_cast<int>(::SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(col), 0));
  }
};

TEST_F(InventoryGridTest, TheDomesticGridSplitsSharesIntoLotsAndOddLots) {
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(moduletest::ListTitles(Main(view)).size(), 40u);
  ASSERT_EQ(moduletest::ListTitles(Names(view)).size(), 1u);
  ASSERT_EQ(Rows(view), 3);
  // Rows in byte order of their codes; the name beside, the counts in the wide list.
  EXPECT_EQ(Name(view, 0), "1260");
  EXPECT_EQ(Name(view, 1), "台積電(2330)");
  EXPECT_EQ(Name(view, 2), "Abc");
  EXPECT_EQ(Cell(view, 1, 0), "2");     // cash yesterday
  EXPECT_EQ(Cell(view, 1, 5), "2");     // cash today 2,500
  EXPECT_EQ(Cell(view, 1, 34), "500");  // its odd lots
  EXPECT_EQ(Cell(view, 1, 18), "3");    // margin today
  EXPECT_EQ(Cell(view, 1, 19), "0");    // rush 999: the quotient, not a blank
  EXPECT_EQ(Cell(view, 1, 27), " ");    // rush -5
  EXPECT_EQ(Cell(view, 1, 1), " ");     // nothing ordered
  const auto& values = Dialog(view)->MarketValues();
  ASSERT_EQ(values.count("2330"), 1u);
  EXPECT_EQ(values.at("2330").m_dQuantity, 5500.0);
  EXPECT_EQ(values.at("2330").m_dOddQuantity, 500.0);
  ASSERT_EQ(values.count("1260"), 1u);
  EXPECT_EQ(values.at("1260").m_dQuantity, 3000.0);
}

TEST_F(InventoryGridTest, TheFilterIsSentUpperCasedAndMatchesIgnoringCase) {
  JqzOrderBaseView* view = Open();
  ClearEvents();
  ::SetWindowTextA(Control(view, IDC_EDIT_CODE), "abc");
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_QUERY_STOCKS)));
  ASSERT_EQ(Events("query").size(), 1u);
  EXPECT_EQ(Events("query")[0].value("symbol", ""), "ABC");
  WaitForAnswer();
  ASSERT_EQ(Rows(view), 1);
  EXPECT_EQ(Name(view, 0), "Abc");
}

TEST_F(InventoryGridTest, UpperCasingLeavesTheBytesOfADoubleByteCharacterAlone) {
  // 0xA4 0x72 is one character whose trail byte reads as 'r'.
  EXPECT_EQ(inventory::UpperFilter("\xA4\x72"
                                   "ab")
                .str(),
            "\xA4\x72"
            "AB");
  EXPECT_EQ(inventory::UpperFilter("x\xA4").str(), "X\xA4");
}

TEST_F(InventoryGridTest, ALotSizeBelowOneMakesEverySharesAnOddLot) {
  data_.boardLots["1260"] = -1;
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Rows(view), 3);
  EXPECT_EQ(Cell(view, 0, 26), " ");         // short today: no whole lots
  EXPECT_EQ(Name(view, 1), "台積電(2330)");  // and the other rows still show
}

TEST_F(InventoryGridTest, TheHeaderGroupsAndTheAccountColumnInAllAccountsMode) {
  JqzOrderBaseView* view = Open();
  Choose(view, AllAccountsEntry(65));
  const auto titles = moduletest::ListTitles(Main(view));
  ASSERT_EQ(titles.size(), 41u);
  EXPECT_EQ(titles.back(), s_LangGetLangString("IDS_QZORDERVIEW_GLOABLDATAPROC_CSEQ").str());
  ASSERT_EQ(Rows(view), 4);
  EXPECT_EQ(Cell(view, 3, 40), "06543212");
  EXPECT_EQ(Cell(view, 3, 5), "7");
}

TEST_F(InventoryGridTest, ColumnWidthsFollowTheListFont) {
  JqzOrderBaseView* view = Open();
  CFont font;
  LOGFONT lf{};
  lf.lfHeight = -16;  // 12 points at 96 dpi
  std::strcpy(lf.lfFaceName, "Tahoma");
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  Dialog(view)->vChangeCast(&font);
  EXPECT_EQ(Width(Names(view), 0), 240);
  EXPECT_EQ(Width(Main(view), 0), 50);   // "昨餘", 4 bytes
  EXPECT_EQ(Width(Main(view), 6), 74);   // "當沖委買", 8 bytes
  EXPECT_EQ(Width(Main(view), 10), 74);  // "當沖股數"
  EXPECT_EQ(Width(Main(view), 19), 61);  // "可當沖", 6 bytes
  EXPECT_EQ(Rows(view), 3);              // the rows are shown again
}

TEST_F(InventoryGridTest, TheForeignGridKeepsEachCurrencyApartAndSkipsOnlyABadLot) {
  HoldForeign(2, FSRecord("0700", 500, 2000, 2000, "HKD"));
  HoldForeign(2, FSRecord("0700", 500, 1000, 0, "USD"));
  HoldForeign(2, FSRecord("0005", 0, 400, 400, "HKD"));
  HoldForeign(2, FSRecord("0939", 1000, 2000, 2000, "HKD"));  // unknown to every market
  Quote(22, "0700", "騰訊");
  // Market 22 is served with delay: its names come from the delayed service's market.
  data_.delayedServices[22] = 222;
  Quote(222, "0005", "匯豐");
  JqzOrderBaseView* view = Open();
  ChooseForeign(view);
  ASSERT_EQ(Rows(view), 4);
  EXPECT_EQ(Name(view, 0), "匯豐(0005)");
  EXPECT_EQ(Cell(view, 0, 0), " ");  // its lot size is unknown
  EXPECT_EQ(Cell(view, 0, 6), "400");
  EXPECT_EQ(Name(view, 1), "0700");  // not known to the delayed service
  EXPECT_EQ(Cell(view, 1, 0), "500股");
  EXPECT_EQ(Cell(view, 1, 1), "2,000");
  EXPECT_EQ(Cell(view, 1, 8), "HKD");
  EXPECT_EQ(Cell(view, 2, 8), "USD");
  EXPECT_EQ(Dialog(view)->Rows().count("0700_USD"), 1u);
  // A double click on today's sellable shares hands whole lots in the row's currency.
  ASSERT_TRUE(input::DoubleClickListCell(Main(view), 1, 6));
  ASSERT_EQ(Agents().size(), 1u);
  EXPECT_EQ(Agents()[0].value("quantity", 0), 4);
  EXPECT_EQ(Agents()[0].value("board", ""), "3");
  EXPECT_EQ(Agents()[0].value("currency", ""), "HKD");
  // The row without a lot size hands nothing; nor does the lot column of a code no
  // market knows, which must not pass for a domestic cash count.
  ASSERT_TRUE(input::DoubleClickListCell(Main(view), 0, 6));
  ASSERT_TRUE(input::DoubleClickListCell(Main(view), 3, 0));
  EXPECT_EQ(Agents().size(), 1u);
}

TEST_F(InventoryGridTest, ADoubleClickHandsTheCellsQuantityWithItsLetters) {
  Hold(0, DSRecord("2603", [](auto& r) { r.m_nCashToday = 500; }));
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Rows(view), 4);
  ASSERT_TRUE(input::DoubleClickListCell(Main(view), 1, 18));  // 2330 margin today: 3
  // The odd-lot group is at the far right: scrolled there first, as a person does.
  ::SendMessageA(Main(view), WM_HSCROLL, SB_RIGHT, 0);
  ASSERT_TRUE(input::DoubleClickListCell(Main(view), 2, 34));  // 2603 odd lots today: 500
  ::SendMessageA(Main(view), WM_HSCROLL, SB_LEFT, 0);
  ASSERT_TRUE(input::DoubleClickListCell(Main(view), 2, 1));  // not a column that hands over
  ASSERT_TRUE(input::DoubleClickListCell(Main(view), 0, 0));  // a blank cell
  const auto agents = Agents();
  ASSERT_EQ(agents.size(), 2u);
  const auto& margin = agents[0];
  EXPECT_EQ(margin.value("account", ""), "0123456");
  EXPECT_EQ(margin.value("symbol", ""), "2330");
  EXPECT_EQ(margin.value("quantity", 0), 3);
  EXPECT_EQ(margin.value("tradeType", ""), "C");
  EXPECT_EQ(margin.value("board", ""), "A");
  EXPECT_EQ(margin.value("side", -1), 1);
  EXPECT_EQ(margin.value("syncGroup", -1), 1);
  EXPECT_EQ(agents[1].value("quantity", 0), 500);
  EXPECT_EQ(agents[1].value("board", ""), "E");
}

TEST_F(InventoryGridTest, TheNameListHandsNothingEvenForANameThatIsANumber) {
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Name(view, 0), "1260");
  ASSERT_TRUE(input::DoubleClickListCell(Names(view), 0, 0));
  EXPECT_TRUE(Agents().empty());
}

TEST_F(InventoryGridTest, InAllAccountsModeTheRowsAccountReceivesTheOrder) {
  JqzOrderBaseView* view = Open();
  Choose(view, AllAccountsEntry(65));
  ASSERT_EQ(Rows(view), 4);
  ASSERT_TRUE(input::DoubleClickListCell(Main(view), 3, 5));
  ASSERT_EQ(Agents().size(), 1u);
  EXPECT_EQ(Agents()[0].value("account", ""), "0654321");
  EXPECT_EQ(Agents()[0].value("quantity", 0), 7);
  EXPECT_EQ(Dialog(view)->m_CurAccount.m_strAccount, "0654321");
  EXPECT_TRUE(Dialog(view)->bAllAccounts());
}

TEST_F(InventoryGridTest, AClickInEitherListSelectsTheRowInBoth) {
  JqzOrderBaseView* view = Open();
  auto selected = [](HWND list, int row) {
    return ::SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0;
  };
  ASSERT_TRUE(input::ClickListCell(Main(view), 1, 3));
  EXPECT_TRUE(selected(Main(view), 1) && selected(Names(view), 1));
  ASSERT_TRUE(input::ClickListCell(Names(view), 2, 0));
  EXPECT_TRUE(selected(Main(view), 2) && selected(Names(view), 2));
  EXPECT_FALSE(selected(Main(view), 1) || selected(Names(view), 1));
}

TEST_F(InventoryGridTest, SelectAllChecksEveryNameRowAndEachFillUnchecksThem) {
  JqzOrderBaseView* view = Open();
  auto* names = dynamic_cast<CListCtrlExH*>(CWnd::FromHandlePermanent(Names(view)));
  ASSERT_NE(names, nullptr);
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_CHK_SELECT_ALL)));
  EXPECT_TRUE(names->IsChecked(0) && names->IsChecked(2));
  ASSERT_TRUE(input::ClickListCell(Names(view), 1, 0));  // a click on the box flips it
  EXPECT_FALSE(names->IsChecked(1));
  input::ClickButton(Control(view, IDC_BTN_QUERY_STOCKS));
  WaitForAnswer();
  EXPECT_FALSE(names->IsChecked(0));
}

TEST_F(InventoryGridTest, WithoutOrderActionsTheNameListHasNoCheckBoxes) {
  SetOrderSetting("StockBtnPart", "1");
  JqzOrderBaseView* view = Open();
  for (int id : {IDC_BTN_CLEAR_OUT, IDC_BTN_KEEP, IDC_BTN_DAY_TRADE, IDC_CHK_SELECT_ALL})
    EXPECT_FALSE(Visible(Control(view, id))) << id;
  auto* names = dynamic_cast<CListCtrlExH*>(CWnd::FromHandlePermanent(Names(view)));
  ASSERT_NE(names, nullptr);
  EXPECT_FALSE(names->m_bCheckColumn);
}

class InventoryScrollTest : public InventoryGridTest {
 protected:
  void SetUp() override {
    InventoryGridTest::SetUp();
    for (int i = 0; i < 80; ++i) {
      const std::string code = std::to_string(3000 + i);
      Hold(0, DSRecord(code.c_str(), [](auto& r) { r.m_nCashToday = 1000; }));
    }
  }
  void ExpectInStep(JqzOrderBaseView* view, const char* what) {
    EXPECT_EQ(Top(Main(view)), Top(Names(view))) << what;
  }
};

TEST_F(InventoryScrollTest, BothListsStayOnTheSameTopRowWhateverScrolls) {
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Rows(view), 83);
  const POINT mid{40, 60};
  ::SetFocus(Names(view));  // the wheel goes to the window with the focus
  ASSERT_TRUE(input::TurnWheel(Names(view), mid, -2));
  EXPECT_GT(Top(Names(view)), 0);
  ExpectInStep(view, "wheel over the names");
  ::SetFocus(Main(view));
  ASSERT_TRUE(input::TurnWheel(Main(view), mid, -3));
  ExpectInStep(view, "wheel over the counts");
  const int before = Top(Main(view));

  ::SetFocus(Main(view));
  ASSERT_TRUE(input::PressKey(VK_NEXT));
  EXPECT_GT(Top(Main(view)), before);
  ExpectInStep(view, "page down in the counts");
  ASSERT_TRUE(input::PressKey(VK_UP));
  ExpectInStep(view, "arrow up in the counts");
  ::SetFocus(Names(view));
  ASSERT_TRUE(input::PressKey(VK_NEXT));
  ExpectInStep(view, "page down in the names");
  ASSERT_TRUE(input::PressKey(VK_DOWN));
  ExpectInStep(view, "arrow down in the names");
  ASSERT_TRUE(input::PressKey(VK_PRIOR));
  ExpectInStep(view, "page up in the names");

  // A drag of the scroll bar's thumb, as the system reports one.
  for (UINT code : {static_cast<UINT>(SB_THUMBTRACK), static_cast<UINT>(SB_THUMBPOSITION)})
    ::SendMessageA(Main(view), WM_VSCROLL, MAKEWPARAM(code, 30), 0);
  ::SendMessageA(Main(view), WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
  ExpectInStep(view, "thumb drag");
  // To the very end: the shorter name list must not run past the counts.
  ::SetFocus(Main(view));
  for (int i = 0; i < 10; ++i) input::PressKey(VK_NEXT);
  ExpectInStep(view, "the end");
}

}  // namespace
}  // namespace inventorytest
