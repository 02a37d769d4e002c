// View settings per layout slot survive a restart of the terminal; the order
// configuration file is found by both of its paths.
#include <afxwin.h>

#include <fstream>

#include "CommonUtilities.h"
#include "JqzCfgIO2.h"
#include "JqzOrderBaseView.h"
#include "ViewDataHelpers.h"
#include "host/view_slot.h"
#include "host_fixture.h"

namespace {

class SettingsView : public JqzOrderBaseView {
  DECLARE_DYNCREATE(SettingsView)
};
IMPLEMENT_DYNCREATE(SettingsView, JqzOrderBaseView)

// Restores and saves itself under its class name, as the module's views do.
class SlotView : public JqzOrderBaseView {
  DECLARE_DYNCREATE(SlotView)
 public:
  int InitialViewInfo(JqzCfgIO2* pCfg, const CString& strLayout, const int& nViewIndex,
                      const int& nExtra, const CString& strTitle) override {
    restoredTitle = strTitle;
    return InitialViewBaseInfo("SlotView", pCfg, strLayout, nViewIndex, nExtra);
  }
  int SaveViewInfo(JqzCfgIO2* pCfg, const CString& strLayout, const int& nViewIndex,
                   const int& nExtra) override {
    return SaveViewBaseInfo("SlotView", pCfg, strLayout, nViewIndex, nExtra);
  }
  CString restoredTitle;
};
IMPLEMENT_DYNCREATE(SlotView, JqzOrderBaseView)

class PlainView : public CView {
  DECLARE_DYNCREATE(PlainView)
};
IMPLEMENT_DYNCREATE(PlainView, CView)

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

// The host restores a view from the layout's slot and saves it there at the end: the
// layout decides group and selection flag, the slot keeps the rest between runs.
TEST_F(ViewSettingsTest, TheLayoutsSlotGivesGroupAndFlagAndKeepsTheRest) {
  host::ViewSlot slot;
  slot.layout = "股票帳務";
  slot.index = 1;
  slot.title = "庫存(股票)";
  slot.syncGroup = 2;
  slot.selectAccount = 0;
  JqzCfgIO2 cfg;
  {
    frame_ = new CFrameWnd;
    ASSERT_TRUE(frame_->Create(nullptr, "交易", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
    CCreateContext ctx;
    ctx.m_pNewViewClass = RUNTIME_CLASS(SlotView);
    auto* view = static_cast<SlotView*>(frame_->CreateView(&ctx, 0, FALSE));
    ASSERT_TRUE(host::RestoreView(*view, cfg, slot));
    EXPECT_EQ(view->GetSyncType(), 2);
    EXPECT_EQ(view->m_bySelAccount, 0);
    EXPECT_EQ(view->restoredTitle, slot.title);
    view->vSetActiveAccount(hosttest::LoginAccounts()[1]);
    view->SetChange(true);
    ASSERT_TRUE(host::SaveView(*view, cfg, slot));
    CloseView();
  }
  // The next run: same layout, but the layout now puts the view in group 4.
  testsupport::ResetPlatform();
  slot.syncGroup = 4;
  frame_ = new CFrameWnd;
  ASSERT_TRUE(frame_->Create(nullptr, "交易", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
  CCreateContext ctx;
  ctx.m_pNewViewClass = RUNTIME_CLASS(SlotView);
  auto* view = static_cast<SlotView*>(frame_->CreateView(&ctx, 0, FALSE));
  ASSERT_TRUE(host::RestoreView(*view, cfg, slot));
  EXPECT_EQ(view->GetSyncType(), 4);
  EXPECT_TRUE(view->bGetChange());
  AccountType account;
  view->vGetCurrAccount(account);
  EXPECT_TRUE(account == hosttest::LoginAccounts()[1]);

  // A slot that held another view starts this one from the layout alone.
  slot.index = 5;
  cfg.bSaveViewValue(slot.layout, 5, "View", "SettingsView");
  cfg.bSaveViewValue(slot.layout, 5, "FollowChange", "1");
  auto* fresh = static_cast<SlotView*>(frame_->CreateView(&ctx, 0, FALSE));
  ASSERT_TRUE(host::RestoreView(*fresh, cfg, slot));
  EXPECT_EQ(fresh->GetSyncType(), 4);
  EXPECT_FALSE(fresh->bGetChange());
  CString saved;
  EXPECT_FALSE(cfg.bGetViewValue(slot.layout, 5, "FollowChange", saved));

  // A view that is not a host view is neither restored nor saved.
  slot.index = 6;
  ctx.m_pNewViewClass = RUNTIME_CLASS(PlainView);
  CView* plain = frame_->CreateView(&ctx, 0, FALSE);
  ASSERT_NE(plain, nullptr);
  EXPECT_FALSE(host::RestoreView(*plain, cfg, slot));
  EXPECT_FALSE(host::SaveView(*plain, cfg, slot));
  EXPECT_FALSE(cfg.bGetViewValue(slot.layout, 6, "View", saved));
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

// Stored counts and values come from a file anyone may edit: a count is bounded by the
// items the file holds, and a value that is no number is the default.
TEST_F(ViewSettingsTest, DamagedCountsAndValuesNeitherHangNorRestoreGarbage) {
  JqzCfgIO2 cfg;
  ASSERT_TRUE(cfg.SaveViewCommonInfo("L", 1, "Columns", {"a", "b"}));
  ASSERT_TRUE(cfg.bSaveViewValue("L", 1, "Columns.Count", "2147483647"));
  std::vector<CString> values;
  ASSERT_TRUE(cfg.bGetViewCommonInfo("L", 1, "Columns", values));
  EXPECT_EQ(values, (std::vector<CString>{"a", "b"}));
  // Saving a shorter list removes what the file holds, not every number up to the count.
  ASSERT_TRUE(cfg.SaveViewCommonInfo("L", 1, "Columns", {"x"}));
  CString left;
  EXPECT_FALSE(cfg.bGetViewValue("L", 1, "Columns.2", left));
  ASSERT_TRUE(cfg.bGetViewCommonInfo("L", 1, "Columns", values));
  EXPECT_EQ(values, std::vector<CString>{"x"});
  ASSERT_TRUE(cfg.bSaveViewValue("L", 1, "Columns.Count", "two"));
  EXPECT_FALSE(cfg.bGetViewCommonInfo("L", 1, "Columns", values));

  SettingsView* view = OpenView();
  view->SetSyncType(2);
  view->m_iAccountType = 51;
  view->vSetActiveAccount(hosttest::LoginAccounts()[1]);
  view->SaveViewBaseInfo("SettingsView", &cfg, "L", 2, 0);
  for (const char* key : {"AccountKind", "SyncType", "Param"})
    ASSERT_TRUE(cfg.bSaveViewValue("L", 2, key, "abc"));
  ASSERT_TRUE(cfg.bSaveViewValue("L", 2, "Account.4", "6x"));
  ASSERT_TRUE(cfg.bSaveViewValue("L", 2, "Account.Count", "2147483647"));
  CloseView();
  view = OpenView();
  view->InitialViewBaseInfo("SettingsView", &cfg, "L", 2, 0);
  EXPECT_EQ(view->m_iAccountType, 65);
  EXPECT_EQ(view->GetSyncType(), 0);
  EXPECT_EQ(view->m_iParam, 0);
  AccountType account;
  view->vGetCurrAccount(account);
  EXPECT_TRUE(account.m_strAccount.IsEmpty());
  // Out of range is damage too.
  ASSERT_TRUE(cfg.bSaveViewValue("L", 2, "SyncType", "256"));
  ASSERT_TRUE(cfg.bSaveViewValue("L", 2, "AccountKind", " 51 "));
  view->InitialViewBaseInfo("SettingsView", &cfg, "L", 2, 0);
  EXPECT_EQ(view->GetSyncType(), 0);
  EXPECT_EQ(view->m_iAccountType, 51);
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
