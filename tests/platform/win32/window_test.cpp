// Window classes, creation and destruction, window data, parents and children.
#include <windows.h>

#include <gmock/gmock.h>

#include "recording_window.h"
#include "test_support.h"

using ::testing::ElementsAre;
using testwin::CreateChild;
using testwin::CreateTopLevel;
using testwin::MessagesOf;

namespace {

class WindowTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    testwin::ClearLog();
  }
};

LRESULT CALLBACK RefuseCreate(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_CREATE) return -1;
  return DefWindowProcA(hwnd, msg, w, l);
}

LRESULT CALLBACK RefuseNcCreate(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_NCCREATE) return FALSE;
  return DefWindowProcA(hwnd, msg, w, l);
}

WNDPROC g_previous = nullptr;
int g_subclassed = 0;
LRESULT CALLBACK Subclass(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_USER + 7) ++g_subclassed;
  return CallWindowProcA(g_previous, hwnd, msg, w, l);
}

HWND createOf(LPCSTR cls, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = testsupport::Instance();
  wc.lpszClassName = cls;
  RegisterClassA(&wc);
  return CreateWindowExA(0, cls, "x", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         testsupport::Instance(), nullptr);
}

}  // namespace

TEST_F(WindowTest, ClassRegistrationIgnoresCaseAndRefusesDuplicates) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = testsupport::Instance();
  wc.lpszClassName = "QzSample";
  ATOM atom = RegisterClassA(&wc);
  ASSERT_NE(atom, 0);
  wc.lpszClassName = "QZSAMPLE";
  EXPECT_EQ(RegisterClassA(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

  HWND byName = CreateWindowExA(0, "qzsample", "", 0, 0, 0, 5, 5, nullptr, nullptr,
                                testsupport::Instance(), nullptr);
  HWND byAtom = CreateWindowExA(0, MAKEINTATOM(atom), "", 0, 0, 0, 5, 5, nullptr, nullptr,
                                testsupport::Instance(), nullptr);
  EXPECT_TRUE(IsWindow(byName));
  EXPECT_TRUE(IsWindow(byAtom));
  char name[32];
  EXPECT_EQ(GetClassNameA(byAtom, name, sizeof name), 8);
  EXPECT_STREQ(name, "QzSample");
}

TEST_F(WindowTest, UnknownClassFailsWithoutAWindow) {
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr,
                            testsupport::Instance(), nullptr),
            nullptr);
  EXPECT_EQ(CreateWindowExA(0, nullptr, "", 0, 0, 0, 1, 1, nullptr, nullptr,
                            testsupport::Instance(), nullptr),
            nullptr);
}

TEST_F(WindowTest, UnknownClassIsReportedAsNotFound) {
  QZ_HEADLESS_ONLY("Wine sets ERROR_CLASS_DOES_NOT_EXIST, Windows ERROR_CANNOT_FIND_WND_CLASS");
  SetLastError(0);
  CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, testsupport::Instance(),
                  nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(WindowTest, CreationSendsMessagesInWin32Order) {
  HWND top = CreateTopLevel();
  ASSERT_TRUE(top);
  // An overlapped window hears of its size when it is first shown, not before.
  EXPECT_THAT(MessagesOf(top, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}),
              ElementsAre(WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE));
  testwin::ClearLog();
  ShowWindow(top, SW_SHOW);
  ShowWindow(top, SW_HIDE);
  ShowWindow(top, SW_SHOW);
  EXPECT_THAT(MessagesOf(top, {WM_SIZE, WM_MOVE}), ElementsAre(WM_SIZE, WM_MOVE));
  testwin::ClearLog();
  HWND child = CreateChild(top, 5);
  EXPECT_THAT(MessagesOf(child, {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}),
              ElementsAre(WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW));
  auto parentSaw = MessagesOf(top, {WM_PARENTNOTIFY});
  ASSERT_EQ(parentSaw.size(), 1u);
  for (const auto& s : testwin::Log())
    if (s.hwnd == top && s.msg == WM_PARENTNOTIFY) {
      EXPECT_EQ(LOWORD(s.wParam), WM_CREATE);
      EXPECT_EQ(HIWORD(s.wParam), 5);
      EXPECT_EQ(reinterpret_cast<HWND>(s.lParam), child);
    }
}

