// Buttons: clicks and what they tell the parent, check states, radio groups,
// and the codes the dialog manager asks for.
#include <windows.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <vector>

#include "control_host.h"
#include "test_support.h"

using ::testing::ElementsAre;

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

class ButtonTest : public testctl::ControlTest {
 protected:
  // Buttons follow one another in creation order, as a dialog lays them out:
  // groups run along the z-order.
  HWND Button(DWORD style, int id, int row = 0) {
    return testctl::Create(host, "Button", "按鈕", kChild | style, id,
                           RECT{10, 10 + row * 30, 130, 34 + row * 30});
  }
  static LRESULT Check(HWND b) { return SendMessageA(b, BM_GETCHECK, 0, 0); }
};

}  // namespace

TEST_F(ButtonTest, ClickFocusesTheButtonThenTellsTheParent) {
  HWND other = Button(BS_PUSHBUTTON | WS_TABSTOP, 1, 0);
  HWND send = Button(BS_PUSHBUTTON | WS_TABSTOP, 2, 1);
  SetFocus(other);
  testctl::Clear();
  SendMessageA(send, BM_CLICK, 0, 0);
  ASSERT_EQ(testctl::Notes().size(), 1u);
  const testctl::Note& n = testctl::Notes()[0];
  EXPECT_EQ(n.msg, static_cast<UINT>(WM_COMMAND));
  EXPECT_EQ(n.id, 2);
  EXPECT_EQ(n.code, static_cast<UINT>(BN_CLICKED));
  EXPECT_EQ(n.focus, send);
  // The button is up again afterwards.
  EXPECT_EQ(SendMessageA(send, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
}

TEST_F(ButtonTest, AutoCheckBoxHasChangedWhenTheParentHears) {
  HWND box = Button(BS_AUTOCHECKBOX, 3);
  SendMessageA(box, BM_CLICK, 0, 0);
  SendMessageA(box, BM_CLICK, 0, 0);
  ASSERT_EQ(testctl::Notes().size(), 2u);
  EXPECT_EQ(testctl::Notes()[0].check, BST_CHECKED);
  EXPECT_EQ(testctl::Notes()[1].check, BST_UNCHECKED);
  EXPECT_EQ(Check(box), BST_UNCHECKED);
}

TEST_F(ButtonTest, ManualButtonsReportClicksButDoNotChange) {
  HWND box = Button(BS_CHECKBOX, 4, 0);
  HWND radio = Button(BS_RADIOBUTTON, 5, 1);
  SendMessageA(box, BM_CLICK, 0, 0);
  SendMessageA(radio, BM_CLICK, 0, 0);
  EXPECT_THAT(testctl::Codes(box), ElementsAre(static_cast<UINT>(BN_CLICKED)));
  EXPECT_THAT(testctl::Codes(radio), ElementsAre(static_cast<UINT>(BN_CLICKED)));
  EXPECT_EQ(Check(box), BST_UNCHECKED);
  EXPECT_EQ(Check(radio), BST_UNCHECKED);
}

TEST_F(ButtonTest, BmClickPressesEvenADisabledButton) {
  // BM_CLICK sends the press and release to the button itself; being disabled
  // only keeps a person's input away (see the simulated input's tests).
  HWND box = Button(BS_AUTOCHECKBOX, 6);
  EnableWindow(box, FALSE);
  SendMessageA(box, BM_CLICK, 0, 0);
  const std::vector<UINT> codes = testctl::Codes(box);  // custom-draw notices too
  EXPECT_EQ(std::count(codes.begin(), codes.end(), static_cast<UINT>(BN_CLICKED)), 1);
  EXPECT_EQ(Check(box), BST_CHECKED);
}

TEST_F(ButtonTest, SpaceBarClicksOnRelease) {
  HWND box = Button(BS_AUTOCHECKBOX | WS_TABSTOP, 7);
  SetFocus(box);
  SendMessageA(box, WM_KEYDOWN, VK_SPACE, 0x00390001);
  EXPECT_TRUE(testctl::Codes(box).empty());
  EXPECT_NE(SendMessageA(box, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  SendMessageA(box, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001));
  EXPECT_THAT(testctl::Codes(box), ElementsAre(static_cast<UINT>(BN_CLICKED)));
  EXPECT_EQ(Check(box), BST_CHECKED);
  // Another key does nothing.
  SendMessageA(box, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  SendMessageA(box, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001));
  EXPECT_EQ(testctl::Codes(box).size(), 1u);
}

TEST_F(ButtonTest, AutoRadioButtonsAreExclusiveWithinTheirGroup) {
  HWND cash = Button(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 11, 0);
  HWND margin = Button(BS_AUTORADIOBUTTON, 12, 1);
  HWND shortSale = Button(BS_AUTORADIOBUTTON, 13, 2);
  HWND rod = Button(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 21, 3);
  HWND ioc = Button(BS_AUTORADIOBUTTON, 22, 4);
  SendMessageA(rod, BM_CLICK, 0, 0);
  SendMessageA(margin, BM_CLICK, 0, 0);
  EXPECT_EQ(Check(cash), BST_UNCHECKED);
  EXPECT_EQ(Check(margin), BST_CHECKED);
  EXPECT_EQ(Check(shortSale), BST_UNCHECKED);
  EXPECT_EQ(Check(rod), BST_CHECKED);  // another group keeps its choice

  SendMessageA(shortSale, BM_CLICK, 0, 0);
  EXPECT_EQ(Check(margin), BST_UNCHECKED);
  EXPECT_EQ(Check(shortSale), BST_CHECKED);
  EXPECT_EQ(testctl::Notes().back().check, BST_CHECKED);

  // The first button of the group reaches the last one too.
  SendMessageA(cash, BM_CLICK, 0, 0);
  EXPECT_EQ(Check(shortSale), BST_UNCHECKED);
  EXPECT_EQ(Check(cash), BST_CHECKED);

  // The last group runs to the end of the siblings.
  SendMessageA(ioc, BM_CLICK, 0, 0);
  EXPECT_EQ(Check(rod), BST_UNCHECKED);
  EXPECT_EQ(Check(cash), BST_CHECKED);
}

TEST_F(ButtonTest, SettingTheCheckLeavesTheOtherRadioButtonsAlone) {
  QZ_HEADLESS_ONLY("Wine's BM_SETCHECK on an automatic radio button unchecks its group");
  HWND a = Button(BS_AUTORADIOBUTTON | WS_GROUP, 11, 0);
  HWND b = Button(BS_AUTORADIOBUTTON, 12, 1);
  SendMessageA(a, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(b, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Check(a), BST_CHECKED);
  EXPECT_EQ(Check(b), BST_CHECKED);
}

TEST_F(ButtonTest, AProgramChecksAGroupWithCheckRadioButton) {
  Button(BS_AUTORADIOBUTTON | WS_GROUP, 11, 0);
  Button(BS_AUTORADIOBUTTON, 12, 1);
  CheckDlgButton(host, 11, BST_CHECKED);
  EXPECT_TRUE(testctl::Notes().empty());  // no notification for a program's change
  EXPECT_TRUE(CheckRadioButton(host, 11, 12, 12));
  EXPECT_EQ(IsDlgButtonChecked(host, 11), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(IsDlgButtonChecked(host, 12), static_cast<UINT>(BST_CHECKED));
  EXPECT_TRUE(CheckDlgButton(host, 11, BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(host, 11), static_cast<UINT>(BST_CHECKED));
}

TEST_F(ButtonTest, CheckStatesAreLimitedByTheButtonType) {
  HWND push = Button(BS_PUSHBUTTON, 1, 0);
  HWND box = Button(BS_CHECKBOX, 2, 1);
  HWND three = Button(BS_3STATE, 3, 2);
  HWND auto3 = Button(BS_AUTO3STATE, 4, 3);
  SendMessageA(push, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(box, BM_SETCHECK, BST_INDETERMINATE, 0);
  SendMessageA(three, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(Check(push), BST_UNCHECKED);
  EXPECT_EQ(Check(box), BST_CHECKED);
  EXPECT_EQ(Check(three), BST_INDETERMINATE);
  // An automatic three-state box cycles unchecked, checked, indeterminate.
  LRESULT seen[3];
  for (LRESULT& s : seen) {
    SendMessageA(auto3, BM_CLICK, 0, 0);
    s = Check(auto3);
  }
  EXPECT_EQ(seen[0], BST_CHECKED);
  EXPECT_EQ(seen[1], BST_INDETERMINATE);
  EXPECT_EQ(seen[2], BST_UNCHECKED);
}

TEST_F(ButtonTest, StateCarriesPushedAndFocus) {
  HWND b = Button(BS_AUTOCHECKBOX | WS_TABSTOP, 1);
  SendMessageA(b, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(b, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0), BST_CHECKED | BST_PUSHED);
  SendMessageA(b, BM_SETSTATE, FALSE, 0);
  SetFocus(b);
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0), BST_CHECKED | BST_FOCUS);
  SetFocus(host);
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0), BST_CHECKED);
}

TEST_F(ButtonTest, DialogCodesAndStyleChanges) {
  struct Case {
    DWORD type;
    LRESULT code;
  };
  const Case cases[] = {
      {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
      {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
      {BS_CHECKBOX, DLGC_BUTTON},
      {BS_AUTOCHECKBOX, DLGC_BUTTON},
      {BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
      {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
      {BS_3STATE, DLGC_BUTTON},
      {BS_GROUPBOX, DLGC_STATIC},
  };
  int id = 100;
  for (const Case& c : cases) {
    HWND b = Button(c.type, id++);
    EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0), c.code) << c.type;
  }
  HWND b = Button(BS_PUSHBUTTON, 200);
  SendMessageA(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(GetWindowLongA(b, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_TRUE(GetWindowLongA(b, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
}

TEST_F(ButtonTest, FocusNotificationsOnlyWithBsNotify) {
  HWND plain = Button(BS_PUSHBUTTON, 1, 0);
  HWND notifying = Button(BS_PUSHBUTTON | BS_NOTIFY, 2, 1);
  SetFocus(plain);
  SetFocus(notifying);
  SetFocus(plain);
  EXPECT_TRUE(testctl::Codes(plain).empty());
  EXPECT_THAT(testctl::Codes(notifying),
              ElementsAre(static_cast<UINT>(BN_SETFOCUS), static_cast<UINT>(BN_KILLFOCUS)));
}

TEST_F(ButtonTest, BadTargetsFailQuietly) {
  EXPECT_EQ(IsDlgButtonChecked(host, 999), 0u);
  // CheckDlgButton only forwards BM_SETCHECK; a missing control changes nothing.
  EXPECT_TRUE(CheckDlgButton(host, 999, BST_CHECKED));
  HWND gone = Button(BS_AUTOCHECKBOX, 5);
  DestroyWindow(gone);
  EXPECT_EQ(SendMessageA(gone, BM_CLICK, 0, 0), 0);
  EXPECT_EQ(SendMessageA(gone, BM_GETCHECK, 0, 0), 0);
  EXPECT_TRUE(testctl::Notes().empty());
}
