// CBaseOrder_Commodity: what an order or a position trades.
#pragma once

#include <afxstr.h>

// Trade-unit kinds
#define ORDER_UNIT_BOARDLOT 'A'
#define ORDER_UNIT_ODDLOT 'E'
// Credit kinds
#define ORDER_CREDIT_CASH 'A'
#define ORDER_CREDIT_MARGIN 'B'
#define ORDER_CREDIT_SHORT 'C'

class CBaseOrder_Commodity {
 public:
  CString m_strExchange;    // "TWSE"
  int m_nTradeUnit = 0;     // 'A' board lot, 'E' odd lot
  int m_nCreditType = 0;    // 'A' cash, 'B' margin purchase, 'C' short sale
  CString m_strStockNo;
  CString m_strStockNoExt;  // text following the code
  CString m_strMonth;       // settlement month (derivatives); empty for stocks
  double m_dStrike = 0.0;
  int m_nCallPut = 0;
};
