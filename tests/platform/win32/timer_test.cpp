// Window timers and local time on the clock the tests let run.
#include <windows.h>

#include <gmock/gmock.h>

#include "recording_window.h"
#include "test_support.h"

namespace {

class TimerTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    hwnd = testwin::CreateTopLevel();
    testwin::ClearLog();
  }
  std::vector<UINT_PTR> firedIds() const {
    std::vector<UINT_PTR> ids;
    for (const auto& s : testwin::Log())
      if (s.hwnd == hwnd && s.msg == WM_TIMER) ids.push_back(s.wParam);
    return ids;
  }
  HWND hwnd = nullptr;
};

int g_procCalls = 0;
void CALLBACK CountingProc(HWND, UINT msg, UINT_PTR, DWORD) {
  if (msg == WM_TIMER) ++g_procCalls;
}

}  // namespace

TEST_F(TimerTest, FiresOnlyThroughTheLoopAfterItsPeriod) {
  ASSERT_EQ(SetTimer(hwnd, 150, 2000, nullptr), 150u);
  // Margins of half a second: a real system's timers may come late under load.
  testsupport::Wait(1900);
  EXPECT_TRUE(firedIds().empty());
  testsupport::Wait(600);
  EXPECT_THAT(firedIds(), ::testing::ElementsAre(150u));
  testsupport::Wait(2000);
  EXPECT_EQ(firedIds().size(), 2u);
}

TEST_F(TimerTest, SettingTheSameIdAgainReplacesIt) {
  SetTimer(hwnd, 7, 1000, nullptr);
  testsupport::Wait(900);
  SetTimer(hwnd, 7, 1000, nullptr);  // starts again from now
  testsupport::Wait(900);
  EXPECT_TRUE(firedIds().empty());
  testsupport::Wait(150);
  EXPECT_EQ(firedIds().size(), 1u);
}

TEST_F(TimerTest, KilledTimersStop) {
  SetTimer(hwnd, 1, 100, nullptr);
  SetTimer(hwnd, 2, 100, nullptr);
  EXPECT_TRUE(KillTimer(hwnd, 1));
  EXPECT_FALSE(KillTimer(hwnd, 1));
  EXPECT_FALSE(KillTimer(hwnd, 99));
  testsupport::Wait(150);
  EXPECT_THAT(firedIds(), ::testing::ElementsAre(2u));
}

TEST_F(TimerTest, ZeroPeriodIsRaisedToTheMinimum) {
  SetTimer(hwnd, 3, 0, nullptr);
  // Half the minimum: a real clock's timers may be a millisecond early.
  testsupport::Wait(USER_TIMER_MINIMUM / 2);
  EXPECT_TRUE(firedIds().empty());
  testsupport::Wait(USER_TIMER_MINIMUM);
  EXPECT_GE(firedIds().size(), 1u);
}

TEST_F(TimerTest, TimersOfADestroyedWindowEnd) {
  HWND child = testwin::CreateChild(hwnd, 1);
  SetTimer(child, 130, 100, nullptr);
  DestroyWindow(child);
  testsupport::Wait(500);
  for (const auto& s : testwin::Log()) EXPECT_NE(s.msg, static_cast<UINT>(WM_TIMER));
}

TEST_F(TimerTest, DelayedTimersDoNotPileUp) {
  SetTimer(hwnd, 1, 100, nullptr);
  // Nobody runs the loop for a while: only one WM_TIMER is waiting.
  Sleep(1000);
  testsupport::Pump();
  EXPECT_EQ(firedIds().size(), 1u);
}

TEST_F(TimerTest, TimersInterleaveInTimeOrder) {
  SetTimer(hwnd, 140, 1000, nullptr);
  SetTimer(hwnd, 130, 1600, nullptr);
  SetTimer(hwnd, 150, 2500, nullptr);
  testsupport::Wait(3200);
  EXPECT_THAT(firedIds(), ::testing::ElementsAre(140u, 130u, 140u, 150u, 140u, 130u));
}

TEST_F(TimerTest, ThreadTimersCallTheirProcedure) {
  g_procCalls = 0;
  UINT_PTR id = SetTimer(nullptr, 0, 50, CountingProc);
  ASSERT_NE(id, 0u);
  testsupport::Wait(120);
  EXPECT_EQ(g_procCalls, 2);
  EXPECT_TRUE(KillTimer(nullptr, id));
  testsupport::Wait(120);
  EXPECT_EQ(g_procCalls, 2);
}

TEST_F(TimerTest, TimerProcedureOfAWindowTimer) {
  g_procCalls = 0;
  SetTimer(hwnd, 5, 100, CountingProc);
  testsupport::Wait(100);
  EXPECT_EQ(g_procCalls, 1);
  EXPECT_TRUE(firedIds().empty());  // the procedure takes it instead of the window
}

TEST_F(TimerTest, TickCountAndLocalTimeMoveTogether) {
  SYSTEMTIME before, after, utc;
  GetLocalTime(&before);
  DWORD t0 = GetTickCount();
  testsupport::Wait(1500);
  GetLocalTime(&after);
  GetSystemTime(&utc);
  EXPECT_GE(GetTickCount() - t0, 1500u);
  auto msOfDay = [](const SYSTEMTIME& t) {
    return ((t.wHour * 60 + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
  };
  EXPECT_GE((msOfDay(after) - msOfDay(before) + 86400000) % 86400000, 1500);
  EXPECT_GE(after.wYear, 2000);
  EXPECT_GE(after.wMonth, 1);
  EXPECT_LE(after.wMonth, 12);
  EXPECT_LE(after.wDayOfWeek, 6);
  EXPECT_EQ(utc.wMinute, after.wMinute);  // whole-hour zones
}
