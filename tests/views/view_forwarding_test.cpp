// What each view passes on to the dialog it hosts, and what it keeps back: the host's
// real messages go to the views, and a recording dialog stands in the pane so that
// every call the view makes is seen.
#include <gtest/gtest.h>

#include <headless/headless.h>

#include <string>
#include <vector>

#include "CAutoDllResource.h"
#include "JqzFinanceBaseStockUnoffsetDlg.h"
#include "JqzFinanceStockUnoffsetView.h"
#include "JqzStockDividendCalcDlg.h"
#include "JqzStockDividendCalcView.h"
#include "QzStockExtModule.h"
#include "module_fixture.h"
#include "resource.h"

namespace {

using moduletest::Account;
using Calls = std::vector<std::string>;

std::string Text(const CString& s) { return std::string(static_cast<LPCSTR>(s)); }

std::string NoticeCall(const char* what, int code, const OrderDataNotice& n) {
  return std::string(what) + " " + std::to_string(code) + " " + Text(n.m_strKey) + "-" +
         Text(n.m_strAccount) + " " + std::to_string(n.m_nAccountType) + " " +
         std::to_string(n.m_nValue);
}

class RecordingHoldingsDlg : public JqzFinanceBaseStockUnoffsetDlg {
 public:
  explicit RecordingHoldingsDlg(CWnd* pParent) : JqzFinanceBaseStockUnoffsetDlg(pParent) {}
  bool bCreateDlg() override {
    CAutoDllResource module(QzGetStockExtInstance());
    return bCreate(IDD_STOCK_UNOFFSET, m_pParentWnd) != FALSE;
  }
  void vReloadAccounts(int nKind, bool bByKind) override {
    calls.push_back("reload " + std::to_string(nKind) + (bByKind ? " by kind" : " by group"));
  }
  void vRecvRefreshOrderData(int nCode, OrderDataNotice notice) override {
    calls.push_back(NoticeCall("data", nCode, notice));
  }
  void vRecvRefreshErrOrderData(int nCode, OrderDataNotice notice) override {
    calls.push_back(NoticeCall("error", nCode, notice));
  }
  void vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame) override {
    calls.push_back("change " + Text(account.m_strAccount) + (bRefreshIfSame ? " refresh" : " keep"));
  }
  void vRefreshData() override { calls.push_back("refresh"); }
  void vRecvMultiSymbolMemoryRecovery(const CMultiSymbolMemoryInfo* pInfo) override {
    calls.push_back(pInfo ? "memory" : "memory null");
  }
  Calls calls;
};

class RecordingDividendDlg : public JqzStockDividendCalcDlg {
 public:
  explicit RecordingDividendDlg(CWnd* pParent) : JqzStockDividendCalcDlg(pParent) {}
  void vRecvRefreshOrderData(int nCode, OrderDataNotice notice) override {
    calls.push_back(NoticeCall("data", nCode, notice));
  }
  void vRecvRefreshErrOrderData(int nCode, OrderDataNotice notice) override {
    calls.push_back(NoticeCall("error", nCode, notice));
  }
  void vRecvClearOrderData(int nCode, OrderDataNotice notice) override {
    calls.push_back(NoticeCall("clear", nCode, notice));
  }
  void vQueryDividend() override { calls.push_back("query"); }
  Calls calls;
};

