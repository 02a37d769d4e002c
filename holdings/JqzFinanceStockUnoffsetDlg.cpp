#include "JqzFinanceStockUnoffsetDlg.h"

#include <BKOrderInterface.h>
#include <CAutoDllResource.h>
#include <CDlgTipMsg.h>
#include <CommonUtilities.h>
#include <JqzOrderBaseView.h>
#include <OrderBK.h>
#include <ViewDataHelpers.h>
#include <resource.h>

#include <cstdlib>

#include "PositionItemKeys.h"
#include "PositionListFill.h"
#include "PositionRows.h"
#include "QzStockExtModule.h"

IMPLEMENT_DYNAMIC(JqzFinanceStockUnoffsetDlg, JqzFinanceBaseStockUnoffsetDlg)

BEGIN_MESSAGE_MAP(JqzFinanceStockUnoffsetDlg, JqzFinanceBaseStockUnoffsetDlg)
  ON_WM_DESTROY()
  ON_BN_CLICKED(IDC_BTN_REFRESH, vRefreshData)
  ON_COMMAND(ID_DATA_EXPORT, OnDataExport)
  ON_BN_CLICKED(IDC_BTN_SETAVGPRICE, OnBtnSetAvgPrice)
  ON_CBN_SELCHANGE(IDC_COMBO_ACCOUNT, OnSelchangeComboAccount)
  ON_WM_SIZE()
  ON_WM_CONTEXTMENU()
  ON_CBN_SETFOCUS(IDC_COMBO_ACCOUNT, OnSetfocusComboAccount)
  ON_CBN_KILLFOCUS(IDC_COMBO_ACCOUNT, OnKillfocusComboAccount)
  ON_WM_TIMER()
  ON_MESSAGE(UM_LISTEX_SPECIALCLICK, OnListSpecialClick)
  ON_MESSAGE(UM_LISTEX_RESETDATANO, OnListResetDatano)
END_MESSAGE_MAP()

using namespace positions;

namespace {

constexpr int kListTipTop = 16;
constexpr int kTipMilliseconds = 5000;
constexpr UINT kFillDelayMs = 2000;

bool bSameAccount(const AccountType& a, const AccountType& b) {
  return a.m_strBrokerID == b.m_strBrokerID && a.m_strAccount == b.m_strAccount &&
         a.m_strSubAccount == b.m_strSubAccount && a.m_strCertID == b.m_strCertID &&
         a.m_nAccountType == b.m_nAccountType;
}

}  // namespace

JqzFinanceStockUnoffsetDlg::JqzFinanceStockUnoffsetDlg(CWnd* pParent)
    : JqzFinanceBaseStockUnoffsetDlg(pParent),
      m_bOtherDataChanged(0),
      m_bQueryDone(0),
      m_pTipMsg(nullptr),
      m_bOrderBusy(false) {
  m_pParentView = dynamic_cast<JqzOrderBaseView*>(pParent);
}

JqzFinanceStockUnoffsetDlg::~JqzFinanceStockUnoffsetDlg() {
  if (m_pTipMsg) {
    if (::IsWindow(m_pTipMsg->GetSafeHwnd())) m_pTipMsg->DestroyWindow();
    delete m_pTipMsg;
  }
}

bool JqzFinanceStockUnoffsetDlg::bCreateDlg() { return QzCreateModuleDialog(*this, IDD_STOCK_UNOFFSET); }

void JqzFinanceStockUnoffsetDlg::DoDataExchange(CDataExchange* pDX) {
  CAutoDllResource module(QzGetStockExtInstance());
  JqzFinanceBaseStockUnoffsetDlg::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_STATIC_TOTAL, m_totalLabel);
  DDX_Control(pDX, IDC_LIST_UNOFFSET, m_list);
  DDX_Control(pDX, IDC_STATIC_ROWCOUNT, m_countLabel);
  DDX_Control(pDX, IDC_STATIC_ANCHOR, m_anchor);
}

