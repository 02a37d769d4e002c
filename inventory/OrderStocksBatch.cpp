// The inventory dialog's batch orders over the ticked rows: sell-out and day-trade,
// confirmed once and sent one by one, and keep, which puts the sell-out orders into
// the host's order list.
#include <BKOrderInterface.h>
#include <CConfirmOrder.h>
#include <CommonUtilities.h>
#include <EntClass.h>
#include <JqzCAManagementDlg.h>
#include <OrderBK.h>
#include <ViewDataHelpers.h>
#include <resource.h>

#include <cstdlib>
#include <iterator>

#include "JqzOrderStocksDlg.h"

namespace {

constexpr BYTE kMarketListed = 16;
constexpr BYTE kMarketOtc = 122;
constexpr BYTE kMarketForeign = 22;

CString Lang(const char* pszKey) { return s_LangGetLangString(pszKey); }

// A count cell as a number. Cells carry the host's thousands separators, which would
// stop atoi at the first comma.
int Cell(const std::vector<CString>& cells, int nIndex) {
  if (nIndex < 0 || nIndex >= static_cast<int>(cells.size())) return 0;
  CString text = cells[static_cast<size_t>(nIndex)];
  text.Remove(',');
  return std::atoi(text);
}

// The fields every order of a batch carries, under the row's own account.
CBaseOrder_OrderInfo BaseOrder(const AccountType& account, const CString& strKey) {
  CBaseOrder_OrderInfo order;
  order.m_strAccount = account.m_strAccount;
  order.m_strSubAccount = account.m_strSubAccount;
  order.m_strCertID = account.m_strCertID;
  order.m_dwSource = EntClass::GetInstance()->dwGetHRWSource();
  order.m_Commodity.m_strExchange = "TWSE";
  const int nBar = strKey.Find('_');
  order.m_Commodity.m_strStockNo = nBar < 0 ? strKey : strKey.Left(nBar);
  order.m_Commodity.m_strStockNoExt.Empty();
  order.m_nTimeInForce = 'N';
  return order;
}

void SetPriceType(CBaseOrder_OrderInfo& order, int nType, double dPrice) {
  order.m_nPriceType = order.m_nPriceType2 = nType;
  order.m_dPrice = dPrice;
}

// Price type and price by the market that knows the code; false when none does.
bool bPriceByMarket(CBaseOrder_OrderInfo& order) {
  const CString& code = order.m_Commodity.m_strStockNo;
  if (BKOrderInterface::bIsSymbolIDExist(kMarketListed, code))
    SetPriceType(order, '7', 0.0);
  else if (BKOrderInterface::bIsSymbolIDExist(kMarketOtc, code))
    SetPriceType(order, '2', g_dbGetCurrentPrice(order.m_Commodity));
  else if (BKOrderInterface::bIsSymbolIDExist(kMarketForeign, code))
    SetPriceType(order, '7', 0.0);
  else
    return false;
  return true;
}

CString strUnknownText(const std::vector<CString>& codes) {
  CString joined;
  for (const CString& code : codes) joined += (joined.IsEmpty() ? "" : "、") + code;
  CString text;
  text.Format("%s 查無報價市場，未建立委託。", joined.GetString());
  return text;
}

}  // namespace

bool JqzOrderStocksDlg::bTickedRows(std::vector<TickedRow>& rows) const {
  rows.clear();
  if (!::IsWindow(m_listName.GetSafeHwnd())) return false;
  // The rows in the order the grid shows them, each with the account it was shown for.
  std::vector<std::pair<const AccountType*, const RowMap::value_type*>> shown;
  if (m_bAllAccounts) {
    for (const AccountEntry& entry : m_vecAccountEntries)
      for (const auto& row : entry.m_rows) shown.emplace_back(&entry.m_account, &row);
  } else {
    for (const auto& row : m_mapRows) shown.emplace_back(&m_CurAccount, &row);
  }
  bool bTicked = false;
  const int nLines = m_listName.GetItemCount();
  for (int i = 0; i < nLines; ++i) {
    // The name list's boxes are the ones the user sees and ticks.
    if (!m_listName.IsChecked(i)) continue;
    bTicked = true;
    if (i >= static_cast<int>(shown.size())) continue;
    const auto& [pAccount, pRow] = shown[static_cast<size_t>(i)];
    // Only a domestic row whose line still shows its name: never an order for a row the
    // user did not see.
    const std::vector<CString>& cells = pRow->second;
    if (static_cast<int>(cells.size()) < inventory::kDSCellCount ||
        m_listName.GetItemText(i, 0) != cells[0])
      continue;
    rows.push_back(TickedRow{*pAccount, pRow->first, cells});
  }
  return bTicked;
}