TEST_F(WindowTest, CreationRefusedByTheWindowProcedure) {
  EXPECT_EQ(createOf("QzRefuseCreate", RefuseCreate), nullptr);
  EXPECT_EQ(createOf("QzRefuseNcCreate", RefuseNcCreate), nullptr);
}

TEST_F(WindowTest, ChildNeedsAParent) {
  EXPECT_EQ(CreateWindowExA(0, testwin::RecordingClass(), "", WS_CHILD, 0, 0, 1, 1, nullptr,
                            nullptr, testsupport::Instance(), nullptr),
            nullptr);
  HWND gone = CreateTopLevel();
  DestroyWindow(gone);
  EXPECT_EQ(CreateChild(gone, 1), nullptr);
}

TEST_F(WindowTest, DestroySendsDestroyTopDownAndNcDestroyBottomUp) {
  HWND top = CreateTopLevel();
  HWND child = CreateChild(top, 1);
  HWND grandchild = CreateChild(child, 2);
  testwin::ClearLog();
  ASSERT_TRUE(DestroyWindow(top));
  std::vector<std::pair<HWND, UINT>> order;
  for (const auto& s : testwin::Log())
    if (s.msg == WM_DESTROY || s.msg == WM_NCDESTROY) order.emplace_back(s.hwnd, s.msg);
  EXPECT_THAT(order, ElementsAre(std::pair{top, WM_DESTROY}, std::pair{child, WM_DESTROY},
                                 std::pair{grandchild, WM_DESTROY},
                                 std::pair{grandchild, WM_NCDESTROY},
                                 std::pair{child, WM_NCDESTROY}, std::pair{top, WM_NCDESTROY}));
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsWindow(grandchild));
}

TEST_F(WindowTest, DestroyingAChildLeavesTheParent) {
  HWND top = CreateTopLevel();
  HWND a = CreateChild(top, 1);
  HWND b = CreateChild(top, 2);
  testwin::ClearLog();
  DestroyWindow(a);
  EXPECT_TRUE(IsWindow(top));
  EXPECT_EQ(GetDlgItem(top, 1), nullptr);
  EXPECT_EQ(GetDlgItem(top, 2), b);
  EXPECT_THAT(MessagesOf(top, {WM_PARENTNOTIFY}), ElementsAre(WM_PARENTNOTIFY));
}

TEST_F(WindowTest, OwnedPopupsAreDestroyedWithTheirOwner) {
  HWND owner = CreateTopLevel();
  HWND popup = CreateWindowExA(0, testwin::RecordingClass(), "popup", WS_POPUP, 0, 0, 10, 10,
                               owner, nullptr, testsupport::Instance(), nullptr);
  ASSERT_TRUE(popup);
  EXPECT_EQ(GetParent(popup), owner);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), owner);
  DestroyWindow(owner);
  EXPECT_FALSE(IsWindow(popup));
}

