#include "PositionOrder.h"

#include <BKOrderInterface.h>
#include <EntClass.h>
#include <ViewDataHelpers.h>

#include "PositionItemKeys.h"

namespace positions {
namespace {

constexpr BYTE kMarketListed = 16;
constexpr WORD kItemBid = 101;
constexpr WORD kItemAsk = 102;
constexpr WORD kItemReference = 129;

bool bIsText(const CString& strText, const char* pszKey) {
  return strText == BKOrderInterface::LangGetLangString(pszKey);
}

struct Fill {
  int nUnit;
  int nCredit;
  int nSide;
  bool bDayTradeQty;  // the day-trade quantity rather than the available one
  bool bRemainder;    // the shares below a lot rather than whole lots
};

}  // namespace

int iActionCode(const CString& strText) {
  if (bIsText(strText, kTextCashSell) || bIsText(strText, kTextMarginSell) ||
      bIsText(strText, kTextShortCover))
    return ACTION_CLOSE;
  if (bIsText(strText, kTextOddSell)) return ACTION_ODDLOT;
  if (bIsText(strText, kTextDayTradeSell) || bIsText(strText, kTextDayTradeBuy))
    return ACTION_DAYTRADE;
  return ACTION_NONE;
}

CBaseOrder_OrderInfo BuildRowOrder(const PositionRow& row, int nCode, int nUnit) {
  CBaseOrder_OrderInfo order;
  order.m_dwSource = EntClass::GetInstance()->dwGetHRWSource();
  order.m_Commodity.m_strExchange = "TWSE";
  order.m_Commodity.m_strStockNo = row.m_strCode;
  order.m_Commodity.m_strStockNoExt.Empty();
  order.m_nPriceType = order.m_nPriceType2 = '2';
  order.m_nTimeInForce = 'N';
  order.m_nOrderKind = 'R';

  const Fill* pFill = nullptr;
  static const Fill kCashClose{'A', 'A', 'S', false, false};
  static const Fill kCashOdd{'E', 'A', 'S', false, true};
  static const Fill kMarginClose{'A', 'B', 'S', false, false};
  static const Fill kMarginDayTrade{'A', 'C', 'S', true, false};
  static const Fill kShortClose{'A', 'C', 'B', false, false};
  static const Fill kShortDayTrade{'A', 'B', 'B', true, false};
  switch (row.m_nKind) {
    case POSITION_CASH:
      pFill = nCode == ACTION_CLOSE ? &kCashClose : nCode == ACTION_ODDLOT ? &kCashOdd : nullptr;
      break;
    case POSITION_MARGIN:
      pFill = nCode == ACTION_CLOSE      ? &kMarginClose
              : nCode == ACTION_DAYTRADE ? &kMarginDayTrade
                                         : nullptr;
      break;
    case POSITION_SHORT:
      pFill = nCode == ACTION_CLOSE      ? &kShortClose
              : nCode == ACTION_DAYTRADE ? &kShortDayTrade
                                         : nullptr;
      break;
    default:
      break;
  }
  // A lot below one share divides nothing: the order stays without quantity.
  if (pFill && nUnit > 0) {
    order.m_Commodity.m_nTradeUnit = pFill->nUnit;
    order.m_Commodity.m_nCreditType = pFill->nCredit;
    order.m_nSide = pFill->nSide;
    const int nShares = pFill->bDayTradeQty ? row.m_nQ2 : row.m_nAvailable;
    order.m_nQty = pFill->bRemainder ? nShares % nUnit : nShares / nUnit;
  }

  const WORD wItem = order.m_nSide == 'S' ? kItemBid : order.m_nSide == 'B' ? kItemAsk : 0;
  if (wItem != 0) {
    order.m_dPrice = g_GetSymbolInfoByItem(kMarketListed, row.m_strCode, wItem);
    if (order.m_dPrice == 0.0)
      order.m_dPrice = g_GetSymbolInfoByItem(kMarketListed, row.m_strCode, kItemReference);
  }
  return order;
}

}  // namespace positions
