#include "JqzStockDividendCalcDlg.h"

#include <BKOrderInterface.h>
#include <CAutoDllResource.h>
#include <CDlgTipMsg.h>
#include <CommonUtilities.h>
#include <JqzOrderBaseView.h>
#include <OrderBK.h>
#include <ViewDataHelpers.h>
#include <resource.h>

#include <algorithm>
#include <climits>

#include "DividendResults.h"
#include "QzStockExtModule.h"

IMPLEMENT_DYNAMIC(JqzStockDividendCalcDlg, JqzOrderBaseDlg)

BEGIN_MESSAGE_MAP(JqzStockDividendCalcDlg, JqzOrderBaseDlg)
  ON_WM_SIZE()
  ON_WM_DESTROY()
  ON_WM_TIMER()
  ON_CBN_SELCHANGE(IDC_COMBO_ACCOUNT, OnSelchangeComboAccount)
  ON_BN_CLICKED(IDC_BTN_QUERY_DIVIDEND, OnBtnQuery)
  ON_BN_CLICKED(IDC_RADIO_DIVIDEND_CALC, OnRadioCalc)
  ON_BN_CLICKED(IDC_RADIO_EX_DIVIDEND_STOCKS, OnRadioStocks)
END_MESSAGE_MAP()

namespace {

constexpr UINT_PTR kQueryLockTimer = 130;
constexpr COLORREF kNoteColor = RGB(255, 0, 0);

struct IntervalEntry {
  const char* key;
  const char* code;  // what the query sends for the entry's item data
};
// Item data is the index; the custom range (code "0") is the only one whose dates are checked.
constexpr IntervalEntry kIntervals[] = {
    {"IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI25", "1"},
    {"IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI28", "2"},
    {"IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI29", "3"},
    {"IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI30", "0"},
    {"IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI40", "4"},
};
constexpr int kIntervalAtStart = 4;

constexpr const char* kTypeKeys[] = {
    "IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI7",   // all: no type sent
    "IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI38",  // "1" cash dividends
    "IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI39",  // "2" stock dividends
};

// A picker's date as YYYYMMDD; every part -1 when it holds none.
CString strPickerDate(const CDateTimeCtrl& picker) {
  SYSTEMTIME st{};
  int year = -1, month = -1, day = -1;
  if (::IsWindow(picker.GetSafeHwnd()) && picker.GetTime(&st) == GDT_VALID) {
    year = st.wYear;
    month = st.wMonth;
    day = st.wDay;
  }
  CString text;
  text.Format("%4d%02d%02d", year, month, day);
  return text;
}

}  // namespace

JqzStockDividendCalcDlg::JqzStockDividendCalcDlg(CWnd* pParent)
    : JqzOrderBaseDlg(pParent), m_nQueryLockSeconds(2), m_nMode(1) {
  m_nQueryLockSeconds = static_cast<int>(
      ::GetPrivateProfileIntA("ORDER_SETTING", "BUTTON_DISABLE_TIME", 2, g_vGetOrderCfgFileName()));
}

JqzStockDividendCalcDlg::~JqzStockDividendCalcDlg() = default;

bool JqzStockDividendCalcDlg::bCreateDlg() { return QzCreateModuleDialog(*this, IDD_STOCK_DIVIDEND_CALC); }

void JqzStockDividendCalcDlg::DoDataExchange(CDataExchange* pDX) {
  CAutoDllResource module(QzGetStockExtInstance());
  JqzOrderBaseDlg::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_STATIC_ANCHOR, m_staticAnchor);
  DDX_Control(pDX, IDC_LIST_DIVIDEND, m_listResult);
  DDX_Control(pDX, IDC_STATIC_UPDATE_TIME, m_staticUpdateTime);
  DDX_Control(pDX, IDC_STATIC_NOTE_CALC, m_staticNoteCalc);
  DDX_Control(pDX, IDC_STATIC_NOTE_INVENTORY, m_staticNoteStocks);
  DDX_Control(pDX, IDC_COMBO_DIVIDEND_TYPE, m_comboType);
  DDX_Control(pDX, IDC_COMBO_INTERVAL, m_comboInterval);
  DDX_Control(pDX, IDC_DATE_START, m_dateStart);
  DDX_Control(pDX, IDC_DATE_END, m_dateEnd);
  DDX_Control(pDX, IDC_EDIT_CODE, m_editCode);
  DDX_Control(pDX, IDC_RADIO_DIVIDEND_CALC, m_radioCalc);
  DDX_Control(pDX, IDC_RADIO_EX_DIVIDEND_STOCKS, m_radioStocks);
}