TEST_F(WindowTest, WindowDataAndStyles) {
  HWND top = CreateTopLevel();
  HWND child = CreateChild(top, 42);
  EXPECT_EQ(GetWindowLongPtrA(child, GWLP_ID), 42);
  EXPECT_EQ(GetDlgCtrlID(child), 42);
  EXPECT_EQ(GetDlgCtrlID(top), 0);
  EXPECT_EQ(GetWindowLongPtrA(child, GWLP_USERDATA), 0);
  EXPECT_EQ(SetWindowLongPtrA(child, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtrA(child, GWLP_USERDATA), 1234);
  EXPECT_EQ(SetWindowLongPtrA(child, GWLP_ID, 43), 42);
  EXPECT_EQ(GetDlgItem(top, 43), child);

  LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_TRUE(style & WS_VISIBLE);
  testwin::ClearLog();
  SetWindowLongPtrA(child, GWL_STYLE, style | WS_BORDER);
  EXPECT_TRUE(GetWindowLongPtrA(child, GWL_STYLE) & WS_BORDER);
  EXPECT_THAT(MessagesOf(child, {WM_STYLECHANGING, WM_STYLECHANGED}),
              ElementsAre(WM_STYLECHANGING, WM_STYLECHANGED));
  SetWindowLongPtrA(child, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
  EXPECT_EQ(GetWindowLongPtrA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);

  SetLastError(0);
  EXPECT_EQ(GetWindowLongPtrA(child, 4096), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
}

TEST_F(WindowTest, SubclassingThroughTheWindowProcedure) {
  HWND top = CreateTopLevel();
  g_subclassed = 0;
  g_previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)));
  ASSERT_NE(g_previous, nullptr);
  EXPECT_EQ(GetWindowLongPtrA(top, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(Subclass));
  testwin::ClearLog();
  SendMessageA(top, WM_USER + 7, 0, 0);
  EXPECT_EQ(g_subclassed, 1);
  EXPECT_THAT(MessagesOf(top), ElementsAre(WM_USER + 7));  // the original still sees it
  SetWindowLongPtrA(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
  SendMessageA(top, WM_USER + 7, 0, 0);
  EXPECT_EQ(g_subclassed, 1);
}

TEST_F(WindowTest, ParentsChildrenAndDialogItems) {
  HWND top = CreateTopLevel();
  HWND a = CreateChild(top, 1);
  HWND b = CreateChild(top, 2);
  HWND inner = CreateChild(a, 3);
  EXPECT_EQ(GetParent(a), top);
  EXPECT_EQ(GetParent(top), nullptr);
  EXPECT_EQ(GetAncestor(inner, GA_ROOT), top);
  EXPECT_TRUE(IsChild(top, inner));
  EXPECT_FALSE(IsChild(b, inner));
  EXPECT_EQ(GetDlgItem(top, 2), b);
  EXPECT_EQ(GetDlgItem(top, 3), nullptr);  // only direct children
  EXPECT_EQ(GetDlgItem(a, 3), inner);
  // A new child goes below its siblings: creation order is z-order.
  EXPECT_EQ(GetWindow(top, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), nullptr);
  EXPECT_EQ(GetWindow(b, GW_HWNDPREV), a);
  EXPECT_EQ(SetParent(inner, b), a);
  EXPECT_EQ(GetParent(inner), b);
  EXPECT_EQ(GetDlgItem(a, 3), nullptr);
}

TEST_F(WindowTest, CallsOnInvalidWindowsFailQuietly) {
  HWND gone = CreateTopLevel();
  DestroyWindow(gone);
  // Only handles known to be dead: Win32 takes a small number as a 16-bit
  // handle, which may name some live window.
  HWND goneChild = CreateChild(CreateTopLevel(), 1);
  DestroyWindow(goneChild);
  for (HWND h : {gone, goneChild, static_cast<HWND>(nullptr)}) {
    SetLastError(0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(DestroyWindow(h));
    EXPECT_EQ(SendMessageA(h, WM_USER, 1, 2), 0);
    EXPECT_FALSE(ShowWindow(h, SW_SHOW));
    EXPECT_FALSE(SetWindowTextA(h, "x"));
    EXPECT_EQ(GetWindowLongPtrA(h, GWL_STYLE), 0);
    EXPECT_EQ(SetWindowLongPtrA(h, GWLP_USERDATA, 5), 0);
    EXPECT_EQ(GetDlgItem(h, 1), nullptr);
    EXPECT_EQ(GetDlgCtrlID(h), 0);
    if (h) {
      EXPECT_EQ(SetTimer(h, 1, 100, nullptr), 0u);
      EXPECT_FALSE(KillTimer(h, 1));
    }
    RECT r;
    EXPECT_FALSE(GetClientRect(h, &r));
    EXPECT_FALSE(MoveWindow(h, 0, 0, 1, 1, TRUE));
    EXPECT_FALSE(EnableWindow(h, FALSE));
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_FALSE(IsWindowEnabled(h));
    if (h) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    }
  }
  EXPECT_FALSE(PostMessageA(gone, WM_USER, 0, 0));
}

TEST_F(WindowTest, TheTextOfAnInvalidWindowIsEmpty) {
  QZ_HEADLESS_ONLY("Wine's GetWindowTextA fills the buffer from uninitialised memory here");
  HWND gone = CreateTopLevel();
  DestroyWindow(gone);
  for (HWND h : {gone, static_cast<HWND>(nullptr)}) {
    char buf[8] = "keep";
    EXPECT_EQ(GetWindowTextA(h, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
  }
}
