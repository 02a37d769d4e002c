#include "R7Format.h"

#include <cmath>
#include <cstdio>

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
long daysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void civilFromDays(long z, int& y, int& m, int& d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

bool validDate(int y, int m, int d) {
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return d <= days[m - 1] + (m == 2 && leap ? 1 : 0);
}

long power10(int n) {
  long p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

}  // namespace

R7Format::R7Format(int nType, int nYear, int nMonth, int nDay) : m_nType(R7_DATE) {
  (void)nType;
  if (!validDate(nYear, nMonth, nDay)) return;
  m_lValue = daysFromCivil(nYear, nMonth, nDay);
  m_bEmpty = false;
}

R7Format::R7Format(double dValue, int nDecimals) : m_nType(R7_NUMBER) {
  if (!std::isfinite(dValue)) return;
  m_nDecimals = nDecimals < 0 ? 0 : (nDecimals > 6 ? 6 : nDecimals);
  const double scaled = std::round(dValue * static_cast<double>(power10(m_nDecimals)));
  if (std::fabs(scaled) > 9.0e15) return;
  m_lValue = static_cast<long>(scaled);
  m_bEmpty = false;
}

R7Format R7Format::FromDateNumber(long lYYYYMMDD) {
  if (lYYYYMMDD <= 0) return R7Format(R7_DATE, 0, 0, 0);
  return R7Format(R7_DATE, static_cast<int>(lYYYYMMDD / 10000),
                  static_cast<int>((lYYYYMMDD / 100) % 100), static_cast<int>(lYYYYMMDD % 100));
}

double R7Format::dGetValue() const {
  if (m_nType == R7_DATE) return static_cast<double>(m_lValue);
  return static_cast<double>(m_lValue) / static_cast<double>(power10(m_nDecimals));
}

CString R7Format::strGetText() const {
  CString text;
  if (m_bEmpty) return text;
  if (m_nType == R7_DATE) {
    int y = 0, m = 0, d = 0;
    civilFromDays(m_lValue, y, m, d);
    text.Format("%04d%02d%02d", y, m, d);
  } else {
    text.Format("%.*f", m_nDecimals, dGetValue());
  }
  return text;
}
