// Simulated input: the messages a person's actions produce, through the loop.
#include <input/input.h>
#include <windows.h>

#include <gmock/gmock.h>

#include "../win32/recording_window.h"
#include "test_support.h"

using ::testing::ElementsAre;
using testwin::MessagesOf;

namespace {

class InputTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    input::SetMessagePump(nullptr);
    top = testwin::CreateTopLevel("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    child = testwin::CreateChild(top, 7);
    testwin::ClearLog();
  }
  void TearDown() override {
    input::SetMessagePump(nullptr);
    PlatformTest::TearDown();
  }

  const testwin::Seen* last(HWND hwnd, UINT msg) {
    const testwin::Seen* found = nullptr;
    for (const auto& s : testwin::Log())
      if (s.hwnd == hwnd && s.msg == msg) found = &s;
    return found;
  }

  HWND top = nullptr;
  HWND child = nullptr;
};

const std::vector<UINT> kButtons{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                 WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU};

LRESULT CALLBACK Plain(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  testwin::Log().push_back(testwin::Seen{hwnd, msg, w, l});
  return DefWindowProcA(hwnd, msg, w, l);
}

}  // namespace

TEST_F(InputTest, ClickPressesAndReleasesAtThePointAndTheProgramHasReacted) {
  ASSERT_TRUE(input::Click(child, POINT{12, 34}));
  EXPECT_THAT(MessagesOf(child, kButtons), ElementsAre(WM_LBUTTONDOWN, WM_LBUTTONUP));
  const testwin::Seen* down = last(child, WM_LBUTTONDOWN);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(LOWORD(down->lParam), 12);
  EXPECT_EQ(HIWORD(down->lParam), 34);
  EXPECT_EQ(down->wParam & MK_LBUTTON, static_cast<WPARAM>(MK_LBUTTON));
}

TEST_F(InputTest, ClickWithoutAPointHitsTheCentreOfTheClientArea) {
  ASSERT_TRUE(input::Click(child));
  const testwin::Seen* up = last(child, WM_LBUTTONUP);
  ASSERT_NE(up, nullptr);
  RECT r{};
  GetClientRect(child, &r);
  EXPECT_EQ(LOWORD(up->lParam), r.right / 2);
  EXPECT_EQ(HIWORD(up->lParam), r.bottom / 2);
}

TEST_F(InputTest, DoubleClickFollowsTheClassStyle) {
  ASSERT_TRUE(input::DoubleClick(child, POINT{5, 5}));
  EXPECT_THAT(MessagesOf(child, kButtons),
              ElementsAre(WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP));

  WNDCLASSA wc{};
  wc.lpfnWndProc = Plain;
  wc.hInstance = testsupport::Instance();
  wc.lpszClassName = "QzNoDoubleClicks";
  ASSERT_TRUE(RegisterClassA(&wc));
  HWND plain = CreateWindowExA(0, "QzNoDoubleClicks", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top,
                               nullptr, testsupport::Instance(), nullptr);
  ASSERT_TRUE(input::DoubleClick(plain, POINT{5, 5}));
  EXPECT_THAT(MessagesOf(plain, kButtons),
              ElementsAre(WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP));
}

TEST_F(InputTest, RightClickEndsInAContextMenuRequestInScreenCoordinates) {
  ASSERT_TRUE(input::RightClick(child, POINT{3, 4}));
  EXPECT_THAT(MessagesOf(child, kButtons),
              ElementsAre(WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU));
  const testwin::Seen* menu = last(child, WM_CONTEXTMENU);
  ASSERT_NE(menu, nullptr);
  POINT screen{3, 4};
  ClientToScreen(child, &screen);
  EXPECT_EQ(static_cast<short>(LOWORD(menu->lParam)), screen.x);
  EXPECT_EQ(static_cast<short>(HIWORD(menu->lParam)), screen.y);
}

TEST_F(InputTest, KeysGoToTheFocusWindowAndCharacterKeysAreTranslated) {
  SetFocus(child);
  testwin::ClearLog();
  ASSERT_TRUE(input::PressKey(VK_RETURN));
  EXPECT_THAT(MessagesOf(child, {WM_KEYDOWN, WM_CHAR, WM_KEYUP}),
              ElementsAre(WM_KEYDOWN, WM_CHAR, WM_KEYUP));
  EXPECT_EQ(last(child, WM_CHAR)->wParam, static_cast<WPARAM>('\r'));

  testwin::ClearLog();
  ASSERT_TRUE(input::PressKey(VK_DOWN));
  EXPECT_THAT(MessagesOf(child, {WM_KEYDOWN, WM_CHAR, WM_KEYUP}), ElementsAre(WM_KEYDOWN, WM_KEYUP));
}