BOOL JqzStockDividendCalcDlg::OnInitDialog() {
  CAutoDllResource module(QzGetStockExtInstance());
  JqzOrderBaseDlg::OnInitDialog();
  if (m_iDisplayStyle == 7) vChangeDlgCast();

  m_radioCalc.SetCheck(BST_CHECKED);
  m_radioStocks.SetCheck(BST_UNCHECKED);
  m_nMode = 1;

  const bool sortable = OrderBK_bGetClassView("JqzStockDividendCalcDlg", "TABLESORTVIEW",
                                              "TABLESORTVIEW", g_vGetOrderCfgFileName());
  vInitialStyle(m_listResult, 1, sortable ? 6 : 0, 1, nullptr);
  vListCtrlInitial();
  m_listResult.ModifyStyle(0, LVS_OWNERDRAWFIXED);
  m_listResult.m_bySendResetDatano = 1;

  m_vecAccount = m_pParentView ? m_pParentView->vGetAllAcountVec(false) : std::vector<AccountType>{};
  m_comboAccount.SetRedraw(FALSE);
  if (!bFillAccountSelector()) {
    m_comboAccount.AddString(s_LangGetLangString("IDS_ORDER-ITEM_STATUS_NOSTOCKACCOUNT"));
    m_comboAccount.SetItemData(0, 0);
    m_comboAccount.SetCurSel(0);
  }
  m_comboAccount.SetRedraw(TRUE);
  m_comboAccount.Invalidate();

  vFillTypeFilter();
  vFillIntervals();

  m_staticNoteCalc.SetWindowText(s_LangGetLangString("IDS_CTABSTOCKDIVIDENDCALC-STRING_STATIC_NOTE"));
  m_staticNoteStocks.SetWindowText(
      s_LangGetLangString("IDS_CTABSTOCKDIVIDENDCALC-STRING_STATIC_NOTE_DIVIDENDINVENTORY"));
  m_staticNoteCalc.SetTextColor(kNoteColor);
  m_staticNoteStocks.SetTextColor(kNoteColor);
  m_staticNoteCalc.ShowWindow(m_nMode == 1 ? SW_SHOW : SW_HIDE);
  m_staticNoteStocks.ShowWindow(m_nMode == 2 ? SW_SHOW : SW_HIDE);

  if (!m_pDlgTipMsg) {
    m_pDlgTipMsg = new CDlgTipMsg(this);
    m_pDlgTipMsg->Create(IDD_QZ_TIPMSG, nullptr);
    m_pDlgTipMsg->vSetInfo(
        nullptr, BKOrderInterface::LangGetLangString("IDS_CFOREIGNFUTURECTRLVIEW-STRING_ONINITIALUPDATE3"),
        RGB(0, 0, 0), RGB(0, 255, 0), static_cast<int>(uQueryLockMs()), true);
  }
  // No query here: the view asks for one once it has restored its settings.
  return TRUE;
}

// Empties the selector and, with accounts, fills it and selects the sync group's
// account; enables or disables selector and query button to match.
bool JqzStockDividendCalcDlg::bFillAccountSelector() {
  m_comboAccount.ResetContent();
  if (m_vecAccount.empty()) {
    m_comboAccount.EnableWindow(FALSE);
    vEnableQueryButton(false);
    return false;
  }
  if (m_pParentView && m_pParentView->m_bySelAccount == 1) m_comboAccount.EnableWindow(TRUE);
  vEnableQueryButton(true);
  for (size_t i = 0; i < m_vecAccount.size(); ++i) {
    CString name;
    vGetAccountDisplayName(m_vecAccount[i], name, false);
    const int index = m_comboAccount.AddString(name);
    m_comboAccount.SetItemData(index, static_cast<DWORD_PTR>(i));
  }
  int select = g_iGetSelectAccount(m_vecAccount, GetViewSyncType());
  if (select < 0 || select >= m_comboAccount.GetCount()) select = 0;
  m_comboAccount.SetCurSel(select);
  return true;
}

void JqzStockDividendCalcDlg::vFillTypeFilter() {
  m_comboType.ResetContent();
  for (size_t i = 0; i < std::size(kTypeKeys); ++i) {
    const int index = m_comboType.AddString(s_LangGetLangString(kTypeKeys[i]));
    m_comboType.SetItemData(index, static_cast<DWORD_PTR>(i));
  }
  m_comboType.SetCurSel(0);
}

