// COrderPriceAgent: a price and side handed from a view to the host's order window.
#pragma once

#include <afxstr.h>

class COrderPriceAgent {
 public:
  CString m_strAccount;
  BYTE m_byMarket = 0;
  CString m_strSymbol;
  double m_dPrice = 0.0;
  int m_nQty = 0;
  int m_nSide = 0;        // 1 buy-side entry, 0 sell-side entry
  BYTE m_bySyncType = 0;  // sending view's sync group
  char m_cBoard = 0;      // 'A' board lot, 'E' odd lot, '3' foreign
  char m_cTradeType = 0;  // 'A', 'B', 'C', '9', 'L'
  WORD m_wPriceFlag = 0;  // 'U'
  DWORD m_dwOrderFlag = 0;  // 'R' for domestic markets, 0 for foreign
  CString m_strMark;      // "-"
  CString m_strCurrency;  // delivery currency of a foreign stock
  CString m_strMemo;
};
