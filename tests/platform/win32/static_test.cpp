// Statics: text, styles kept as given, and clicks only with SS_NOTIFY.
#include <windows.h>

#include <gmock/gmock.h>

#include "control_host.h"
#include "test_support.h"

using ::testing::ElementsAre;

namespace {

using StaticTest = testctl::ControlTest;

}  // namespace

TEST_F(StaticTest, KeepsTextAndAlignment) {
  HWND label = testctl::Create(host, "Static", "整戶維持率", WS_CHILD | WS_VISIBLE | SS_RIGHT, 5);
  char text[32] = {};
  EXPECT_EQ(GetWindowTextA(label, text, sizeof text), 10);
  EXPECT_STREQ(text, "整戶維持率");
  EXPECT_TRUE(SetWindowTextA(label, "庫存"));
  EXPECT_EQ(GetWindowTextLengthA(label), 4);
  EXPECT_EQ(GetWindowLongA(label, GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
  EXPECT_EQ(SendMessageA(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
  EXPECT_TRUE(testctl::Notes().empty());  // a static reports no text change
}

TEST_F(StaticTest, ClicksAreReportedOnlyWithSsNotify) {
  HWND quiet = testctl::Create(host, "Static", "a", WS_CHILD | WS_VISIBLE, 6);
  HWND notifying = testctl::Create(host, "Static", "b", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 7,
                                   RECT{10, 50, 130, 74});
  for (HWND s : {quiet, notifying}) {
    SendMessageA(s, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(s, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    SendMessageA(s, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
  }
  EXPECT_TRUE(testctl::Codes(quiet).empty());
  EXPECT_THAT(testctl::Codes(notifying),
              ElementsAre(static_cast<UINT>(STN_CLICKED), static_cast<UINT>(STN_DBLCLK)));
  EXPECT_EQ(SendMessageA(quiet, WM_NCHITTEST, 0, MAKELPARAM(80, 70)), HTTRANSPARENT);
}
