// CDialog: templates found by id through the resource chain, modal dialogs
// answered by the responder, OnInitDialog/OnOK/OnCancel overrides, and
// DDX_Control binding controls to their objects once.
#include <afxwin.h>
#include <templates/dialog_template.h>

#include <string>
#include <vector>

#include "test_control.h"
#include "test_support.h"

namespace {

constexpr UINT IDD_ORDER = 300;
constexpr int IDC_PRICE = 1010;
constexpr int IDC_MISSING = 1099;

templates::DialogTemplate orderTemplate() {
  templates::DialogTemplate t("委託", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, {0, 0, 200, 100});
  t.SetFont(9, "新細明體");
  t.Add(templates::DialogItem(afxtest::kTestControlClass, "價格", IDC_PRICE, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                              {10, 10, 80, 12}));
  return t;
}

class PriceControl : public CWnd {
 public:
  int rightClicks = 0;

 protected:
  afx_msg void OnContextMenu(CWnd*, CPoint) { ++rightClicks; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PriceControl, CWnd)
  ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

class OrderDialog : public CDialog {
 public:
  explicit OrderDialog(CWnd* parent = nullptr) : CDialog(IDD_ORDER, parent) {}
  PriceControl m_price;
  std::vector<std::string> log;
  CString m_priceText;
  bool bindMissing = false;
  bool refuseOk = false;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PRICE, m_price);
    DDX_Text(pDX, IDC_PRICE, m_priceText);
    log.push_back(pDX->m_bSaveAndValidate ? "save" : "load");
    if (bindMissing) {
      CWnd missing;
      DDX_Control(pDX, IDC_MISSING, missing);
    }
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    log.push_back("init " + std::string(m_price.m_hWnd ? "bound" : "unbound"));
    return TRUE;
  }
  void OnOK() override {
    log.push_back("ok");
    if (!refuseOk) CDialog::OnOK();
  }
  void OnCancel() override {
    log.push_back("cancel");
    CDialog::OnCancel();
  }
};

class DialogTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    testsupport::PlatformTest::SetUp();
    afxtest::RegisterTestControl();
    ASSERT_TRUE(AfxAddDialogResource(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDD_ORDER), tmpl.Get()));
  }
  void TearDown() override {
    AfxRemoveResources(AfxGetInstanceHandle());
    testsupport::PlatformTest::TearDown();
  }
  templates::DialogTemplate tmpl = orderTemplate();
};

TEST_F(DialogTest, ModalDialogIsAnsweredThroughItsOverrides) {
  OrderDialog dlg;
  dlg.m_priceText = "12.5";
  HWND seen = nullptr;
  testsupport::AnswerDialogs([&](HWND hDlg) -> INT_PTR {
    seen = hDlg;
    EXPECT_EQ(CWnd::FromHandlePermanent(hDlg), &dlg);
    CString text;
    dlg.GetDlgItemText(IDC_PRICE, text);
    EXPECT_EQ(text, "12.5");  // loaded by UpdateData(FALSE)
    SetDlgItemTextA(hDlg, IDC_PRICE, "13.0");
    SendMessageA(GetDlgItem(hDlg, IDC_PRICE), WM_CONTEXTMENU, 0, 0);
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return IDCANCEL;  // ignored: the dialog ended itself
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_NE(seen, nullptr);
  EXPECT_FALSE(IsWindow(seen));
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_EQ(dlg.m_price.m_hWnd, nullptr);
  EXPECT_EQ(dlg.m_price.rightClicks, 1);
  EXPECT_EQ(dlg.m_priceText, "13.0");
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"load", "init bound", "ok", "save"}));
}

TEST_F(DialogTest, ModalDialogWithoutAPersonIsCancelled) {
  OrderDialog dlg;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.log.back(), "cancel");

  // An OnOK that refuses keeps the dialog open; the responder's own answer then ends it.
  OrderDialog refusing;
  refusing.refuseOk = true;
  testsupport::AnswerDialogs([](HWND hDlg) -> INT_PTR {
    SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(hDlg));
    return 42;
  });
  EXPECT_EQ(refusing.DoModal(), 42);
}

TEST_F(DialogTest, MissingTemplateOrControlFails) {
  CDialog missing(999u);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_FALSE(missing.Create(999u));

  OrderDialog dlg;
  dlg.bindMissing = true;
  ASSERT_TRUE(dlg.Create(IDD_ORDER));
  EXPECT_FALSE(dlg.UpdateData(TRUE));  // the exchange failed at the missing control
  EXPECT_TRUE(dlg.DestroyWindow());
}

TEST_F(DialogTest, ModelessDialogFromTheChainAndLibraryResourcesFirst) {
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr));
  OrderDialog dlg(&owner);
  ASSERT_TRUE(dlg.Create(IDD_ORDER, &owner));
  EXPECT_NE(dlg.m_price.m_hWnd, nullptr);
  CString caption;
  dlg.GetWindowText(caption);
  EXPECT_EQ(caption, "委託");
  EXPECT_EQ(::GetWindow(dlg.m_hWnd, GW_OWNER), owner.m_hWnd);
  EXPECT_EQ(LOWORD(dlg.GetDefID()), IDOK);

  // Ending a modeless dialog hides it; the object stays bound until the window goes.
  dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(dlg.IsWindowVisible());
  EXPECT_EQ(dlg.log.back(), "cancel");
  EXPECT_TRUE(dlg.DestroyWindow());
  EXPECT_EQ(dlg.m_hWnd, nullptr);

  // Another handle that holds the same id wins while it is the resource handle.
  templates::DialogTemplate other("別的", WS_POPUP, {0, 0, 50, 50});
  HINSTANCE library = reinterpret_cast<HINSTANCE>(0x5000);
  ASSERT_TRUE(AfxAddDialogResource(library, MAKEINTRESOURCE(IDD_ORDER), other.Get()));
  AfxSetResourceHandle(library);
  CDialog plain;
  ASSERT_TRUE(plain.Create(IDD_ORDER));
  plain.GetWindowText(caption);
  EXPECT_EQ(caption, "別的");
  plain.DestroyWindow();
  AfxRemoveResources(library);
  EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
}

}  // namespace
