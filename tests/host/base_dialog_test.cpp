// The base dialog hosted by a view: layout over the pane, the list font handed on,
// the account selector helpers, login and logout, and the tip kinds over a list.
#include <afxwin.h>

#include <headless/headless.h>

#include <filesystem>
#include <templates/dialog_template.h>

#include "CDlgTipMsg.h"
#include "CListCtrlEx.h"
#include "JqzOrderBaseDlg.h"
#include "JqzOrderBaseView.h"
#include "OrderDataNotice.h"
#include "ViewDataHelpers.h"
#include "host/environment.h"
#include "host_fixture.h"

namespace {

constexpr UINT kTemplateId = 5001;
constexpr int kListId = 2054;

class HostedDlg : public JqzOrderBaseDlg {
 public:
  explicit HostedDlg(CWnd* parent) : JqzOrderBaseDlg(parent) {}
  CListCtrlEx list;
  std::vector<CFont*> casts;
  std::vector<AccountType> changed;
  void vChangeCast(CFont* font) override {
    casts.push_back(font);
    JqzOrderBaseDlg::vChangeCast(font);
  }
  void OBT_recvAccountChanged(AccountType account) override {
    changed.push_back(account);
    JqzOrderBaseDlg::OBT_recvAccountChanged(account);
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    JqzOrderBaseDlg::DoDataExchange(pDX);
    DDX_Control(pDX, kListId, list);
  }
};

class HostView : public JqzOrderBaseView {
  DECLARE_DYNCREATE(HostView)
 public:
  HostedDlg* dlg = nullptr;
  void OnInitialUpdate() override {
    dlg = new HostedDlg(this);
    if (!dlg->bCreate(kTemplateId, this)) return;
    m_pBaseDlg = dlg;
    OnSize(0, 0, 0);
    JqzOrderBaseView::OnInitialUpdate();
  }
};
IMPLEMENT_DYNCREATE(HostView, JqzOrderBaseView)

class BaseDialogTest : public hosttest::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    static templates::DialogTemplate tmpl = [] {
      templates::DialogTemplate t("", WS_CHILD | WS_VISIBLE, {0, 0, 300, 120});
      t.SetFont(9, "Tahoma");
      t.Add(templates::DialogItem(templates::Predefined::kComboBox, "", 2183,
                                  WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, {4, 4, 90, 60}));
      t.Add(templates::DialogItem("SysListView32", "", kListId,
                                  WS_CHILD | WS_VISIBLE | LVS_REPORT, {4, 24, 290, 90}));
      return t;
    }();
    AfxAddDialogResource(AfxGetInstanceHandle(), MAKEINTRESOURCE(kTemplateId), tmpl.Get());
    frame_ = new CFrameWnd;
    ASSERT_TRUE(frame_->Create(nullptr, "交易", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500)));
    CCreateContext ctx;
    ctx.m_pNewViewClass = RUNTIME_CLASS(HostView);
    view_ = static_cast<HostView*>(frame_->CreateView(&ctx));
    ASSERT_NE(view_, nullptr);
    ASSERT_EQ(view_->m_pBaseDlg, view_->dlg);
    dlg_ = view_->dlg;
  }
  void TearDown() override {
    if (frame_ && ::IsWindow(frame_->GetSafeHwnd())) frame_->DestroyWindow();
    HostTest::TearDown();
  }
  CFrameWnd* frame_ = nullptr;
  HostView* view_ = nullptr;
  HostedDlg* dlg_ = nullptr;
};

TEST_F(BaseDialogTest, TheDialogFillsThePaneAndGetsTheListFont) {
  frame_->MoveWindow(0, 0, 900, 650);
  view_->OnSize(0, 0, 0);
  CRect pane, dialog;
  view_->GetClientRect(&pane);
  dlg_->GetWindowRect(&dialog);
  EXPECT_EQ(dialog.Size(), pane.Size());

  view_->vChangeCast();
  ASSERT_EQ(dlg_->casts.size(), 1u);
  EXPECT_EQ(dlg_->casts[0], view_->GetListFont());
  LOGFONT lf{};
  ASSERT_NE(::GetObjectA(view_->GetListFont()->m_hObject, sizeof lf, &lf), 0);
  EXPECT_STREQ(lf.lfFaceName, "Tahoma");
}

