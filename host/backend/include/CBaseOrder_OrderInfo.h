// CBaseOrder_OrderInfo: one order, as built by a view and sent through the back-end.
#pragma once

#include <afxstr.h>

#include "CBaseOrder_Commodity.h"

#define ORDER_SIDE_BUY 'B'
#define ORDER_SIDE_SELL 'S'

class CBaseOrder_OrderInfo {
 public:
  CString m_strAccount;       // account number (AccountType field 2)
  CString m_strSubAccount;    // AccountType field 7
  CString m_strBrokerID;      // the broker of the account; filled by the back-end
  CString m_strCertID;        // AccountType field 8
  DWORD m_dwSource = 0;       // order source (EntClass::dwGetHRWSource)
  CString m_strSN;            // serial number (OrderBK_cszMakeSN)
  CBaseOrder_Commodity m_Commodity;
  int m_nSide = 0;            // 'B' buy, 'S' sell
  int m_nPriceType = 0;       // '1', '2', '6' or '7'
  int m_nPriceType2 = 0;      // same code as m_nPriceType
  int m_nTimeInForce = 0;     // 'N'
  int m_nOrderKind = 0;       // 'R' (single orders from the positions list)
  double m_dPrice = 0.0;
  int m_nQty = 0;             // lots for board-lot orders, shares for odd lots
  // Filled by the back-end when the order is accepted.
  CString m_strOrderNo;
  int m_nStatus = 0;
};
