// How the host's order dialogs show an order's quantity and price.
#pragma once

#include <afxstr.h>

#include "CBaseOrder_OrderInfo.h"

namespace host {

// "2張", or "500股" for an odd-lot order.
CString QuantityText(const CBaseOrder_OrderInfo& order);
// The price for a limit order ('2'); otherwise the price type's name: '1' 市價,
// '6' 漲停, '7' 跌停.
CString PriceText(const CBaseOrder_OrderInfo& order);
// The name of a price-type code; empty for an unknown code.
CString PriceTypeName(int nPriceType);

}  // namespace host
