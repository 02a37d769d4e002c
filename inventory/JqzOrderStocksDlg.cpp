// The dialog shell: template, construction, initialisation, fonts, layout, timers and
// the account selector. The data are in OrderStocksData.cpp, the grid in
// OrderStocksGrid.cpp.
#include "JqzOrderStocksDlg.h"

#include <CAutoDllResource.h>
#include <CommonUtilities.h>
#include <JqzOrderBaseView.h>
#include <OrderBK.h>
#include <ViewDataHelpers.h>
#include <resource.h>

#include <algorithm>
#include <cstdlib>

#include "JqzFinanceStockUnoffsetView.h"
#include "QzStockExtModule.h"

IMPLEMENT_DYNAMIC(JqzOrderStocksDlg, JqzFinanceBaseStockUnoffsetDlg)

BEGIN_MESSAGE_MAP(JqzOrderStocksDlg, JqzFinanceBaseStockUnoffsetDlg)
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_PAINT()
ON_MESSAGE(UM_LISTEXH_CELLDBLCLK, OnListCellDblClk)
ON_MESSAGE(UM_LISTEXH_CELLCLICK, OnListCellClick)
ON_BN_CLICKED(IDC_BTN_QUERY_STOCKS, OnBtnQueryStocks)
ON_CBN_SELCHANGE(IDC_COMBO_ACCOUNT, OnSelchangeAccount)
ON_BN_CLICKED(IDC_CHK_SELECT_ALL, OnChkSelectAll)
ON_BN_CLICKED(IDC_BTN_CLEAR_OUT, OnBtnClearOut)
ON_BN_CLICKED(IDC_BTN_DAY_TRADE, OnBtnDayTrade)
ON_BN_CLICKED(IDC_BTN_KEEP, OnBtnKeep)
ON_BN_CLICKED(IDC_BTN_MARKETVALUE, OnBtnMarketValue)
ON_BN_CLICKED(IDC_CHK_INCLUDE_ODD, OnChkIncludeOdd)
ON_BN_CLICKED(IDC_BTN_PRINT, OnBtnPrint)
ON_BN_CLICKED(IDC_BTN_EXPORT_EXCEL, OnBtnExportExcel)
ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

constexpr int kTipMilliseconds = 5000;

}  // namespace

JqzOrderStocksDlg::JqzOrderStocksDlg(CWnd* pParent)
    : JqzFinanceBaseStockUnoffsetDlg(pParent),
      m_nNameWidth(95),
      m_nWidth4(40),
      m_nWidth6(45),
      m_nWidth8(50),
      m_nWidth10(70),
      m_nWidth14(95),
      m_nListRowHeight(20),
      m_nCashFirst(0),
      m_nCashLast(11),
      m_nCashToday(5),
      m_nTradeDealBuy(8),
      m_nTradeDealSell(9),
      m_nMarginFirst(12),
      m_nMarginLast(19),
      m_nShortFirst(20),
      m_nShortLast(28),
      m_nOddFirst(29),
      m_nOddLast(34),
      m_nLendFirst(35),
      m_nLendLast(39),
      m_nMarginToday(18),
      m_nShortRush(27),
      m_nFSYesterday(1),
      m_nFSTSell(6),
      m_nFSNSell(7),
      m_bDetailMode(1),
      m_nButtonDisableTime(2),
      m_byQuoteReq{0, 0, 0},
      m_nNameTopIndex(0),
      m_bAllAccounts(0) {
  m_pParentView = dynamic_cast<JqzOrderBaseView*>(pParent);
  CString file;
  file.Format("%s\\OrderCfg.ini", s_PathGetSysPath(0).GetString());
  m_nButtonDisableTime =
      static_cast<int>(::GetPrivateProfileIntA("ORDER_SETTING", "BUTTON_DISABLE_TIME", 2, file));
}

JqzOrderStocksDlg::~JqzOrderStocksDlg() = default;

bool JqzOrderStocksDlg::bCreateDlg() { return QzCreateModuleDialog(*this, IDD_STOCK_INVENTORY); }

JqzFinanceStockUnoffsetView* JqzOrderStocksDlg::pHoldingsView() const {
  return dynamic_cast<JqzFinanceStockUnoffsetView*>(m_pParentView);
}