void JqzStockDividendCalcDlg::vFillIntervals() {
  m_comboInterval.ResetContent();
  for (size_t i = 0; i < std::size(kIntervals); ++i) {
    const int index = m_comboInterval.AddString(s_LangGetLangString(kIntervals[i].key));
    m_comboInterval.SetItemData(index, static_cast<DWORD_PTR>(i));
  }
  for (int i = 0; i < m_comboInterval.GetCount(); ++i) {
    if (m_comboInterval.GetItemData(i) == static_cast<DWORD_PTR>(kIntervalAtStart)) {
      m_comboInterval.SetCurSel(i);
      break;
    }
  }
}

void JqzStockDividendCalcDlg::vReloadAccounts() {
  if (!::IsWindow(m_hWnd)) return;
  m_vecAccount = m_pParentView ? m_pParentView->vGetAllAcountVec(false) : std::vector<AccountType>{};
  m_comboAccount.SetRedraw(FALSE);
  const bool filled = bFillAccountSelector();
  m_comboAccount.SetRedraw(TRUE);
  m_comboAccount.Invalidate();
  if (!filled) return;
  vShowListDlgTipMsg(2, nullptr, 0, 5000);
  if (g_bSetActiveAccountData(&m_comboAccount, m_vecAccount, m_CurAccount))
    OBT_recvAccountChanged(m_CurAccount);
}

void JqzStockDividendCalcDlg::OnSelchangeComboAccount() {
  vShowListDlgTipMsg(2, nullptr, 0, 5000);
  if (g_bSetActiveAccountData(&m_comboAccount, m_vecAccount, m_CurAccount))
    OBT_recvAccountChanged(m_CurAccount);
  if (m_pParentView) m_pParentView->vSendChangeAccount(m_pParentView, m_pParentView->GetSyncType());
}

void JqzStockDividendCalcDlg::vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame) {
  if (!::IsWindow(m_hWnd)) return;
  if (account == m_CurAccount) {
    if (bRefreshIfSame) vQueryDividend();
    return;
  }
  CString name;
  vGetAccountDisplayName(account, name, false);
  const int index = m_comboAccount.FindStringExact(-1, name);
  if (index == CB_ERR) return;
  m_comboAccount.SetCurSel(index);
  vShowListDlgTipMsg(2, nullptr, 0, 5000);
  if (g_bSetActiveAccountData(&m_comboAccount, m_vecAccount, m_CurAccount))
    OBT_recvAccountChanged(m_CurAccount);
}

void JqzStockDividendCalcDlg::OBT_recvAccountChanged(AccountType account) {
  if (m_pParentView) m_pParentView->vSetActiveAccount(account);
  vRebuildResultList();
}

void JqzStockDividendCalcDlg::OnRadioCalc() { vSwitchMode(1); }

void JqzStockDividendCalcDlg::OnRadioStocks() { vSwitchMode(2); }

void JqzStockDividendCalcDlg::vSwitchMode(int nMode) {
  m_nMode = nMode;
  const bool calc = nMode == 1;
  m_radioCalc.SetCheck(calc ? BST_CHECKED : BST_UNCHECKED);
  m_radioStocks.SetCheck(calc ? BST_UNCHECKED : BST_CHECKED);
  // Holdings about to go ex-dividend know no type and no period; the code still filters.
  for (CWnd* w : std::initializer_list<CWnd*>{&m_comboType, &m_comboInterval, &m_dateStart, &m_dateEnd})
    w->EnableWindow(calc ? TRUE : FALSE);
  for (int id : {IDC_STATIC_CASH_DIVIDEND_CAPTION, IDC_STATIC_CASH_DIVIDEND}) {
    if (CWnd* w = GetDlgItem(id)) w->ShowWindow(calc ? SW_SHOW : SW_HIDE);
  }
  m_staticNoteCalc.ShowWindow(calc ? SW_SHOW : SW_HIDE);
  m_staticNoteStocks.ShowWindow(calc ? SW_HIDE : SW_SHOW);
  vRebuildResultList();
}

UINT JqzStockDividendCalcDlg::uQueryLockMs() const {
  // The file may hold anything: a negative time locks nothing, a huge one the longest
  // a timer can wait.
  const long long ms = static_cast<long long>(m_nQueryLockSeconds) * 1000;
  return static_cast<UINT>(std::clamp<long long>(ms, 0, INT_MAX));
}

