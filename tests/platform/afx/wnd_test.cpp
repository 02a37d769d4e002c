// Window objects: the handle maps, subclassing and its undoing, what happens
// when the window or the object goes first, runtime classes of the window
// family, and the usual members.
#include <afxwin.h>

#include "test_control.h"
#include "test_support.h"

namespace {

class CountingWnd : public CWnd {
 public:
  int clicks = 0;
  int destroyed = 0;
  int* postNcDestroys = nullptr;

 protected:
  afx_msg void OnLButtonDown(UINT, CPoint point) {
    ++clicks;
    lastPoint = point;
    Default();
  }
  afx_msg void OnDestroy() {
    ++destroyed;
    CWnd::OnDestroy();
  }
  void PostNcDestroy() override {
    if (postNcDestroys) ++*postNcDestroys;
  }

 public:
  CPoint lastPoint;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingWnd, CWnd)
  ON_WM_LBUTTONDOWN()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

class WndTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    testsupport::PlatformTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                nullptr, nullptr));
    control = afxtest::CreateTestControl(parent.m_hWnd, 100);
    ASSERT_NE(control, nullptr);
  }
  CWnd parent;
  HWND control = nullptr;
};

TEST_F(WndTest, SubclassedWindowSeesItsMessagesFirstAndDefaultsToItsOwnProcedure) {
  CountingWnd obj;
  ASSERT_TRUE(obj.SubclassDlgItem(100, &parent));
  EXPECT_EQ(CWnd::FromHandlePermanent(control), &obj);
  EXPECT_EQ(CWnd::FromHandle(control), &obj);
  EXPECT_FALSE(CountingWnd().SubclassWindow(control));  // one object per window

  const int ownBefore = afxtest::OwnProcCount(control, WM_LBUTTONDOWN);
  obj.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 7));
  EXPECT_EQ(obj.clicks, 1);
  EXPECT_EQ(obj.lastPoint, CPoint(-3, 7));
  EXPECT_EQ(afxtest::OwnProcCount(control, WM_LBUTTONDOWN), ownBefore + 1);  // through Default()
  EXPECT_EQ(obj.SendMessage(WM_USER + 7), 77);  // unhandled: the control's own answer

  EXPECT_EQ(obj.UnsubclassWindow(), control);
  EXPECT_EQ(obj.m_hWnd, nullptr);
  SendMessageA(control, WM_LBUTTONDOWN, 0, 0);
  EXPECT_EQ(obj.clicks, 1);
  EXPECT_EQ(SendMessageA(control, WM_USER + 7, 0, 0), 77);
  EXPECT_NE(CWnd::FromHandle(control), &obj);  // a temporary wrapper now
  EXPECT_EQ(CWnd::FromHandlePermanent(control), nullptr);
}

