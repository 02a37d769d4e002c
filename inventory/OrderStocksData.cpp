// The inventory dialog's data: the query, the back-end's answers for one account or
// for every account of a kind, and the records turned into grid rows.
#include <BKOrderInterface.h>
#include <CommonUtilities.h>
#include <JqzOrderBaseView.h>
#include <OrderBK.h>
#include <ViewDataHelpers.h>
#include <resource.h>

#include <utility>

#include "JqzOrderStocksDlg.h"

namespace {

constexpr int kTipTop = 40;
constexpr int kTipMilliseconds = 5000;
constexpr BYTE kMarketListed = 16;
constexpr BYTE kMarketOtc = 122;
constexpr BYTE kMarketForeign = 22;

CString NameWithCode(const CString& strCode, BYTE byMarket) {
  CString name;
  name.Format("%s(%s)", g_GetCommodityId(strCode, byMarket).GetString(), strCode.GetString());
  return name;
}

CString DSDisplayName(const CString& strCode) {
  for (BYTE market : {kMarketListed, kMarketOtc})
    if (BKOrderInterface::bIsSymbolIDExist(market, strCode)) return NameWithCode(strCode, market);
  return strCode;
}

// Foreign names come from market 22, or from its delayed service when it has one.
BYTE FSNameMarket() {
  BYTE market = kMarketForeign;
  BYTE delayed = 0;
  if (BKOrderInterface::byGetQuoteMode(kMarketForeign) == 2 &&
      BKOrderInterface::bGetServiceID2Delay(delayed, kMarketForeign))
    market = delayed;
  return market;
}

// The row of a key, replaced when the key is already there. Holdings usually come in
// code order, so a key after the last goes in at the end without a search.
template <class Map, class Value>
void PutRow(Map& map, const CString& strKey, Value&& value) {
  if (map.empty() || map.rbegin()->first < strKey)
    map.emplace_hint(map.end(), strKey, std::forward<Value>(value));
  else
    map.insert_or_assign(strKey, std::forward<Value>(value));
}

}  // namespace

CString JqzOrderStocksDlg::strFilterCode() const {
  CString code;
  if (::IsWindow(m_editCode.GetSafeHwnd())) m_editCode.GetWindowText(code);
  return code;
}

void JqzOrderStocksDlg::OnBtnQueryStocks() {
  m_bDetailMode = 1;
  m_listMain.EnableInfoTip(true);
  m_mapRows.clear();
  m_mapMarketValue.clear();
  if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_DOMESTIC_STOCK)
    vBuildDSColumns();
  else if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_FOREIGN_STOCK)
    vBuildFSColumns();
  if (::IsWindow(m_btnQuery.GetSafeHwnd())) m_btnQuery.EnableWindow(FALSE);
  SetTimer(TIMER_QUERY_BUTTON, static_cast<UINT>(m_nButtonDisableTime) * 1000u, nullptr);
  vShowListDlgTipMsg(0, &m_listMain, kTipTop, m_nButtonDisableTime * 1000);
  BeginWaitCursor();
  const CString code = inventory::UpperFilter(strFilterCode());
  if (m_bAllAccounts) {
    for (AccountEntry& entry : m_vecAccountEntries) {
      entry.m_byReceived = 0;
      OrderBK_iQueryUnOffset(entry.m_account, CString());
    }
  } else {
    OrderBK_iQueryUnOffset(m_CurAccount, code);
  }
  EndWaitCursor();
}

void JqzOrderStocksDlg::vRecvRefreshOrderData(int nNotifyCode, OrderDataNotice notice) {
  if (m_bAllAccounts) {
    vRecvAllAccountsData(nNotifyCode, notice);
    return;
  }
  if (notice.m_strAccount != m_CurAccount.m_strAccount ||
      notice.m_strKey != m_CurAccount.m_strBrokerID || nNotifyCode != ORDERDATA_NOTIFY_UNOFFSET)
    return;
  if (::IsWindow(m_btnQuery.GetSafeHwnd())) m_btnQuery.EnableWindow(TRUE);
  KillTimer(TIMER_QUERY_BUTTON);

  bool bShown = false;
  if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_FOREIGN_STOCK) {
    m_vecFSStorage = OrderBK_GetFSStorageStock(m_CurAccount);
    if (!m_vecFSStorage.empty()) {
      vShowListDlgTipMsg(2, nullptr, 0, kTipMilliseconds);
      bShown = bFillFSRows();
    }
  } else if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_DOMESTIC_STOCK) {
    m_vecDSStorage = OrderBK_GetDSStorageStock(m_CurAccount);
    if (!m_vecDSStorage.empty()) {
      vShowListDlgTipMsg(2, nullptr, 0, kTipMilliseconds);
      bShown = bFillDSRows();
    }
  } else {
    return;
  }
  if (!bShown)
    vShowListDlgTipMsg(1, &m_listMain, kTipTop, kTipMilliseconds);
  else if (m_bDetailMode)
    vShowRows();
  else
    vShowMarketValue();
  if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_DOMESTIC_STOCK) vUpdateMaintainRate();
}