BOOL JqzFinanceStockUnoffsetDlg::OnInitDialog() {
  CAutoDllResource module(QzGetStockExtInstance());
  JqzFinanceBaseStockUnoffsetDlg::OnInitDialog();
  m_totalLabel.GetWindowText(m_strEmptyTotal);
  vInitialStyle(m_list, 1, 6, 2, nullptr);
  vListCtrlInitial();
  m_list.m_bySendResetDatano = 1;
  m_list.SetBorderLine(true);
  if (m_iDisplayStyle == 7) vChangeDlgCast();

  const struct {
    int nId;
    const char* pszKey;
  } captions[] = {
      {IDC_BTN_REFRESH, "IDS_DIALOG-TABFINANCESTOCKUNOFFSET_BTN_QUERY"},
      {IDC_STATIC_MARKETVALUE, kTextMarketValue},
      {IDC_STATIC_ROWCOUNT_CAPTION, "IDS_DIALOG-TABFINANCESTOCKUNOFFSET_STATIC1"},
      {IDC_BTN_SETAVGPRICE, "IDS_DIALOG-TABFINANCESTOCKUNOFFSET_BTN_SETAVGPRICE"},
      {IDC_STATIC_MSG, "IDS_DIALOG-TABFINANCESTOCKUNOFFSET_STATIC_MSG"},
  };
  for (const auto& c : captions) SetDlgItemText(c.nId, s_LangGetLangString(c.pszKey));

  SetTimer(TIMER_REQUERY, 1000, nullptr);
  for (int nId : {IDC_STATIC_STM_RATIO, IDC_GROUP_STM_RATIO})
    if (CWnd* pWnd = GetDlgItem(nId)) pWnd->ShowWindow(SW_HIDE);

  const int nShow = bShowMarketValue() ? SW_SHOW : SW_HIDE;
  for (int nId : {IDC_GROUP_MARKETVALUE, IDC_STATIC_MARKETVALUE, IDC_STATIC_TOTAL})
    if (CWnd* pWnd = GetDlgItem(nId)) pWnd->ShowWindow(nShow);
  return TRUE;
}

BOOL JqzFinanceStockUnoffsetDlg::PreTranslateMessage(MSG* pMsg) {
  return JqzFinanceBaseStockUnoffsetDlg::PreTranslateMessage(pMsg);
}

bool JqzFinanceStockUnoffsetDlg::bShowMarketValue() {
  return !BKOrderInterface::LangGetLangString(kTextMarketValue).IsEmpty();
}

// ---- Accounts ---------------------------------------------------------------------

void JqzFinanceStockUnoffsetDlg::vReloadAccounts(int nAccountKind, bool bSelectByKind) {
  if (!m_pParentView || !::IsWindow(m_comboAccount.GetSafeHwnd())) return;
  m_vecAccount = m_pParentView->vGetAllAcountVec(false);
  if (m_vecAccount.empty()) {
    m_comboAccount.ResetContent();
    m_comboAccount.AddString(s_LangGetLangString("IDS_ORDER-ITEM_STATUS_NOSTOCKACCOUNT"));
    m_comboAccount.SetItemData(0, 0);
    m_comboAccount.SetCurSel(0);
    for (int nId : {IDC_BTN_REFRESH, IDC_BTN_SETAVGPRICE})
      if (CWnd* pWnd = GetDlgItem(nId)) pWnd->EnableWindow(FALSE);
    m_comboAccount.EnableWindow(FALSE);
    return;
  }

  m_comboAccount.SendMessage(WM_CLEAR, 0, 0);
  m_comboAccount.ResetContent();
  for (size_t i = 0; i < m_vecAccount.size(); ++i) {
    m_comboAccount.EnableWindow(TRUE);
    CString strName;
    vGetAccountDisplayName(m_vecAccount[i], strName, false);
    const int nIndex = m_comboAccount.AddString(strName);
    m_comboAccount.SetItemData(nIndex, static_cast<DWORD_PTR>(i));
    for (int nId : {IDC_BTN_REFRESH, IDC_BTN_SETAVGPRICE})
      if (CWnd* pWnd = GetDlgItem(nId)) pWnd->EnableWindow(TRUE);
  }

  int nSelect = static_cast<int>(m_vecAccount.size());
  const int nGroupAccount = g_iGetSelectAccount(m_vecAccount, GetViewSyncType());
  if (!bSelectByKind) {
    nSelect = nGroupAccount;
  } else if (nGroupAccount >= 0 && nGroupAccount < static_cast<int>(m_vecAccount.size()) &&
             m_vecAccount[static_cast<size_t>(nGroupAccount)].m_nAccountType == nAccountKind) {
    // The group's account (remembered across runs) when it is of the kind; with none
    // remembered this is the first account, so the first of the kind either way.
    nSelect = nGroupAccount;
  } else {
    for (size_t i = 0; i < m_vecAccount.size(); ++i) {
      if (m_vecAccount[i].m_nAccountType == nAccountKind) {
        nSelect = static_cast<int>(i);
        break;
      }
    }
  }
  m_comboAccount.SetCurSel(nSelect);
  vShowListDlgTipMsg(2, nullptr, 0, kTipMilliseconds);
  if (g_bSetActiveAccountData(&m_comboAccount, m_vecAccount, m_CurAccount))
    OBT_recvAccountChanged(m_CurAccount);
}

