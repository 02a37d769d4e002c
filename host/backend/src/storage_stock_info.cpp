#include "CBaseOrder_StorageStockInfo.h"

namespace {

using Count = int CBaseOrder_StorageStockInfo::*;

// The counts in record order, so that a count can be reached by its number.
constexpr Count kCounts[CBaseOrder_StorageStockInfo::kCountNumber] = {
    &CBaseOrder_StorageStockInfo::m_nReserve1,
    &CBaseOrder_StorageStockInfo::m_nReserve2,
    &CBaseOrder_StorageStockInfo::m_nCashYesterday,
    &CBaseOrder_StorageStockInfo::m_nCashToday,
    &CBaseOrder_StorageStockInfo::m_nCashOrderBuy,
    &CBaseOrder_StorageStockInfo::m_nCashDealBuy,
    &CBaseOrder_StorageStockInfo::m_nCashOrderSell,
    &CBaseOrder_StorageStockInfo::m_nCashDealSell,
    &CBaseOrder_StorageStockInfo::m_nCashOther,
    &CBaseOrder_StorageStockInfo::m_nTStockNum,
    &CBaseOrder_StorageStockInfo::m_nCashRepay,
    &CBaseOrder_StorageStockInfo::m_nMarginYesterday,
    &CBaseOrder_StorageStockInfo::m_nMarginToday,
    &CBaseOrder_StorageStockInfo::m_nMarginOrderBuy,
    &CBaseOrder_StorageStockInfo::m_nMarginDealBuy,
    &CBaseOrder_StorageStockInfo::m_nMarginOrderSell,
    &CBaseOrder_StorageStockInfo::m_nMarginDealSell,
    &CBaseOrder_StorageStockInfo::m_nMarginRushStock,
    &CBaseOrder_StorageStockInfo::m_nMarginOther,
    &CBaseOrder_StorageStockInfo::m_nShortYesterday,
    &CBaseOrder_StorageStockInfo::m_nShortToday,
    &CBaseOrder_StorageStockInfo::m_nShortOrderBuy,
    &CBaseOrder_StorageStockInfo::m_nShortDealBuy,
    &CBaseOrder_StorageStockInfo::m_nShortOrderSell,
    &CBaseOrder_StorageStockInfo::m_nShortDealSell,
    &CBaseOrder_StorageStockInfo::m_nShortRushStock,
    &CBaseOrder_StorageStockInfo::m_nShortOther,
    &CBaseOrder_StorageStockInfo::m_nStockCashRepay,
    &CBaseOrder_StorageStockInfo::m_nDayTradeOrderBuy,
    &CBaseOrder_StorageStockInfo::m_nDayTradeOrderSell,
    &CBaseOrder_StorageStockInfo::m_nDayTradeDealBuy,
    &CBaseOrder_StorageStockInfo::m_nDayTradeDealSell,
    &CBaseOrder_StorageStockInfo::m_nDayTradeStock,
    &CBaseOrder_StorageStockInfo::m_nCreditShares,
    &CBaseOrder_StorageStockInfo::m_nLendYesterday,
    &CBaseOrder_StorageStockInfo::m_nLendToday,
    &CBaseOrder_StorageStockInfo::m_nLendOrderSell,
    &CBaseOrder_StorageStockInfo::m_nLendDealSell,
    &CBaseOrder_StorageStockInfo::m_nLendAdjust,
};

}  // namespace

int* CBaseOrder_StorageStockInfo::pnCount(int n) {
  if (n < 1 || n > kCountNumber) return nullptr;
  return &(this->*kCounts[n - 1]);
}

const int* CBaseOrder_StorageStockInfo::pnCount(int n) const {
  return const_cast<CBaseOrder_StorageStockInfo*>(this)->pnCount(n);
}
