// R7Format: a quote or record value with its display form: a date or a number
// with a fixed count of decimals. Its long value is what comparisons and
// differences use: for a date the day number (so the difference of two dates
// counts days), for a number the value scaled by its decimals.
#pragma once

#include <afxstr.h>

class R7Format {
 public:
  enum { R7_DATE = 0, R7_NUMBER = 1 };

  R7Format() = default;
  // A date (nType R7_DATE) of year, month and day. An impossible date is kept as
  // the empty value (long value 0, empty text).
  R7Format(int nType, int nYear, int nMonth, int nDay);
  // A number shown with nDecimals decimals (0 to 6).
  explicit R7Format(double dValue, int nDecimals = 2);
  // A date from its eight digits YYYYMMDD.
  static R7Format FromDateNumber(long lYYYYMMDD);

  int iGetType() const { return m_nType; }
  bool bIsEmpty() const { return m_bEmpty; }
  // Days since 1970-01-01 for a date; value × 10^decimals, rounded, for a number.
  long lGetValue() const { return m_lValue; }
  double dGetValue() const;
  // "YYYYMMDD" for a date; the number with its decimals; "" when empty.
  CString strGetText() const;

 private:
  int m_nType = R7_NUMBER;
  bool m_bEmpty = true;
  long m_lValue = 0;
  int m_nDecimals = 0;
};
