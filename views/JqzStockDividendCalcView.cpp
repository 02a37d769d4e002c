#include "JqzStockDividendCalcView.h"

#include <CommonUtilities.h>
#include <OrderBK.h>

#include "JqzStockDividendCalcDlg.h"
#include "QzStockExtModule.h"
#include "ViewNotices.h"

IMPLEMENT_DYNCREATE(JqzStockDividendCalcView, JqzOrderBaseView)

// 0x0482, 0x0478 and 0x0476 are left to the host's base view: this view does not
// pass them on.
BEGIN_MESSAGE_MAP(JqzStockDividendCalcView, JqzOrderBaseView)
  ON_WM_SIZE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_ORDER_LOGINSUCCESS, OnLoginSuccess)
  ON_MESSAGE(WM_ORDER_REFRESHDATA, OnRefreshOrderData)
  ON_MESSAGE(WM_ORDER_LEFTTEMP, OnLeftTemp)
  ON_MESSAGE(WM_ORDER_CLEARDATA, OnClearOrderData)
  ON_MESSAGE(WM_ORDER_LOGOUT, OnLogout)
  ON_MESSAGE(WM_ORDER_RELOADACCOUNT, OnReloadAccount)
  ON_MESSAGE(WM_ORDER_REFRESHERRDATA, OnRefreshErrOrderData)
  ON_REGISTERED_MESSAGE(g_nQzMsgSendChangeAccount, OnChangeAccount)
END_MESSAGE_MAP()

namespace {
const char kViewName[] = "JqzStockDividendCalcView";
}  // namespace

JqzStockDividendCalcView::JqzStockDividendCalcView() : m_pDlg(nullptr) {
  m_strCaption = s_LangGetLangString("IDS_ORDER-EXT-TAB_DIVIDEND_CALC");
  m_iViewType = 5;
}

// The host's base view deletes the hosted dialog with the view.
JqzStockDividendCalcView::~JqzStockDividendCalcView() = default;

void JqzStockDividendCalcView::OnInitialUpdate() {
  qzviews::vDeleteHostedDlg(*this, m_pDlg);
  // Attached before its window exists, so that what its creation sends already finds it.
  m_pDlg = new JqzStockDividendCalcDlg(this);
  m_pBaseDlg = m_pDlg;
  if (!m_pDlg->bCreateDlg()) {
    // A dialog without a window could hear nothing; the next login tries again.
    qzviews::vDeleteHostedDlg(*this, m_pDlg);
    return;
  }
  JqzOrderBaseView::OnSize(0, 0, 0);
  if (m_bySelAccount == 0 && ::IsWindow(m_pDlg->m_comboAccount.GetSafeHwnd()))
    m_pDlg->m_comboAccount.EnableWindow(FALSE);
  JqzOrderBaseView::OnInitialUpdate();
}

void JqzStockDividendCalcView::OnDraw(CDC* pDC) { JqzOrderBaseView::OnDraw(pDC); }

int JqzStockDividendCalcView::SaveViewInfo(JqzCfgIO2* pCfg, const CString& strLayout,
                                           const int& nViewIndex, const int& nExtra) {
  qzviews::vSaveViewSettings(*this, kViewName, pCfg, strLayout, nViewIndex, nExtra);
  return 0;
}

int JqzStockDividendCalcView::InitialViewInfo(JqzCfgIO2* pCfg, const CString& strLayout,
                                              const int& nViewIndex, const int& nExtra,
                                              const CString&) {
  InitialViewBaseInfo(kViewName, pCfg, strLayout, nViewIndex, nExtra);
  if (m_pDlg && OrderBK_bIsSystemIDLogin()) {
    m_pDlg->vReloadAccounts();
    m_pDlg->vQueryDividend();
  }
  vChangeCast();
  return 0;
}

void JqzStockDividendCalcView::vChangeAccount(const CView* pSender, unsigned char bySyncType,
                                              const AccountType& account) {
  if (!qzviews::bAcceptsAccountChange(*this, pSender, bySyncType)) return;
  vChangeDlgAccount(account, false);
}

void JqzStockDividendCalcView::vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame) {
  if (m_pDlg) m_pDlg->vChangeDlgAccount(account, bRefreshIfSame);
}

void JqzStockDividendCalcView::vRefreshComboBox() {
  if (!m_pDlg) return;
  m_pDlg->vReloadAccounts();
  if (m_bySelAccount == 0 && ::IsWindow(m_pDlg->m_comboAccount.GetSafeHwnd()))
    m_pDlg->m_comboAccount.EnableWindow(FALSE);
}

LRESULT JqzStockDividendCalcView::OnLoginSuccess(WPARAM wParam, LPARAM lParam) {
  JqzOrderBaseView::OnLoginSuccess(wParam, lParam);
  if (m_pDlg) {
    m_pDlg->vReloadAccounts();
    m_pDlg->ShowWindow(SW_SHOW);
  } else {
    OnInitialUpdate();
  }
  return 0;
}

LRESULT JqzStockDividendCalcView::OnChangeAccount(WPARAM wParam, LPARAM lParam) {
  AccountType account;
  if (qzviews::bAccountChangeFor(*this, wParam, lParam, account)) vChangeDlgAccount(account, false);
  return 0;
}

void JqzStockDividendCalcView::OBT_recvRefreshOrderData(int, int) {}

LRESULT JqzStockDividendCalcView::OnRefreshOrderData(WPARAM wParam, LPARAM lParam) {
  return qzviews::lForwardNotice(*this, m_pDlg, &JqzStockDividendCalcDlg::vRecvRefreshOrderData, wParam, lParam);
}

LRESULT JqzStockDividendCalcView::OnRefreshErrOrderData(WPARAM wParam, LPARAM lParam) {
  return qzviews::lForwardNotice(*this, m_pDlg, &JqzStockDividendCalcDlg::vRecvRefreshErrOrderData, wParam, lParam);
}

LRESULT JqzStockDividendCalcView::OnClearOrderData(WPARAM wParam, LPARAM lParam) {
  return qzviews::lForwardNotice(*this, m_pDlg, &JqzStockDividendCalcDlg::vRecvClearOrderData, wParam, lParam);
}

LRESULT JqzStockDividendCalcView::OnReloadAccount(WPARAM, LPARAM) {
  if (m_pDlg) m_pDlg->vReloadAccounts();
  return 0;
}
