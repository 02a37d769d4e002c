// Message maps: dispatch through chained maps, handlers bound to virtual
// members, commands and notifications, reflection to the control that sent
// them, registered messages, and the fall-through to default processing.
#include <afxwin.h>

#include <string>
#include <vector>

#include "test_control.h"
#include "test_support.h"

namespace {

const UINT kRegisteredMessage = RegisterWindowMessageA("AfxTest.Registered");
constexpr UINT kAppMessage = WM_APP + 1;
constexpr int kChildId = 1001;
constexpr int kOtherChildId = 1002;

class BaseWnd : public CWnd {
 public:
  std::vector<std::string> log;
  CSize lastSize;

  // Bound in this class's map; derived classes override it.
  virtual LRESULT OnAppMessage(WPARAM wParam, LPARAM) {
    log.push_back("base app " + std::to_string(wParam));
    return 1;
  }

 protected:
  afx_msg void OnSize(UINT nType, int cx, int cy) {
    lastSize = CSize(cx, cy);
    log.push_back("size " + std::to_string(nType));
    CWnd::OnSize(nType, cx, cy);
  }
  afx_msg void OnTimer(UINT_PTR nIDEvent) { log.push_back("base timer " + std::to_string(nIDEvent)); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_TIMER()
  ON_MESSAGE(kAppMessage, OnAppMessage)
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
 public:
  LRESULT OnAppMessage(WPARAM wParam, LPARAM lParam) override {
    log.push_back("derived app " + std::to_string(wParam));
    return BaseWnd::OnAppMessage(wParam, lParam) + 1;
  }

 protected:
  // Shadows the base map's timer handler: the derived map is searched first.
  afx_msg void OnTimer(UINT_PTR nIDEvent) {
    log.push_back("derived timer " + std::to_string(nIDEvent));
    KillTimer(nIDEvent);
  }
  afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM lParam) {
    log.push_back("registered");
    return static_cast<LRESULT>(wParam + static_cast<WPARAM>(lParam));
  }
  afx_msg void OnChildClicked() { log.push_back("clicked"); }
  afx_msg void OnSelChange() { log.push_back("selchange"); }
  afx_msg void OnSetFocusCombo() { log.push_back("cbn setfocus"); }
  afx_msg void OnKillFocusCombo() { log.push_back("cbn killfocus"); }
  afx_msg void OnRange(UINT nID) { log.push_back("range " + std::to_string(nID)); }
  afx_msg void OnChildNotifyClick(NMHDR* pNMHDR, LRESULT* pResult) {
    log.push_back("notify " + std::to_string(pNMHDR->idFrom));
    *pResult = 5;
  }
  afx_msg void OnMenuCommand() { log.push_back("menu"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
  ON_WM_TIMER()
  ON_REGISTERED_MESSAGE(kRegisteredMessage, OnRegistered)
  ON_BN_CLICKED(kChildId, OnChildClicked)
  ON_CBN_SELCHANGE(kChildId, OnSelChange)
  ON_CBN_SETFOCUS(kChildId, OnSetFocusCombo)
  ON_CBN_KILLFOCUS(kChildId, OnKillFocusCombo)
  ON_COMMAND_RANGE(2000, 2009, OnRange)
  ON_COMMAND(40001, OnMenuCommand)
  ON_NOTIFY(NM_CLICK, kChildId, OnChildNotifyClick)
END_MESSAGE_MAP()

class MessageMapTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    testsupport::PlatformTest::SetUp();
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    wnd.log.clear();
  }
  DerivedWnd wnd;
};

TEST_F(MessageMapTest, BaseMapsChainAndVirtualHandlersReachTheOverride) {
  EXPECT_EQ(wnd.SendMessage(kAppMessage, 3), 2);
  EXPECT_EQ(wnd.log, (std::vector<std::string>{"derived app 3", "base app 3"}));

  wnd.log.clear();
  wnd.MoveWindow(0, 0, 400, 250);
  ASSERT_FALSE(wnd.log.empty());
  EXPECT_EQ(wnd.log.back(), "size 0");
  CRect client;
  wnd.GetClientRect(&client);
  EXPECT_EQ(wnd.lastSize, client.Size());
}

TEST_F(MessageMapTest, TimersComeThroughTheLoopToTheDerivedHandler) {
  wnd.SetTimer(7, 100, nullptr);
  testsupport::Wait(50);
  EXPECT_TRUE(wnd.log.empty());
  testsupport::Wait(100);
  EXPECT_EQ(wnd.log, (std::vector<std::string>{"derived timer 7"}));
  testsupport::Wait(300);
  EXPECT_EQ(wnd.log.size(), 1u);  // the handler killed it
}

TEST_F(MessageMapTest, RegisteredMessagesAndMissingHandlersFallThrough) {
  EXPECT_EQ(wnd.SendMessage(kRegisteredMessage, 2, 3), 5);
  EXPECT_EQ(wnd.log, (std::vector<std::string>{"registered"}));
  // No handler: the default processing sets the text.
  wnd.SetWindowText("新標題");
  CString text;
  wnd.GetWindowText(text);
  EXPECT_EQ(text, "新標題");
  EXPECT_EQ(wnd.SendMessage(WM_APP + 99), 0);
}

TEST_F(MessageMapTest, CommandsAndNotificationsFindTheirHandlers) {
  HWND child = afxtest::CreateTestControl(wnd.m_hWnd, kChildId);
  HWND other = afxtest::CreateTestControl(wnd.m_hWnd, 2005);
  afxtest::NotifyCommand(child, BN_CLICKED);
  afxtest::NotifyCommand(child, CBN_SELCHANGE);
  afxtest::NotifyCommand(child, CBN_SETFOCUS);
  afxtest::NotifyCommand(child, CBN_KILLFOCUS);
  afxtest::NotifyCommand(child, CBN_DROPDOWN);  // no handler
  afxtest::NotifyCommand(other, BN_CLICKED);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(40001, 0), 0);  // a menu command
  EXPECT_EQ(afxtest::NotifyParent(child, NM_CLICK), 5);
  EXPECT_EQ(afxtest::NotifyParent(child, NM_DBLCLK), 0);
  EXPECT_EQ(wnd.log, (std::vector<std::string>{"clicked", "selchange", "cbn setfocus", "cbn killfocus",
                                               "range 2005", "menu", "notify 1001"}));
  EXPECT_FALSE(wnd.OnCmdMsg(kOtherChildId, BN_CLICKED, nullptr, nullptr));
  EXPECT_TRUE(wnd.OnCmdMsg(kChildId, BN_CLICKED, nullptr, nullptr));
}

// A control that handles some of its own notifications.
class ReflectingControl : public CWnd {
 public:
  std::vector<std::string> log;
  BOOL passClickOn = FALSE;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    log.push_back("draw " + std::to_string(lpDrawItemStruct->itemID));
  }
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) { lpMeasureItemStruct->itemHeight = 33; }

 protected:
  afx_msg void OnReflectedRClick(NMHDR*, LRESULT* pResult) {
    log.push_back("rclick");
    *pResult = 9;
  }
  afx_msg BOOL OnReflectedClick(NMHDR*, LRESULT*) {
    log.push_back("click");
    return !passClickOn;
  }
  afx_msg void OnReflectedClicked() { log.push_back("bn clicked"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingControl, CWnd)
  ON_NOTIFY_REFLECT(NM_RCLICK, OnReflectedRClick)
  ON_NOTIFY_REFLECT_EX(NM_CLICK, OnReflectedClick)
  ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClicked)
  ON_WM_DRAWITEM_REFLECT()
  ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