std::vector<JqzOrderStocksDlg::BatchOrder> JqzOrderStocksDlg::vecSellOutOrders(
    const std::vector<TickedRow>& rows, std::vector<CString>& vecUnknown) const {
  std::vector<BatchOrder> orders;
  // Cell n of a group is the row cell one past the group's first list column plus n - 1.
  auto groupCell = [](const TickedRow& row, int nFirst, int n) {
    return Cell(row.m_cells, nFirst + n);
  };
  for (const TickedRow& row : rows) {
    const CBaseOrder_OrderInfo base = BaseOrder(row.m_account, row.m_strKey);
    // Each group starts from the row's fields, so no price type carries over from the
    // group before.
    auto add = [&](int nQty, int nSide, int nCredit, int nUnit, int nPriceType, bool bByMarket) {
      if (nQty <= 0) return;
      CBaseOrder_OrderInfo order = base;
      order.m_nSide = nSide;
      order.m_Commodity.m_nCreditType = nCredit;
      order.m_Commodity.m_nTradeUnit = nUnit;
      order.m_nQty = nQty;
      if (!bByMarket) {
        SetPriceType(order, nPriceType, 0.0);
      } else if (!bPriceByMarket(order)) {
        // Without a market the order would go out without a price type.
        if (vecUnknown.empty() || vecUnknown.back() != order.m_Commodity.m_strStockNo)
          vecUnknown.push_back(order.m_Commodity.m_strStockNo);
        return;
      }
      orders.push_back(BatchOrder{row.m_account, order});
    };
    add(groupCell(row, m_nCashFirst, 1) - groupCell(row, m_nCashFirst, 3), 'S', 'A', 'A', 0, true);
    add(groupCell(row, m_nMarginFirst, 1) - groupCell(row, m_nMarginFirst, 4), 'S', 'B', 'A', '7',
        false);
    add(groupCell(row, m_nShortFirst, 1) - groupCell(row, m_nShortFirst, 3), 'B', 'C', 'A', '6',
        false);
    add(groupCell(row, m_nOddFirst, 1) - groupCell(row, m_nOddFirst, 3), 'S', 'A', 'E', 0, true);
  }
  return orders;
}

void JqzOrderStocksDlg::OnBtnClearOut() {
  if (m_bBatchBusy) return;
  OrderFlowBusy guard(m_bBatchBusy);
  if (m_listMain.GetItemCount() < 1) {
    MessageBox(Lang("IDS_CTABFINANCESTOCKUNOFFSET-STRING_MSG1"), g_cszProductName, MB_OK);
    return;
  }
  std::vector<TickedRow> rows;
  const bool bTicked = bTickedRows(rows);
  std::vector<CString> unknown;
  const std::vector<BatchOrder> orders = vecSellOutOrders(rows, unknown);
  if (!unknown.empty()) MessageBox(strUnknownText(unknown), g_cszProductName, MB_OK);
  if (orders.empty()) {
    MessageBox(Lang(bTicked ? "IDS_CTABFINANCESTOCKUNOFFSET-STRING_MSG4"
                            : "IDS_CTABFINANCESTOCKUNOFFSET-STRING_MSG3"),
               g_cszProductName, MB_OK);
    return;
  }
  vConfirmAndSend(orders);
}

void JqzOrderStocksDlg::OnBtnDayTrade() {
  if (m_bBatchBusy) return;
  OrderFlowBusy guard(m_bBatchBusy);
  if (m_listMain.GetItemCount() < 1) {
    MessageBox(Lang("IDS_CTABFINANCESTOCKUNOFFSET-STRING_MSG5"), g_cszProductName, MB_OK);
    return;
  }
  std::vector<TickedRow> rows;
  const bool bTicked = bTickedRows(rows);
  std::vector<BatchOrder> orders;
  for (const TickedRow& row : rows) {
    CBaseOrder_OrderInfo order = BaseOrder(row.m_account, row.m_strKey);
    order.m_Commodity.m_nTradeUnit = 'A';
    // The stored columns 18 and 27 are read as row cells here.
    const int nSell = Cell(row.m_cells, m_nMarginToday);
    const int nBuy = Cell(row.m_cells, m_nShortRush);
    if (nSell > 0) {
      order.m_nSide = 'S';
      order.m_Commodity.m_nCreditType = 'C';
      SetPriceType(order, '7', 0.0);
      order.m_nQty = nSell;
    } else if (nBuy > 0) {
      order.m_nSide = 'B';
      order.m_Commodity.m_nCreditType = 'B';
      SetPriceType(order, '1', 0.0);
      order.m_nQty = nBuy;
    } else {
      continue;
    }
    orders.push_back(BatchOrder{row.m_account, order});
  }
  if (!bTicked) {
    MessageBox(Lang("IDS_CTABFINANCESTOCKUNOFFSET-STRING_MSG3"), g_cszProductName, MB_OK);
    return;
  }
  if (orders.empty()) {
    MessageBox(Lang("IDS_CTABFINANCESTOCKUNOFFSET-STRING_MSG5"), g_cszProductName, MB_OK);
    return;
  }
  vConfirmAndSend(orders);
}