bool JqzOrderStocksDlg::bParentViewVisible() const {
  return m_pParentView && ::IsWindow(m_pParentView->GetSafeHwnd()) &&
         ::IsWindowVisible(m_pParentView->GetSafeHwnd());
}

void JqzOrderStocksDlg::DoDataExchange(CDataExchange* pDX) {
  CAutoDllResource module(QzGetStockExtInstance());
  JqzFinanceBaseStockUnoffsetDlg::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_BTN_MARKETVALUE, m_btnMarketValue);
  DDX_Control(pDX, IDC_BTN_QUERY_STOCKS, m_btnQuery);
  DDX_Control(pDX, IDC_STATIC_COUNT, m_stcCount);
  if (!m_comboAccount.GetSafeHwnd()) DDX_Control(pDX, IDC_COMBO_ACCOUNT, m_comboAccount);
  DDX_Control(pDX, IDC_STATIC_ANCHOR, m_stcCorner);
  DDX_Control(pDX, IDC_LIST_MAIN, m_listMain);
  DDX_Control(pDX, IDC_LIST_NAME, m_listName);
  DDX_Control(pDX, IDC_CHK_INCLUDE_ODD, m_chkIncludeOdd);
  DDX_Control(pDX, IDC_CHK_SELECT_ALL, m_chkSelectAll);
  DDX_Control(pDX, IDC_EDIT_CODE, m_editCode);
  DDX_Control(pDX, IDC_STATIC_NOTICE, m_stcNotice);
}

BOOL JqzOrderStocksDlg::OnInitDialog() {
  CAutoDllResource module(QzGetStockExtInstance());
  JqzFinanceBaseStockUnoffsetDlg::OnInitDialog();
  vInitLists();
  if (m_iDisplayStyle == 7) vChangeDlgCast();
  m_listMain.m_pOwner = this;
  m_listName.m_pOwner = this;
  m_listMain.m_nListNo = 1;
  m_listName.m_nListNo = 2;
  m_chkIncludeOdd.ShowWindow(SW_HIDE);
  m_chkIncludeOdd.SetCheck(1);
  vBuildDSColumns();
  SetDlgItemText(IDC_STATIC_NOTICE,
                 s_LangGetLangString("IDS_CTABFINANCESTOCKUNOFFSET-STRING_NOTE"));
  m_stcNotice.SetTextColor(RGB(255, 0, 0));
  if (CWnd* pRatio = GetDlgItem(IDC_STATIC_STM_RATIO)) pRatio->ShowWindow(SW_HIDE);
  vHideNameListBars();
  return TRUE;
}

void JqzOrderStocksDlg::vChangeDlgCast() {
  m_DlgFont.DeleteObject();
  m_DlgFont.CreatePointFont(90, "Tahoma");
  for (int nId :
       {IDC_COMBO_ACCOUNT, IDC_BTN_QUERY_STOCKS, IDC_STATIC_COUNT_FRAME, IDC_STATIC_COUNT,
        IDC_BTN_PRINT, IDC_BTN_MARKETVALUE, IDC_STATIC_ANCHOR, IDC_LIST_MAIN, IDC_LIST_NAME,
        IDC_CHK_INCLUDE_ODD, IDC_BTN_EXPORT_EXCEL, IDC_STATIC_COUNT_CAPTION, IDC_STATIC_STM_RATIO,
        IDC_CHK_SELECT_ALL, IDC_BTN_CLEAR_OUT, IDC_BTN_KEEP, IDC_BTN_DAY_TRADE, IDC_STATIC_CODE,
        IDC_STATIC_NOTICE})
    SendDlgItemMessage(nId, WM_SETFONT, reinterpret_cast<WPARAM>(m_DlgFont.GetSafeHandle()), TRUE);
}