void JqzFinanceStockUnoffsetDlg::OnSelchangeComboAccount() {
  vShowListDlgTipMsg(2, nullptr, 0, kTipMilliseconds);
  if (g_bSetActiveAccountData(&m_comboAccount, m_vecAccount, m_CurAccount))
    OBT_recvAccountChanged(m_CurAccount);
  if (m_pParentView) m_pParentView->vSendChangeAccount(m_pParentView, m_pParentView->GetSyncType());
}

void JqzFinanceStockUnoffsetDlg::vChangeDlgAccount(const AccountType& account,
                                                   bool bRefreshIfSame) {
  if (bSameAccount(account, m_CurAccount)) {
    if (bRefreshIfSame) vRefreshData();
    return;
  }
  if (!::IsWindow(m_comboAccount.GetSafeHwnd())) return;
  CString strName;
  vGetAccountDisplayName(account, strName, false);
  const int nIndex = m_comboAccount.FindStringExact(-1, strName);
  if (nIndex == CB_ERR) return;
  m_comboAccount.SetCurSel(nIndex);
  vShowListDlgTipMsg(2, nullptr, 0, kTipMilliseconds);
  if (g_bSetActiveAccountData(&m_comboAccount, m_vecAccount, m_CurAccount))
    OBT_recvAccountChanged(m_CurAccount);
}

void JqzFinanceStockUnoffsetDlg::OBT_recvAccountChanged(AccountType account) {
  if (m_pParentView) m_pParentView->vSetActiveAccount(account);
  if (!::IsWindow(m_list.GetSafeHwnd())) return;

  vClearShownData();
  if (CHeaderCtrl* pHeader = m_list.GetHeaderCtrl())
    for (int i = pHeader->GetItemCount() - 1; i >= 0; --i) m_list.DeleteColumn(i);

  m_itemGroup.vDeleteAllDisplayTitle();
  m_itemGroup.vDeleteAllItem();
  std::vector<CString> items;
  OrderBK_GetAllItemBySection(kSection, items, true);
  for (const CString& key : items) m_itemGroup.bAddItem(key, nullptr, 0);
  std::vector<Stru_Item> displayItems;
  OrderBK_GetDisplayItemBySection(kSection, displayItems, true, false, false);
  m_itemGroup.vDeleteAllDisplayTitle();
  for (const Stru_Item& item : displayItems)
    m_itemGroup.vAddDisplayTitle(item.m_strTitle, item.m_wWidth, -1);

  // A first column cannot be centred; a placeholder takes its place for the inserts.
  m_list.InsertColumn(0, "", LVCFMT_LEFT, 0);
  for (int i = 0; i < m_itemGroup.iGetDisplayItemTitleCount(); ++i)
    m_list.InsertColumn(i + 1, m_itemGroup.strGetDisplayTitle(i), LVCFMT_CENTER, -2);
  m_list.DeleteColumn(0);
  m_list.m_strAlign = m_itemGroup.strGetDisplayLineTextAligns();

  vShowRowCount();
  vRefreshData();
  vOBT_ChangeListCtrlColumnWidth(m_list);
}

// ---- Query and notices ---------------------------------------------------------------

void JqzFinanceStockUnoffsetDlg::vRefreshData() {
  // The emptied list takes its count and total with it: should the answer never come
  // (the view hidden meanwhile), the figures of the rows gone must not stay.
  if (::IsWindow(m_list.GetSafeHwnd())) {
    m_list.DeleteAllItems();
    vShowRowCount();
  }
  if (::IsWindow(m_totalLabel.GetSafeHwnd())) m_totalLabel.SetWindowText(m_strEmptyTotal);
  m_bQueryDone = 0;
  BeginWaitCursor();
  vShowListDlgTipMsg(0, &m_list, kListTipTop, kTipMilliseconds);
  OrderBK_iQueryUnOffset(m_CurAccount, CString());
  EndWaitCursor();
}

