// The virtual clock, local time, and window timers on it.
#include <algorithm>
#include <vector>

#include "backend.h"
#include "headless/headless.h"

using namespace headless::detail;

namespace {

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT period;
  std::uint64_t due;
  TIMERPROC proc;
};

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t daysFromCivil(int y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

SYSTEMTIME civilFromMs(std::int64_t ms) {
  std::int64_t days = ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000);
  std::int64_t rem = ms - days * 86400000;
  std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(m);
  st.wDay = static_cast<WORD>(d);
  st.wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  st.wHour = static_cast<WORD>(rem / 3600000);
  st.wMinute = static_cast<WORD>(rem / 60000 % 60);
  st.wSecond = static_cast<WORD>(rem / 1000 % 60);
  st.wMilliseconds = static_cast<WORD>(rem % 1000);
  return st;
}

std::int64_t msFromCivil(const SYSTEMTIME& st) {
  return daysFromCivil(st.wYear, st.wMonth, st.wDay) * 86400000 + st.wHour * 3600000LL +
         st.wMinute * 60000LL + st.wSecond * 1000LL + st.wMilliseconds;
}

// A weekday morning, so a fresh clock is inside trading hours.
constexpr SYSTEMTIME kDefaultStart{2026, 12, 1, 7, 9, 30, 0, 0};

struct Clock {
  std::uint64_t now = 0;
  std::int64_t startLocalMs = msFromCivil(kDefaultStart);
  int utcOffsetMinutes = 480;
  std::vector<Timer> timers;
  UINT_PTR nextThreadTimerId = 1;
};

Clock& vclock() {
  static Clock c;
  return c;
}

Timer* findTimer(HWND hwnd, UINT_PTR id) {
  for (auto& t : vclock().timers)
    if (t.hwnd == hwnd && t.id == id) return &t;
  return nullptr;
}

const ResetHook resetClock([] { ResetClock(); });

}  // namespace

namespace headless::detail {

void ResetClock() { vclock() = Clock{}; }

void SetNow(std::uint64_t ms) { vclock().now = std::max(vclock().now, ms); }

void KillTimersOf(HWND hwnd) {
  auto& ts = vclock().timers;
  ts.erase(std::remove_if(ts.begin(), ts.end(), [&](const Timer& t) { return t.hwnd == hwnd; }),
           ts.end());
}

bool NextTimerDue(std::uint64_t* due) {
  bool any = false;
  for (const auto& t : vclock().timers) {
    if (!any || t.due < *due) *due = t.due;
    any = true;
  }
  return any;
}

bool TakeDueTimer(HWND filter, MSG* msg, bool remove) {
  Timer* best = nullptr;
  for (auto& t : vclock().timers) {
    if (t.due > vclock().now) continue;
    if (filter == reinterpret_cast<HWND>(-1) && t.hwnd) continue;
    if (filter && filter != reinterpret_cast<HWND>(-1) && t.hwnd != filter && !IsChild(filter, t.hwnd))
      continue;
    if (!best || t.due < best->due) best = &t;
  }
  if (!best) return false;
  *msg = MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc),
             static_cast<DWORD>(vclock().now), {0, 0}};
  if (remove) {
    // One WM_TIMER per due time; missed periods do not pile up.
    best->due += best->period;
    if (best->due <= vclock().now) best->due = vclock().now + best->period;
  }
  return true;
}

}  // namespace headless::detail

extern "C" {

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (hwnd && !FindOrFail(hwnd)) return 0;
  elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  auto& c = vclock();
  if (!hwnd && (id == 0 || !findTimer(nullptr, id))) {
    while (findTimer(nullptr, c.nextThreadTimerId)) ++c.nextThreadTimerId;
    id = c.nextThreadTimerId++;
  }
  if (Timer* t = findTimer(hwnd, id)) {
    t->period = elapse;
    t->due = c.now + elapse;
    t->proc = proc;
  } else {
    c.timers.push_back(Timer{hwnd, id, elapse, c.now + elapse, proc});
  }
  return id ? id : 1;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
  if (hwnd && !FindOrFail(hwnd)) return FALSE;
  auto& ts = vclock().timers;
  auto it = std::find_if(ts.begin(), ts.end(),
                         [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == ts.end()) {
    SetLastError(1402);  // ERROR_INVALID_TIMER_HANDLE
    return FALSE;
  }
  ts.erase(it);
  return TRUE;
}

void WINAPI GetLocalTime(LPSYSTEMTIME out) {
  if (out) *out = civilFromMs(vclock().startLocalMs + static_cast<std::int64_t>(vclock().now));
}

void WINAPI GetSystemTime(LPSYSTEMTIME out) {
  if (out)
    *out = civilFromMs(vclock().startLocalMs + static_cast<std::int64_t>(vclock().now) -
                       vclock().utcOffsetMinutes * 60000LL);
}

DWORD WINAPI GetTickCount(void) { return static_cast<DWORD>(vclock().now); }
ULONGLONG WINAPI GetTickCount64(void) { return vclock().now; }

void WINAPI Sleep(DWORD ms) { vclock().now += ms; }

// FILETIME counts 100-nanosecond intervals from 1601-01-01.
constexpr std::int64_t kFileTimeOf1970 = 116444736000000000LL;

BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* st, LPFILETIME ft) {
  if (!st || !ft || st->wMonth < 1 || st->wMonth > 12 || st->wDay < 1 || st->wDay > 31 ||
      st->wHour > 23 || st->wMinute > 59 || st->wSecond > 59 || st->wMilliseconds > 999) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  SYSTEMTIME check = civilFromMs(msFromCivil(*st));
  if (check.wDay != st->wDay || st->wYear < 1601 || st->wYear > 30827) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::uint64_t v = static_cast<std::uint64_t>(msFromCivil(*st) * 10000 + kFileTimeOf1970);
  ft->dwLowDateTime = static_cast<DWORD>(v);
  ft->dwHighDateTime = static_cast<DWORD>(v >> 32);
  return TRUE;
}

BOOL WINAPI FileTimeToSystemTime(const FILETIME* ft, LPSYSTEMTIME st) {
  if (!ft || !st) return FALSE;
  std::uint64_t v = (static_cast<std::uint64_t>(ft->dwHighDateTime) << 32) | ft->dwLowDateTime;
  if (v > 0x7FFFFFFFFFFFFFFFULL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *st = civilFromMs((static_cast<std::int64_t>(v) - kFileTimeOf1970) / 10000);
  return TRUE;
}

}  // extern "C"

namespace headless {

void SetLocalDateTime(const SYSTEMTIME& local) {
  vclock().startLocalMs = msFromCivil(local) - static_cast<std::int64_t>(vclock().now);
}

void SetUtcOffsetMinutes(int minutes) { vclock().utcOffsetMinutes = minutes; }

std::uint64_t Now() { return vclock().now; }

}  // namespace headless
