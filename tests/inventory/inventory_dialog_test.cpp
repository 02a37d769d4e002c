// The inventory dialog in its view: its controls, the account selector with the
// all-accounts entry, the query cycle with its timers, and the answers it accepts.
#include <gtest/gtest.h>

#include <headless/headless.h>
#include <input/input.h>

#include <CommonUtilities.h>
#include <OrderDataNotice.h>

#include "inventory_scene.h"

namespace inventorytest {
namespace {

using moduletest::Account;

class InventoryDialogTest : public InventoryTest {
 protected:
  void SetUp() override {
    InventoryTest::SetUp();
    Quote(16, "2330", "台積電");
    Hold(0, DSRecord("2330", [](auto& r) { r.m_nCashYesterday = r.m_nCashToday = 2500; }));
    Hold(0, DSRecord("1101", [](auto& r) { r.m_nMarginToday = 3000; }));
    Hold(1, DSRecord("2882", [](auto& r) { r.m_nCashToday = 12000; }));
    HoldForeign(2, FSRecord("AAPL", 1, 30, 30, "USD"));
  }
  static bool Enabled(HWND w) { return ::IsWindowEnabled(w) != FALSE; }
  std::vector<std::string> QueriedAccounts() const {
    std::vector<std::string> out;
    for (const auto& e : Events("query")) out.push_back(e.value("account", ""));
    return out;
  }
};

TEST_F(InventoryDialogTest, OpensOnTheFirstDomesticAccountWithItsNoticeInRed) {
  JqzOrderBaseView* view = Open();
  ASSERT_NE(Dialog(view), nullptr);
  EXPECT_EQ(Text(Control(view, IDC_STATIC_NOTICE)),
            s_LangGetLangString("IDS_CTABFINANCESTOCKUNOFFSET-STRING_NOTE").str());
  EXPECT_FALSE(Visible(Control(view, IDC_STATIC_STM_RATIO)));
  EXPECT_FALSE(Visible(Control(view, IDC_CHK_INCLUDE_ODD)));
  EXPECT_EQ(::SendMessageA(Control(view, IDC_CHK_INCLUDE_ODD), BM_GETCHECK, 0, 0), BST_CHECKED);
  for (int id : {IDC_BTN_CLEAR_OUT, IDC_BTN_KEEP, IDC_BTN_DAY_TRADE, IDC_CHK_SELECT_ALL})
    EXPECT_TRUE(Visible(Control(view, id))) << id;
  EXPECT_EQ(QueriedAccounts(), std::vector<std::string>{"0123456"});
  EXPECT_EQ(Rows(view), 2);
  EXPECT_EQ(Text(Control(view, IDC_STATIC_COUNT)), "2 筆");
}

TEST_F(InventoryDialogTest, TheQueryButtonComesBackWithTheAnswerOrAfterTheDisableTime) {
  SetOrderSetting("BUTTON_DISABLE_TIME", "5");
  data_.latencyMs = 10000;  // the answer comes long after the button
  JqzOrderBaseView* view = AddView(moduletest::kHoldingsView, 1);
  LoadBroker(data_);
  Login();
  HWND query = Control(view, IDC_BTN_QUERY_STOCKS);
  EXPECT_FALSE(Enabled(query));
  Advance(4900);
  EXPECT_FALSE(Enabled(query));
  Advance(200);
  EXPECT_TRUE(Enabled(query));
  // A second query; its answer (the first one's) gives the button back at once.
  ASSERT_TRUE(input::ClickButton(query));
  EXPECT_FALSE(Enabled(query));
  Advance(5000);
  EXPECT_TRUE(Enabled(query));
  EXPECT_EQ(Rows(view), 2);
}

TEST_F(InventoryDialogTest, AnAnswerForAnotherAccountMidQueryIsIgnored) {
  JqzOrderBaseView* view = Open();
  ASSERT_EQ(Rows(view), 2);
  input::ClickButton(Control(view, IDC_BTN_QUERY_STOCKS));
  ASSERT_EQ(Rows(view), 0);
  // The other domestic account's answer, and one with the wrong code, arrive first.
  Notice(view, ORDERDATA_NOTIFY_UNOFFSET, Account(1));
  Notice(view, ORDERDATA_NOTIFY_ORDERCHANGED, Account(0));
  EXPECT_EQ(Rows(view), 0);
  EXPECT_FALSE(Enabled(Control(view, IDC_BTN_QUERY_STOCKS)));
  WaitForAnswer();
  EXPECT_EQ(Rows(view), 2);
  EXPECT_EQ(Name(view, 0), "1101");
  EXPECT_EQ(Name(view, 1), "台積電(2330)");
}

TEST_F(InventoryDialogTest, ChoosingAnotherAccountNeverLeavesTheFormerAccountsRows) {
  JqzOrderBaseView* view = Open(1, false);
  ASSERT_EQ(Rows(view), 2);
  // Hidden view: the new account waits for timer 150, its grid already empty.
  view->ShowWindow(SW_HIDE);
  Dialog(view)->vChangeDlgAccount(Account(1), true);
  headless::PumpMessages();
  EXPECT_EQ(Rows(view), 0);
  const int before = Queries();
  Advance(4000);
  EXPECT_EQ(Queries(), before);
  view->ShowWindow(SW_SHOW);
  Advance(2000);
  EXPECT_EQ(Queries(), before + 1);
  WaitForAnswer();
  ASSERT_EQ(Rows(view), 1);
  EXPECT_EQ(Name(view, 0), "2882");
}

TEST_F(InventoryDialogTest, TheSameAccountAgainIsQueriedOnlyWhenAsked) {
  JqzOrderBaseView* view = Open();
  const int before = Queries();
  Dialog(view)->vChangeDlgAccount(Account(0), false);
  EXPECT_EQ(Queries(), before);
  Dialog(view)->vChangeDlgAccount(Account(0), true);
  EXPECT_EQ(Queries(), before + 1);
}

TEST_F(InventoryDialogTest, TheForeignAccountShowsItsOwnGridWithoutActionsOrRatio) {
  JqzOrderBaseView* view = Open();
  CString name;
  Dialog(view)->vGetAccountDisplayName(Account(2), name, false);
  Choose(view, name.str());
  ASSERT_EQ(Rows(view), 1);
  EXPECT_EQ(moduletest::ListTitles(Main(view)).size(), 9u);
  for (int id : {IDC_BTN_CLEAR_OUT, IDC_BTN_KEEP, IDC_BTN_DAY_TRADE, IDC_CHK_SELECT_ALL,
                 IDC_STATIC_STM_RATIO})
    EXPECT_FALSE(Visible(Control(view, id))) << id;
}

TEST_F(InventoryDialogTest, AllForeignAccountsAddAnAccountColumnAndNoRatio) {
  JqzOrderBaseView* view = Open();
  Choose(view, AllAccountsEntry(51));
  ASSERT_TRUE(Dialog(view)->bAllAccounts());
  const auto titles = moduletest::ListTitles(Main(view));
  ASSERT_EQ(titles.size(), 10u);
  EXPECT_EQ(titles.back(), "帳號");
  EXPECT_FALSE(Visible(Control(view, IDC_STATIC_STM_RATIO)));
  ASSERT_EQ(Rows(view), 1);
  EXPECT_EQ(Cell(view, 0, 9), "F880012H");
}

TEST_F(InventoryDialogTest, AllAccountsShowNothingUntilEveryAccountHasAnswered) {
  data_.accounts.push_back(data_.accounts[1]);
  data_.accounts.back().account.m_strAccount = "0777777";
  data_.latencyMs = 3000;
  JqzOrderBaseView* view = Open();
  ClearEvents();
  Pick(view, AllAccountsEntry(65));
  EXPECT_TRUE(Dialog(view)->bAllAccounts());
  EXPECT_EQ(QueriedAccounts(), (std::vector<std::string>{"0123456", "0654321", "0777777"}));
  // A storm of notices for two of the three accounts shows nothing.
  for (int i = 0; i < 20; ++i) {
    Notice(view, ORDERDATA_NOTIFY_UNOFFSET, Account(0));
    Notice(view, ORDERDATA_NOTIFY_UNOFFSET, Account(1));
  }
  EXPECT_EQ(Rows(view), 0);
  WaitForAnswer();
  ASSERT_EQ(Rows(view), 4);
  // The last column names each row's account.
  const int last = static_cast<int>(moduletest::ListTitles(Main(view)).size()) - 1;
  EXPECT_EQ(last, 40);
  EXPECT_EQ(Cell(view, 0, last), "01234561");
  EXPECT_EQ(Cell(view, 2, last), "06543212");
  EXPECT_EQ(Cell(view, 3, last), "07777772");
}

}  // namespace
}  // namespace inventorytest