void JqzFinanceStockUnoffsetDlg::vRecvRefreshOrderData(int nNotifyCode, OrderDataNotice notice) {
  if (notice.m_strAccount != m_CurAccount.m_strAccount) return;
  if (nNotifyCode != ORDERDATA_NOTIFY_UNOFFSET) {
    m_bOtherDataChanged = 1;
    return;
  }
  m_stockInfo = OrderBK_GetDSStorageStock(m_CurAccount);
  m_strInfoAccount = m_CurAccount.m_strAccount;
  if (m_stockInfo.empty()) {
    vClearShownData();
    m_bQueryDone = 1;
    vShowListDlgTipMsg(1, &m_list, kListTipTop, kTipMilliseconds);
    return;
  }
  vShowListDlgTipMsg(2, nullptr, 0, kTipMilliseconds);
  vBuildRows();
  SetTimer(TIMER_FILL, kFillDelayMs, nullptr);
}

void JqzFinanceStockUnoffsetDlg::vRecvRefreshErrOrderData(int nNotifyCode,
                                                          OrderDataNotice notice) {
  if (notice.m_strAccount != m_CurAccount.m_strAccount) return;
  if (nNotifyCode != ORDERDATA_NOTIFY_UNOFFSET) {
    m_bOtherDataChanged = 1;
    return;
  }
  vShowListDlgTipMsg(2, nullptr, 0, kTipMilliseconds);
  // The earlier answer is shown again: the back-end's last one for this account, which is
  // this account's and no older than any this dialog kept (it may have missed one while
  // its view was hidden).
  m_stockInfo = OrderBK_GetDSStorageStock(m_CurAccount);
  m_strInfoAccount = m_CurAccount.m_strAccount;
  if (m_stockInfo.empty()) {
    vClearShownData();
    m_bQueryDone = 1;
    return;
  }
  vBuildRows();
  SetTimer(TIMER_FILL, kFillDelayMs, nullptr);
}

void JqzFinanceStockUnoffsetDlg::OnTimer(UINT_PTR nIDEvent) {
  switch (nIDEvent) {
    case TIMER_REQUERY:
      // Other order data changed: one new query, never while one is outstanding, and
      // not while hidden: a hidden view is not told the answer, so the emptied list
      // would come back into sight under the old count and total.
      if (m_bOtherDataChanged == 1 && m_bQueryDone == 1 && IsWindowVisible()) {
        vRefreshData();
        m_bOtherDataChanged = 0;
      }
      break;
    case TIMER_FILL:
      vFillList();
      KillTimer(TIMER_FILL);
      break;
    case TIMER_QUERY_AGAIN:
      OrderBK_iQueryUnOffsetPro(m_CurAccount, "A", true);
      EndWaitCursor();
      KillTimer(TIMER_QUERY_AGAIN);
      break;
    default:
      break;
  }
  JqzFinanceBaseStockUnoffsetDlg::OnTimer(nIDEvent);
}

// ---- The list ---------------------------------------------------------------------------

void JqzFinanceStockUnoffsetDlg::vBuildRows() { m_rows = BuildPositionRows(m_stockInfo, m_itemGroup); }

void JqzFinanceStockUnoffsetDlg::vFillList() {
  if (!::IsWindow(m_list.GetSafeHwnd())) return;
  BeginWaitCursor();
  m_list.SetRedraw(FALSE);
  m_list.DeleteAllItems();
  const double dTotal = dFillPositionList(m_list, m_itemGroup, m_rows);
  vShowRowCount();
  vShowMaintenanceRatio();
  if (bShowMarketValue()) m_totalLabel.SetWindowText(g_cszNormalizCstring(g_cszNormalizDouble(dTotal)));
  if (m_list.m_nSortColumn != -1 && m_list.m_nSortState > 0) m_list.vDoSort();
  m_list.SetRedraw(TRUE);
  m_bQueryDone = 1;
  EndWaitCursor();
}

void JqzFinanceStockUnoffsetDlg::vClearShownData() {
  KillTimer(TIMER_FILL);
  m_stockInfo.clear();
  m_strInfoAccount.Empty();
  m_rows.clear();
  if (::IsWindow(m_list.GetSafeHwnd())) m_list.DeleteAllItems();
  vShowRowCount();
  if (::IsWindow(m_totalLabel.GetSafeHwnd())) m_totalLabel.SetWindowText(m_strEmptyTotal);
  if (CWnd* pWnd = GetDlgItem(IDC_STATIC_STM_RATIO)) pWnd->ShowWindow(SW_HIDE);
  m_strRatioAccount.Empty();
}