void JqzOrderStocksDlg::vChangeCast(CFont* pFont) {
  if (!pFont || !pFont->GetSafeHandle() || !::IsWindow(m_listMain.GetSafeHwnd())) return;
  LOGFONT lf{};
  pFont->GetLogFont(&lf);
  int dpi = 96;
  if (CDC* pDC = GetDC()) {
    dpi = std::max(1, pDC->GetDeviceCaps(LOGPIXELSY));
    ReleaseDC(pDC);
  }
  const int h = static_cast<int>(lf.lfHeight);
  const int p = static_cast<int>(0.5 - h * 72.0 / dpi);
  const int d = (p - 8) / 2;
  const int e = (p - 10) / 2;
  m_nWidth4 = 5 * (d + 8);
  m_nWidth6 = 8 * d + 45;
  m_nWidth8 = 12 * d + 50;
  m_nNameWidth = 30 * (d + 6);
  m_nWidth10 = 15 * d + 70;
  m_nWidth14 = 20 * d + 95;
  m_nListRowHeight = 5 * e + std::abs(h) + 12;
  for (CListCtrlExH* pList : {&m_listMain, &m_listName}) {
    pList->SetRowHeight(m_nListRowHeight);
    pList->SetListFont(pFont);
  }
  // The market-value grid is not built by this dialog yet: either mode shows the inventory.
  if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_FOREIGN_STOCK)
    vBuildFSColumns();
  else
    vBuildDSColumns();
  vShowRows();
  m_listMain.Invalidate();
  m_listName.Invalidate();
}

// ---- Layout ---------------------------------------------------------------------------------

void JqzOrderStocksDlg::OnSize(UINT nType, int cx, int cy) {
  JqzFinanceBaseStockUnoffsetDlg::OnSize(nType, cx, cy);
  if (!m_pParentView || !::IsWindow(m_pParentView->GetSafeHwnd())) return;
  if (!::IsWindow(m_listMain.GetSafeHwnd()) || !::IsWindow(m_listName.GetSafeHwnd())) return;
  const int m = O_iDlgCalTransDevScale(3);
  const int top = O_iDlgCalTransDevScale(40) + O_iDlgCalTransDevScale(40);
  const int bottom = O_iDlgCalTransDevScale(m_pParentView->m_bySelAccount == 1 ? 20 : 40);
  CRect client;
  m_pParentView->GetClientRect(&client);
  // A view smaller than the margins gives empty lists, never negative sizes.
  const int height = std::max(0, client.Height() - m - bottom - top);
  const int x = m_nNameWidth + m;
  auto place = [](CWnd& list, int l, int t, int w, int hgt) {
    CRect now;
    list.GetWindowRect(&now);
    list.GetParent()->ScreenToClient(&now);
    if (now != CRect(l, t, l + w, t + hgt)) list.MoveWindow(l, t, w, hgt, TRUE);
  };
  place(m_listMain, x, top, std::max(0, client.Width() - x - m), height);
  const int nameHeight = m_listMain.GetScrollLimit(SB_HORZ) != 0
                             ? std::max(0, height - O_iDlgCalTransDevScale(19))
                             : height;
  place(m_listName, m, top, std::max(0, m_nNameWidth), nameHeight);
  vAlignTopRows(1);
  m_nNameTopIndex = m_listName.GetTopIndex();
  m_listName.Invalidate();
}

void JqzOrderStocksDlg::OnPaint() {
  CPaintDC dc(this);
  for (CListCtrlExH* pList : {&m_listMain, &m_listName})
    if (::IsWindow(pList->GetSafeHwnd())) pList->SetBkColor(RGB(219, 230, 253));
  vHideNameListBars();
  OnSize(0, 0, 0);
}

void JqzOrderStocksDlg::vHideNameListBars() {
  if (!::IsWindow(m_listName.GetSafeHwnd())) return;
  m_listName.ShowScrollBar(SB_BOTH, FALSE);
  m_listName.Invalidate();
}

// ---- Timers ---------------------------------------------------------------------------------

void JqzOrderStocksDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == TIMER_QUERY_BUTTON) {
    m_btnQuery.EnableWindow(TRUE);
    KillTimer(TIMER_QUERY_BUTTON);
  } else if (nIDEvent == TIMER_QUERY_WHEN_SHOWN) {
    if (bParentViewVisible()) {
      OnBtnQueryStocks();
      KillTimer(TIMER_QUERY_WHEN_SHOWN);
    }
  }
  JqzFinanceBaseStockUnoffsetDlg::OnTimer(nIDEvent);
}

