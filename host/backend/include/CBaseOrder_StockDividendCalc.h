// The answer of a dividend calculation: totals and one record per distribution.
#pragma once

#include <afxstr.h>

#include <vector>

class CBaseOrder_StockDividendInfo {
 public:
  CString m_strDividendDate;  // YYYYMMDD
  CString m_strNameSuffix;    // shown in parentheses after the name
  CString m_strStockName;
  double m_dDividendRate = 0.0;
  double m_dNoRate = 0.0;
  double m_dKeepQty = 0.0;    // shares held
  CString m_strType;          // "1" cash, "2" stock dividend
  double m_dCashDividend = 0.0;
  CString m_strCashPayDate;   // YYYYMMDD
  double m_dStockQty = 0.0;   // shares distributed
  CString m_strStockPayDate;  // YYYYMMDD
  CString m_strDDate;         // YYYYMMDD
  CString m_strSource;
};

class CBaseOrder_StockDividendCalc {
 public:
  double m_dCashTotal = 0.0;   // 0: none given
  double m_dStockTotal = 0.0;  // 0: none given
  std::vector<CBaseOrder_StockDividendInfo> m_vecRecords;
};
