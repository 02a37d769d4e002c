// The positions table of the classic dialog: the rows an account's inventory
// records yield, and the market a position's quotes are read from.
#pragma once

#include <CBaseOrderItemGroup.h>
#include <CBaseOrder_StorageStockInfo.h>

#include <vector>

#include "PositionRow.h"

// 16 when the code is a listed symbol, else 122 when it is an over-the-counter one,
// else 0.
BYTE byGetPositionMarket(const CString& strCode);

// Up to three rows per record (cash, margin, short), in record order; a kind whose
// five counts are all 0 yields none. The available quantity is today's balance when
// the group displays it, else the unoffset quantity. Each held symbol's price is read
// once, so that the quote service starts to serve it before the fill.
std::vector<PositionRow> BuildPositionRows(const std::vector<CBaseOrder_StorageStockInfo>& records,
                                           const CBaseOrderItemGroup& group);