// A refresh keeps the face the user chose: market value is fetched again as market value
// (with fresh quotes), share counts as share counts.
void JqzOrderStocksDlg::vRefreshData() {
  if (m_bDetailMode == 0)
    OnBtnMarketValue();
  else
    OnBtnQueryStocks();
}

// ---- Accounts -------------------------------------------------------------------------------

void JqzOrderStocksDlg::vReloadAccounts(int nAccountKind, bool bSelectByKind) {
  if (!m_pParentView || !::IsWindow(m_comboAccount.GetSafeHwnd())) return;
  std::vector<AccountType> accounts = m_pParentView->vGetAllAcountVec(false);
  if (accounts.empty()) return;
  if (m_pParentView->m_bySelAccount == 1) accounts = m_pParentView->vInsertAllAcount();
  m_vecAccount = accounts;

  m_comboAccount.SendMessage(WM_CLEAR, 0, 0);
  m_comboAccount.ResetContent();
  for (size_t i = 0; i < m_vecAccount.size(); ++i) {
    CString strName;
    vGetAccountDisplayName(m_vecAccount[i], strName, false);
    const int nIndex = m_comboAccount.AddString(strName);
    m_comboAccount.SetItemData(nIndex, static_cast<DWORD_PTR>(i));
  }

  AccountType active;
  OrderBK_bGetActiveAccount(active, GetViewSyncType());
  auto firstOfKind = [this](int nKind) {
    for (size_t i = 0; i < m_vecAccount.size(); ++i)
      if (m_vecAccount[i].m_nAccountType == nKind) return static_cast<int>(i);
    return -1;
  };

  if (bSelectByKind) {
    const int nIndex = firstOfKind(nAccountKind);
    if (nIndex >= 0) m_comboAccount.SetCurSel(nIndex);
    OnSelchangeAccount();
    return;
  }
  int nSelect = g_iGetSelectAccount(m_vecAccount, GetViewSyncType());
  if (nSelect == 0) nSelect = std::max(0, firstOfKind(active.m_nAccountType));
  if (nSelect < 0 || nSelect >= static_cast<int>(m_vecAccount.size())) nSelect = 0;
  m_comboAccount.SetCurSel(nSelect);
  // The selected account decides which inventory is fetched, so that a foreign query is
  // never made for a domestic account or the other way round.
  vActivateAccount(m_vecAccount[static_cast<size_t>(nSelect)].m_nAccountType);
}

void JqzOrderStocksDlg::OnSelchangeAccount() {
  vShowListDlgTipMsg(2, nullptr, 0, kTipMilliseconds);
  if (::IsWindow(m_editCode.GetSafeHwnd())) m_editCode.SetWindowText("");
  m_bAllAccounts = 0;
  if (!g_bSetActiveAccountData(&m_comboAccount, m_vecAccount, m_CurAccount)) return;
  OnSize(0, 0, 0);
  if (m_CurAccount.m_strAccount == s_LangGetLangString("IDS_ORDER-COMMON_ALL_ACCOUNT")) {
    OrderBK_bSaveSyncTypeAccount(m_CurAccount, GetViewSyncType());
    m_bAllAccounts = 1;
  }
  if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_DOMESTIC_STOCK) {
    vBuildDSColumns();
    vActivateDSAccount();
  } else if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_FOREIGN_STOCK) {
    vBuildFSColumns();
    vActivateFSAccount();
    if (CWnd* pRatio = GetDlgItem(IDC_STATIC_STM_RATIO)) pRatio->ShowWindow(SW_HIDE);
  }
  if (m_pParentView) m_pParentView->vSendChangeAccount(m_pParentView, m_pParentView->GetSyncType());
}

void JqzOrderStocksDlg::vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame) {
  if (account == m_CurAccount) {
    if (bRefreshIfSame) vRefreshData();
    return;
  }
  if (!::IsWindow(m_comboAccount.GetSafeHwnd())) return;
  CString strName;
  vGetAccountDisplayName(account, strName, false);
  const int nIndex = m_comboAccount.FindStringExact(-1, strName);
  if (nIndex == CB_ERR) return;
  m_comboAccount.SetCurSel(nIndex);
  OnSize(0, 0, 0);
  m_mapMarketValue.clear();
  m_vecDSStorage.clear();
  vActivateAccount(account.m_nAccountType);
}