class ViewForwardingTest : public moduletest::ModuleTest {
 protected:
  // A holdings view whose pane holds a recording dialog instead of its own.
  std::pair<JqzFinanceStockUnoffsetView*, RecordingHoldingsDlg*> Holdings(BYTE group,
                                                                           bool follow = false) {
    auto* view = dynamic_cast<JqzFinanceStockUnoffsetView*>(AddView(moduletest::kHoldingsView, group));
    if (!view) return {nullptr, nullptr};
    view->SetChange(follow);
    auto* dlg = new RecordingHoldingsDlg(view);
    Replace(view, view->m_pDlg, dlg, IDD_STOCK_UNOFFSET);
    view->m_pDlg = dlg;
    return {view, dlg};
  }
  std::pair<JqzStockDividendCalcView*, RecordingDividendDlg*> Dividend(BYTE group) {
    auto* view = dynamic_cast<JqzStockDividendCalcView*>(AddView(moduletest::kDividendView, group));
    if (!view) return {nullptr, nullptr};
    auto* dlg = new RecordingDividendDlg(view);
    Replace(view, view->m_pDlg, dlg, IDD_STOCK_DIVIDEND_CALC);
    view->m_pDlg = dlg;
    return {view, dlg};
  }
  static void Replace(JqzOrderBaseView* view, JqzOrderBaseDlg* old, JqzOrderBaseDlg* dlg,
                      UINT nTemplate) {
    if (old) {
      old->DestroyWindow();
      delete old;
    }
    view->m_pBaseDlg = dlg;
    CAutoDllResource module(QzGetStockExtInstance());
    ASSERT_TRUE(dlg->bCreate(nTemplate, view));
  }
  static OrderDataNotice Notice(const AccountType& account, int value = 3) {
    OrderDataNotice n;
    n.m_strKey = account.m_strBrokerID;
    n.m_strAccount = account.m_strAccount;
    n.m_nAccountType = account.m_nAccountType;
    n.m_nValue = value;
    return n;
  }
  // Another live view whose account is `account`.
  JqzOrderBaseView* Sender(BYTE group, const AccountType& account) {
    JqzOrderBaseView* sender = AddView(moduletest::kDividendView, group);
    sender->vSetActiveAccount(account);
    return sender;
  }
  static LRESULT ChangeFrom(JqzOrderBaseView* to, WPARAM group, const void* sender) {
    return to->SendMessage(g_nQzMsgSendChangeAccount, group, reinterpret_cast<LPARAM>(sender));
  }
};

TEST_F(ViewForwardingTest, AHoldingsViewPassesEveryDataMessageOnWithACopyOfItsNotice) {
  auto [view, dlg] = Holdings(0);
  ASSERT_NE(view, nullptr);
  OrderDataNotice notice = Notice(Account(0), 7);
  for (UINT message : {WM_ORDER_REFRESHDATA, WM_ORDER_REFRESHDATA2, WM_ORDER_REFRESHDATA3,
                       WM_ORDER_REFRESHDATA4})
    EXPECT_EQ(view->SendMessage(message, 1094, reinterpret_cast<LPARAM>(&notice)), 0);
  EXPECT_EQ(view->SendMessage(WM_ORDER_REFRESHERRDATA, 1094, reinterpret_cast<LPARAM>(&notice)), 0);
  // A clear means nothing to this view.
  EXPECT_EQ(view->SendMessage(WM_ORDER_CLEARDATA, 1094, reinterpret_cast<LPARAM>(&notice)), 0);
  const std::string data = "data 1094 9A95-0123456 65 7";
  EXPECT_EQ(dlg->calls, (Calls{data, data, data, data, "error 1094 9A95-0123456 65 7"}));
}

TEST_F(ViewForwardingTest, AViewThatIsNotSeenDropsTheBrokersNoticesAndAsksAgainWhenShown) {
  auto [view, dlg] = Holdings(0);
  ASSERT_NE(view, nullptr);
  Login();
  dlg->calls.clear();
  view->ShowWindow(SW_HIDE);
  host::Broker::Instance().QueryUnoffset(Account(1), "");
  Advance(1000);
  EXPECT_TRUE(dlg->calls.empty());

  view->ShowWindow(SW_SHOW);
  EXPECT_EQ(dlg->calls, (Calls{"refresh"}));
  host::Broker::Instance().QueryUnoffset(Account(1), "");
  Advance(1000);
  EXPECT_EQ(dlg->calls, (Calls{"refresh", "data 1094 9A95-0654321 65 0"}));

  // Hidden and shown again with nothing missed, it does not ask.
  dlg->calls.clear();
  view->ShowWindow(SW_HIDE);
  view->ShowWindow(SW_SHOW);
  EXPECT_TRUE(dlg->calls.empty());
}

TEST_F(ViewForwardingTest, AHoldingsViewReloadsItsAccountsAtLoginAndOnTheHostsWord) {
  auto [view, dlg] = Holdings(0);
  ASSERT_NE(view, nullptr);
  view->m_iAccountType = 51;
  Login();
  EXPECT_EQ(dlg->calls, (Calls{"reload 51 by kind"}));
  EXPECT_TRUE(dlg->IsWindowVisible());
  dlg->calls.clear();
  view->SendMessage(WM_ORDER_RELOADACCOUNT, 0, 0);
  view->vRefreshComboBox();
  view->OnRefreahData();
  CMultiSymbolMemoryInfo memory;
  view->vRecvMultiSymbolMemoryRecovery(&memory);
  EXPECT_EQ(dlg->calls, (Calls{"reload 51 by group", "reload 51 by group", "refresh", "memory"}));

  // Restored while logged in: the market of the title, then a query.
  dlg->calls.clear();
  Restore(view, "庫存(證券)");
  EXPECT_EQ(dlg->calls, (Calls{"reload 65 by kind", "refresh"}));
}

