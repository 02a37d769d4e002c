#include "JqzOrderBaseDlg.h"

#include <algorithm>

#include "CBaseOrder_OrderInfo.h"
#include "CDlgTipMsg.h"
#include "CListCtrlEx.h"
#include "CommonUtilities.h"
#include "JqzOrderBaseView.h"
#include "ViewDataHelpers.h"
#include "host/list_columns.h"

namespace {

constexpr int kAccountSelectorId = 2183;
// Tip colours (COLORREF): dark text on a pale yellow note.
constexpr COLORREF kTipText = RGB(0, 0, 0);
constexpr COLORREF kTipAlert = RGB(192, 0, 0);
constexpr COLORREF kTipBack = RGB(255, 255, 225);

QzOrderSetting& setting() {
  static QzOrderSetting s;
  return s;
}
bool& settingLoaded() {
  static bool loaded = false;
  return loaded;
}

}  // namespace

QzOrderSetting* QzGetOrderSetting() {
  if (!settingLoaded()) QzReloadOrderSetting();
  return &setting();
}

void QzReloadOrderSetting() {
  const CString file = g_vGetOrderCfgFileName();
  setting().m_byConfirmOrder =
      GetPrivateProfileIntA("ORDER_SETTING", "CONFIRM_ORDER", 1, file) != 0 ? 1 : 0;
  setting().m_byShowOrderOK =
      GetPrivateProfileIntA("ORDER_SETTING", "SHOW_ORDER_OK", 1, file) != 0 ? 1 : 0;
  settingLoaded() = true;
}

IMPLEMENT_DYNAMIC(JqzOrderBaseDlg, CDialog)

BEGIN_MESSAGE_MAP(JqzOrderBaseDlg, CDialog)
  ON_WM_DESTROY()
  ON_CBN_SETFOCUS(kAccountSelectorId, OnSetfocusComboAccount)
  ON_CBN_KILLFOCUS(kAccountSelectorId, OnKillfocusComboAccount)
END_MESSAGE_MAP()

JqzOrderBaseDlg::JqzOrderBaseDlg(CWnd* pParent)
    : m_pParentView(dynamic_cast<JqzOrderBaseView*>(pParent)),
      m_iDisplayStyle(0),
      m_pOrderSetting(QzGetOrderSetting()),
      m_pDlgTipMsg(nullptr),
      m_pStyleList(nullptr),
      m_nStyleSelect(0),
      m_nStyleSort(0),
      m_nStyleLines(0),
      m_pStyleFont(nullptr),
      m_nComboSelOnFocus(-1) {
  m_pParentWnd = pParent;
}

JqzOrderBaseDlg::~JqzOrderBaseDlg() {
  if (m_pDlgTipMsg) {
    if (::IsWindow(m_pDlgTipMsg->GetSafeHwnd())) m_pDlgTipMsg->DestroyWindow();
    delete m_pDlgTipMsg;
  }
}

// ---- Virtual operations ------------------------------------------------------------------

BOOL JqzOrderBaseDlg::bCreate(UINT nIDTemplate, CWnd* pParent) {
  return Create(nIDTemplate, pParent ? pParent : m_pParentWnd);
}

void JqzOrderBaseDlg::vSetActiveAccount(const AccountType& account) {
  m_CurAccount = account;
  if (m_pParentView) m_pParentView->vSetActiveAccount(account);
}

int JqzOrderBaseDlg::nGetOrderSide() { return 0; }

void JqzOrderBaseDlg::vChangeDisplayStyle(int nStyle) {
  vSetDisplayStyle(nStyle);
  if (nStyle == 7 && ::IsWindow(m_hWnd)) vChangeDlgCast();
}

void JqzOrderBaseDlg::vSetDisplayStyle(int nStyle) { m_iDisplayStyle = nStyle; }
void JqzOrderBaseDlg::vSetViewByODI(CBaseOrder_OrderInfo* pOrder) { (void)pOrder; }
bool JqzOrderBaseDlg::bCheckTradeMonth(const CString& strMonth) { return strMonth.IsEmpty(); }
bool JqzOrderBaseDlg::bCheckTradeCommodity(const CString& strCommodity) {
  return !strCommodity.IsEmpty();
}
void JqzOrderBaseDlg::vSetOrderTypeForInsert(int nOrderType) { (void)nOrderType; }
bool JqzOrderBaseDlg::bBuildODOI(CBaseOrder_OrderInfo* pOrder) { return pOrder != nullptr; }
void JqzOrderBaseDlg::vFillCRDB() {}

void JqzOrderBaseDlg::OBT_recvAccountChanged(AccountType account) { vSetActiveAccount(account); }

void JqzOrderBaseDlg::vChangeCast(CFont* pFont) {
  if (pFont && m_pStyleList && ::IsWindow(m_pStyleList->GetSafeHwnd())) {
    m_pStyleList->SetFont(pFont, TRUE);
    vOBT_ChangeListCtrlColumnWidth(*m_pStyleList);
  }
}

