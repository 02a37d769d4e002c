#include "JqzOrderBaseView.h"

#include "JqzCfgIO2.h"
#include "JqzOrderBaseDlg.h"
#include "OrderDataNotice.h"
#include "host/view_registry.h"

#include <climits>
#include <cstdlib>

IMPLEMENT_DYNAMIC(JqzOrderBaseView, JqzBaseView)

namespace {
const UINT g_nMsgSendChangeAccount = QzGetSendChangeAccountMessage();
}  // namespace

// The data messages 0x0482, 0x0478 and 0x0476 are not bound here: a view that wants
// them binds them in its own map.
BEGIN_MESSAGE_MAP(JqzOrderBaseView, JqzBaseView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_ORDER_LOGINSUCCESS, OnLoginSuccess)
  ON_MESSAGE(WM_ORDER_REFRESHDATA, OnRefreshOrderData)
  ON_MESSAGE(WM_ORDER_REFRESHERRDATA, OnRefreshErrOrderData)
  ON_MESSAGE(WM_ORDER_CLEARDATA, OnClearOrderData)
  ON_MESSAGE(WM_ORDER_LEFTTEMP, OnLeftTemp)
  ON_MESSAGE(WM_ORDER_LOGOUT, OnLogout)
  ON_REGISTERED_MESSAGE(g_nMsgSendChangeAccount, OnChangeAccount)
END_MESSAGE_MAP()

JqzOrderBaseView::JqzOrderBaseView() : m_pBaseDlg(nullptr) {}

JqzOrderBaseView::~JqzOrderBaseView() {
  JqzOrderBaseDlg* dlg = m_pBaseDlg;
  m_pBaseDlg = nullptr;
  delete dlg;
}

int JqzOrderBaseView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CView::OnCreate(lpCreateStruct) == -1) return -1;
  const host::ViewKind kind = m_iViewType == 9   ? host::ViewKind::kHoldings
                              : m_iViewType == 5 ? host::ViewKind::kDividend
                                                 : host::ViewKind::kOther;
  host::ViewHooks hooks;
  hooks.memoryRecovery = [this](const CMultiSymbolMemoryInfo* info) {
    vRecvMultiSymbolMemoryRecovery(info);
  };
  host::RegisterView(m_hWnd, kind, std::move(hooks));
  return 0;
}

void JqzOrderBaseView::OnDestroy() {
  host::UnregisterView(m_hWnd);
  CView::OnDestroy();
}

void JqzOrderBaseView::OnInitialUpdate() { CView::OnInitialUpdate(); }

void JqzOrderBaseView::OnDraw(CDC* pDC) { JqzBaseView::OnDraw(pDC); }

void JqzOrderBaseView::vChangeCast() {
  if (m_pBaseDlg && ::IsWindow(m_pBaseDlg->GetSafeHwnd())) m_pBaseDlg->vChangeCast(GetListFont());
}

void JqzOrderBaseView::OnSize(UINT nType, int cx, int cy) {
  (void)nType, (void)cx, (void)cy;
  if (!m_pBaseDlg || !::IsWindow(m_pBaseDlg->GetSafeHwnd()) || !::IsWindow(m_hWnd)) return;
  CRect client;
  GetClientRect(&client);
  m_pBaseDlg->MoveWindow(0, 0, client.Width(), client.Height(), TRUE);
}

JqzOrderBaseView* JqzOrderBaseView::FromViewPointer(const void* pView) {
  if (!pView) return nullptr;
  for (const host::RegisteredView& view : host::RegisteredViews()) {
    CWnd* wnd = CWnd::FromHandlePermanent(view.hwnd);
    if (static_cast<const void*>(wnd) == pView) return dynamic_cast<JqzOrderBaseView*>(wnd);
  }
  return nullptr;
}

// ---- Settings -------------------------------------------------------------------------

int JqzOrderBaseView::InitialViewBaseInfo(const CString& strViewName, JqzCfgIO2* pCfg,
                                          const CString& strLayout, const int& nViewIndex,
                                          const int& nExtra) {
  (void)nExtra;
  if (!pCfg) return 0;
  CString savedName;
  if (!pCfg->bGetViewValue(strLayout, nViewIndex, "View", savedName) || savedName != strViewName)
    return 0;
  // A value out of its range is damage, as a text that is no number: the default stays.
  auto intOf = [&](const char* key, int def, int lo, int hi) {
    const int n = pCfg->iGetViewInt(strLayout, nViewIndex, key, def);
    return n < lo || n > hi ? def : n;
  };
  m_bySyncType = static_cast<BYTE>(intOf("SyncType", m_bySyncType, 0, 255));
  m_bySelAccount = static_cast<BYTE>(intOf("SelectAccount", m_bySelAccount, 0, 255));
  m_bChange = static_cast<BYTE>(intOf("FollowChange", m_bChange, INT_MIN, INT_MAX) ? 1 : 0);
  m_iAccountType = intOf("AccountKind", m_iAccountType, 0, 255);
  m_iParam = intOf("Param", m_iParam, INT_MIN, INT_MAX);
  std::vector<CString> account;
  if (pCfg->bGetViewCommonInfo(strLayout, nViewIndex, "Account", account) && account.size() == 4) {
    char* end = nullptr;
    const long kind = std::strtol(account[3], &end, 10);
    if (!account[3].IsEmpty() && end && *end == '\0' && kind >= 0 && kind <= 255) {
      m_CurAccount.m_strBrokerID = account[0];
      m_CurAccount.m_strAccount = account[1];
      m_CurAccount.m_strSubAccount = account[2];
      m_CurAccount.m_nAccountType = static_cast<int>(kind);
    }
  }
  return 0;
}

