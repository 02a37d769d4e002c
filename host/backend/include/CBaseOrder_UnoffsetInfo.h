// CBaseOrder_UnoffsetInfo: one open position of an account.
#pragma once

#include <afxstr.h>

#include "CBaseOrder_Commodity.h"

class CBaseOrder_UnoffsetInfo {
 public:
  CBaseOrder_Commodity m_Commodity;   // the position's commodity
  CBaseOrder_Commodity m_Commodity2;  // second leg of a combined position; empty otherwise
  int m_nSide = 0;                    // 'B' or 'S'
  int m_nQty = 0;                     // shares
  double m_dAvgPrice = 0.0;
  CString m_strOpenDate;              // YYYYMMDD
};