void JqzOrderBaseDlg::vItemDisplayChange() {}

void JqzOrderBaseDlg::vChangeDlgCast() {
  if (!::IsWindow(m_hWnd)) return;
  m_DlgFont.DeleteObject();
  if (!m_DlgFont.CreatePointFont(90, "Tahoma")) return;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(m_DlgFont.m_hObject), TRUE);
}

void JqzOrderBaseDlg::vChangeActiveAccount(const AccountType& account) {
  if (::IsWindow(m_comboAccount.GetSafeHwnd())) {
    CString name;
    vGetAccountDisplayName(account, name, false);
    const int index = m_comboAccount.FindStringExact(-1, name);
    if (index == CB_ERR) return;
    m_comboAccount.SetCurSel(index);
  }
  OBT_recvAccountChanged(account);
}

// ---- Dialog ---------------------------------------------------------------------------------

void JqzOrderBaseDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  if (::GetDlgItem(m_hWnd, kAccountSelectorId) && !m_comboAccount.GetSafeHwnd())
    DDX_Control(pDX, kAccountSelectorId, m_comboAccount);
}

BOOL JqzOrderBaseDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_iDisplayStyle == 7) vChangeDlgCast();
  return TRUE;
}

BOOL JqzOrderBaseDlg::PreTranslateMessage(MSG* pMsg) { return CDialog::PreTranslateMessage(pMsg); }

void JqzOrderBaseDlg::OnOK() {
  if (!(GetStyle() & WS_CHILD)) CDialog::OnOK();
}

void JqzOrderBaseDlg::OnCancel() {
  if (!(GetStyle() & WS_CHILD)) CDialog::OnCancel();
}

void JqzOrderBaseDlg::OnDestroy() {
  if (m_pDlgTipMsg && ::IsWindow(m_pDlgTipMsg->GetSafeHwnd())) m_pDlgTipMsg->DestroyWindow();
  CDialog::OnDestroy();
}

void JqzOrderBaseDlg::OnSetfocusComboAccount() {
  m_nComboSelOnFocus = m_comboAccount.GetSafeHwnd() ? m_comboAccount.GetCurSel() : -1;
}

void JqzOrderBaseDlg::OnKillfocusComboAccount() {
  // Leaving the selector without a choice keeps the account it showed.
  if (!m_comboAccount.GetSafeHwnd()) return;
  if (m_comboAccount.GetCurSel() == CB_ERR && m_nComboSelOnFocus >= 0 &&
      m_nComboSelOnFocus < m_comboAccount.GetCount())
    m_comboAccount.SetCurSel(m_nComboSelOnFocus);
}

// ---- Helpers ----------------------------------------------------------------------------------

void JqzOrderBaseDlg::vShowListDlgTipMsg(int nKind, CWnd* pAnchor, int nTop, int nMilliseconds) {
  if (nKind < 0 || nKind > 3) return;
  if (nKind == 2) {
    if (m_pDlgTipMsg && ::IsWindow(m_pDlgTipMsg->GetSafeHwnd())) m_pDlgTipMsg->vHide();
    return;
  }
  if (!m_pDlgTipMsg) m_pDlgTipMsg = new CDlgTipMsg(this);
  if (!::IsWindow(m_pDlgTipMsg->GetSafeHwnd()) && !m_pDlgTipMsg->Create(IDD_QZ_TIPMSG, nullptr))
    return;
  const char* text = nKind == 0   ? "資料查詢中，請稍候..."
                     : nKind == 1 ? "查無資料"
                                  : "查詢未回覆，可再次查詢";
  const int ms = nMilliseconds > 0 ? nMilliseconds : 5000;
  m_pDlgTipMsg->vSetInfo(pAnchor, text, nKind == 1 ? kTipAlert : kTipText, kTipBack, ms, true);
  m_pDlgTipMsg->vSetKind(nKind);
  m_pDlgTipMsg->vShow(pAnchor ? pAnchor : this, 0, std::max(nTop, 0), true);
}

void JqzOrderBaseDlg::vGetAccountDisplayName(const AccountType& account, CString& strName,
                                             bool bWithKind) const {
  const CString kind = s_LangGetLangString(account.m_nAccountType == ACCOUNTTYPE_FOREIGN_STOCK
                                               ? "IDS_ORDER-COMMON_FSTOCK_SHORT"
                                               : "IDS_ORDER-COMMON_STOCK_SHORT");
  const CString all = s_LangGetLangString("IDS_ORDER-COMMON_ALL_ACCOUNT");
  strName.Empty();
  if (!all.IsEmpty() && account.m_strAccount == all && account.m_strBrokerID.IsEmpty()) {
    strName.Format("%s(%s)", all.GetString(), kind.GetString());
    return;
  }
  if (bWithKind) strName.Format("(%s)", kind.GetString());
  strName += account.m_strAccount;
  if (!account.m_strSubAccount.IsEmpty()) strName += "-" + account.m_strSubAccount;
  if (!account.m_strName.IsEmpty()) strName += " " + account.m_strName;
}

