// PositionRow: one position kind of one stock in the classic positions list.
#pragma once

#include <afxstr.h>

// Position kinds, in the order a record yields them.
enum : int {
  POSITION_CASH = 'A',    // cash holdings
  POSITION_MARGIN = 'B',  // margin-financed long
  POSITION_SHORT = 'C',   // short
};

struct PositionRow {
  CString m_strCode;
  int m_nKind = POSITION_CASH;
  int m_nOpening = 0;       // opening balance
  int m_nUnoffset = 0;      // opening balance - closing-order quantity
  int m_nClosingOrder = 0;  // closing-order quantity
  int m_nQ2 = 0;
  int m_nQ3 = 0;
  int m_nToday = 0;         // today's balance
  int m_nAvailable = 0;     // what the action cells and the orders work with
};
