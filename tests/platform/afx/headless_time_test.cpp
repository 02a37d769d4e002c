// CTime on the virtual clock.
#include <afxwin.h>
#include <headless/headless.h>

#include "test_support.h"

namespace {

class TimeTest : public testsupport::PlatformTest {};

TEST_F(TimeTest, CurrentTimeFollowsTheVirtualClock) {
  headless::SetLocalDateTime(SYSTEMTIME{2024, 2, 0, 29, 13, 29, 58, 500});
  CTime now = CTime::GetCurrentTime();
  EXPECT_EQ(now, CTime(2024, 2, 29, 13, 29, 58));
  EXPECT_EQ(now.GetDayOfWeek(), 5);  // a Thursday
  testsupport::Wait(1600);
  CTime later = CTime::GetCurrentTime();
  EXPECT_EQ(later.GetTime() - now.GetTime(), 2);
  EXPECT_EQ(later.Format("%Y/%m/%d %H:%M:%S %a %b %j %p %%"), "2024/02/29 13:30:00 Thu Feb 060 PM %");
}

TEST_F(TimeTest, PartsCarryOverAndConvertBack) {
  CTime t(2023, 13, 1, 0, 0, 0);  // month 13 is January of the next year
  EXPECT_EQ(t.GetYear(), 2024);
  EXPECT_EQ(t.GetMonth(), 1);
  SYSTEMTIME st{};
  ASSERT_TRUE(t.GetAsSystemTime(st));
  EXPECT_EQ(st.wYear, 2024);
  EXPECT_EQ(st.wDayOfWeek, 1);  // Monday
  EXPECT_EQ(CTime(st), t);
  EXPECT_EQ(CTime(1969, 12, 31, 23, 59, 59).GetTime(), -1);
  EXPECT_EQ(CTime(1969, 12, 31, 0, 0, 0).GetDayOfWeek(), 4);  // a Wednesday
  EXPECT_FALSE(CTime(1500, 1, 1, 0, 0, 0).GetAsSystemTime(st));
  EXPECT_EQ(CTime(2024, 3, 1, 0, 0, 0).Format("%d%q"), "01%q");
}

}  // namespace