void JqzStockDividendCalcDlg::vEnableQueryButton(bool bEnable) {
  // Without an account there is nothing to query, whatever unlocks the button.
  const bool on = bEnable && !m_vecAccount.empty();
  if (CWnd* button = GetDlgItem(IDC_BTN_QUERY_DIVIDEND)) button->EnableWindow(on ? TRUE : FALSE);
}

void JqzStockDividendCalcDlg::vSetUpdateTime() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  CString text;
  text.Format("%04d/%02d/%02d %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour,
              now.wMinute, now.wSecond);
  m_staticUpdateTime.SetWindowText("");
  m_staticUpdateTime.SetWindowText(text);
}

bool JqzStockDividendCalcDlg::bViewVisible() const {
  return m_pParentView && ::IsWindowVisible(m_pParentView->GetSafeHwnd());
}

void JqzStockDividendCalcDlg::OnBtnQuery() { vQueryDividend(); }

void JqzStockDividendCalcDlg::vQueryDividend() {
  if (!::IsWindow(m_hWnd)) return;
  const UINT lockMs = uQueryLockMs();
  vEnableQueryButton(false);
  SetTimer(kQueryLockTimer, lockMs, nullptr);
  vShowListDlgTipMsg(0, &m_listResult, 16, static_cast<int>(lockMs));

  vSetUpdateTime();
  m_listResult.DeleteAllItems();
  SetDlgItemText(IDC_STATIC_CASH_DIVIDEND, "");
  BeginWaitCursor();

  const int type = m_comboType.GetCurSel();
  m_CurAccount.m_strDividendType = type == 1 ? "1" : type == 2 ? "2" : "";

  CString mode;
  mode.Format("%s", g_cszNormalizDouble(static_cast<double>(m_nMode)).GetString());
  mode = g_cszNormalizCstring(mode);

  // Only single-byte letters change: a trail byte of a double-byte character may look
  // like a lower-case letter.
  CString code;
  m_editCode.GetWindowText(code);
  code.MakeUpper();

  const int selected = m_comboInterval.GetCurSel();
  const DWORD_PTR data = selected == CB_ERR ? static_cast<DWORD_PTR>(CB_ERR)
                                            : m_comboInterval.GetItemData(selected);
  const CString interval = data < std::size(kIntervals) ? kIntervals[data].code : "0";

  const CString start = strPickerDate(m_dateStart);
  const CString end = strPickerDate(m_dateEnd);
  if (interval == "0") {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    CString today;
    today.Format("%4d%02d%02d", now.wYear, now.wMonth, now.wDay);
    const char* refusal = nullptr;
    if (start.Compare(today) > 0 || end.Compare(today) > 0)
      refusal = "IDS_CTABHISTORYDEALQUERY-STRING_ONBTNQUERYHISTORY2";
    else if (start.Compare(end) > 0)
      refusal = "IDS_CTABHISTORYDEALQUERY-STRING_ONBTNQUERYHISTORY";
    if (refusal) {
      // The button stays locked until timer 130 fires.
      MessageBox(s_LangGetLangString(refusal), nullptr, MB_OK);
      EndWaitCursor();
      return;
    }
  }

  OrderBK_iQueryStockkDividendCalc(m_CurAccount, code, start + "," + end, interval, mode);
  m_editCode.SetWindowText("");
  EndWaitCursor();
}

void JqzStockDividendCalcDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kQueryLockTimer) {
    vEnableQueryButton(true);
    KillTimer(kQueryLockTimer);
    vShowListDlgTipMsg(3, &m_listResult, 16, static_cast<int>(uQueryLockMs()));
  }
  JqzOrderBaseDlg::OnTimer(nIDEvent);
}

bool JqzStockDividendCalcDlg::bIsForThisAccount(const OrderDataNotice& notice) const {
  return !m_CurAccount.m_strAccount.IsEmpty() && m_CurAccount.m_strAccount == notice.m_strAccount;
}

void JqzStockDividendCalcDlg::vRecvRefreshOrderData(int nNotifyCode, OrderDataNotice notice) {
  if (nNotifyCode != ORDERDATA_NOTIFY_DIVIDENDCALC || !bIsForThisAccount(notice) || !::IsWindow(m_hWnd))
    return;
  vEnableQueryButton(true);
  KillTimer(kQueryLockTimer);
  vSetUpdateTime();
  CBaseOrder_StockDividendCalc result;
  if (OrderBK_bGetStockDividendCalc(m_CurAccount, result)) {
    vShowListDlgTipMsg(2, nullptr, 0, 5000);
    vFillResultList();
  } else {
    vShowListDlgTipMsg(1, &m_listResult, 16, 5000);
  }
}