void JqzOrderStocksDlg::vRecvAllAccountsData(int nNotifyCode, const OrderDataNotice& notice) {
  if (notice.m_nAccountType != m_CurAccount.m_nAccountType ||
      nNotifyCode != ORDERDATA_NOTIFY_UNOFFSET)
    return;
  for (AccountEntry& entry : m_vecAccountEntries)
    if (entry.m_account.m_strAccount == notice.m_strAccount &&
        entry.m_account.m_strBrokerID == notice.m_strKey)
      entry.m_byReceived = 1;
  for (const AccountEntry& entry : m_vecAccountEntries)
    if (!entry.m_byReceived) return;
  if (::IsWindow(m_btnQuery.GetSafeHwnd())) m_btnQuery.EnableWindow(TRUE);
  KillTimer(TIMER_QUERY_BUTTON);
  vShowListDlgTipMsg(2, nullptr, 0, kTipMilliseconds);
  if (bRefillAccountEntries(m_CurAccount.m_nAccountType)) {
    vShowListDlgTipMsg(2, nullptr, 0, kTipMilliseconds);
    if (m_bDetailMode)
      vShowRows();
    else
      vShowMarketValue();
  } else {
    vShowListDlgTipMsg(1, &m_listMain, kTipTop, kTipMilliseconds);
  }
  if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_DOMESTIC_STOCK) vUpdateMaintainRate();
}

bool JqzOrderStocksDlg::bRefillAccountEntries(int nKind) {
  bool bAny = false;
  m_vecDSStorage.clear();
  for (AccountEntry& entry : m_vecAccountEntries) {
    bool bFilled = false;
    if (nKind == ACCOUNTTYPE_FOREIGN_STOCK) {
      m_vecFSStorage = OrderBK_GetFSStorageStock(entry.m_account);
      bFilled = bFillFSRows();
    } else {
      m_vecDSStorage = OrderBK_GetDSStorageStock(entry.m_account);
      bFilled = bFillDSRows();
    }
    // Each entry keeps its own rows; the dialog's maps are refilled by the next fill anyway.
    entry.m_rows = std::move(m_mapRows);
    entry.m_marketValues = std::move(m_mapMarketValue);
    m_mapRows.clear();
    m_mapMarketValue.clear();
    bAny = bAny || bFilled;
  }
  return bAny;
}

void JqzOrderStocksDlg::vActivateDSAccount() { vActivateAccount(ACCOUNTTYPE_DOMESTIC_STOCK); }

void JqzOrderStocksDlg::vActivateFSAccount() { vActivateAccount(ACCOUNTTYPE_FOREIGN_STOCK); }

