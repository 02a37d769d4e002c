// Inventory records of one stock: domestic (39 share counts) and foreign.
#pragma once

#include <afxstr.h>

// Domestic inventory of one stock; every count is in shares. Counts are numbered
// 1 to 39 in record order (the comments give the number).
class CBaseOrder_StorageStockInfo {
 public:
  CString m_strStockNo;
  int m_nReserve1 = 0;            // 1
  int m_nReserve2 = 0;            // 2
  int m_nCashYesterday = 0;       // 3
  int m_nCashToday = 0;           // 4
  int m_nCashOrderBuy = 0;        // 5
  int m_nCashDealBuy = 0;         // 6
  int m_nCashOrderSell = 0;       // 7
  int m_nCashDealSell = 0;        // 8
  int m_nCashOther = 0;           // 9
  int m_nTStockNum = 0;           // 10
  int m_nCashRepay = 0;           // 11: cash repayment
  int m_nMarginYesterday = 0;     // 12
  int m_nMarginToday = 0;         // 13
  int m_nMarginOrderBuy = 0;      // 14
  int m_nMarginDealBuy = 0;       // 15
  int m_nMarginOrderSell = 0;     // 16
  int m_nMarginDealSell = 0;      // 17
  int m_nMarginRushStock = 0;     // 18
  int m_nMarginOther = 0;         // 19
  int m_nShortYesterday = 0;      // 20
  int m_nShortToday = 0;          // 21
  int m_nShortOrderBuy = 0;       // 22
  int m_nShortDealBuy = 0;        // 23
  int m_nShortOrderSell = 0;      // 24
  int m_nShortDealSell = 0;       // 25
  int m_nShortRushStock = 0;      // 26
  int m_nShortOther = 0;          // 27
  int m_nStockCashRepay = 0;      // 28: short sale, stock cash repayment
  int m_nDayTradeOrderBuy = 0;    // 29
  int m_nDayTradeOrderSell = 0;   // 30
  int m_nDayTradeDealBuy = 0;     // 31
  int m_nDayTradeDealSell = 0;    // 32
  int m_nDayTradeStock = 0;       // 33
  int m_nCreditShares = 0;        // 34
  int m_nLendYesterday = 0;       // 35
  int m_nLendToday = 0;           // 36
  int m_nLendOrderSell = 0;       // 37
  int m_nLendDealSell = 0;        // 38
  int m_nLendAdjust = 0;          // 39

  static constexpr int kCountNumber = 39;
  // Count n (1 to 39) by its number; nullptr out of range.
  int* pnCount(int n);
  const int* pnCount(int n) const;
};

// Foreign inventory of one stock in one delivery currency; counts are in shares.
class CBaseOrder_FSStorageStockInfo {
 public:
  CString m_strStockNo;
  CString m_strStockName;
  int m_nLotSize = 0;  // shares per board lot
  int m_nYesterday = 0;
  int m_nOrderBuy = 0;
  int m_nDealBuy = 0;
  int m_nOrderSell = 0;
  int m_nDealSell = 0;
  int m_nTSell = 0;  // sellable today
  int m_nNSell = 0;  // sellable next day
  CString m_strCurrency;  // delivery currency
};
