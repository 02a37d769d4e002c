// The stock holdings view inside a terminal's frame: which dialog it hosts, how it
// restores and saves itself, how it survives a failed dialog creation, and how it hands
// an order to the host's frame.
#include <gtest/gtest.h>

#include <afxmodule.h>
#include <headless/headless.h>

#include "CSyncInfo.h"
#include "JqzCfgIO2.h"
#include "JqzFinanceStockUnoffsetDlg.h"
#include "JqzFinanceStockUnoffsetView.h"
#include "JqzOrderStocksDlg.h"
#include "OrderBK.h"
#include "QzStockExtModule.h"
#include "module_fixture.h"
#include "module_resources.h"
#include "resource.h"

namespace {

using moduletest::ModuleTest;

class HoldingsViewTest : public ModuleTest {
 protected:
  JqzFinanceStockUnoffsetView* AddHoldings(BYTE group = 0) {
    return dynamic_cast<JqzFinanceStockUnoffsetView*>(AddView(moduletest::kHoldingsView, group));
  }
};

TEST_F(HoldingsViewTest, ItIsADomesticHoldingsViewCaptionedFromTheLanguageTable) {
  JqzFinanceStockUnoffsetView* view = AddHoldings();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->m_strCaption, CString("證券庫存"));
  EXPECT_EQ(view->m_iViewType, 9);
  EXPECT_EQ(view->m_iAccountType, 65);
}

TEST_F(HoldingsViewTest, OnlyASwitchOfExactlyOneHostsTheInventoryDialog) {
  struct Case {
    const char* value;  // null: the key is absent
    bool inventory;
  };
  for (const Case& c : {Case{nullptr, false}, Case{"0", false}, Case{"2", false},
                        Case{"abc", false}, Case{"1", true}}) {
    SCOPED_TRACE(c.value ? c.value : "(absent)");
    SetOrderSetting("USE_NEWSTOCKUNOFFSET", c.value);
    JqzFinanceStockUnoffsetView* view = AddHoldings();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->m_pDlg, nullptr);
    EXPECT_EQ(view->m_pBaseDlg, view->m_pDlg);
    EXPECT_EQ(dynamic_cast<JqzOrderStocksDlg*>(view->m_pDlg) != nullptr, c.inventory);
    EXPECT_EQ(dynamic_cast<JqzFinanceStockUnoffsetDlg*>(view->m_pDlg) != nullptr, !c.inventory);
    // The dialog is the view's child and fills its pane.
    HWND dialog = DialogOf(view);
    EXPECT_EQ(::GetParent(dialog), view->GetSafeHwnd());
    EXPECT_TRUE(::IsWindowVisible(dialog));
    CRect pane, placed;
    view->GetClientRect(&pane);
    ::GetWindowRect(dialog, &placed);
    EXPECT_EQ(placed.Width(), pane.Width());
    EXPECT_EQ(placed.Height(), pane.Height());
  }
}

TEST_F(HoldingsViewTest, TheTitlesMarketNameSetsTheAccountKindAfterALogin) {
  JqzFinanceStockUnoffsetView* view = AddHoldings();
  ASSERT_NE(view, nullptr);

  // Before a login nothing is parsed.
  Restore(view, "股票帳務(複委託)");
  EXPECT_EQ(view->m_iAccountType, 65);

  Login();
  Restore(view, "股票帳務(複委託)");
  EXPECT_EQ(view->m_iAccountType, 51);
  Restore(view, "庫存(證券)");
  EXPECT_EQ(view->m_iAccountType, 65);
  Restore(view, "庫存(複委託)");
  // Other names, a lone "(", no "(" or a differently written name keep the kind.
  for (const char* title : {"庫存(期貨)", "庫存(", "庫存()", "庫存 複委託", "庫存(複委託 )"}) {
    Restore(view, title);
    EXPECT_EQ(view->m_iAccountType, 51) << title;
  }
  // An empty title: the layout's name is read instead.
  Restore(view, "", "帳務(證券)");
  EXPECT_EQ(view->m_iAccountType, 65);
}

TEST_F(HoldingsViewTest, SavingRemembersTheGroupsAccountAndTheSimpleInformation) {
  JqzFinanceStockUnoffsetView* view = AddHoldings(3);
  ASSERT_NE(view, nullptr);
  Login();
  view->vSetActiveAccount(moduletest::Account(1));
  view->m_iParam = 7;
  view->m_iAccountType = 51;
  view->SaveViewInfo(cfg_, "股票帳務", 2, 0);

  std::vector<CString> simple;
  ASSERT_TRUE(cfg_->bGetViewCommonInfo("股票帳務", 2, "SimpleInformation", simple));
  EXPECT_EQ(simple, (std::vector<CString>{"51", "7"}));
  AccountType remembered;
  ASSERT_TRUE(OrderBK_bGetActiveAccount(remembered, 3));
  EXPECT_TRUE(remembered == moduletest::Account(1));

  // The base settings go under the view's name and come back into a new view.
  JqzFinanceStockUnoffsetView* again = AddHoldings(0);
  ASSERT_NE(again, nullptr);
  again->InitialViewInfo(cfg_, "股票帳務", 2, 0, "");
  EXPECT_EQ(again->GetSyncType(), 3);
}