void JqzOrderStocksDlg::vActivateAccount(int nKind) {
  if (g_bSetActiveAccountData(&m_comboAccount, m_vecAccount, m_CurAccount) && m_pParentView)
    m_pParentView->vSetActiveAccount(m_CurAccount);
  // The mode follows the account now chosen, however it was chosen (selector, sync
  // group, reload), so one account's choice never shows every account or the reverse.
  m_bAllAccounts =
      m_CurAccount.m_strAccount == s_LangGetLangString("IDS_ORDER-COMMON_ALL_ACCOUNT") ? 1 : 0;
  OnSize(0, 0, 0);
  if (nKind == ACCOUNTTYPE_DOMESTIC_STOCK) vUpdateMaintainRate();

  // Whatever the grid showed belonged to the account before.
  m_mapRows.clear();
  for (CListCtrlExH* pList : {&m_listMain, &m_listName})
    if (::IsWindow(pList->GetSafeHwnd())) pList->DeleteAllItems();

  if (m_bAllAccounts) {
    if (!m_vecAccountEntries.empty() &&
        m_vecAccountEntries.front().m_account.m_nAccountType == nKind) {
      if (CWnd* pRatio = GetDlgItem(IDC_STATIC_STM_RATIO)) pRatio->ShowWindow(SW_HIDE);
      if (bRefillAccountEntries(nKind)) {
        vShowListDlgTipMsg(2, nullptr, 0, kTipMilliseconds);
        if (m_bDetailMode == 0) {
          vBuildMarketValueColumns();
          vShowMarketValue();
        } else {
          if (nKind == ACCOUNTTYPE_FOREIGN_STOCK)
            vBuildFSColumns();
          else
            vBuildDSColumns();
          vShowRows();
        }
      } else {
        vShowListDlgTipMsg(1, &m_listMain, kTipTop, kTipMilliseconds);
      }
      return;
    }
    m_vecDSStorage.clear();
    m_vecAccountEntries.clear();
    if (m_pParentView)
      for (const AccountType& account : m_pParentView->vGetAllAccountByTradeType(nKind)) {
        AccountEntry entry;
        entry.m_account = account;
        m_vecAccountEntries.push_back(std::move(entry));
      }
    if (bParentViewVisible()) OnBtnQueryStocks();
    return;
  }
  if (bParentViewVisible())
    OnBtnQueryStocks();
  else if (m_pParentView && m_pParentView->m_bySelAccount == 0)
    SetTimer(TIMER_QUERY_WHEN_SHOWN, 2000, nullptr);
}

void JqzOrderStocksDlg::vRequestQuoteMemory() {
  std::vector<CSymbolInfo> symbols;
  BYTE market = kMarketListed;
  auto add = [&](const CString& code) {
    for (BYTE m : {kMarketOtc, kMarketListed, kMarketForeign}) {
      if (BKOrderInterface::bIsSymbolIDExist(m, code)) {
        market = m;
        break;
      }
    }
    symbols.emplace_back(market, code);
  };
  if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_DOMESTIC_STOCK)
    for (const auto& record : m_vecDSStorage) add(record.m_strStockNo);
  else if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_FOREIGN_STOCK)
    for (const auto& record : m_vecFSStorage) add(record.m_strStockNo);
  BKOrderInterface::bGetMultiMemory(m_byQuoteReq[0], symbols, {125});
  BKOrderInterface::bGetMultiMemory(m_byQuoteReq[1], symbols, {129});
  BKOrderInterface::bGetMultiMemory(m_byQuoteReq[2], symbols, {455});
}

bool JqzOrderStocksDlg::bFillDSRows() {
  m_mapRows.clear();
  m_mapMarketValue.clear();
  if (m_vecDSStorage.empty()) return false;
  vRequestQuoteMemory();
  const CString filter = strFilterCode();
  for (const CBaseOrder_StorageStockInfo& record : m_vecDSStorage) {
    const CString& code = record.m_strStockNo;
    if (!filter.IsEmpty() && code.CompareNoCase(filter) != 0) continue;
    const CString name = DSDisplayName(code);
    int unit = 1000;
    OrderBK_vGetUnit(code, unit, false);
    PutRow(m_mapRows, code, inventory::DSCells(record, name, unit));
    inventory::MarketValueEntry entry;
    if (inventory::bDSMarketValue(record, name, unit, entry)) PutRow(m_mapMarketValue, code, entry);
  }
  return !m_mapRows.empty();
}

bool JqzOrderStocksDlg::bFillFSRows() {
  m_mapRows.clear();
  m_mapMarketValue.clear();
  if (m_vecFSStorage.empty()) return false;
  vRequestQuoteMemory();
  const BYTE nameMarket = FSNameMarket();
  const CString filter = strFilterCode();
  const CString shareUnit = s_LangGetLangString("IDS_QZORDERVIEW_JQZORDERSTOCKDLG_STOCKS");
  for (const CBaseOrder_FSStorageStockInfo& record : m_vecFSStorage) {
    const CString& code = record.m_strStockNo;
    if (!filter.IsEmpty() && code.CompareNoCase(filter) != 0) continue;
    const CString name = BKOrderInterface::bIsSymbolIDExist(nameMarket, code)
                             ? NameWithCode(code, nameMarket)
                             : code;
    const CString key = inventory::FSKey(record);
    m_mapRows[key] = inventory::FSCells(record, name, shareUnit);
    if (record.m_nTSell > 0)
      m_mapMarketValue[key] = inventory::MarketValueEntry{
          name, static_cast<double>(record.m_nTSell), 0.0, record.m_strCurrency};
  }
  return !m_mapRows.empty();
}