TEST_F(BaseDialogTest, TheSelectorMakesItsChoiceTheCurrentAccount) {
  dlg_->m_vecAccount = view_->vGetAllAcountVec(false);
  for (size_t i = 0; i < dlg_->m_vecAccount.size(); ++i) {
    CString name;
    dlg_->vGetAccountDisplayName(dlg_->m_vecAccount[i], name, false);
    const int at = dlg_->m_comboAccount.AddString(name);
    dlg_->m_comboAccount.SetItemData(at, i);
  }
  CString name;
  dlg_->vGetAccountDisplayName(dlg_->m_vecAccount[0], name, false);
  EXPECT_EQ(name, "1234567-01 王小明");

  AccountType current;
  EXPECT_FALSE(g_bSetActiveAccountData(&dlg_->m_comboAccount, dlg_->m_vecAccount, current));
  EXPECT_FALSE(g_bSetActiveAccountData(nullptr, dlg_->m_vecAccount, current));
  dlg_->m_comboAccount.SetCurSel(2);
  ASSERT_TRUE(g_bSetActiveAccountData(&dlg_->m_comboAccount, dlg_->m_vecAccount, current));
  EXPECT_TRUE(current == dlg_->m_vecAccount[2]);
  // An entry whose index is not in the list is refused.
  EXPECT_FALSE(g_bSetActiveAccountData(&dlg_->m_comboAccount, {}, current));

  EXPECT_EQ(g_iGetSelectAccount(dlg_->m_vecAccount, 0), 0);
  EXPECT_EQ(g_iGetSelectAccount({}, 0), -1);

  // The view's direct change selects the account's entry and tells the dialog.
  view_->vChangeDlgAccount(dlg_->m_vecAccount[1], true);
  EXPECT_EQ(dlg_->m_comboAccount.GetCurSel(), 1);
  ASSERT_EQ(dlg_->changed.size(), 1u);
  AccountType shown;
  view_->vGetCurrAccount(shown);
  EXPECT_TRUE(shown == dlg_->m_vecAccount[1]);
}

TEST_F(BaseDialogTest, LeavingAndLogoutAndLogin) {
  view_->vSetActiveAccount(hosttest::LoginAccounts()[0]);
  view_->SendMessage(WM_ORDER_LEFTTEMP, 0, 0);
  EXPECT_FALSE(dlg_->IsWindowEnabled());
  view_->SendMessage(WM_ORDER_LOGINSUCCESS, 0, 0);
  EXPECT_TRUE(dlg_->IsWindowEnabled());
  view_->SendMessage(WM_ORDER_LOGOUT, 0, 0);
  EXPECT_FALSE(dlg_->IsWindowVisible());
  AccountType shown;
  view_->vGetCurrAccount(shown);
  EXPECT_TRUE(shown.m_strAccount.IsEmpty());
  // Data notices reach nothing in the base view and are answered with 0.
  OrderDataNotice notice;
  EXPECT_EQ(view_->SendMessage(WM_ORDER_REFRESHDATA, 1094, reinterpret_cast<LPARAM>(&notice)), 0);
  EXPECT_EQ(view_->SendMessage(WM_ORDER_REFRESHDATA2, 1094, 0), 0);
}

