// Conformance test of what DestroyWindow tells a window that is still shown.
#include <windows.h>

#include <gmock/gmock.h>

#include "recording_window.h"
#include "test_support.h"

using ::testing::ElementsAre;
using testwin::MessagesOf;

namespace {

class WindowDestroyTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    testwin::ClearLog();
  }
};

TEST_F(WindowDestroyTest, OnlyAShownChildIsToldItIsHidden) {
  HWND top = testwin::CreateTopLevel();
  ShowWindow(top, SW_SHOW);
  HWND shown = testwin::CreateChild(top, 1);
  HWND hidden = testwin::CreateChild(top, 2, WS_CHILD);
  testwin::ClearLog();
  ASSERT_TRUE(DestroyWindow(shown));
  ASSERT_TRUE(DestroyWindow(hidden));
  EXPECT_THAT(MessagesOf(shown, {WM_SHOWWINDOW, WM_DESTROY}), ElementsAre(WM_SHOWWINDOW, WM_DESTROY));
  for (const testwin::Seen& s : testwin::Log())
    if (s.hwnd == shown && s.msg == WM_SHOWWINDOW) {
      EXPECT_EQ(s.wParam, static_cast<WPARAM>(FALSE));
      EXPECT_EQ(s.lParam, 0);
    }
  EXPECT_THAT(MessagesOf(hidden, {WM_SHOWWINDOW, WM_DESTROY}), ElementsAre(WM_DESTROY));
  // A top-level window is hidden without being told.
  ASSERT_TRUE(DestroyWindow(top));
  EXPECT_THAT(MessagesOf(top, {WM_SHOWWINDOW, WM_DESTROY}), ElementsAre(WM_DESTROY));
}

}  // namespace
