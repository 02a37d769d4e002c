// Order checks and order texts.
#include <cmath>

#include "BKOrderInterface.h"
#include "ViewDataHelpers.h"

namespace {

// Largest quantity of one order: 499 lots, or 999 shares in odd lots.
constexpr int kMaxLots = 499;
constexpr int kMaxOddShares = 999;

CString creditText(int credit) {
  switch (credit) {
    case ORDER_CREDIT_CASH:
      return "現股";
    case ORDER_CREDIT_MARGIN:
      return "融資";
    case ORDER_CREDIT_SHORT:
      return "融券";
    default:
      return "";
  }
}

}  // namespace

bool g_bCheckOrderInsurance(const AccountType& account, CBaseOrder_OrderInfo* pOrder,
                            CString& strMessage) {
  strMessage.Empty();
  if (!pOrder) {
    strMessage = "委託資料不完整";
    return false;
  }
  if (account.m_strAccount.IsEmpty()) {
    strMessage = "請先選擇帳號";
    return false;
  }
  const bool odd = pOrder->m_Commodity.m_nTradeUnit == ORDER_UNIT_ODDLOT;
  if (pOrder->m_nQty <= 0) {
    strMessage = "委託數量必須大於零";
    return false;
  }
  if (pOrder->m_nQty > (odd ? kMaxOddShares : kMaxLots)) {
    strMessage.Format("委託數量超過單筆上限 %d %s", odd ? kMaxOddShares : kMaxLots,
                      odd ? "股" : "張");
    return false;
  }
  if (pOrder->m_dPrice < 0 || !std::isfinite(pOrder->m_dPrice)) {
    strMessage = "委託價格錯誤";
    return false;
  }
  // A limit price outside the day's band cannot be filled.
  if (pOrder->m_nPriceType == '2' && pOrder->m_dPrice > 0) {
    const CString& code = pOrder->m_Commodity.m_strStockNo;
    const double up = g_GetSymbolInfoByItem(16, code, 132);
    const double down = g_GetSymbolInfoByItem(16, code, 133);
    if ((up > 0 && pOrder->m_dPrice > up + 1e-6) || (down > 0 && pOrder->m_dPrice < down - 1e-6)) {
      strMessage = "委託價格超出漲跌停範圍";
      return false;
    }
  }
  return true;
}

bool g_bCheckStockOrder(AccountType account, CBaseOrder_OrderInfo order) {
  if (account.m_strAccount.IsEmpty() || order.m_Commodity.m_strStockNo.IsEmpty()) return false;
  if (order.m_nSide != ORDER_SIDE_BUY && order.m_nSide != ORDER_SIDE_SELL) return false;
  return order.m_nQty > 0;
}

CString g_cszDisplayOrderBSorComplex(const CBaseOrder_OrderInfo* pOrder, int nStyle) {
  (void)nStyle;
  if (!pOrder) return CString();
  CString text = creditText(pOrder->m_Commodity.m_nCreditType);
  if (pOrder->m_nSide == ORDER_SIDE_BUY) text += "買進";
  if (pOrder->m_nSide == ORDER_SIDE_SELL) text += "賣出";
  return text;
}

CString g_cszDisplayOrderSymbol(const CBaseOrder_OrderInfo* pOrder, bool bWithExchange,
                                int nStyle) {
  (void)nStyle;
  if (!pOrder) return CString();
  const CBaseOrder_Commodity& c = pOrder->m_Commodity;
  CString text;
  if (bWithExchange && !c.m_strExchange.IsEmpty()) text = c.m_strExchange + " ";
  text += c.m_strStockNo;
  CString name = g_GetCommodityId(c.m_strStockNo, 16);
  if (name.IsEmpty()) name = g_GetCommodityId(c.m_strStockNo, 122);
  if (!name.IsEmpty()) text += " " + name;
  if (c.m_nTradeUnit == ORDER_UNIT_ODDLOT) text += " 零股";
  return text;
}
