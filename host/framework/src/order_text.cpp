#include "host/order_text.h"

#include "ViewDataHelpers.h"

namespace host {

CString QuantityText(const CBaseOrder_OrderInfo& order) {
  CString text;
  text.Format("%d%s", order.m_nQty,
              order.m_Commodity.m_nTradeUnit == ORDER_UNIT_ODDLOT ? "股" : "張");
  return text;
}

CString PriceTypeName(int nPriceType) {
  switch (nPriceType) {
    case '1':
      return "市價";
    case '2':
      return "限價";
    case '6':
      return "漲停";
    case '7':
      return "跌停";
    default:
      return "";
  }
}

CString PriceText(const CBaseOrder_OrderInfo& order) {
  if (order.m_nPriceType == '2') return g_cszNormalizDouble(order.m_dPrice);
  const CString name = PriceTypeName(order.m_nPriceType);
  return name.IsEmpty() ? g_cszNormalizDouble(order.m_dPrice) : name;
}

}  // namespace host
