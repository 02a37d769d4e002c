// The classic positions dialog's orders from a row and its average-cost flow.
#include <BKOrderInterface.h>
#include <CConfirmOrder.h>
#include <CDlgTipMsg.h>
#include <CommonUtilities.h>
#include <JqzCAManagementDlg.h>
#include <JqzChangeOrder.h>
#include <OrderBK.h>
#include <ViewDataHelpers.h>

#include <vector>

#include "CDlgSetAvgDealPrice.h"
#include "JqzFinanceStockUnoffsetDlg.h"
#include "PositionOrder.h"

using namespace positions;

namespace {

constexpr int kDefaultBoardLot = 1000;
constexpr COLORREF kCostTipText = 0x000000;
constexpr COLORREF kCostTipBack = 0x00FF00;
constexpr int kCostTipMilliseconds = 5000;

// Tenths of a second since the start of the month, as the back-end numbers requests.
CString strCostSerial() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  // At most 31 days' worth of tenths: well inside an int.
  const int nDay = now.wDay;
  const int nSeconds = ((nDay * 24 + now.wHour) * 60 + now.wMinute) * 60 + now.wSecond;
  CString serial;
  serial.Format("%08d", nSeconds * 10 + now.wMilliseconds / 100);
  return serial;
}

}  // namespace

void JqzFinanceStockUnoffsetDlg::vOnActionCell(int, const CString& strAction) {
  const int nCode = iActionCode(strAction);
  if (nCode != ACTION_NONE) vOrderFromSelectedRow(nCode);
}

void JqzFinanceStockUnoffsetDlg::vOrderFromSelectedRow(int nCode) {
  // One order at a time: a press while this flow waits for an answer would build a
  // second order from the same row.
  if (m_bOrderBusy || !::IsWindow(m_list.GetSafeHwnd())) return;
  const int nLine = m_list.GetNextItem(-1, LVNI_SELECTED);
  if (nLine < 0 || m_CurAccount.m_strAccount.IsEmpty()) return;
  // The rows shown must be the selected account's, or the order would sell another
  // account's holdings under this one.
  if (m_strInfoAccount != m_CurAccount.m_strAccount) return;
  const DWORD_PTR nRow = m_list.GetItemData(nLine);
  if (nRow >= m_rows.size()) return;
  // The row and its account as they are now: whatever arrives while a dialog is open,
  // the order goes out under the account the row was shown for.
  const PositionRow row = m_rows[nRow];
  const AccountType account = m_CurAccount;
  OrderFlowBusy busy(m_bOrderBusy);

  int nUnit = kDefaultBoardLot;
  OrderBK_vGetUnit(row.m_strCode, nUnit, false);
  CBaseOrder_OrderInfo order = BuildRowOrder(row, nCode, nUnit);

  if (JqzChangeOrder(&order, this, account, false, false, false).DoModal() != IDOK) return;
  CString strText;
  if (!g_bCheckOrderInsurance(account, &order, strText)) {
    MessageBox(strText, g_cszProductName, MB_OK);
    return;
  }
  if (!g_bCheckStockOrder(account, order)) return;
  if (m_pOrderSetting && m_pOrderSetting->m_byConfirmOrder == 1 &&
      CConfirmOrder(&order, this, account).DoModal() != IDOK)
    return;

  BeginWaitCursor();
  order.m_strAccount = account.m_strAccount;
  order.m_strSubAccount = account.m_strSubAccount;
  order.m_strCertID = account.m_strCertID;
  CString strMessage;
  const bool bSent = OrderBK_bDSNormalOrder(order, strMessage, 0);
  EndWaitCursor();
  if (bSent)
    MessageBox(BKOrderInterface::LangGetLangString("IDS_ORDER-FUTURE-CV_ORDEROK"), g_cszProductName,
               MB_OK);
  else
    vShowOrderRefusal(strMessage, account);
}

void JqzFinanceStockUnoffsetDlg::OnBtnSetAvgPrice() {
  if (m_bOrderBusy) return;
  if (m_CurAccount.m_strAccount.IsEmpty()) {
    MessageBox(s_LangGetLangString("IDS_ORDER-ITEM_STATUS_CONNOTFINDSTOCKACCOUNT"));
    return;
  }
  const AccountType account = m_CurAccount;
  std::vector<CBaseOrder_Commodity> candidates;
  for (const CBaseOrder_UnoffsetInfo& position : OrderBK_GetDSUnoffset(account)) {
    const CBaseOrder_Commodity& c = position.m_Commodity;
    if (c.m_nTradeUnit == ORDER_UNIT_BOARDLOT &&
        (c.m_nCreditType == ORDER_CREDIT_CASH || c.m_nCreditType == ORDER_CREDIT_MARGIN))
      candidates.push_back(c);
  }
  if (candidates.empty()) return;
  OrderFlowBusy busy(m_bOrderBusy);

  CDlgSetAvgDealPrice dlg(candidates, this);
  // Only a choice the dialog accepted is applied, however the dialog was ended.
  if (dlg.DoModal() != IDOK || dlg.m_selected.m_strStockNo.IsEmpty() || !(dlg.m_dPrice > 0.0))
    return;
  const CString strSerial = strCostSerial();
  CString strMessage;
  const bool bSet =
      OrderBK_bSetAvgDealPrice(account, dlg.m_selected, dlg.m_dPrice, strSerial, strMessage);
  CString text;
  if (bSet) {
    CBaseOrder_OrderInfo shown;
    shown.m_Commodity = dlg.m_selected;
    text.Format("%s 的持股平均成本已設定為 %s",
                g_cszDisplayOrderSymbol(&shown, false, 0).GetString(),
                g_cszNormalizDouble(dlg.m_dPrice).GetString());
  } else {
    text = strMessage.IsEmpty() ? CString("持股平均成本設定失敗") : strMessage;
  }
  MessageBox(text, g_cszProductName, MB_OK);
  if (bSet) vShowCostTip();
}

void JqzFinanceStockUnoffsetDlg::vShowCostTip() {
  if (!m_pTipMsg) m_pTipMsg = new CDlgTipMsg(this);
  if (!::IsWindow(m_pTipMsg->GetSafeHwnd()) && !m_pTipMsg->Create(IDD_QZ_TIPMSG, nullptr)) return;
  m_pTipMsg->vSetInfo(nullptr,
                      s_LangGetLangString("IDS_CTABFINANCESTOCKUNOFFSET-STRING_ONBTNSETAVGPRICE"),
                      kCostTipText, kCostTipBack, kCostTipMilliseconds, true);
  m_pTipMsg->vShow(&m_list, 0, 100, false);
}
