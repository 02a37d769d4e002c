// The inventory grid's cell texts, made from the back-end's records without any
// window: share counts become board lots and odd lots, zero counts a blank.
#pragma once

#include <CBaseOrder_StorageStockInfo.h>
#include <afxstr.h>

#include <vector>

namespace inventory {

// Cells of a domestic row: the name, then the 40 counts of the five groups.
inline constexpr int kDSCellCount = 41;
// Cells of a foreign row: the name, the lot size, seven share counts, the currency.
inline constexpr int kFSCellCount = 10;

// A holding that counts for the market value.
struct MarketValueEntry {
  CString m_strName;
  double m_dQuantity = 0.0;     // shares
  double m_dOddQuantity = 0.0;  // the odd-lot part (domestic)
  CString m_strCurrency;        // delivery currency (foreign)
};

// Whole board lots and the odd remainder. A lot size below 1 cannot be divided by:
// every share then counts as an odd lot.
int Lots(int nShares, int nUnit);
int OddLots(int nShares, int nUnit);

// "%d" of the value, or one blank for 0.
CString CountCell(int nValue);

// nUnit is the stock's board-lot size.
std::vector<CString> DSCells(const CBaseOrder_StorageStockInfo& record, const CString& strName,
                             int nUnit);
// strShareUnit follows the lot size ("股"). A lot size below 1 leaves that cell blank.
std::vector<CString> FSCells(const CBaseOrder_FSStorageStockInfo& record, const CString& strName,
                             const CString& strShareUnit);
// A foreign stock held in two currencies makes two rows.
CString FSKey(const CBaseOrder_FSStorageStockInfo& record);

// The domestic market-value entry; false when the stock holds no cash, margin or
// short-sale shares today.
bool bDSMarketValue(const CBaseOrder_StorageStockInfo& record, const CString& strName, int nUnit,
                    MarketValueEntry& entry);

// The filter as the back-end expects it: single-byte letters upper-cased, the bytes of a
// double-byte character (whose trail byte may look like a letter) left alone.
CString UpperFilter(const CString& strFilter);

}  // namespace inventory
