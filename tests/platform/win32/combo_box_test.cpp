// Combo boxes: the list of items, Win32's search rules, what is reported for a
// person's choice and never for a program's, and bad indexes and pointers.
#include <windows.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control_host.h"
#include "test_support.h"

using ::testing::ElementsAre;

namespace {

constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;

class ComboBoxTest : public testctl::ControlTest {
 protected:
  HWND Combo(DWORD style = kList, int id = 31, std::vector<const char*> items = {}) {
    HWND c = testctl::Create(host, "ComboBox", "", style, id, RECT{10, 10, 150, 160});
    for (const char* item : items) SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    return c;
  }
  static LRESULT Send(HWND c, UINT msg, WPARAM w, const char* text) {
    return SendMessageA(c, msg, w, reinterpret_cast<LPARAM>(text));
  }
  static std::vector<std::string> Items(HWND c) {
    std::vector<std::string> out;
    for (LRESULT i = 0, n = SendMessageA(c, CB_GETCOUNT, 0, 0); i < n; ++i) {
      char text[64] = {};
      SendMessageA(c, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      out.push_back(text);
    }
    return out;
  }
  static std::string Text(HWND c) {
    char text[64] = {};
    GetWindowTextA(c, text, sizeof text);
    return text;
  }
};

}  // namespace

TEST_F(ComboBoxTest, ItemsAreAddedInsertedAndDeleted) {
  HWND c = Combo(kList, 31, {"現股", "融資"});
  EXPECT_EQ(Send(c, CB_ADDSTRING, 0, "融券"), 2);
  EXPECT_EQ(Send(c, CB_INSERTSTRING, 1, "當沖"), 1);
  EXPECT_EQ(Send(c, CB_INSERTSTRING, static_cast<WPARAM>(-1), "借券"), 4);
  EXPECT_THAT(Items(c), ElementsAre("現股", "當沖", "融資", "融券", "借券"));
  EXPECT_EQ(SendMessageA(c, CB_GETLBTEXTLEN, 1, 0), 4);
  EXPECT_EQ(SendMessageA(c, CB_DELETESTRING, 0, 0), 4);
  EXPECT_THAT(Items(c), ElementsAre("當沖", "融資", "融券", "借券"));
  EXPECT_NE(SendMessageA(c, CB_RESETCONTENT, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessageA(c, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(ComboBoxTest, SortedComboBoxesIgnoreCaseAndInsertWhereAsked) {
  HWND c = Combo(kList | CBS_SORT, 31, {"ROD", "fok", "IOC"});
  EXPECT_THAT(Items(c), ElementsAre("fok", "IOC", "ROD"));
  EXPECT_EQ(Send(c, CB_ADDSTRING, 0, "Gtc"), 1);
  EXPECT_EQ(Send(c, CB_INSERTSTRING, 0, "zz"), 0);  // an insert is never sorted
  EXPECT_THAT(Items(c), ElementsAre("zz", "fok", "Gtc", "IOC", "ROD"));
}

TEST_F(ComboBoxTest, SelectionFollowsTheItemsAndShowsAsText) {
  HWND c = Combo(kList, 31, {"現股", "融資", "融券"});
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(Text(c), "");
  EXPECT_EQ(SendMessageA(c, CB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(Text(c), "融資");
  EXPECT_EQ(GetWindowTextLengthA(c), 4);
  Send(c, CB_INSERTSTRING, 0, "借券");
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 2);
  SendMessageA(c, CB_DELETESTRING, 0, 0);
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 1);
  SendMessageA(c, CB_DELETESTRING, 1, 0);  // the selected item goes, and the selection with it
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), CB_ERR);
  // A drop-down list has no text of its own.
  SendMessageA(c, CB_SETCURSEL, 0, 0);
  EXPECT_EQ(Send(c, WM_SETTEXT, 0, "其他"), CB_ERR);
  EXPECT_EQ(SendMessageA(c, WM_CLEAR, 0, 0), CB_ERR);
  EXPECT_EQ(Text(c), "現股");
}

TEST_F(ComboBoxTest, SetCurSelPastTheEndFailsAndOnlyMinusOneClears) {
  HWND c = Combo(kList, 31, {"a", "b"});
  SendMessageA(c, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(SendMessageA(c, CB_SETCURSEL, 5, 0), CB_ERR);
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Text(c), "b");
  SendMessageA(c, CB_SETCURSEL, 0, 0);
  SendMessageA(c, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(Text(c), "");
}

TEST_F(ComboBoxTest, FindStringExactIgnoresCaseAndWantsTheWholeString) {
  HWND c = Combo(kList, 31, {"ROD", "rod", "ROD-2", "IOC"});
  EXPECT_EQ(Send(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "Rod"), 0);
  EXPECT_EQ(Send(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "RO"), CB_ERR);
  EXPECT_EQ(Send(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "ioc"), 3);
  // The search starts after the given item and wraps round.
  EXPECT_EQ(Send(c, CB_FINDSTRINGEXACT, 0, "ROD"), 1);
  EXPECT_EQ(Send(c, CB_FINDSTRINGEXACT, 1, "ROD"), 0);
  EXPECT_EQ(Send(c, CB_FINDSTRINGEXACT, 3, "ROD"), 0);
  EXPECT_EQ(Send(c, CB_FINDSTRINGEXACT, 100, "ROD"), 0);
  EXPECT_EQ(Send(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "FOK"), CB_ERR);
}

TEST_F(ComboBoxTest, FindStringMatchesAPrefix) {
  HWND c = Combo(kList, 31, {"融資", "融券", "ROD", "rod-2"});
  EXPECT_EQ(Send(c, CB_FINDSTRING, static_cast<WPARAM>(-1), "ro"), 2);
  EXPECT_EQ(Send(c, CB_FINDSTRING, 2, "RO"), 3);
  EXPECT_EQ(Send(c, CB_FINDSTRING, 3, "RO"), 2);
  EXPECT_EQ(Send(c, CB_FINDSTRING, static_cast<WPARAM>(-1), "融券"), 1);
  EXPECT_EQ(Send(c, CB_FINDSTRING, static_cast<WPARAM>(-1), "ROD-2x"), CB_ERR);
  // Selecting by prefix moves the selection, quietly; no match leaves it.
  EXPECT_EQ(Send(c, CB_SELECTSTRING, static_cast<WPARAM>(-1), "rod-"), 3);
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(Send(c, CB_SELECTSTRING, static_cast<WPARAM>(-1), "x"), CB_ERR);
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 3);
  EXPECT_TRUE(testctl::Notes().empty());
}

TEST_F(ComboBoxTest, ItemDataStaysWithItsItem) {
  HWND c = Combo(kList, 31, {"a", "b"});
  EXPECT_NE(SendMessageA(c, CB_SETITEMDATA, 1, 0x1234), CB_ERR);
  Send(c, CB_INSERTSTRING, 0, "z");
  EXPECT_EQ(SendMessageA(c, CB_GETITEMDATA, 2, 0), 0x1234);
  EXPECT_EQ(SendMessageA(c, CB_GETITEMDATA, 0, 0), 0);
}

TEST_F(ComboBoxTest, BadIndexesAndNullTextsFailQuietly) {
  HWND c = Combo(kList, 31, {"a"});
  char text[8] = "x";
  for (WPARAM bad : {static_cast<WPARAM>(1), static_cast<WPARAM>(-1), static_cast<WPARAM>(-2)}) {
    EXPECT_EQ(SendMessageA(c, CB_GETLBTEXT, bad, reinterpret_cast<LPARAM>(text)), CB_ERR);
    EXPECT_EQ(SendMessageA(c, CB_GETLBTEXTLEN, bad, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(c, CB_GETITEMDATA, bad, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(c, CB_SETITEMDATA, bad, 1), CB_ERR);
    EXPECT_EQ(SendMessageA(c, CB_DELETESTRING, bad, 0), CB_ERR);
  }
  EXPECT_STREQ(text, "x");
  EXPECT_EQ(Send(c, CB_INSERTSTRING, 5, "b"), CB_ERR);
  EXPECT_EQ(SendMessageA(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), 0), CB_ERR);
  EXPECT_EQ(SendMessageA(c, CB_FINDSTRING, static_cast<WPARAM>(-1), 0), CB_ERR);
  EXPECT_EQ(Send(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), ""), CB_ERR);
  EXPECT_EQ(SendMessageA(c, CB_GETCOUNT, 0, 0), 1);
  EXPECT_FALSE(GetComboBoxInfo(c, nullptr));
  HWND gone = Combo(kList, 32);
  DestroyWindow(gone);
  EXPECT_EQ(Send(gone, CB_ADDSTRING, 0, "a"), 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetComboBoxInfo(gone, &info));
}

TEST_F(ComboBoxTest, AProgramsSelectionIsNotReported) {
  HWND c = Combo(kList, 31, {"a", "b", "c"});
  SendMessageA(c, CB_SETCURSEL, 2, 0);
  Send(c, CB_SELECTSTRING, static_cast<WPARAM>(-1), "a");
  SendMessageA(c, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_TRUE(testctl::Codes(c).empty());
}

TEST_F(ComboBoxTest, ArrowKeysOnAClosedListChooseAndReport) {
  HWND c = Combo(kList, 31, {"a", "b", "c"});
  SendMessageA(c, CB_SETCURSEL, 0, 0);
  SetFocus(c);
  testctl::Clear();
  SendMessageA(c, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 1);
  EXPECT_THAT(testctl::Codes(c), ElementsAre(static_cast<UINT>(CBN_SELENDOK),
                                             static_cast<UINT>(CBN_SELCHANGE)));
  // At the end of the list nothing moves, yet the key is reported as a choice.
  SendMessageA(c, WM_KEYDOWN, VK_END, 0);
  testctl::Clear();
  SendMessageA(c, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 2);
  EXPECT_THAT(testctl::Codes(c), ElementsAre(static_cast<UINT>(CBN_SELENDOK),
                                             static_cast<UINT>(CBN_SELCHANGE)));
}

TEST_F(ComboBoxTest, ChoosingInTheDroppedListReportsTheChoice) {
  HWND c = Combo(kList, 31, {"現股", "融資", "融券"});
  SetFocus(c);
  testctl::Clear();
  SendMessageA(c, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_TRUE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(c, &info));
  EXPECT_EQ(info.hwndCombo, c);
  ASSERT_NE(info.hwndList, nullptr);
  EXPECT_TRUE(IsWindowVisible(info.hwndList));
  RECT item{};
  ASSERT_NE(SendMessageA(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item)),
            LB_ERR);
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Text(c), "融券");
  EXPECT_FALSE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
  const std::vector<UINT> codes = testctl::Codes(c);
  ASSERT_FALSE(codes.empty());
  EXPECT_EQ(codes.front(), static_cast<UINT>(CBN_DROPDOWN));
  EXPECT_EQ(std::count(codes.begin(), codes.end(), static_cast<UINT>(CBN_SELCHANGE)), 1);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), static_cast<UINT>(CBN_CLOSEUP)), 1);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), static_cast<UINT>(CBN_SELENDOK)), 1);
}

