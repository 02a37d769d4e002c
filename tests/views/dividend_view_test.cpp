// The dividend calculation view inside a terminal's frame: its dialog, its settings,
// a failed dialog creation, and the notices it does not pass on.
#include <gtest/gtest.h>

#include <afxmodule.h>

#include "JqzCfgIO2.h"
#include "JqzStockDividendCalcDlg.h"
#include "JqzStockDividendCalcView.h"
#include "QzStockExtModule.h"
#include "module_fixture.h"
#include "module_resources.h"
#include "resource.h"

namespace {

using moduletest::ModuleTest;

class DividendViewTest : public ModuleTest {
 protected:
  JqzStockDividendCalcView* AddDividend(BYTE group = 0, bool selectAccount = true) {
    return dynamic_cast<JqzStockDividendCalcView*>(
        AddView(moduletest::kDividendView, group, selectAccount));
  }
};

TEST_F(DividendViewTest, ItHostsTheDividendDialogInItsPane) {
  JqzStockDividendCalcView* view = AddDividend();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->m_strCaption, CString("股利試算"));
  EXPECT_EQ(view->m_iViewType, 5);
  ASSERT_NE(view->m_pDlg, nullptr);
  EXPECT_EQ(view->m_pBaseDlg, view->m_pDlg);
  HWND dialog = DialogOf(view);
  EXPECT_EQ(::GetParent(dialog), view->GetSafeHwnd());
  EXPECT_TRUE(::IsWindowVisible(dialog));
}

TEST_F(DividendViewTest, TheTitleChangesNothing) {
  JqzStockDividendCalcView* view = AddDividend();
  ASSERT_NE(view, nullptr);
  Login();
  const int kind = view->m_iAccountType;
  for (const char* title : {"股利(複委託)", "股利(證券)", ""}) {
    Restore(view, title, "帳務(複委託)");
    EXPECT_EQ(view->m_iAccountType, kind) << title;
  }
}

TEST_F(DividendViewTest, ItsSettingsAreSavedUnderItsOwnName) {
  JqzStockDividendCalcView* view = AddDividend(2);
  ASSERT_NE(view, nullptr);
  view->m_iParam = 4;
  view->SaveViewInfo(cfg_, "股利", 0, 0);
  CString name;
  ASSERT_TRUE(cfg_->bGetViewValue("股利", 0, "View", name));
  EXPECT_EQ(name, CString("JqzStockDividendCalcView"));
  std::vector<CString> simple;
  ASSERT_TRUE(cfg_->bGetViewCommonInfo("股利", 0, "SimpleInformation", simple));
  CString kind;
  kind.Format("%d", view->m_iAccountType);
  EXPECT_EQ(simple, (std::vector<CString>{kind, "4"}));
}

TEST_F(DividendViewTest, AViewThatMayNotChooseHasItsSelectorDisabledFromTheStart) {
  JqzStockDividendCalcView* view = AddDividend(0, false);
  ASSERT_NE(view, nullptr);
  // The flag is read during the initial update; the fixture sets it afterwards, so
  // the view is made again the way the host makes it.
  view->m_bySelAccount = 0;
  view->OnInitialUpdate();
  EXPECT_FALSE(::IsWindowEnabled(Control(view, IDC_COMBO_ACCOUNT)));
  Login();
  view->vRefreshComboBox();
  EXPECT_FALSE(::IsWindowEnabled(Control(view, IDC_COMBO_ACCOUNT)));
}

TEST_F(DividendViewTest, ADialogWhoseWindowFailedIsNotKeptAndALoginMakesANewOne) {
  AfxRemoveResources(QzGetStockExtInstance());
  JqzStockDividendCalcView* view = AddDividend();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->m_pDlg, nullptr);
  EXPECT_EQ(view->m_pBaseDlg, nullptr);
  OrderDataNotice notice;
  EXPECT_EQ(view->SendMessage(WM_ORDER_CLEARDATA, 1189, reinterpret_cast<LPARAM>(&notice)), 0);

  ASSERT_TRUE(qzres::RegisterDialogTemplates(QzGetStockExtInstance()));
  Login();
  ASSERT_NE(view->m_pDlg, nullptr);
  EXPECT_TRUE(::IsWindowVisible(DialogOf(view)));
}

TEST_F(DividendViewTest, NoticesWithoutARecordAreDropped) {
  JqzStockDividendCalcView* view = AddDividend(1);
  ASSERT_NE(view, nullptr);
  Login();
  for (UINT message : {WM_ORDER_REFRESHDATA, WM_ORDER_REFRESHERRDATA, WM_ORDER_CLEARDATA})
    EXPECT_EQ(view->SendMessage(message, 1189, 0), 0) << message;
  CWnd stranger;
  EXPECT_EQ(view->SendMessage(g_nQzMsgSendChangeAccount, 1, reinterpret_cast<LPARAM>(&stranger)), 0);
  EXPECT_TRUE(::IsWindow(DialogOf(view)));
}

}  // namespace
