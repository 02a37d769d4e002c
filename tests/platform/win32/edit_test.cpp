// Edits: typing (double-byte characters included), selection, limits, and the
// notifications the parent gets.
#include <windows.h>

#include <gmock/gmock.h>

#include <string>

#include "control_host.h"
#include "test_support.h"

using ::testing::ElementsAre;

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr UINT kUpdate = EN_UPDATE;
constexpr UINT kChange = EN_CHANGE;

class EditTest : public testctl::ControlTest {
 protected:
  HWND Edit(DWORD style = 0, const char* text = "", int id = 41) {
    return testctl::Create(host, "Edit", text, kChild | WS_TABSTOP | style, id);
  }
  static std::string Text(HWND e) {
    char buf[128] = {};
    GetWindowTextA(e, buf, sizeof buf);
    return buf;
  }
  static void Type(HWND e, const std::string& bytes) {
    for (char c : bytes) SendMessageA(e, WM_CHAR, static_cast<BYTE>(c), 1);
  }
  static std::pair<DWORD, DWORD> Sel(HWND e) {
    DWORD a = 99, b = 99;
    SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return {a, b};
  }
};

}  // namespace

TEST_F(EditTest, TypingInsertsAtTheCaretAndReportsEachChange) {
  HWND e = Edit();
  SetFocus(e);
  testctl::Clear();
  Type(e, "12");
  EXPECT_EQ(Text(e), "12");
  EXPECT_THAT(testctl::Codes(e), ElementsAre(kUpdate, kChange, kUpdate, kChange));
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{2}, DWORD{2}));
  SendMessageA(e, EM_SETSEL, 0, 1);
  Type(e, "9");
  EXPECT_EQ(Text(e), "92");
  Type(e, "\b\b");
  EXPECT_EQ(Text(e), "2");
}

TEST_F(EditTest, ADoubleByteCharacterIsTypedAsTwoBytesAndErasedAsOne) {
  HWND e = Edit();
  testctl::Clear();
  Type(e, "A股");  // 股 is two bytes in CP950
  EXPECT_EQ(Text(e), "A股");
  EXPECT_EQ(GetWindowTextLengthA(e), 3);
  // The lead byte alone changes nothing yet.
  EXPECT_EQ(testctl::Codes(e).size(), 4u);
  Type(e, "\b");
  EXPECT_EQ(Text(e), "A");
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{1}, DWORD{1}));
}

TEST_F(EditTest, SetTextReportsAChangeOnlyForASingleLineEdit) {
  HWND single = Edit();
  HWND multi = Edit(ES_MULTILINE, "", 42);
  testctl::Clear();
  EXPECT_TRUE(SetWindowTextA(single, "100"));
  EXPECT_TRUE(SetWindowTextA(multi, "100"));
  EXPECT_THAT(testctl::Codes(single), ElementsAre(kUpdate, kChange));
  EXPECT_TRUE(testctl::Codes(multi).empty());
  // The caret goes back to the start and the text counts as unmodified.
  EXPECT_EQ(Sel(single), std::make_pair(DWORD{0}, DWORD{0}));
  EXPECT_EQ(SendMessageA(single, EM_GETMODIFY, 0, 0), FALSE);
  Type(single, "5");
  EXPECT_EQ(Text(single), "5100");
  EXPECT_EQ(SendMessageA(single, EM_GETMODIFY, 0, 0), TRUE);
}

TEST_F(EditTest, SelectionIsOrderedAndClamped) {
  HWND e = Edit(0, "abcdef");
  SendMessageA(e, EM_SETSEL, 4, 1);
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{1}, DWORD{4}));
  EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0), MAKELRESULT(1, 4));
  SendMessageA(e, EM_SETSEL, 0, -1);
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{0}, DWORD{6}));
  SendMessageA(e, EM_SETSEL, 2, 100);
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{2}, DWORD{6}));
  SendMessageA(e, EM_SETSEL, static_cast<WPARAM>(-1), 0);  // -1 only drops the selection
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{6}, DWORD{6}));
  SendMessageA(e, EM_SETSEL, 1, 3);
  SendMessageA(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("XYZW"));
  EXPECT_EQ(Text(e), "aXYZWdef");
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{5}, DWORD{5}));
}

