// The date and time picker: today's date at creation, setting and reading it
// with and without "no date", refusing impossible dates, and reporting a
// person's change.
#include <windows.h>

#include <commctrl.h>
#include <gmock/gmock.h>

#include <vector>

#include "control_host.h"
#include "test_support.h"

namespace {

class DateTimePickerTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    INITCOMMONCONTROLSEX init{sizeof init, ICC_DATE_CLASSES};
    InitCommonControlsEx(&init);
    testctl::Clear();
    host = testctl::Host();
  }
  void TearDown() override {
    testctl::Clear();
    PlatformTest::TearDown();
  }
  HWND Picker(DWORD style = 0, int id = 51) {
    return testctl::Create(host, DATETIMEPICK_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style,
                           id, RECT{10, 10, 150, 34});
  }
  static LRESULT Get(HWND p, SYSTEMTIME* st) {
    return SendMessageA(p, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(st));
  }
  static LRESULT Set(HWND p, WPARAM flag, const SYSTEMTIME* st) {
    return SendMessageA(p, DTM_SETSYSTEMTIME, flag, reinterpret_cast<LPARAM>(st));
  }
  HWND host = nullptr;
};

SYSTEMTIME Date(WORD y, WORD m, WORD d) {
  SYSTEMTIME st{};
  st.wYear = y;
  st.wMonth = m;
  st.wDay = d;
  return st;
}

}  // namespace

TEST_F(DateTimePickerTest, StartsAtTodaysDate) {
  SYSTEMTIME before{};
  GetLocalTime(&before);
  HWND p = Picker();
  ASSERT_NE(p, nullptr);
  SYSTEMTIME st{};
  ASSERT_EQ(Get(p, &st), GDT_VALID);
  EXPECT_EQ(st.wYear, before.wYear);
  EXPECT_EQ(st.wMonth, before.wMonth);
  EXPECT_EQ(st.wDay, before.wDay);
  EXPECT_EQ(st.wDayOfWeek, before.wDayOfWeek);
}

TEST_F(DateTimePickerTest, SetAndGetADate) {
  HWND p = Picker();
  SYSTEMTIME in = Date(2024, 2, 29);
  in.wDayOfWeek = 6;  // wrong on purpose: the picker works it out
  EXPECT_TRUE(Set(p, GDT_VALID, &in));
  SYSTEMTIME out{};
  EXPECT_EQ(Get(p, &out), GDT_VALID);
  EXPECT_EQ(out.wYear, 2024);
  EXPECT_EQ(out.wMonth, 2);
  EXPECT_EQ(out.wDay, 29);
  EXPECT_EQ(out.wDayOfWeek, 4);  // a Thursday
  EXPECT_TRUE(testctl::Notes().empty());  // a program's change is not reported
}

TEST_F(DateTimePickerTest, ImpossibleDatesAreRefused) {
  HWND p = Picker();
  const SYSTEMTIME good = Date(2025, 6, 30);
  ASSERT_TRUE(Set(p, GDT_VALID, &good));
  SYSTEMTIME lateHour = Date(2025, 1, 1);
  lateHour.wHour = 24;
  for (const SYSTEMTIME& bad : {Date(2025, 2, 29), Date(2025, 13, 1), Date(2025, 0, 1),
                                Date(2025, 4, 31), Date(2025, 1, 0), Date(0, 1, 1), lateHour})
    EXPECT_FALSE(Set(p, GDT_VALID, &bad)) << bad.wYear << "-" << bad.wMonth << "-" << bad.wDay;
  EXPECT_FALSE(Set(p, GDT_VALID, nullptr));
  SYSTEMTIME out{};
  Get(p, &out);
  EXPECT_EQ(out.wMonth, 6);
  EXPECT_EQ(out.wDay, 30);
}

TEST_F(DateTimePickerTest, NoDateOnlyWithShowNone) {
  HWND plain = Picker(0, 51);
  HWND optional = Picker(DTS_SHOWNONE, 52);
  EXPECT_FALSE(Set(plain, GDT_NONE, nullptr));
  SYSTEMTIME st{};
  EXPECT_EQ(Get(plain, &st), GDT_VALID);

  EXPECT_TRUE(Set(optional, GDT_NONE, &st));
  EXPECT_EQ(Get(optional, &st), GDT_NONE);
  const SYSTEMTIME d = Date(2026, 1, 5);
  EXPECT_TRUE(Set(optional, GDT_VALID, &d));
  EXPECT_EQ(Get(optional, &st), GDT_VALID);
  EXPECT_EQ(st.wDay, 5);
}

TEST_F(DateTimePickerTest, NoDateNeedsNoTime) {
  QZ_HEADLESS_ONLY("Wine's picker refuses GDT_NONE without a SYSTEMTIME, which Windows ignores");
  HWND optional = Picker(DTS_SHOWNONE, 52);
  EXPECT_TRUE(Set(optional, GDT_NONE, nullptr));
  SYSTEMTIME st{};
  EXPECT_EQ(Get(optional, &st), GDT_NONE);
}

TEST_F(DateTimePickerTest, APersonsChangeIsReported) {
  HWND p = Picker();
  SendMessageA(p, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("yyyy/MM/dd"));
  const SYSTEMTIME start = Date(2026, 12, 31);
  ASSERT_TRUE(Set(p, GDT_VALID, &start));
  SetFocus(p);
  testctl::Clear();
  // A fresh focus chooses no field; the right arrow picks the first, the year.
  SendMessageA(p, WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageA(p, WM_KEYDOWN, VK_UP, 0);
  SendMessageA(p, WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageA(p, WM_KEYDOWN, VK_UP, 0);
  SYSTEMTIME st{};
  Get(p, &st);
  EXPECT_EQ(st.wYear, 2027);
  EXPECT_EQ(st.wMonth, 1);  // months wrap round within the year
  EXPECT_EQ(st.wDay, 31);
  std::vector<testctl::Note> changes;
  for (const testctl::Note& n : testctl::Notes())
    if (n.msg == WM_NOTIFY && n.code == DTN_DATETIMECHANGE) changes.push_back(n);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].from, p);
  EXPECT_EQ(changes[0].id, 51);
  EXPECT_EQ(changes[0].flags, static_cast<DWORD>(GDT_VALID));
  EXPECT_EQ(changes[0].st.wYear, 2027);
  EXPECT_EQ(changes[1].st.wMonth, 1);
}

TEST_F(DateTimePickerTest, TypedDigitsPassThroughImpossibleMonths) {
  HWND p = Picker();
  SendMessageA(p, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("yyyy/MM/dd"));
  const SYSTEMTIME start = Date(2026, 12, 31);
  ASSERT_TRUE(Set(p, GDT_VALID, &start));
  SetFocus(p);
  SendMessageA(p, WM_KEYDOWN, VK_RIGHT, 0);  // the year
  SendMessageA(p, WM_KEYDOWN, VK_RIGHT, 0);  // the month
  for (char digit : {'0', '4'}) SendMessageA(p, WM_CHAR, static_cast<WPARAM>(digit), 0);  // month 0, then 4
  SYSTEMTIME st{};
  Get(p, &st);
  EXPECT_EQ(st.wMonth, 4);
  EXPECT_EQ(st.wDay, 30);  // April has 30 days
  EXPECT_EQ(st.wDayOfWeek, 4);
}
