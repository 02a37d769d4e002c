// The order that closes (part of) a classic positions row: the action cell's text to
// its action code, and the order built from the row by its kind and that code.
#pragma once

#include <CBaseOrder_OrderInfo.h>
#include <afxstr.h>

#include "PositionRow.h"

namespace positions {

// Action codes of the classic list's action cells.
enum : int {
  ACTION_NONE = 0,
  ACTION_CLOSE = 7,     // close the position in board lots
  ACTION_ODDLOT = 8,    // sell the odd-lot remainder
  ACTION_DAYTRADE = 10  // day-trade offset
};

// The action code of an action cell's text; ACTION_NONE for any other text.
int iActionCode(const CString& strText);

// The order for the row and the action code with nUnit shares per lot: every field
// but the three account texts, which are set when the order goes out. A pair of kind
// and code that closes nothing leaves side, unit, credit and quantity unset. The price
// is the quote's bid (sell) or ask (buy), the reference price when that is 0.
CBaseOrder_OrderInfo BuildRowOrder(const PositionRow& row, int nCode, int nUnit);

}  // namespace positions
