// Sent and posted messages, the queue and registered messages.
#include <windows.h>

#include <gmock/gmock.h>

#include "recording_window.h"
#include "test_support.h"

using ::testing::ElementsAre;
using testwin::MessagesOf;

namespace {

class MessageTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    testwin::ClearLog();
  }
};

LRESULT CALLBACK Answering(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_USER + 1) return static_cast<LRESULT>(w + l);
  return DefWindowProcA(hwnd, msg, w, l);
}

}  // namespace

TEST_F(MessageTest, SendCallsTheProcedureAndReturnsItsResult) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Answering;
  wc.hInstance = testsupport::Instance();
  wc.lpszClassName = "QzAnswering";
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, "QzAnswering", "", 0, 0, 0, 1, 1, nullptr, nullptr,
                           testsupport::Instance(), nullptr);
  EXPECT_EQ(SendMessageA(w, WM_USER + 1, 40, 2), 42);
}

TEST_F(MessageTest, PostedMessagesWaitForTheLoopInOrder) {
  HWND w = testwin::CreateTopLevel();
  testwin::ClearLog();
  ASSERT_TRUE(PostMessageA(w, WM_USER + 1, 1, 0));
  ASSERT_TRUE(PostMessageA(w, WM_USER + 2, 2, 0));
  EXPECT_TRUE(MessagesOf(w).empty());

  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 2, WM_USER + 2, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
  ASSERT_TRUE(GetMessageA(&msg, w, 0, 0));
  EXPECT_EQ(msg.hwnd, w);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
  DispatchMessageA(&msg);
  EXPECT_THAT(MessagesOf(w), ElementsAre(WM_USER + 1));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageTest, WindowFilterIncludesChildren) {
  HWND top = testwin::CreateTopLevel();
  HWND child = testwin::CreateChild(top, 1);
  HWND other = testwin::CreateTopLevel("other");
  PostMessageA(other, WM_USER, 0, 0);
  PostMessageA(child, WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, top, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, child);
  EXPECT_FALSE(PeekMessageA(&msg, top, 0, 0, PM_REMOVE));
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageTest, QueuedMessagesOfADestroyedWindowAreDropped) {
  HWND w = testwin::CreateTopLevel();
  PostMessageA(w, WM_USER, 0, 0);
  DestroyWindow(w);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
}

TEST_F(MessageTest, QuitEndsGetMessageAfterThePostedMessages) {
  HWND w = testwin::CreateTopLevel();
  PostMessageA(w, WM_USER, 0, 0);
  PostQuitMessage(3);
  MSG msg;
  EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageTest, ThreadMessagesHaveNoWindow) {
  ASSERT_TRUE(PostMessageA(nullptr, WM_USER + 9, 7, 0));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(MessageTest, RegisteredMessagesShareOneNumberPerNameIgnoringCase) {
  UINT a = RegisterWindowMessageA("QZMSG_SENDCHANGEACCOUNT");
  UINT b = RegisterWindowMessageA("qzmsg_sendchangeaccount");
  UINT c = RegisterWindowMessageA("QZMSG_SENDORDER");
  EXPECT_GE(a, 0xC000u);
  EXPECT_LE(a, 0xFFFFu);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  EXPECT_GE(c, 0xC000u);
  EXPECT_EQ(RegisterWindowMessageA(""), 0u);
  EXPECT_EQ(RegisterWindowMessageA(nullptr), 0u);
  // Numbers survive a platform reset, as atoms outlive windows.
  testsupport::ResetPlatform();
  EXPECT_EQ(RegisterWindowMessageA("QZMSG_SENDCHANGEACCOUNT"), a);
}

TEST_F(MessageTest, RegisteredMessagesAreDeliveredLikeAnyOther) {
  UINT msgId = RegisterWindowMessageA("QzTestBroadcast");
  HWND w = testwin::CreateTopLevel();
  testwin::ClearLog();
  SendMessageA(w, msgId, 1, 2);
  PostMessageA(w, msgId, 3, 4);
  testsupport::Pump();
  EXPECT_THAT(MessagesOf(w), ElementsAre(msgId, msgId));
}

TEST_F(MessageTest, DefWindowProcKeepsTheText) {
  HWND w = testwin::CreateTopLevel("標題");
  char buf[64];
  EXPECT_EQ(GetWindowTextLengthA(w), 4);
  EXPECT_EQ(GetWindowTextA(w, buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "標題");
  ASSERT_TRUE(SetWindowTextA(w, "整戶維持率"));
  EXPECT_EQ(GetWindowTextA(w, buf, sizeof buf), 10);
  // A short buffer never ends in half of a double-byte character.
  EXPECT_EQ(GetWindowTextA(w, buf, 4), 2);
  EXPECT_STREQ(buf, "整");
  EXPECT_EQ(GetWindowTextA(w, buf, 0), 0);
  ASSERT_TRUE(SetWindowTextA(w, nullptr));
  EXPECT_EQ(GetWindowTextLengthA(w), 0);
}
