// View settings per layout slot survive a restart of the terminal; the order
// configuration file is found by both of its paths.
#include <afxwin.h>

#include <fstream>

#include "CommonUtilities.h"
#include "JqzCfgIO2.h"
#include "JqzOrderBaseView.h"
#include "ViewDataHelpers.h"
#include "host_fixture.h"

namespace {

class SettingsView : public JqzOrderBaseView {
  DECLARE_DYNCREATE(SettingsView)
};
IMPLEMENT_DYNCREATE(SettingsView, JqzOrderBaseView)

class ViewSettingsTest : public hosttest::HostTest {
 protected:
  // A frame with one view, as the terminal opens a layout.
  SettingsView* OpenView() {
    frame_ = new CFrameWnd;
    EXPECT_TRUE(frame_->Create(nullptr, "交易", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
    CCreateContext ctx;
    ctx.m_pNewViewClass = RUNTIME_CLASS(SettingsView);
    return static_cast<SettingsView*>(frame_->CreateView(&ctx));
  }
  void CloseView() {
    if (frame_ && ::IsWindow(frame_->GetSafeHwnd())) frame_->DestroyWindow();
    frame_ = nullptr;
  }
  void TearDown() override {
    CloseView();
    HostTest::TearDown();
  }
  CFrameWnd* frame_ = nullptr;
};

TEST_F(ViewSettingsTest, BaseSettingsComeBackAfterARestart) {
  const CString layout = "下單版面(國內)";
  {
    SettingsView* view = OpenView();
    view->SetSyncType(3);
    view->m_bySelAccount = 0;
    view->SetChange(true);
    view->m_iAccountType = 51;
    view->m_iParam = 7;
    view->vSetActiveAccount(hosttest::LoginAccounts()[2]);
    JqzCfgIO2 cfg;
    view->SaveViewBaseInfo("SettingsView", &cfg, layout, 2, 0);
    EXPECT_TRUE(cfg.SaveViewCommonInfo(layout, 2, "SimpleInformation", {"51", "7"}));
    CloseView();
  }
  // The terminal starts again: a fresh platform and new objects.
  testsupport::ResetPlatform();
  SettingsView* view = OpenView();
  EXPECT_EQ(view->GetSyncType(), 0);
  JqzCfgIO2 cfg;
  view->InitialViewBaseInfo("SettingsView", &cfg, layout, 2, 0);
  EXPECT_EQ(view->GetSyncType(), 3);
  EXPECT_EQ(view->m_bySelAccount, 0);
  EXPECT_TRUE(view->bGetChange());
  EXPECT_EQ(view->m_iAccountType, 51);
  EXPECT_EQ(view->m_iParam, 7);
  AccountType account;
  view->vGetCurrAccount(account);
  EXPECT_TRUE(account == hosttest::LoginAccounts()[2]);
  std::vector<CString> simple;
  ASSERT_TRUE(cfg.bGetViewCommonInfo(layout, 2, "SimpleInformation", simple));
  ASSERT_EQ(simple.size(), 2u);
  EXPECT_EQ(simple[0], "51");
  EXPECT_EQ(simple[1], "7");
}

TEST_F(ViewSettingsTest, ASlotOfAnotherViewOrNoFileRestoresNothing) {
  JqzCfgIO2 cfg;
  SettingsView* view = OpenView();
  view->SetSyncType(5);
  view->SaveViewBaseInfo("OtherView", &cfg, "L", 1, 0);
  view->SetSyncType(0);
  view->InitialViewBaseInfo("SettingsView", &cfg, "L", 1, 0);
  EXPECT_EQ(view->GetSyncType(), 0);
  view->InitialViewBaseInfo("SettingsView", &cfg, "never saved", 1, 0);
  view->InitialViewBaseInfo("SettingsView", nullptr, "L", 1, 0);
  EXPECT_EQ(view->GetSyncType(), 0);
  EXPECT_EQ(view->m_iAccountType, 65);

  // A damaged file reads as defaults.
  std::ofstream(cfg.strGetLayoutFile("bad").str(), std::ios::binary) << "\x01\xff[View1\nSyncType";
  view->InitialViewBaseInfo("SettingsView", &cfg, "bad", 1, 0);
  EXPECT_EQ(view->GetSyncType(), 0);
}

TEST_F(ViewSettingsTest, CommonInfoListsShrinkAndSlotsStayApart) {
  JqzCfgIO2 cfg;
  ASSERT_TRUE(cfg.SaveViewCommonInfo("L", 1, "Columns", {"a", "b", "c"}));
  ASSERT_TRUE(cfg.SaveViewCommonInfo("L", 1, "Columns", {"x"}));
  ASSERT_TRUE(cfg.SaveViewCommonInfo("L", 2, "Columns", {"y", ""}));
  std::vector<CString> values;
  ASSERT_TRUE(cfg.bGetViewCommonInfo("L", 1, "Columns", values));
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0], "x");
  ASSERT_TRUE(cfg.bGetViewCommonInfo("L", 2, "Columns", values));
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[1], "");
  EXPECT_FALSE(cfg.bGetViewCommonInfo("L", 3, "Columns", values));
  EXPECT_TRUE(values.empty());
  EXPECT_FALSE(cfg.SaveViewCommonInfo("L", 1, "", {"z"}));
  // A layout name with a backslash as a trail byte ("許" is B3 5C) stays one file.
  ASSERT_TRUE(cfg.SaveViewCommonInfo("許功蓋", 1, "K", {"v"}));
  ASSERT_TRUE(cfg.bGetViewCommonInfo("許功蓋", 1, "K", values));
  EXPECT_EQ(values.at(0), "v");
}

TEST_F(ViewSettingsTest, OrderConfigurationIsFoundByBothPaths) {
  std::ofstream(home_ + "/OrderCfg.ini") << "[ORDER_SETTING]\r\nUSE_NEWSTOCKUNOFFSET=1\r\nBUTTON_DISABLE_TIME=5\r\n";
  EXPECT_EQ(GetPrivateProfileIntA("ORDER_SETTING", "USE_NEWSTOCKUNOFFSET", 0, g_vGetOrderCfgFileName()), 1u);
  CString path;
  path.Format("%s\\OrderCfg.ini", s_PathGetSysPath(0).GetString());
  EXPECT_EQ(GetPrivateProfileIntA("ORDER_SETTING", "BUTTON_DISABLE_TIME", 2, path), 5u);
  EXPECT_EQ(GetPrivateProfileIntA("ORDER_SETTING", "StockBtnPart", 0, path), 0u);
}

}  // namespace
