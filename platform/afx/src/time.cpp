// CTime: whole seconds of local time since 1970-01-01, from the platform's clock.
#include "afxtime.h"

#include <cstdio>
#include <string>

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

const char* const kDayShort[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kDayLong[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonthShort[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kMonthLong[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};

}  // namespace

// Out-of-range parts carry over, as mktime does (month 13 is January of the next year).
CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int) {
  std::int64_t months = static_cast<std::int64_t>(nYear) * 12 + (nMonth - 1);
  const std::int64_t y = floorDiv(months, 12);
  const unsigned m = static_cast<unsigned>(months - y * 12 + 1);
  m_time = (daysFromCivil(y, m, 1) + (nDay - 1)) * kSecondsPerDay + static_cast<std::int64_t>(nHour) * 3600 +
           static_cast<std::int64_t>(nMin) * 60 + nSec;
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST) {}

CTime CTime::GetCurrentTime() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return CTime(st);
}

SYSTEMTIME CTime::parts() const {
  const std::int64_t days = floorDiv(m_time, kSecondsPerDay);
  const std::int64_t secs = m_time - days * kSecondsPerDay;
  int y = 0, m = 0, d = 0;
  civilFromDays(days, y, m, d);
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(m);
  st.wDay = static_cast<WORD>(d);
  st.wDayOfWeek = static_cast<WORD>((days % 7 + 11) % 7);  // 1970-01-01 was a Thursday
  st.wHour = static_cast<WORD>(secs / 3600);
  st.wMinute = static_cast<WORD>(secs / 60 % 60);
  st.wSecond = static_cast<WORD>(secs % 60);
  return st;
}

int CTime::GetYear() const { return parts().wYear; }
int CTime::GetMonth() const { return parts().wMonth; }
int CTime::GetDay() const { return parts().wDay; }
int CTime::GetHour() const { return parts().wHour; }
int CTime::GetMinute() const { return parts().wMinute; }
int CTime::GetSecond() const { return parts().wSecond; }
int CTime::GetDayOfWeek() const { return parts().wDayOfWeek + 1; }

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const {
  // SYSTEMTIME holds the years 1601 to 30827.
  if (m_time < CTime(1601, 1, 1, 0, 0, 0).m_time || m_time > CTime(30827, 12, 31, 23, 59, 59).m_time)
    return FALSE;
  st = parts();
  return TRUE;
}

CString CTime::Format(LPCTSTR pszFormat) const {
  if (!pszFormat) return CString();
  const SYSTEMTIME st = parts();
  std::string out;
  char buf[16];
  for (const char* p = pszFormat; *p; ++p) {
    if (*p != '%' || !p[1]) {
      out += *p;
      continue;
    }
    switch (*++p) {
      case 'Y': std::snprintf(buf, sizeof buf, "%04d", st.wYear), out += buf; break;
      case 'y': std::snprintf(buf, sizeof buf, "%02d", st.wYear % 100), out += buf; break;
      case 'm': std::snprintf(buf, sizeof buf, "%02d", st.wMonth), out += buf; break;
      case 'd': std::snprintf(buf, sizeof buf, "%02d", st.wDay), out += buf; break;
      case 'H': std::snprintf(buf, sizeof buf, "%02d", st.wHour), out += buf; break;
      case 'I': std::snprintf(buf, sizeof buf, "%02d", (st.wHour + 11) % 12 + 1), out += buf; break;
      case 'M': std::snprintf(buf, sizeof buf, "%02d", st.wMinute), out += buf; break;
      case 'S': std::snprintf(buf, sizeof buf, "%02d", st.wSecond), out += buf; break;
      case 'p': out += st.wHour < 12 ? "AM" : "PM"; break;
      case 'a': out += kDayShort[st.wDayOfWeek]; break;
      case 'A': out += kDayLong[st.wDayOfWeek]; break;
      case 'b': out += kMonthShort[st.wMonth - 1]; break;
      case 'B': out += kMonthLong[st.wMonth - 1]; break;
      case 'j': {
        const std::int64_t yday = floorDiv(m_time, kSecondsPerDay) - daysFromCivil(st.wYear, 1, 1) + 1;
        std::snprintf(buf, sizeof buf, "%03d", static_cast<int>(yday));
        out += buf;
        break;
      }
      case '%': out += '%'; break;
      default:
        out += '%';
        out += *p;
        break;
    }
  }
  return CString(out);
}