TEST_F(ComboBoxTest, ClosingWithoutAChoiceCancels) {
  HWND c = Combo(kList, 31, {"a", "b"});
  SetFocus(c);
  SendMessageA(c, CB_SHOWDROPDOWN, TRUE, 0);
  testctl::Clear();
  EXPECT_TRUE(SendMessageA(c, CB_SHOWDROPDOWN, FALSE, 0));
  EXPECT_THAT(testctl::Codes(c), ElementsAre(static_cast<UINT>(CBN_SELENDCANCEL),
                                             static_cast<UINT>(CBN_CLOSEUP)));
  testctl::Clear();
  SendMessageA(c, CB_SHOWDROPDOWN, FALSE, 0);  // already closed
  EXPECT_TRUE(testctl::Codes(c).empty());
}

TEST_F(ComboBoxTest, FocusIsReportedToTheParent) {
  HWND c = Combo(kList, 31, {"a"});
  HWND other = Combo(kList, 32);
  SetFocus(c);
  SetFocus(other);
  const std::vector<UINT> codes = testctl::Codes(c);
  ASSERT_FALSE(codes.empty());
  EXPECT_EQ(codes.front(), static_cast<UINT>(CBN_SETFOCUS));
  EXPECT_EQ(codes.back(), static_cast<UINT>(CBN_KILLFOCUS));
  EXPECT_EQ(SendMessageA(c, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(ComboBoxTest, ADropDownComboKeepsItsTextInAnEdit) {
  HWND c = Combo(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 33, {"1000", "2000"});
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(c, &info));
  ASSERT_NE(info.hwndItem, nullptr);
  EXPECT_EQ(GetParent(info.hwndItem), c);
  EXPECT_TRUE(SetWindowTextA(c, "1500"));
  EXPECT_EQ(Text(c), "1500");
  SendMessageA(c, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(Text(c), "2000");
  char text[16] = {};
  GetWindowTextA(info.hwndItem, text, sizeof text);
  EXPECT_STREQ(text, "2000");
}

namespace {

// A box created with scroll-bar and border styles keeps neither on itself (the
// scroll bar is its dropped list's), so nothing is drawn beside its button.
TEST_F(ComboBoxTest, TheBoxKeepsNoScrollBarOrBorderStyle) {
  for (DWORD type : {DWORD{CBS_DROPDOWNLIST}, DWORD{CBS_DROPDOWN}}) {
    HWND c = Combo((kList & ~DWORD{CBS_DROPDOWNLIST}) | type | WS_BORDER | WS_HSCROLL);
    ASSERT_NE(c, nullptr);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(c, GWL_STYLE));
    EXPECT_EQ(style & (WS_VSCROLL | WS_HSCROLL | WS_BORDER), 0u) << type;
    EXPECT_EQ(style & 3, type);
    DestroyWindow(c);
  }
}

}  // namespace