TEST_F(ViewForwardingTest, AccountChangesComeOnlyFromAnotherViewOfTheSameGroup) {
  auto [grouped, dlg] = Holdings(1);
  auto [other, otherDlg] = Holdings(2);
  ASSERT_NE(grouped, nullptr);
  ASSERT_NE(other, nullptr);
  JqzOrderBaseView* sender = Sender(1, Account(1));

  EXPECT_EQ(ChangeFrom(grouped, 1, sender), 0);
  EXPECT_EQ(ChangeFrom(grouped, 2, sender), 0);  // another group's notice
  EXPECT_EQ(ChangeFrom(grouped, 1, grouped), 0);  // its own
  // Only the low byte names the group.
  EXPECT_EQ(ChangeFrom(grouped, 0x101, sender), 0);
  EXPECT_EQ(dlg->calls, (Calls{"change 0654321 refresh", "change 0654321 refresh"}));

  // The direct form follows the same rule, with the account it is given.
  dlg->calls.clear();
  grouped->vChangeAccount(sender, 1, Account(2));
  grouped->vChangeAccount(sender, 2, Account(2));
  grouped->vChangeAccount(grouped, 1, Account(2));
  EXPECT_EQ(dlg->calls, (Calls{"change F880012 refresh"}));
  EXPECT_TRUE(otherDlg->calls.empty());
}

TEST_F(ViewForwardingTest, ViewsOutsideAnyGroupFollowOnlyWhileTheyAskTo) {
  auto [loner, lonerDlg] = Holdings(0, false);
  auto [follower, followerDlg] = Holdings(0, true);
  ASSERT_NE(loner, nullptr);
  ASSERT_NE(follower, nullptr);
  JqzOrderBaseView* sender = Sender(0, Account(0));
  ChangeFrom(loner, 0, sender);
  ChangeFrom(follower, 0, sender);
  EXPECT_TRUE(lonerDlg->calls.empty());
  EXPECT_EQ(followerDlg->calls, (Calls{"change 0123456 refresh"}));
}

TEST_F(ViewForwardingTest, ADividendViewPassesOnItsOwnMessagesOnly) {
  auto [view, dlg] = Dividend(0);
  ASSERT_NE(view, nullptr);
  OrderDataNotice notice = Notice(Account(2), 1);
  for (UINT message : {WM_ORDER_REFRESHDATA, WM_ORDER_REFRESHERRDATA, WM_ORDER_CLEARDATA,
                       WM_ORDER_REFRESHDATA2, WM_ORDER_REFRESHDATA3, WM_ORDER_REFRESHDATA4})
    EXPECT_EQ(view->SendMessage(message, 1189, reinterpret_cast<LPARAM>(&notice)), 0);
  EXPECT_EQ(dlg->calls, (Calls{"data 1189 9A95-F880012 51 1", "error 1189 9A95-F880012 51 1",
                               "clear 1189 9A95-F880012 51 1"}));

  // Not seen: nothing at all, a clear included.
  dlg->calls.clear();
  view->ShowWindow(SW_HIDE);
  for (UINT message : {WM_ORDER_REFRESHDATA, WM_ORDER_REFRESHERRDATA, WM_ORDER_CLEARDATA})
    view->SendMessage(message, 1189, reinterpret_cast<LPARAM>(&notice));
  EXPECT_TRUE(dlg->calls.empty());
}

TEST_F(ViewForwardingTest, ARestoredDividendViewQueriesOnlyAfterALogin) {
  auto [view, dlg] = Dividend(0);
  ASSERT_NE(view, nullptr);
  Restore(view, "股利");
  EXPECT_TRUE(dlg->calls.empty());
  Login();
  dlg->calls.clear();
  Restore(view, "股利");
  // The reload's account change rebuilds the list and queries; then the view asks again.
  EXPECT_EQ(dlg->calls, (Calls{"query", "query"}));
}

}  // namespace