TEST_F(BaseDialogTest, TipKindsShowOverTheListAndHide) {
  dlg_->vShowListDlgTipMsg(2, nullptr, 0, 5000);  // nothing to hide yet
  EXPECT_EQ(dlg_->m_pDlgTipMsg, nullptr);

  dlg_->vShowListDlgTipMsg(0, &dlg_->list, 16, 3000);
  CDlgTipMsg* tip = dlg_->m_pDlgTipMsg;
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(tip->IsWindowVisible());
  EXPECT_EQ(tip->strGetText(), "資料查詢中，請稍候...");
  CString shown;
  tip->GetDlgItemText(IDC_QZ_TIPMSG_TEXT, shown);
  EXPECT_EQ(shown, tip->strGetText());
  CRect list, tipRect;
  dlg_->list.GetWindowRect(&list);
  tip->GetWindowRect(&tipRect);
  EXPECT_EQ(tipRect.top, list.top + 16);
  EXPECT_EQ(tipRect.left, list.left + (list.Width() - tipRect.Width()) / 2);
  testsupport::Wait(2999);
  EXPECT_TRUE(tip->IsWindowVisible());
  testsupport::Wait(1);
  EXPECT_FALSE(tip->IsWindowVisible());

  dlg_->vShowListDlgTipMsg(1, &dlg_->list, 16, 5000);
  EXPECT_EQ(tip->strGetText(), "查無資料");
  EXPECT_TRUE(tip->IsWindowVisible());
  dlg_->vShowListDlgTipMsg(2, nullptr, 0, 5000);
  EXPECT_FALSE(tip->IsWindowVisible());

  dlg_->vShowListDlgTipMsg(3, &dlg_->list, 16, 2000);
  EXPECT_EQ(tip->strGetText(), "查詢未回覆，可再次查詢");
  EXPECT_TRUE(tip->IsWindowVisible());
  dlg_->vShowListDlgTipMsg(9, &dlg_->list, 16, 2000);
  EXPECT_EQ(tip->strGetText(), "查詢未回覆，可再次查詢");
  // The tip goes with the dialog.
  frame_->DestroyWindow();
  frame_ = nullptr;
  EXPECT_EQ(headless::WindowCount(), 0u);
}

// The terminal hears what a person notices outside the windows: tips as shown, files
// as written.
TEST_F(BaseDialogTest, TipsShownAndListsExportedReachTheEventSink) {
  std::vector<host::HostEvent> events;
  host::SetEventSink([&](const host::HostEvent& e) { events.push_back(e); });

  dlg_->vShowListDlgTipMsg(0, &dlg_->list, 16, 3000);
  dlg_->vShowListDlgTipMsg(2, nullptr, 0, 0);  // hiding is not a tip
  dlg_->vShowListDlgTipMsg(1, &dlg_->list, 16, 3000);
  // A tip used directly carries no base-dialog kind.
  dlg_->m_pDlgTipMsg->vSetInfo(nullptr, "已送出", RGB(0, 0, 0), RGB(255, 255, 225), 1000, true);
  dlg_->m_pDlgTipMsg->vShow(dlg_, 0, 0, true);
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].kind, host::HostEvent::Kind::kTip);
  EXPECT_EQ(events[0].text, CString("資料查詢中，請稍候...").str());
  EXPECT_EQ(events[0].tipKind, 0);
  EXPECT_EQ(events[1].text, CString("查無資料").str());
  EXPECT_EQ(events[1].tipKind, 1);
  EXPECT_EQ(events[2].text, CString("已送出").str());
  EXPECT_EQ(events[2].tipKind, -1);

  // An empty list writes nothing; a filled one reports its file.
  events.clear();
  EXPECT_FALSE(g_DataExport(dlg_->list));
  dlg_->list.InsertColumn(0, "股票", LVCFMT_LEFT, 80);
  dlg_->list.InsertItem(0, "2330");
  EXPECT_TRUE(g_DataExport(dlg_->list));
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, host::HostEvent::Kind::kExport);
  EXPECT_TRUE(std::filesystem::exists(events[0].file)) << events[0].file;
  EXPECT_EQ(events[0].file.rfind(home_, 0), 0u);
}

}  // namespace