TEST_F(EditTest, ANullReplacementChangesNothing) {
  QZ_HEADLESS_ONLY("Wine's edit control reads the null text and crashes");
  HWND e = Edit(0, "abcdef");
  SendMessageA(e, EM_SETSEL, 1, 3);
  SendMessageA(e, EM_REPLACESEL, TRUE, 0);
  EXPECT_EQ(Text(e), "abcdef");
}

TEST_F(EditTest, LimitStopsTypingButNotSetText) {
  HWND e = Edit();
  EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 30000);
  SendMessageA(e, EM_LIMITTEXT, 3, 0);
  EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 3);
  Type(e, "123");
  testctl::Clear();
  Type(e, "4");
  EXPECT_EQ(Text(e), "123");
  // The refused key is told first; what else follows it differs between versions.
  ASSERT_FALSE(testctl::Codes(e).empty());
  EXPECT_EQ(testctl::Codes(e).front(), static_cast<UINT>(EN_MAXTEXT));
  SendMessageA(e, EM_SETSEL, 0, -1);
  SendMessageA(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("abcdef"));
  EXPECT_EQ(Text(e), "abc");
  SetWindowTextA(e, "abcdef");
  EXPECT_EQ(Text(e), "abcdef");
  SendMessageA(e, EM_LIMITTEXT, 0, 0);
  EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(EditTest, StylesFilterWhatIsTyped) {
  HWND upper = Edit(ES_UPPERCASE, "", 41);
  HWND number = Edit(ES_NUMBER, "", 42);
  HWND readOnly = Edit(ES_READONLY, "ro", 43);
  Type(upper, "abc1");
  Type(number, "1a2.");
  Type(readOnly, "x\b");
  EXPECT_EQ(Text(upper), "ABC1");
  EXPECT_EQ(Text(number), "12");
  EXPECT_EQ(Text(readOnly), "ro");
  EXPECT_TRUE(testctl::Codes(readOnly).empty());
  // A program may still change a read-only edit.
  SendMessageA(readOnly, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("!"));
  EXPECT_EQ(Text(readOnly), "!ro");
  EXPECT_TRUE(SendMessageA(readOnly, EM_SETREADONLY, FALSE, 0));
  EXPECT_FALSE(GetWindowLongA(readOnly, GWL_STYLE) & ES_READONLY);
}

TEST_F(EditTest, FocusIsReportedToTheParent) {
  HWND a = Edit(0, "", 41);
  HWND b = Edit(0, "", 42);
  SetFocus(a);
  SetFocus(b);
  EXPECT_THAT(testctl::Codes(a), ElementsAre(static_cast<UINT>(EN_SETFOCUS),
                                             static_cast<UINT>(EN_KILLFOCUS)));
  EXPECT_THAT(testctl::Codes(b), ElementsAre(static_cast<UINT>(EN_SETFOCUS)));
  EXPECT_EQ(SendMessageA(a, WM_GETDLGCODE, 0, 0),
            DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS);
}

TEST_F(EditTest, ClearDeletesTheSelection) {
  HWND e = Edit(0, "abcdef");
  SendMessageA(e, EM_SETSEL, 2, 4);
  SendMessageA(e, WM_CLEAR, 0, 0);
  EXPECT_EQ(Text(e), "abef");
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{2}, DWORD{2}));
}

TEST_F(EditTest, AShortBufferNeverEndsInHalfACharacter) {
  HWND e = Edit(0, "委託");
  char small[4] = {};
  EXPECT_EQ(GetWindowTextA(e, small, sizeof small), 2);
  EXPECT_STREQ(small, "委");
}

TEST_F(EditTest, AnAnsiEditCountsPositionsInBytes) {
  QZ_HEADLESS_ONLY("Wine's edit control counts positions in characters, even in an ANSI window");
  HWND e = Edit(0, "委託價格");
  SendMessageA(e, EM_SETSEL, 4, 8);
  SendMessageA(e, WM_CLEAR, 0, 0);
  EXPECT_EQ(Text(e), "委託");
}