void JqzFinanceStockUnoffsetDlg::vShowRowCount() {
  if (!::IsWindow(m_countLabel.GetSafeHwnd())) return;
  CString text;
  text.Format("%d%s", m_list.GetItemCount(), s_LangGetLangString(kTextRows).GetString());
  m_countLabel.SetWindowText(text);
}

void JqzFinanceStockUnoffsetDlg::vShowMaintenanceRatio() {
  const CString strRatio = OrderBK_GetSTMRatio(m_CurAccount, "JqzFinanceStockUnoffsetDlg");
  if (strRatio.IsEmpty()) {
    // No ratio yet: the label keeps what it showed, but never another account's ratio.
    CWnd* pWnd = GetDlgItem(IDC_STATIC_STM_RATIO);
    if (pWnd && m_strRatioAccount != m_CurAccount.m_strAccount) {
      pWnd->ShowWindow(SW_HIDE);
      m_strRatioAccount.Empty();
    }
    return;
  }
  int n = std::atoi(strRatio);
  CString text;
  if (n >= 1) {
    text.Format("整戶維持率: %d %%", n);
  } else {
    const CString strLogin = OrderBK_GetDSLoginInfo(m_CurAccount).m_strMaintainRatio;
    if (!strLogin.IsEmpty()) {
      const int nBar = strLogin.Find('|');
      n = std::atoi(nBar < 0 ? strLogin : strLogin.Mid(nBar + 1));
    }
    if (n > 0)
      text.Format("整戶維持率: %d %%", n);
    else
      text.Format("整戶維持率: 0 %%");
  }
  if (CWnd* pWnd = GetDlgItem(IDC_STATIC_STM_RATIO)) {
    pWnd->SetWindowText(text);
    pWnd->ShowWindow(SW_SHOW);
    m_strRatioAccount = m_CurAccount.m_strAccount;
  }
}

LRESULT JqzFinanceStockUnoffsetDlg::OnListSpecialClick(WPARAM wParam, LPARAM lParam) {
  CString text;
  text.Format("%s", lParam ? reinterpret_cast<LPCTSTR>(lParam) : "");
  vOnActionCell(static_cast<int>(wParam), text);
  return 0;
}

LRESULT JqzFinanceStockUnoffsetDlg::OnListResetDatano(WPARAM wParam, LPARAM lParam) {
  const int* pnColumn = reinterpret_cast<const int*>(wParam);
  auto* pList = reinterpret_cast<CListCtrl*>(lParam);
  if (pnColumn && pList) g_vResetDatano(pList, *pnColumn, &m_itemGroup);
  return 0;
}

void JqzFinanceStockUnoffsetDlg::OnDataExport() { g_DataExport(m_list); }

// ---- Layout and fonts -------------------------------------------------------------------

void JqzFinanceStockUnoffsetDlg::OnSize(UINT nType, int cx, int cy) {
  JqzFinanceBaseStockUnoffsetDlg::OnSize(nType, cx, cy);
  if (!::IsWindow(m_list.GetSafeHwnd()) || !::IsWindow(m_anchor.GetSafeHwnd())) return;
  CAutoDllResource module(QzGetStockExtInstance());
  vResizeCtrl(&m_anchor, m_pParentView, &m_list, 20, 30, 0, 0, false, false, nullptr, nullptr);
}

void JqzFinanceStockUnoffsetDlg::OnContextMenu(CWnd*, CPoint) { Default(); }

void JqzFinanceStockUnoffsetDlg::vChangeCast(CFont* pFont) {
  if (!::IsWindow(m_list.GetSafeHwnd())) return;
  m_list.SetFont(pFont, TRUE);
  vOBT_ChangeListCtrlColumnWidth(m_list);
}

void JqzFinanceStockUnoffsetDlg::vChangeDlgCast() {
  m_DlgFont.DeleteObject();
  m_DlgFont.CreatePointFont(90, "Tahoma");
  for (int nId : {IDC_STATIC_MSG, IDC_COMBO_ACCOUNT, IDC_BTN_REFRESH, IDC_BTN_SETAVGPRICE,
                  IDC_STATIC_MARKETVALUE, IDC_STATIC_TOTAL, IDC_STATIC_ROWCOUNT_CAPTION,
                  IDC_STATIC_ROWCOUNT, IDC_STATIC_STM_RATIO})
    SendDlgItemMessage(nId, WM_SETFONT, reinterpret_cast<WPARAM>(m_DlgFont.GetSafeHandle()), TRUE);
}