int JqzOrderBaseView::SaveViewBaseInfo(const CString& strViewName, JqzCfgIO2* pCfg,
                                       const CString& strLayout, const int& nViewIndex,
                                       const int& nExtra) {
  if (!pCfg) return 0;
  auto text = [](int n) {
    CString s;
    s.Format("%d", n);
    return s;
  };
  pCfg->bSaveViewValue(strLayout, nViewIndex, "View", strViewName);
  pCfg->bSaveViewValue(strLayout, nViewIndex, "SyncType", text(m_bySyncType));
  pCfg->bSaveViewValue(strLayout, nViewIndex, "SelectAccount", text(m_bySelAccount));
  pCfg->bSaveViewValue(strLayout, nViewIndex, "FollowChange", text(m_bChange));
  pCfg->bSaveViewValue(strLayout, nViewIndex, "AccountKind", text(m_iAccountType));
  pCfg->bSaveViewValue(strLayout, nViewIndex, "Param", text(m_iParam));
  pCfg->bSaveViewValue(strLayout, nViewIndex, "Extra", text(nExtra));
  pCfg->SaveViewCommonInfo(strLayout, nViewIndex, "Account",
                           {m_CurAccount.m_strBrokerID, m_CurAccount.m_strAccount,
                            m_CurAccount.m_strSubAccount, text(m_CurAccount.m_nAccountType)});
  return 0;
}

// ---- Notices ----------------------------------------------------------------------------

void JqzOrderBaseView::vChangeAccount(const CView* pSender, unsigned char bySyncType,
                                      const AccountType& account) {
  if (pSender == this || bySyncType != m_bySyncType) return;
  if (m_bySyncType == 0 && !bGetChange()) return;
  vChangeDlgAccount(account, true);
}

void JqzOrderBaseView::vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame) {
  (void)bRefreshIfSame;
  vSetActiveAccount(account);
  if (m_pBaseDlg) m_pBaseDlg->vChangeActiveAccount(account);
}

void JqzOrderBaseView::OnRefreahData() {}

void JqzOrderBaseView::vRefreshComboBox() {
  if (m_bySelAccount == 0 && m_pBaseDlg && ::IsWindow(m_pBaseDlg->m_comboAccount.GetSafeHwnd()))
    m_pBaseDlg->m_comboAccount.EnableWindow(FALSE);
}

LRESULT JqzOrderBaseView::OnLoginSuccess(WPARAM wParam, LPARAM lParam) {
  (void)wParam, (void)lParam;
  if (m_pBaseDlg && ::IsWindow(m_pBaseDlg->GetSafeHwnd())) m_pBaseDlg->EnableWindow(TRUE);
  return 0;
}

LRESULT JqzOrderBaseView::OnChangeAccount(WPARAM wParam, LPARAM lParam) {
  auto* sender = reinterpret_cast<CView*>(lParam);
  if (sender == this || static_cast<BYTE>(wParam & 0xFF) != m_bySyncType) return 0;
  if (m_bySyncType == 0 && !bGetChange()) return 0;
  JqzOrderBaseView* from = FromViewPointer(sender);
  if (!from) return 0;
  AccountType account;
  from->vGetCurrAccount(account);
  vChangeDlgAccount(account, true);
  return 0;
}

void JqzOrderBaseView::OBT_recvRefreshOrderData(int nCode, int nValue) { (void)nCode, (void)nValue; }

LRESULT JqzOrderBaseView::OnRefreshOrderData(WPARAM wParam, LPARAM lParam) {
  (void)wParam, (void)lParam;
  return 0;
}

LRESULT JqzOrderBaseView::OnRefreshErrOrderData(WPARAM wParam, LPARAM lParam) {
  (void)wParam, (void)lParam;
  return 0;
}

LRESULT JqzOrderBaseView::OnClearOrderData(WPARAM wParam, LPARAM lParam) {
  (void)wParam, (void)lParam;
  return 0;
}

LRESULT JqzOrderBaseView::OnLeftTemp(WPARAM wParam, LPARAM lParam) {
  (void)wParam, (void)lParam;
  if (m_pBaseDlg && ::IsWindow(m_pBaseDlg->GetSafeHwnd())) m_pBaseDlg->EnableWindow(FALSE);
  return 0;
}

LRESULT JqzOrderBaseView::OnLogout(WPARAM wParam, LPARAM lParam) {
  (void)wParam, (void)lParam;
  m_CurAccount = AccountType();
  if (m_pBaseDlg && ::IsWindow(m_pBaseDlg->GetSafeHwnd())) m_pBaseDlg->ShowWindow(SW_HIDE);
  return 0;
}
