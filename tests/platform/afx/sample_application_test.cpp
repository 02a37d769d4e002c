// A small application built only from the framework: a frame with a view that
// ticks once a second, opens a dialog from a template (a combo box filled from
// its DLGINIT data, a list, OK and Cancel), and closes the frame; it runs its
// own message loop on the platform's clock. It needs the standard controls and
// the list view, and is skipped where those window classes do not exist yet.
#include <afxwin.h>
#include <templates/dialog_template.h>

#include <string>

#include "test_support.h"

namespace {

constexpr UINT IDD_ORDER = 600;
constexpr int IDC_ACCOUNT = 1001;
constexpr int IDC_ORDERS = 1002;

struct Outcome {
  int ticks = 0;
  INT_PTR dialogResult = 0;
  CString account;
  int listRows = -1;
  bool frameDestroyed = false;
};
Outcome g_outcome;

class OrderDlg : public CDialog {
 public:
  explicit OrderDlg(CWnd* parent) : CDialog(IDD_ORDER, parent) {}
  CComboBox m_account;
  CListCtrl m_orders;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ACCOUNT, m_account);
    DDX_Control(pDX, IDC_ORDERS, m_orders);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_orders.InsertColumn(0, "代號", LVCFMT_LEFT, 60);
    m_orders.InsertColumn(1, "名稱", LVCFMT_LEFT, 80);
    const int row = m_orders.InsertItem(0, "2330");
    m_orders.SetItemText(row, 1, "台積電");
    m_account.SetCurSel(0);
    return TRUE;
  }
  void OnOK() override {
    g_outcome.listRows = m_orders.GetItemCount();
    const int sel = m_account.GetCurSel();
    if (sel != CB_ERR) m_account.GetLBText(sel, g_outcome.account);
    CDialog::OnOK();
  }
};

class TickerView : public CView {
  DECLARE_DYNCREATE(TickerView)
 public:
  void OnInitialUpdate() override { SetTimer(1, 1000, nullptr); }

 protected:
  afx_msg void OnTimer(UINT_PTR) {
    ++g_outcome.ticks;
    if (g_outcome.ticks == 2) {
      OrderDlg dlg(GetParentFrame());
      g_outcome.dialogResult = dlg.DoModal();
    } else if (g_outcome.ticks == 3) {
      KillTimer(1);
      GetParentFrame()->PostMessage(WM_CLOSE);
    }
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TickerView, CView)
BEGIN_MESSAGE_MAP(TickerView, CView)
  ON_WM_TIMER()
END_MESSAGE_MAP()

class MainFrame : public CFrameWnd {
 protected:
  afx_msg void OnDestroy() {
    g_outcome.frameDestroyed = true;
    PostQuitMessage(0);
    CFrameWnd::OnDestroy();
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MainFrame, CFrameWnd)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

bool classExists(const char* name) {
  WNDCLASSA wc{};
  return GetClassInfoA(nullptr, name, &wc) != FALSE;
}

class SampleApplicationTest : public testsupport::PlatformTest {
 protected:
  void TearDown() override {
    AfxRemoveResources(AfxGetInstanceHandle());
    testsupport::PlatformTest::TearDown();
  }
};

TEST_F(SampleApplicationTest, RunsItsMessageLoopOnTheClock) {
  if (!classExists("Button") || !classExists("ComboBox") || !classExists(WC_LISTVIEW))
    GTEST_SKIP() << "the standard controls or the list view are not there yet";

  templates::DialogTemplate tmpl("下單", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, {0, 0, 220, 140});
  tmpl.SetFont(9, "新細明體");
  tmpl.Add({templates::Predefined::kComboBox, "", IDC_ACCOUNT,
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, {10, 10, 100, 80}});
  tmpl.Add({WC_LISTVIEW, "", IDC_ORDERS, WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, {10, 30, 200, 80}});
  tmpl.Add({templates::Predefined::kButton, "確定", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
            {110, 118, 50, 14}});
  tmpl.Add({templates::Predefined::kButton, "取消", IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
            {165, 118, 50, 14}});
  templates::DlgInit init;
  init.Add(IDC_ACCOUNT, "9801-1234567").Add(IDC_ACCOUNT, "9801-7654321").Add(IDC_ACCOUNT, "9802-0000001");
  ASSERT_TRUE(AfxAddDialogResource(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDD_ORDER), tmpl.Get(), init.Get()));

  // The person at the dialog picks the third account and presses OK.
  testsupport::AnswerDialogs([](HWND dlg) -> INT_PTR {
    SendMessageA(GetDlgItem(dlg, IDC_ACCOUNT), CB_SETCURSEL, 2, 0);
    SendMessageA(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    return IDCANCEL;
  });

  g_outcome = Outcome{};
  auto* frame = new MainFrame;
  ASSERT_TRUE(frame->Create(nullptr, "示範", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 480)));
  CCreateContext ctx;
  ctx.m_pNewViewClass = CRuntimeClass::FromName("TickerView");
  ASSERT_NE(frame->CreateView(&ctx), nullptr);

  const DWORD start = GetTickCount();
  int guard = 0;
  while (AfxPumpMessage() && ++guard < 10000) {
  }
  EXPECT_GE(GetTickCount() - start, 3000u);
  EXPECT_EQ(g_outcome.ticks, 3);
  EXPECT_EQ(g_outcome.dialogResult, IDOK);
  EXPECT_EQ(g_outcome.account, "9802-0000001");
  EXPECT_EQ(g_outcome.listRows, 1);
  EXPECT_TRUE(g_outcome.frameDestroyed);
}

}  // namespace
