// CTime: a local date-time in whole seconds, read from the platform's clock.
#pragma once

#include <windows.h>

#include <cstdint>

#include "afxstr.h"

// Real windows.h makes GetCurrentTime a macro for GetTickCount.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

class CTime {
 public:
  CTime() : m_time(0) {}
  explicit CTime(std::int64_t time) : m_time(time) {}
  CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
  explicit CTime(const SYSTEMTIME& st, int nDST = -1);

  static CTime GetCurrentTime();
  std::int64_t GetTime() const { return m_time; }
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 = Sunday
  BOOL GetAsSystemTime(SYSTEMTIME& st) const;
  // strftime-style format: %Y %m %d %H %M %S %y %a %A %b %B %j %p %%.
  CString Format(LPCTSTR pszFormat) const;

  bool operator==(CTime t) const { return m_time == t.m_time; }
  bool operator!=(CTime t) const { return m_time != t.m_time; }
  bool operator<(CTime t) const { return m_time < t.m_time; }
  bool operator>(CTime t) const { return m_time > t.m_time; }
  bool operator<=(CTime t) const { return m_time <= t.m_time; }
  bool operator>=(CTime t) const { return m_time >= t.m_time; }

 private:
  std::int64_t m_time;  // seconds since 1970-01-01 00:00, local time
  SYSTEMTIME parts() const;
};
