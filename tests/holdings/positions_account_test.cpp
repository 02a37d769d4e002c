// What the positions dialog shows always belongs to the account it shows: rows, total
// and ratio after failures, empty answers and account changes; and the list's cells and
// total as the back-end's odd data would otherwise bend them.
#include <gtest/gtest.h>

#include <input/input.h>

#include <CListCtrlEx.h>
#include <OrderDataNotice.h>

#include "positions_scene.h"

namespace positionstest {
namespace {

constexpr char kName[] = "IDS_ORDER-ITEM_COMSTOCK";
constexpr char kValue[] = "IDS_ORDER-TAB-FINANCE_MARTKETPRICE_STOCK";
constexpr char kCode[] = "IDS_ORDER-ITEM_STOCKCODE";
constexpr char kEmptyTotal[] = "NT$ --";

class PositionsAccountTest : public PositionsTest {
 protected:
  void SetUp() override {
    PositionsTest::SetUp();
    Quote(16, "2330", "台積電", {{125, 585.0}});
    Quote(16, "2882", "國泰金", {{125, 55.3}});
    Hold(0, Record("2330", {{3, 3000}, {4, 3000}, {9, 3000}}));
    Hold(1, Record("2882", {{3, 12000}, {4, 12000}, {9, 12000}}));
    data_.accounts[0].maintenanceRatio = "187";
    data_.accounts[1].maintenanceRatio = "165";
  }
  bool RatioShown(const JqzOrderBaseView* view) const {
    return ::IsWindowVisible(Control(view, IDC_STATIC_STM_RATIO)) != FALSE;
  }
  bool AnyActionCell(const JqzOrderBaseView* view) const {
    CListCtrlEx* list = ListCtrl(view);
    for (int r = 0; r < Rows(view); ++r)
      for (int c = 0; c < static_cast<int>(Titles(view).size()); ++c)
        if (list->GetCellSpecialType(r, c) == LISTEX_SPECIAL_CLICKTEXT) return true;
    return false;
  }
  void Choose(JqzOrderBaseView* view, int index) {
    ASSERT_TRUE(input::ChooseComboEntry(Control(view, IDC_COMBO_ACCOUNT), index));
  }
  // The shown account's holdings as the broker now has them, and a fresh query.
  void Requery(JqzOrderBaseView* view, int account,
               std::vector<CBaseOrder_StorageStockInfo> holdings) {
    host::BrokerAccount changed = data_.accounts[account];
    changed.domestic = std::move(holdings);
    host::Broker::Instance().UpdateAccount(changed);
    ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_REFRESH)));
    WaitForFill();
  }
  void ExpectNothingShown(const JqzOrderBaseView* view) {
    EXPECT_EQ(Rows(view), 0);
    EXPECT_FALSE(AnyActionCell(view));
    EXPECT_EQ(Text(view, IDC_STATIC_TOTAL), kEmptyTotal);
    EXPECT_EQ(Text(view, IDC_STATIC_ROWCOUNT), "0筆");
    EXPECT_FALSE(RatioShown(view));
  }
};

TEST_F(PositionsAccountTest, AFailedQueryForANewAccountNeverShowsTheRowsOfTheOldOne) {
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Cell(view, 0, kCode), "2330");
  host::Broker::Instance().FailNextQueries({host::QueryKind::kUnoffset, "0654321", 1});
  Choose(view, 1);
  WaitForFill();
  EXPECT_EQ(view->m_CurAccount.m_strAccount, "0654321");
  ExpectNothingShown(view);
  // Its next answer fills it as usual.
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_REFRESH)));
  WaitForFill();
  EXPECT_EQ(Cell(view, 0, kCode), "2882");
  EXPECT_EQ(Text(view, IDC_STATIC_TOTAL), "663,600");
  EXPECT_EQ(Text(view, IDC_STATIC_STM_RATIO), "整戶維持率: 165 %");
}

TEST_F(PositionsAccountTest, AFillDueForTheOldAccountIsDroppedWhenTheAccountChanges) {
  LoadBroker(data_);
  JqzOrderBaseView* view = AddView(moduletest::kHoldingsView, 1);
  Login();
  Advance(300);  // the first account's answer is in, its fill two seconds away
  host::Broker::Instance().FailNextQueries({host::QueryKind::kUnoffset, "0654321", 1});
  Choose(view, 1);
  WaitForFill();
  ExpectNothingShown(view);
}

TEST_F(PositionsAccountTest, AnAccountWithoutHoldingsShowsNoFiguresOfTheAccountBefore) {
  data_.accounts[1].domestic.clear();
  JqzOrderBaseView* view = Open();
  EXPECT_EQ(Text(view, IDC_STATIC_TOTAL), "1,755,000");
  ASSERT_TRUE(RatioShown(view));
  Choose(view, 1);
  // Gone at once, not only when the answer comes.
  EXPECT_EQ(Text(view, IDC_STATIC_TOTAL), kEmptyTotal);
  EXPECT_FALSE(RatioShown(view));
  WaitForFill();
  ExpectNothingShown(view);
}

TEST_F(PositionsAccountTest, TheForeignAccountShowsNoFiguresOfTheDomesticOne) {
  JqzOrderBaseView* view = Open();
  Choose(view, 2);
  WaitForFill();
  EXPECT_EQ(view->m_CurAccount.m_strAccount, "F880012");
  ExpectNothingShown(view);
}

TEST_F(PositionsAccountTest, AnAnswerWithNoRowsClearsTheTotalAndTheRatio) {
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Text(view, IDC_STATIC_TOTAL), "1,755,000");
  Requery(view, 0, {});
  ExpectNothingShown(view);
}

TEST_F(PositionsAccountTest, AFailedQueryForTheShownAccountKeepsItsOwnAnswer) {
  JqzOrderBaseView* view = Open();
  host::Broker::Instance().FailNextQueries({host::QueryKind::kUnoffset, "0123456", 1});
  ASSERT_TRUE(input::ClickButton(Control(view, IDC_BTN_REFRESH)));
  WaitForFill();
  EXPECT_EQ(Cell(view, 0, kCode), "2330");
  EXPECT_EQ(Text(view, IDC_STATIC_TOTAL), "1,755,000");
  EXPECT_EQ(Text(view, IDC_STATIC_STM_RATIO), "整戶維持率: 187 %");
}

TEST_F(PositionsAccountTest, SeparatorsInANameNeverShiftTheColumns) {
  Quote(16, "2330", "台積\t電\r\n", {{125, 585.0}});
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Rows(view), 1);
  EXPECT_EQ(Cell(view, 0, kName), "台積 電  ");
  EXPECT_EQ(Cell(view, 0, kValue), "1,755,000");
}

TEST_F(PositionsAccountTest, TheTotalAddsOnlyTheValuesShown) {
  // A negative count from the back-end shows "--" as its value, and must not lower the total.
  Hold(0, Record("2882", {{3, -1000}, {9, -1000}}));
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Rows(view), 2);
  EXPECT_EQ(Cell(view, 1, kValue), "--");
  EXPECT_EQ(Text(view, IDC_STATIC_TOTAL), "1,755,000");
}

}  // namespace
}  // namespace positionstest