TEST_F(InputTest, TypedDoubleByteCharactersArriveAsLeadThenTrailByte) {
  // 許 is B3 5C in code page 950: its trail byte is a backslash.
  ASSERT_TRUE(input::TypeText(child, "a許"));
  EXPECT_EQ(GetFocus(), child);
  std::vector<WPARAM> chars;
  for (const auto& s : testwin::Log())
    if (s.hwnd == child && s.msg == WM_CHAR) chars.push_back(s.wParam);
  EXPECT_THAT(chars, ElementsAre('a', 0xB3, 0x5C));
}

TEST_F(InputTest, WheelGoesToTheFocusWindowWithNotchesInTheHighWord) {
  SetFocus(top);
  testwin::ClearLog();
  ASSERT_TRUE(input::TurnWheel(child, POINT{1, 1}, -2));
  const testwin::Seen* wheel = last(top, WM_MOUSEWHEEL);
  ASSERT_NE(wheel, nullptr);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel->wParam), -2 * WHEEL_DELTA);
}

TEST_F(InputTest, ACustomPumpRunsAfterEachAction) {
  int pumped = 0;
  input::SetMessagePump([&] {
    ++pumped;
    testsupport::Pump();
  });
  input::Click(child);
  EXPECT_EQ(pumped, 1);
  EXPECT_THAT(MessagesOf(child, kButtons), ElementsAre(WM_LBUTTONDOWN, WM_LBUTTONUP));
}

TEST_F(InputTest, ActionsOnWindowsThatAreGoneDoNothing) {
  DestroyWindow(child);
  testwin::ClearLog();
  EXPECT_FALSE(input::Click(child));
  EXPECT_FALSE(input::Click(child, POINT{1, 1}));
  EXPECT_FALSE(input::DoubleClick(child, POINT{1, 1}));
  EXPECT_FALSE(input::TypeText(child, "x"));
  EXPECT_FALSE(input::TypeText(top, nullptr));
  EXPECT_FALSE(input::ChooseComboEntry(child, 0));
  EXPECT_FALSE(input::ChooseComboEntry(child, "x"));
  EXPECT_TRUE(testwin::Log().empty());
}

TEST_F(InputTest, TheMouseCannotReachADisabledWindowOrOneInADisabledParent) {
  HWND box = CreateWindowExA(0, "Button", "box", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 60, 100, 20,
                             top, reinterpret_cast<HMENU>(8), testsupport::Instance(), nullptr);
  EnableWindow(box, FALSE);
  EXPECT_FALSE(input::ClickButton(box));
  EXPECT_FALSE(input::DoubleClick(box, POINT{5, 5}));
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EnableWindow(box, TRUE);
  EnableWindow(top, FALSE);
  EXPECT_FALSE(input::Click(child));
  EXPECT_FALSE(input::ClickButton(box));
  EXPECT_TRUE(MessagesOf(child, kButtons).empty());
  EnableWindow(top, TRUE);
  EXPECT_TRUE(input::ClickButton(box));
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(InputTest, ChoosingAComboEntryOpensTheListAndClicksTheEntryOnce) {
  HWND combo = CreateWindowExA(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10,
                               120, 200, top, reinterpret_cast<HMENU>(static_cast<INT_PTR>(42)),
                               testsupport::Instance(), nullptr);
  ASSERT_NE(combo, nullptr);
  for (const char* text : {"Alpha", "Beta", "Gamma"})
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  testwin::ClearLog();

  ASSERT_TRUE(input::ChooseComboEntry(combo, "gamma"));
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
  int selChanges = 0;
  for (const auto& s : testwin::Log())
    if (s.hwnd == top && s.msg == WM_COMMAND && LOWORD(s.wParam) == 42 &&
        HIWORD(s.wParam) == CBN_SELCHANGE)
      ++selChanges;
  EXPECT_EQ(selChanges, 1);

  EXPECT_FALSE(input::ChooseComboEntry(combo, 3));
  EXPECT_FALSE(input::ChooseComboEntry(combo, "Delta"));
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
}