void JqzStockDividendCalcDlg::vRecvRefreshErrOrderData(int nNotifyCode, OrderDataNotice notice) {
  if (nNotifyCode != ORDERDATA_NOTIFY_DIVIDENDCALC || !bIsForThisAccount(notice) || !::IsWindow(m_hWnd))
    return;
  // The lock's timer keeps running: the button may have been unlocked early.
  vEnableQueryButton(true);
  vShowListDlgTipMsg(2, nullptr, 0, 5000);
  vFillResultList();
}

void JqzStockDividendCalcDlg::vRecvClearOrderData(int nNotifyCode, OrderDataNotice) {
  if (nNotifyCode != ORDERDATA_NOTIFY_DIVIDENDCALC || !::IsWindow(m_listResult.GetSafeHwnd())) return;
  m_listResult.DeleteAllItems();
}

void JqzStockDividendCalcDlg::vChangeCast(CFont* pFont) {
  if (!pFont || !::IsWindow(m_listResult.GetSafeHwnd())) return;
  m_listResult.SetFont(pFont, TRUE);
  vOBT_ChangeListCtrlColumnWidth(m_listResult);
}

void JqzStockDividendCalcDlg::vChangeDlgCast() {
  if (!::IsWindow(m_hWnd)) return;
  m_DlgFont.DeleteObject();
  if (!m_DlgFont.CreatePointFont(90, "Tahoma")) return;
  for (int id : {IDC_COMBO_ACCOUNT, IDC_BTN_QUERY_DIVIDEND}) {
    if (CWnd* w = GetDlgItem(id)) w->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_DlgFont.m_hObject), TRUE);
  }
}

void JqzStockDividendCalcDlg::OnSize(UINT nType, int cx, int cy) {
  JqzOrderBaseDlg::OnSize(nType, cx, cy);
  CAutoDllResource module(QzGetStockExtInstance());
  vResizeCtrl(&m_staticAnchor, m_pParentView, &m_listResult, 130, 30, 0, 0, false, false, nullptr,
              nullptr);
}

void JqzStockDividendCalcDlg::OnDestroy() {
  OrderBK_bSaveSyncTypeAccount(m_CurAccount, GetViewSyncType());
  JqzOrderBaseDlg::OnDestroy();
}

// ---- Results ------------------------------------------------------------------------------

void JqzStockDividendCalcDlg::vRebuildResultList() {
  if (!::IsWindow(m_listResult.GetSafeHwnd())) return;
  m_listResult.SetRedraw(FALSE);
  m_listResult.DeleteAllItems();
  qzdividend::vLoadSection(m_itemGroup, qzdividend::strSectionOf(m_nMode));
  qzdividend::vBuildColumns(m_listResult, m_itemGroup);
  vOBT_ChangeListCtrlColumnWidth(m_listResult);
  m_listResult.SetRedraw(TRUE);
  m_listResult.Invalidate();
  if (bViewVisible()) vQueryDividend();
}

void JqzStockDividendCalcDlg::vFillResultList() {
  if (!::IsWindow(m_listResult.GetSafeHwnd())) return;
  BeginWaitCursor();
  m_listResult.SetRedraw(FALSE);
  m_listResult.DeleteAllItems();
  CBaseOrder_StockDividendCalc result;
  if (!OrderBK_bGetStockDividendCalc(m_CurAccount, result)) {
    vShowListDlgTipMsg(1, &m_listResult, 16, 5000);
  } else {
    const qzdividend::DividendSums sums =
        qzdividend::vInsertRecordLines(m_listResult, m_itemGroup, result.m_vecRecords, m_nMode);
    if (m_nMode == 1) {
      // A total the back-end leaves at 0 is one it did not give.
      const double cash = result.m_dCashTotal != 0.0 ? result.m_dCashTotal : sums.dCash;
      const double stock = result.m_dStockTotal != 0.0 ? result.m_dStockTotal : sums.dStock;
      const CString cashText = "$ " + qzdividend::strTotalForm(cash);
      SetDlgItemText(IDC_STATIC_CASH_DIVIDEND, cashText);
      qzdividend::vInsertTotalsLines(m_listResult, cashText, qzdividend::strTotalForm(stock));
    }
  }
  m_listResult.SetRedraw(TRUE);
  m_listResult.Invalidate();
  vOBT_ChangeListCtrlColumnWidth(m_listResult);
  EndWaitCursor();
}