TEST_F(HoldingsViewTest, AStoredAccountKindThatIsNoNumberLeavesTheViewOnItsDefaultKind) {
  JqzFinanceStockUnoffsetView* view = AddHoldings(1);
  ASSERT_NE(view, nullptr);
  view->SaveViewInfo(cfg_, "股票帳務", 0, 0);
  ASSERT_TRUE(cfg_->bSaveViewValue("股票帳務", 0, "AccountKind", "abc"));
  Login();
  Restore(view, "股票帳務");
  EXPECT_EQ(view->m_iAccountType, 65);
  // The view shows its first domestic account rather than nothing.
  HWND combo = Control(view, IDC_COMBO_ACCOUNT);
  EXPECT_EQ(::SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(view->m_CurAccount.m_strAccount, moduletest::Account(0).m_strAccount);
}

TEST_F(HoldingsViewTest, ALoginCreatesTheDialogThatCouldNotBeCreatedBefore) {
  // Without its templates the library's dialog cannot be made.
  AfxRemoveResources(QzGetStockExtInstance());
  JqzFinanceStockUnoffsetView* view = AddHoldings();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->m_pDlg, nullptr);
  EXPECT_EQ(view->m_pBaseDlg, nullptr);
  // Without a dialog every notice is dropped.
  OrderDataNotice notice;
  EXPECT_EQ(view->SendMessage(WM_ORDER_REFRESHDATA, 1094, reinterpret_cast<LPARAM>(&notice)), 0);
  view->OnRefreahData();
  view->vRefreshComboBox();

  ASSERT_TRUE(qzres::RegisterDialogTemplates(QzGetStockExtInstance()));
  Login();
  ASSERT_NE(view->m_pDlg, nullptr);
  EXPECT_TRUE(::IsWindowVisible(DialogOf(view)));
}

TEST_F(HoldingsViewTest, NoticesWithoutARecordAndChangesFromStrangersAreDropped) {
  JqzFinanceStockUnoffsetView* view = AddHoldings(1);
  ASSERT_NE(view, nullptr);
  Login();
  for (UINT message : {WM_ORDER_REFRESHDATA, WM_ORDER_REFRESHDATA2, WM_ORDER_REFRESHDATA3,
                       WM_ORDER_REFRESHDATA4, WM_ORDER_REFRESHERRDATA, WM_ORDER_CLEARDATA})
    EXPECT_EQ(view->SendMessage(message, 1094, 0), 0) << message;

  // A sender that is no view of the host, or none at all.
  CWnd stranger;
  int notAWindow = 0;
  for (LPARAM sender : {LPARAM{0}, reinterpret_cast<LPARAM>(&stranger),
                        reinterpret_cast<LPARAM>(&notAWindow)})
    EXPECT_EQ(view->SendMessage(g_nQzMsgSendChangeAccount, 1, sender), 0);
  EXPECT_TRUE(::IsWindow(DialogOf(view)));
}

TEST_F(HoldingsViewTest, AViewThatMayNotChooseKeepsItsSelectorDisabled) {
  auto* view = dynamic_cast<JqzFinanceStockUnoffsetView*>(AddView(moduletest::kHoldingsView, 0, false));
  ASSERT_NE(view, nullptr);
  Login();
  view->vRefreshComboBox();
  EXPECT_FALSE(::IsWindowEnabled(Control(view, IDC_COMBO_ACCOUNT)));
}

TEST_F(HoldingsViewTest, AnOrderHandedOverShowsAMinimisedFrameMaximised) {
  JqzFinanceStockUnoffsetView* view = AddHoldings();
  ASSERT_NE(view, nullptr);
  CSyncInfo::GetSettingCFG().CApi_SetActiveFrameWnd(frame_);
  frame_->ShowWindow(SW_MINIMIZE);
  ASSERT_TRUE(frame_->IsIconic());

  COrderPriceAgent agent;
  agent.m_strSymbol = "2330";
  agent.m_dPrice = 585.0;
  view->vOpenOrderDlg(agent);
  ASSERT_EQ(Events("priceAgent").size(), 1u);
  EXPECT_EQ(Events("priceAgent")[0]["symbol"], "2330");
  EXPECT_TRUE(frame_->IsZoomed());

  // A frame that is already shown stays as it is.
  frame_->ShowWindow(SW_RESTORE);
  view->vOpenOrderDlg(agent);
  EXPECT_FALSE(frame_->IsZoomed());
  EXPECT_TRUE(frame_->IsWindowVisible());
  CSyncInfo::GetSettingCFG().CApi_SetActiveFrameWnd(nullptr);
}

}  // namespace
