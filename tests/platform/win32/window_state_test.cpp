// Visibility, minimise and maximise, enabling, geometry, painting and focus.
#include <windows.h>

#include <gmock/gmock.h>

#include "recording_window.h"
#include "test_support.h"

using ::testing::ElementsAre;
using testwin::CreateChild;
using testwin::CreateTopLevel;
using testwin::MessagesOf;

namespace {

class WindowStateTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    testwin::ClearLog();
  }
  static WPARAM lastSizeKind(HWND hwnd, LPARAM* size = nullptr) {
    WPARAM kind = 99;
    for (const auto& s : testwin::Log())
      if (s.hwnd == hwnd && s.msg == WM_SIZE) {
        kind = s.wParam;
        if (size) *size = s.lParam;
      }
    return kind;
  }
};

}  // namespace

TEST_F(WindowStateTest, VisibilityCountsTheAncestors) {
  HWND top = CreateTopLevel();
  HWND child = CreateChild(top, 1);
  HWND grandchild = CreateChild(child, 2);
  EXPECT_FALSE(IsWindowVisible(grandchild));  // the top-level window is still hidden
  EXPECT_FALSE(ShowWindow(top, SW_SHOW));     // was hidden
  EXPECT_TRUE(IsWindowVisible(grandchild));
  EXPECT_TRUE(ShowWindow(child, SW_HIDE));  // was visible
  EXPECT_FALSE(IsWindowVisible(grandchild));
  EXPECT_TRUE(GetWindowLongPtrA(grandchild, GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(ShowWindow(child, SW_HIDE));
  ShowWindow(child, SW_SHOW);
  EXPECT_TRUE(IsWindowVisible(grandchild));
}

TEST_F(WindowStateTest, ShowAndHideSendShowWindowOnlyOnChange) {
  HWND top = CreateTopLevel();
  testwin::ClearLog();
  ShowWindow(top, SW_SHOW);
  ShowWindow(top, SW_SHOW);
  ShowWindow(top, SW_HIDE);
  EXPECT_THAT(MessagesOf(top, {WM_SHOWWINDOW}), ElementsAre(WM_SHOWWINDOW, WM_SHOWWINDOW));
}

TEST_F(WindowStateTest, MinimiseMaximiseAndRestore) {
  HWND top = CreateTopLevel();
  ShowWindow(top, SW_SHOW);
  RECT before;
  GetWindowRect(top, &before);

  ShowWindow(top, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(top));
  EXPECT_EQ(lastSizeKind(top), static_cast<WPARAM>(SIZE_MINIMIZED));

  ShowWindow(top, SW_RESTORE);
  EXPECT_FALSE(IsIconic(top));
  EXPECT_EQ(lastSizeKind(top), static_cast<WPARAM>(SIZE_RESTORED));
  RECT after;
  GetWindowRect(top, &after);
  EXPECT_TRUE(EqualRect(&before, &after));

  ShowWindow(top, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(top));
  EXPECT_EQ(lastSizeKind(top), static_cast<WPARAM>(SIZE_MAXIMIZED));
  ShowWindow(top, SW_RESTORE);
  EXPECT_FALSE(IsZoomed(top));
  GetWindowRect(top, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(WindowStateTest, EnableSendsEnableOnChangeAndReportsThePreviousState) {
  HWND top = CreateTopLevel();
  testwin::ClearLog();
  EXPECT_FALSE(EnableWindow(top, FALSE));  // was enabled
  EXPECT_FALSE(IsWindowEnabled(top));
  EXPECT_TRUE(EnableWindow(top, FALSE));  // was disabled
  EXPECT_TRUE(EnableWindow(top, TRUE));
  EXPECT_TRUE(IsWindowEnabled(top));
  EXPECT_THAT(MessagesOf(top, {WM_ENABLE}), ElementsAre(WM_ENABLE, WM_ENABLE));
}

TEST_F(WindowStateTest, MovingAndSizingReportThroughWindowPosChanged) {
  HWND top = CreateTopLevel();
  HWND child = CreateChild(top, 1, WS_CHILD | WS_VISIBLE, RECT{10, 20, 110, 70});
  testwin::ClearLog();
  ASSERT_TRUE(MoveWindow(child, 15, 25, 200, 80, TRUE));
  EXPECT_THAT(MessagesOf(child, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
              ElementsAre(WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE));
  LPARAM size = 0;
  lastSizeKind(child, &size);
  EXPECT_EQ(LOWORD(size), 200);
  EXPECT_EQ(HIWORD(size), 80);

  RECT client;
  GetClientRect(child, &client);
  EXPECT_EQ(client.right, 200);
  EXPECT_EQ(client.bottom, 80);

  testwin::ClearLog();
  SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
  // Nothing changed: the window is asked, but told of no change.
  EXPECT_THAT(MessagesOf(child, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}),
              ElementsAre(WM_WINDOWPOSCHANGING));
}

TEST_F(WindowStateTest, CoordinatesBetweenScreenAndClient) {
  HWND top = CreateWindowExA(0, testwin::RecordingClass(), "", WS_POPUP, 100, 50, 300, 200,
                             nullptr, nullptr, testsupport::Instance(), nullptr);
  HWND child = CreateChild(top, 1, WS_CHILD | WS_VISIBLE, RECT{10, 20, 60, 40});
  RECT r;
  GetWindowRect(child, &r);
  EXPECT_EQ(r.left, 110);
  EXPECT_EQ(r.top, 70);
  EXPECT_EQ(r.right, 160);
  EXPECT_EQ(r.bottom, 90);
  POINT p{115, 75};
  ScreenToClient(child, &p);
  EXPECT_EQ(p.x, 5);
  EXPECT_EQ(p.y, 5);
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 115);
  POINT q{0, 0};
  MapWindowPoints(child, top, &q, 1);
  EXPECT_EQ(q.x, 10);
  EXPECT_EQ(q.y, 20);
}

TEST_F(WindowStateTest, BordersAndScrollBarsShrinkTheClientArea) {
  HWND top = CreateWindowExA(0, testwin::RecordingClass(), "", WS_POPUP, 0, 0, 300, 200, nullptr,
                             nullptr, testsupport::Instance(), nullptr);
  HWND child = CreateWindowExA(WS_EX_CLIENTEDGE, testwin::RecordingClass(), "",
                               WS_CHILD | WS_VSCROLL, 0, 0, 100, 100, top, nullptr,
                               testsupport::Instance(), nullptr);
  RECT client;
  GetClientRect(child, &client);
  int edge = GetSystemMetrics(SM_CXEDGE);
  EXPECT_EQ(client.right, 100 - 2 * edge - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(client.bottom, 100 - 2 * edge);
}

TEST_F(WindowStateTest, UpdateWindowPaintsAPendingUpdateOnce) {
  HWND top = CreateTopLevel();
  ShowWindow(top, SW_SHOW);
  UpdateWindow(top);
  testwin::ClearLog();
  UpdateWindow(top);
  EXPECT_TRUE(MessagesOf(top, {WM_PAINT}).empty());
  InvalidateRect(top, nullptr, TRUE);
  UpdateWindow(top);
  UpdateWindow(top);
  EXPECT_THAT(MessagesOf(top, {WM_PAINT}), ElementsAre(WM_PAINT));
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(MessagesOf(top, {WM_PAINT}).size(), 2u);
}

TEST_F(WindowStateTest, SetRedrawFalseClearsTheVisibleStyle) {
  HWND top = CreateTopLevel();
  ShowWindow(top, SW_SHOW);
  SendMessageA(top, WM_SETREDRAW, FALSE, 0);
  EXPECT_FALSE(IsWindowVisible(top));
  SendMessageA(top, WM_SETREDRAW, TRUE, 0);
  EXPECT_TRUE(IsWindowVisible(top));
}

TEST_F(WindowStateTest, FocusMovesWithKillAndSetFocus) {
  HWND top = CreateTopLevel();
  ShowWindow(top, SW_SHOW);
  HWND a = CreateChild(top, 1);
  HWND b = CreateChild(top, 2);
  SetFocus(a);
  ASSERT_EQ(GetFocus(), a);
  testwin::ClearLog();
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_EQ(GetFocus(), b);
  // Input-method messages (WM_IME_SETCONTEXT, WM_IME_NOTIFY) may come between,
  // depending on the system's input methods.
  std::vector<testwin::Seen> focus;
  for (const auto& s : testwin::Log())
    if (s.msg == WM_KILLFOCUS || s.msg == WM_SETFOCUS) focus.push_back(s);
  ASSERT_EQ(focus.size(), 2u);
  EXPECT_EQ(focus[0].hwnd, a);
  EXPECT_EQ(focus[0].msg, static_cast<UINT>(WM_KILLFOCUS));
  EXPECT_EQ(reinterpret_cast<HWND>(focus[0].wParam), b);
  EXPECT_EQ(focus[1].hwnd, b);
  EXPECT_EQ(focus[1].msg, static_cast<UINT>(WM_SETFOCUS));
  EXPECT_EQ(reinterpret_cast<HWND>(focus[1].wParam), a);

  // A disabled window cannot take the focus; disabling the focused one drops it.
  EnableWindow(a, FALSE);
  EXPECT_EQ(SetFocus(a), nullptr);
  EXPECT_EQ(GetFocus(), b);
  EnableWindow(b, FALSE);
  EXPECT_EQ(GetFocus(), nullptr);
  EnableWindow(b, TRUE);
  SetFocus(b);
  DestroyWindow(b);
  EXPECT_NE(GetFocus(), b);
}