BYTE JqzOrderBaseDlg::GetViewSyncType() const {
  return m_pParentView ? m_pParentView->GetSyncType() : 0;
}

void JqzOrderBaseDlg::vInitialStyle(CListCtrlEx& list, int nSelect, int nSort, int nLines,
                                    CFont* pFont) {
  m_pStyleList = &list;
  m_nStyleSelect = nSelect;
  m_nStyleSort = nSort;
  m_nStyleLines = nLines;
  m_pStyleFont = pFont;
}

void JqzOrderBaseDlg::vInitialStyle(CListCtrlEx* pList, int nSelect, int nSort, int nLines,
                                    CFont* pFont) {
  if (pList) vInitialStyle(*pList, nSelect, nSort, nLines, pFont);
}

void JqzOrderBaseDlg::vListCtrlInitial() {
  CListCtrlEx* list = m_pStyleList;
  if (!list || !::IsWindow(list->GetSafeHwnd())) return;
  DWORD ex = list->GetExtendedStyle();
  if (m_nStyleSelect == 1) ex |= LVS_EX_FULLROWSELECT;
  if (m_nStyleLines >= 1) ex |= LVS_EX_GRIDLINES;
  list->SetExtendedStyle(ex);
  list->SetAlternateColor(m_nStyleLines == 2 ? RGB(240, 245, 255) : 0);
  list->EnableSort(m_nStyleSort == 6);
  CFont* font = m_pStyleFont;
  if (!font && m_pParentView) font = m_pParentView->GetListFont();
  if (font) list->SetFont(font, TRUE);
}

void JqzOrderBaseDlg::vOBT_ChangeListCtrlColumnWidth(CListCtrl& list) {
  if (!::IsWindow(list.GetSafeHwnd())) return;
  const int columns = host::ListColumnCount(list);
  for (int i = 0; i < columns; ++i) {
    list.SetColumnWidth(i, LVSCW_AUTOSIZE_USEHEADER);
    const int wanted = m_itemGroup.wGetDisplayWidth(i);
    if (i < m_itemGroup.iGetDisplayItemTitleCount() && list.GetColumnWidth(i) < wanted)
      list.SetColumnWidth(i, wanted);
  }
}

void JqzOrderBaseDlg::vOBT_ChangeListCtrlColumnWidth(CListCtrl* pList) {
  if (pList) vOBT_ChangeListCtrlColumnWidth(*pList);
}

void JqzOrderBaseDlg::vResizeCtrl(CWnd* pAnchor, CWnd* pView, CWnd* pList, int nTop, int nRight,
                                  int nLeft, int nBottom, bool bKeepWidth, bool bKeepHeight,
                                  CWnd* pExtra1, CWnd* pExtra2) {
  if (!pView || !::IsWindow(pView->GetSafeHwnd()) || !::IsWindow(m_hWnd)) return;
  CRect client;
  pView->GetClientRect(&client);
  if (GetParent() == pView) MoveWindow(0, 0, client.Width(), client.Height(), TRUE);
  const int margin = O_iDlgCalTransDevScale(2);
  const int top = O_iDlgCalTransDevScale(nTop);
  const int left = O_iDlgCalTransDevScale(nLeft) + margin;
  const int bottom = O_iDlgCalTransDevScale(nBottom) + margin;
  if (pList && ::IsWindow(pList->GetSafeHwnd())) {
    CRect now;
    pList->GetWindowRect(&now);
    const int width = bKeepWidth ? now.Width() : std::max(0, client.Width() - left - margin);
    const int height = bKeepHeight ? now.Height() : std::max(0, client.Height() - top - bottom);
    pList->MoveWindow(left, top, width, height, TRUE);
  }
  for (CWnd* w : {pAnchor, pExtra1, pExtra2}) {
    if (!w || !::IsWindow(w->GetSafeHwnd())) continue;
    CRect r;
    w->GetWindowRect(&r);
    ScreenToClient(&r);
    const int x = std::max(0, client.Width() - O_iDlgCalTransDevScale(nRight) - r.Width());
    w->MoveWindow(x, r.top, r.Width(), r.Height(), TRUE);
  }
}

int JqzOrderBaseDlg::O_iDlgCalTransDevScale(int nLength) const {
  HDC dc = ::GetDC(nullptr);
  int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ::ReleaseDC(nullptr, dc);
  if (dpi <= 0) dpi = 96;
  return ::MulDiv(nLength, dpi, 96);
}