void JqzOrderStocksDlg::vConfirmAndSend(const std::vector<BatchOrder>& orders) {
  AccountType confirmAccount = m_CurAccount;
  if (m_bAllAccounts) {
    confirmAccount = AccountType();
    confirmAccount.m_strAccount = Lang("IDS_WARRANTQUOTEVIEW-STRING_ALL");
  }
  // The confirmation lists every order with its own account; what it shows is what goes
  // out, whatever arrives while it is open.
  std::vector<CBaseOrder_OrderInfo> shown;
  shown.reserve(orders.size());
  for (const BatchOrder& batch : orders) shown.push_back(batch.m_order);
  if (CConfirmOrder(&shown, this, confirmAccount, false, false, false).DoModal() != IDOK) return;
  g_ClientbWriteLog(Lang("IDS_COMMON_LOG_WR_MSG61"));
  for (const BatchOrder& batch : orders) {
    CBaseOrder_OrderInfo order = batch.m_order;
    CString strMessage;
    BeginWaitCursor();
    const bool bSent = OrderBK_bDSNormalOrder(order, strMessage, 0);
    EndWaitCursor();
    if (!bSent) vShowOrderRefusal(strMessage, batch.m_account);
  }
}

void JqzOrderStocksDlg::OnBtnKeep() {
  if (m_bBatchBusy) return;
  OrderFlowBusy guard(m_bBatchBusy);
  if (m_listMain.GetItemCount() < 1) {
    MessageBox(Lang("IDS_CTABFINANCESTOCKUNOFFSET-STRING_MSG2"), g_cszProductName, MB_OK);
    return;
  }
  std::vector<TickedRow> rows;
  const bool bTicked = bTickedRows(rows);
  std::vector<CString> unknown;
  std::vector<BatchOrder> orders = vecSellOutOrders(rows, unknown);
  if (orders.empty()) {
    if (!unknown.empty()) MessageBox(strUnknownText(unknown), g_cszProductName, MB_OK);
    MessageBox(Lang(bTicked ? "IDS_CTABFINANCESTOCKUNOFFSET-STRING_MSG4"
                            : "IDS_CTABFINANCESTOCKUNOFFSET-STRING_MSG3"),
               g_cszProductName, MB_OK);
    return;
  }
  BeginWaitCursor();
  int nListed = 0;
  CString refusals;
  for (BatchOrder& batch : orders) {
    CBaseOrder_OrderInfo& order = batch.m_order;
    order.m_strSN = OrderBK_cszMakeSN();
    CString strMessage;
    if (OrderBK_bOrder2List(order, batch.m_account.m_nAccountType, strMessage, false)) {
      ++nListed;
      continue;
    }
    CString line;
    line.Format("\n%s %s: %s", order.m_strAccount.GetString(),
                order.m_Commodity.m_strStockNo.GetString(),
                strMessage.IsEmpty() ? "委託失敗" : strMessage.GetString());
    refusals += line;
  }
  EndWaitCursor();
  for (const CString& code : unknown) {
    refusals += "\n" + code + ": 查無報價市場，未建立委託。";
  }
  // The closing message says how many went in; a refusal is never covered by a success text.
  CString text = Lang("IDS_ORDER-COMMON_ADD_TO_LIST");
  if (!refusals.IsEmpty() || nListed != static_cast<int>(orders.size()))
    text.Format("%d 筆委託中 %d 筆已加入委託清單，未加入：%s", static_cast<int>(orders.size()),
                nListed, refusals.GetString());
  MessageBox(text, g_cszProductName, MB_OK);
}
