#include "PositionRows.h"

#include <BKOrderInterface.h>
#include <ViewDataHelpers.h>

#include "PositionItemKeys.h"

namespace {

// Count numbers of a kind's five counts (opening, closing order, q2, q3, today).
struct KindCounts {
  int nKind;
  int nOpening;
  int nClosingOrder;
  int nQ2;
  int nQ3;
  int nToday;
};

constexpr KindCounts kKinds[] = {
    {POSITION_CASH, 3, 7, 6, 9, 4},
    {POSITION_MARGIN, 12, 16, 18, 19, 13},
    {POSITION_SHORT, 20, 22, 26, 27, 21},
};

int nCount(const CBaseOrder_StorageStockInfo& record, int n) {
  const int* p = record.pnCount(n);
  return p ? *p : 0;
}

}  // namespace

BYTE byGetPositionMarket(const CString& strCode) {
  if (BKOrderInterface::bIsSymbolIDExist(16, strCode)) return 16;
  if (BKOrderInterface::bIsSymbolIDExist(122, strCode)) return 122;
  return 0;
}

std::vector<PositionRow> BuildPositionRows(const std::vector<CBaseOrder_StorageStockInfo>& records,
                                           const CBaseOrderItemGroup& group) {
  std::vector<PositionRow> rows;
  rows.reserve(records.size());
  const bool bTodayShown = group.iGetDisplayItem(positions::kItemToday) >= 0;
  for (const CBaseOrder_StorageStockInfo& record : records) {
    const BYTE byMarket = byGetPositionMarket(record.m_strStockNo);
    if (byMarket != 0) {
      g_GetSymbolInfoByItem(byMarket, record.m_strStockNo, 125);
      g_GetSymbolInfoByItem(byMarket, record.m_strStockNo, 455);
    }
    for (const KindCounts& k : kKinds) {
      PositionRow row;
      row.m_strCode = record.m_strStockNo;
      row.m_nKind = k.nKind;
      row.m_nOpening = nCount(record, k.nOpening);
      row.m_nClosingOrder = nCount(record, k.nClosingOrder);
      row.m_nQ2 = nCount(record, k.nQ2);
      row.m_nQ3 = nCount(record, k.nQ3);
      row.m_nToday = nCount(record, k.nToday);
      if (row.m_nOpening == 0 && row.m_nClosingOrder == 0 && row.m_nQ2 == 0 && row.m_nQ3 == 0 &&
          row.m_nToday == 0)
        continue;
      // Wrapping, not overflow, for counts far out of range.
      row.m_nUnoffset = static_cast<int>(static_cast<unsigned>(row.m_nOpening) -
                                         static_cast<unsigned>(row.m_nClosingOrder));
      row.m_nAvailable = bTodayShown ? row.m_nToday : row.m_nUnoffset;
      rows.push_back(row);
    }
  }
  return rows;
}