TEST_F(WndTest, AttachAndDetachDoNotTouchTheProcedure) {
  CWnd obj;
  EXPECT_TRUE(obj.Attach(control));
  EXPECT_FALSE(obj.Attach(control));
  EXPECT_EQ(CWnd::FromHandlePermanent(control), &obj);
  EXPECT_EQ(obj.Detach(), control);
  EXPECT_TRUE(IsWindow(control));
  EXPECT_FALSE(CWnd().Attach(reinterpret_cast<HWND>(0x7777)));
  EXPECT_EQ(CWnd::FromHandle(reinterpret_cast<HWND>(0x7777)), nullptr);
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

TEST_F(WndTest, ObjectLetsGoWhenItsWindowIsDestroyed) {
  int postNcDestroys = 0;
  CountingWnd obj;
  obj.postNcDestroys = &postNcDestroys;
  ASSERT_TRUE(obj.SubclassWindow(control));
  ::DestroyWindow(control);
  EXPECT_EQ(obj.destroyed, 1);
  EXPECT_EQ(postNcDestroys, 1);
  EXPECT_EQ(obj.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(control), nullptr);
}

TEST_F(WndTest, WindowGoesWithItsObjectAndLaterMessagesAreDropped) {
  HWND hwnd = nullptr;
  {
    CountingWnd obj;
    ASSERT_TRUE(obj.CreateEx(0, nullptr, "child", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd, nullptr));
    hwnd = obj.m_hWnd;
  }
  EXPECT_FALSE(IsWindow(hwnd));
  PostMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
  testsupport::Pump();

  // Detached while subclassed: the window still reaches its own procedure.
  {
    CountingWnd obj;
    ASSERT_TRUE(obj.SubclassWindow(control));
    obj.Detach();
  }
  EXPECT_TRUE(IsWindow(control));
  EXPECT_EQ(SendMessageA(control, WM_USER + 7, 0, 0), 77);
}

TEST_F(WndTest, UsualMembersActOnTheirWindow) {
  CWnd* ctl = parent.GetDlgItem(100);
  ASSERT_NE(ctl, nullptr);
  EXPECT_EQ(ctl->m_hWnd, control);
  EXPECT_EQ(ctl->GetParent(), &parent);
  EXPECT_EQ(ctl->GetDlgCtrlID(), 100);
  EXPECT_EQ(parent.GetDlgItem(999), nullptr);

  parent.SetDlgItemText(100, "股票");
  CString text;
  EXPECT_EQ(parent.GetDlgItemText(100, text), 4);
  EXPECT_EQ(text, "股票");
  EXPECT_EQ(ctl->GetWindowTextLength(), 4);

  ctl->MoveWindow(5, 6, 70, 20);
  CRect rc;
  ctl->GetClientRect(&rc);
  EXPECT_EQ(rc, CRect(0, 0, 70, 20));
  EXPECT_TRUE(ctl->IsWindowVisible());
  ctl->ShowWindow(SW_HIDE);
  EXPECT_FALSE(ctl->IsWindowVisible());
  ctl->EnableWindow(FALSE);
  EXPECT_FALSE(ctl->IsWindowEnabled());
  EXPECT_TRUE(parent.IsChild(ctl));
  EXPECT_FALSE(parent.IsIconic());

  EXPECT_TRUE(ctl->ModifyStyle(0, WS_TABSTOP));
  EXPECT_TRUE(ctl->GetStyle() & WS_TABSTOP);
  EXPECT_FALSE(ctl->ModifyStyle(0, WS_TABSTOP));  // nothing changed
  EXPECT_TRUE(ctl->ModifyStyleEx(0, WS_EX_CLIENTEDGE));
  EXPECT_TRUE(ctl->GetExStyle() & WS_EX_CLIENTEDGE);

  parent.SetScrollRange(SB_VERT, 0, 100, FALSE);
  SCROLLINFO si{};
  si.nPage = 10;
  si.fMask = SIF_PAGE;
  parent.SetScrollInfo(SB_VERT, &si);
  EXPECT_EQ(parent.GetScrollLimit(SB_VERT), 91);
  EXPECT_EQ(parent.SetScrollPos(SB_VERT, 40), 0);
  EXPECT_EQ(parent.GetScrollPos(SB_VERT), 40);

  ctl->EnableWindow(TRUE);
  ctl->ShowWindow(SW_SHOW);
  ctl->SetFocus();
  EXPECT_EQ(CWnd::GetFocus(), ctl);
}

TEST_F(WndTest, RuntimeClassesOfTheWindowFamily) {
  CObject* obj = CRuntimeClass::CreateObject("CWnd");
  ASSERT_NE(obj, nullptr);
  EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
  EXPECT_EQ(DYNAMIC_DOWNCAST(CDialog, obj), nullptr);
  EXPECT_NE(DYNAMIC_DOWNCAST(CWnd, obj), nullptr);
  delete obj;
  EXPECT_EQ(CRuntimeClass::CreateObject("CDialog"), nullptr);  // dynamic, not creatable
  EXPECT_NE(CRuntimeClass::FromName("CDialog"), nullptr);
  EXPECT_TRUE(RUNTIME_CLASS(CFrameWnd)->IsDerivedFrom(RUNTIME_CLASS(CWnd)));
  EXPECT_FALSE(RUNTIME_CLASS(CWnd)->IsDerivedFrom(RUNTIME_CLASS(CFrameWnd)));
  EXPECT_EQ(CRuntimeClass::FromName("NoSuchClass"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
}

TEST_F(WndTest, MessageBoxesCarryTheProgramNameAndAreAnswered) {
  AfxSetAppName("測試");
  testsupport::AnswerMessageBoxes([](const std::string&, const std::string&, UINT) { return IDNO; });
  EXPECT_EQ(AfxMessageBox("確定嗎?", MB_YESNO), IDNO);
  EXPECT_EQ(parent.MessageBox("x", "標題"), IDOK);  // not a button of MB_OK
  auto shown = testsupport::MessageBoxesShown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "確定嗎?");
  EXPECT_EQ(shown[0].caption, "測試");
  EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(shown[1].caption, "標題");
}

TEST_F(WndTest, WaitCursorsAreCounted) {
  const int before = AfxGetWaitCursorCount();
  {
    CWaitCursor wait;
    EXPECT_EQ(AfxGetWaitCursorDepth(), 1);
    parent.BeginWaitCursor();
    EXPECT_EQ(AfxGetWaitCursorDepth(), 2);
    parent.EndWaitCursor();
  }
  EXPECT_EQ(AfxGetWaitCursorDepth(), 0);
  EXPECT_EQ(AfxGetWaitCursorCount(), before + 2);
  parent.EndWaitCursor();  // unbalanced: stays at zero
  EXPECT_EQ(AfxGetWaitCursorDepth(), 0);
}

}  // namespace
