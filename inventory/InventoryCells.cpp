#include "InventoryCells.h"

#include <ViewDataHelpers.h>

namespace inventory {

int Lots(int nShares, int nUnit) { return nUnit < 1 ? 0 : nShares / nUnit; }

int OddLots(int nShares, int nUnit) { return nUnit < 1 ? nShares : nShares % nUnit; }

CString CountCell(int nValue) {
  if (nValue == 0) return CString(" ");
  CString text;
  text.Format("%d", nValue);
  return text;
}

namespace {

// A rush-stock count below one share shows blank, whatever its lots.
CString RushCell(int nShares, int nUnit) {
  if (nShares < 1) return CString(" ");
  CString text;
  text.Format("%d", Lots(nShares, nUnit));
  return text;
}

CString SharesCell(int nValue) {
  if (nValue == 0) return CString(" ");
  CString text;
  text.Format("%d", nValue);
  return g_cszNormalizCstring(text);
}

}  // namespace

std::vector<CString> DSCells(const CBaseOrder_StorageStockInfo& r, const CString& strName,
                             int nUnit) {
  std::vector<CString> cells;
  cells.reserve(kDSCellCount);
  cells.push_back(strName);
  auto lots = [&](int n) { cells.push_back(CountCell(Lots(n, nUnit))); };
  auto odd = [&](int n) { cells.push_back(CountCell(OddLots(n, nUnit))); };
  for (int n : {r.m_nCashYesterday, r.m_nCashOrderBuy, r.m_nCashOrderSell, r.m_nCashDealBuy,
                r.m_nCashDealSell, r.m_nCashToday, r.m_nDayTradeOrderBuy, r.m_nDayTradeOrderSell,
                r.m_nDayTradeDealBuy, r.m_nDayTradeDealSell, r.m_nDayTradeStock, r.m_nTStockNum,
                r.m_nMarginYesterday, r.m_nCashRepay, r.m_nMarginOrderBuy, r.m_nMarginOrderSell,
                r.m_nMarginDealBuy, r.m_nMarginDealSell, r.m_nMarginToday})
    lots(n);
  cells.push_back(RushCell(r.m_nMarginRushStock, nUnit));
  for (int n : {r.m_nShortYesterday, r.m_nStockCashRepay, r.m_nShortOrderBuy, r.m_nShortOrderSell,
                r.m_nShortDealBuy, r.m_nShortDealSell, r.m_nShortToday})
    lots(n);
  cells.push_back(RushCell(r.m_nShortRushStock, nUnit));
  lots(r.m_nCreditShares);
  for (int n : {r.m_nCashYesterday, r.m_nCashOrderBuy, r.m_nCashOrderSell, r.m_nCashDealBuy,
                r.m_nCashDealSell, r.m_nCashToday})
    odd(n);
  for (int n :
       {r.m_nLendYesterday, r.m_nLendAdjust, r.m_nLendOrderSell, r.m_nLendDealSell, r.m_nLendToday})
    lots(n);
  return cells;
}

std::vector<CString> FSCells(const CBaseOrder_FSStorageStockInfo& r, const CString& strName,
                             const CString& strShareUnit) {
  std::vector<CString> cells;
  cells.reserve(kFSCellCount);
  cells.push_back(strName);
  if (r.m_nLotSize < 1) {
    cells.push_back(CString(" "));
  } else {
    CString lot;
    lot.Format("%d", r.m_nLotSize);
    cells.push_back(g_cszNormalizCstring(lot) + strShareUnit);
  }
  for (int n : {r.m_nYesterday, r.m_nOrderBuy, r.m_nDealBuy, r.m_nOrderSell, r.m_nDealSell,
                r.m_nTSell, r.m_nNSell})
    cells.push_back(SharesCell(n));
  cells.push_back(r.m_strCurrency);
  return cells;
}

CString FSKey(const CBaseOrder_FSStorageStockInfo& record) {
  return record.m_strStockNo + "_" + record.m_strCurrency;
}

bool bDSMarketValue(const CBaseOrder_StorageStockInfo& r, const CString& strName, int nUnit,
                    MarketValueEntry& entry) {
  if (r.m_nCashToday <= 0 && r.m_nMarginToday <= 0 && r.m_nShortToday <= 0) return false;
  entry.m_strName = strName;
  entry.m_dQuantity = static_cast<double>(r.m_nShortToday) + r.m_nCashToday + r.m_nMarginToday;
  entry.m_dOddQuantity = OddLots(r.m_nCashToday, nUnit);
  entry.m_strCurrency.Empty();
  return true;
}

CString UpperFilter(const CString& strFilter) {
  std::string text = strFilter.str();
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x81 && byte <= 0xFE && i + 1 < text.size()) {
      ++i;  // lead byte: its trail byte is part of the character
    } else if (byte >= 'a' && byte <= 'z') {
      text[i] = static_cast<char>(byte - 'a' + 'A');
    }
  }
  return CString(text);
}

}  // namespace inventory