TEST_F(MessageMapTest, ReflectedMessagesReachTheControlFirst) {
  HWND child = afxtest::CreateTestControl(wnd.m_hWnd, kChildId);
  ReflectingControl ctrl;
  ASSERT_TRUE(ctrl.SubclassWindow(child));

  // Handled by the control alone.
  EXPECT_EQ(afxtest::NotifyParent(child, NM_RCLICK), 9);
  afxtest::NotifyCommand(child, BN_CLICKED);
  EXPECT_TRUE(wnd.log.empty());

  // The _EX form lets the parent see it too when the control declines.
  EXPECT_EQ(afxtest::NotifyParent(child, NM_CLICK), 0);
  EXPECT_TRUE(wnd.log.empty());
  ctrl.passClickOn = TRUE;
  EXPECT_EQ(afxtest::NotifyParent(child, NM_CLICK), 5);
  EXPECT_EQ(wnd.log, (std::vector<std::string>{"notify 1001"}));

  DRAWITEMSTRUCT dis{ODT_BUTTON, kChildId, 4, ODA_DRAWENTIRE, 0, child, nullptr, {0, 0, 10, 10}, 0};
  wnd.SendMessage(WM_DRAWITEM, kChildId, reinterpret_cast<LPARAM>(&dis));
  MEASUREITEMSTRUCT mis{ODT_LISTVIEW, kChildId, 0, 0, 0, 0};
  wnd.SendMessage(WM_MEASUREITEM, kChildId, reinterpret_cast<LPARAM>(&mis));
  EXPECT_EQ(mis.itemHeight, 33u);
  EXPECT_EQ(ctrl.log, (std::vector<std::string>{"rclick", "bn clicked", "click", "click", "draw 4"}));
}

TEST_F(MessageMapTest, PreTranslationWalksFromTheWindowToItsParents) {
  struct Catcher : CWnd {
    int seen = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override {
      ++seen;
      return pMsg->message == WM_KEYDOWN;
    }
  } parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
  HWND child = afxtest::CreateTestControl(parent.m_hWnd, 5);
  MSG key{child, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_TRUE(AfxPreTranslateMessage(&key));
  MSG other{child, WM_CHAR, 'a', 0, 0, {0, 0}};
  EXPECT_FALSE(AfxPreTranslateMessage(&other));
  EXPECT_EQ(parent.seen, 2);
  EXPECT_FALSE(AfxPreTranslateMessage(nullptr));
}

}  // namespace
