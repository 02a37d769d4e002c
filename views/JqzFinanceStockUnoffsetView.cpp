#include "JqzFinanceStockUnoffsetView.h"

#include <BKOrderInterface.h>
#include <CSyncInfo.h>
#include <OrderBK.h>
#include <ViewDataHelpers.h>

#include "JqzFinanceStockUnoffsetDlg.h"
#include "JqzOrderStocksDlg.h"
#include "QzStockExtModule.h"
#include "ViewNotices.h"

IMPLEMENT_DYNCREATE(JqzFinanceStockUnoffsetView, JqzOrderBaseView)

BEGIN_MESSAGE_MAP(JqzFinanceStockUnoffsetView, JqzOrderBaseView)
  ON_WM_SIZE()
  ON_WM_DESTROY()
  ON_WM_SHOWWINDOW()
  ON_MESSAGE(WM_ORDER_LOGINSUCCESS, OnLoginSuccess)
  ON_MESSAGE(WM_ORDER_REFRESHDATA, OnRefreshOrderData)
  ON_MESSAGE(WM_ORDER_REFRESHDATA2, OnRefreshOrderData)
  ON_MESSAGE(WM_ORDER_LEFTTEMP, OnLeftTemp)
  ON_MESSAGE(WM_ORDER_CLEARDATA, OnClearOrderData)
  ON_MESSAGE(WM_ORDER_LOGOUT, OnLogout)
  ON_MESSAGE(WM_ORDER_REFRESHDATA3, OnRefreshOrderData)
  ON_MESSAGE(WM_ORDER_RELOADACCOUNT, OnReloadAccount)
  ON_MESSAGE(WM_ORDER_REFRESHDATA4, OnRefreshOrderData)
  ON_MESSAGE(WM_ORDER_REFRESHERRDATA, OnRefreshErrOrderData)
  ON_REGISTERED_MESSAGE(g_nQzMsgSendChangeAccount, OnChangeAccount)
END_MESSAGE_MAP()

namespace {
const char kViewName[] = "JqzFinanceStockUnoffsetView";
}  // namespace

JqzFinanceStockUnoffsetView::JqzFinanceStockUnoffsetView() : m_pDlg(nullptr), m_bMissedNotice(false) {
  m_strCaption = BKOrderInterface::LangGetLangString("IDS_ORDER-EXT-TAB_STOCK_UNOFFSET");
  m_iViewType = 9;
  m_iAccountType = 65;
}

// The host's base view deletes the hosted dialog with the view.
JqzFinanceStockUnoffsetView::~JqzFinanceStockUnoffsetView() = default;

void JqzFinanceStockUnoffsetView::OnInitialUpdate() {
  const int nNewDialog = static_cast<int>(::GetPrivateProfileIntA(
      "ORDER_SETTING", "USE_NEWSTOCKUNOFFSET", 0, g_vGetOrderCfgFileName()));
  // A retry after a failed creation starts from a fresh dialog object.
  qzviews::vDeleteHostedDlg(*this, m_pDlg);
  JqzFinanceBaseStockUnoffsetDlg* dlg = nullptr;
  if (nNewDialog == 1)
    dlg = new JqzOrderStocksDlg(this);
  else
    dlg = new JqzFinanceStockUnoffsetDlg(this);
  // Only a dialog with a window becomes the view's.
  if (!dlg->bCreateDlg()) {
    qzviews::vDeleteHostedDlg(*this, dlg);
    return;
  }
  m_pDlg = dlg;
  m_pBaseDlg = dlg;
  JqzOrderBaseView::OnSize(0, 0, 0);
  JqzOrderBaseView::OnInitialUpdate();
}

void JqzFinanceStockUnoffsetView::OnDraw(CDC* pDC) { JqzOrderBaseView::OnDraw(pDC); }

void JqzFinanceStockUnoffsetView::vRecvMultiSymbolMemoryRecovery(const CMultiSymbolMemoryInfo* pInfo) {
  if (m_pDlg) m_pDlg->vRecvMultiSymbolMemoryRecovery(pInfo);
}

int JqzFinanceStockUnoffsetView::SaveViewInfo(JqzCfgIO2* pCfg, const CString& strLayout,
                                              const int& nViewIndex, const int& nExtra) {
  qzviews::vSaveViewSettings(*this, kViewName, pCfg, strLayout, nViewIndex, nExtra);
  return 0;
}

int JqzFinanceStockUnoffsetView::InitialViewInfo(JqzCfgIO2* pCfg, const CString& strLayout,
                                                 const int& nViewIndex, const int& nExtra,
                                                 const CString& strTitle) {
  InitialViewBaseInfo(kViewName, pCfg, strLayout, nViewIndex, nExtra);
  if (m_pDlg && OrderBK_bIsSystemIDLogin()) {
    // The tab's title ends in the market it shows: "...(<short market name>)".
    const CString source = strTitle.IsEmpty() ? strLayout : strTitle;
    CString market;
    const int open = source.Find('(');
    if (open >= 0) {
      const int length = source.GetLength() - open - 2;
      if (length > 0) market = source.Mid(open + 1, length);
    }
    if (market == BKOrderInterface::LangGetLangString("IDS_ORDER-COMMON_STOCK_SHORT"))
      m_iAccountType = 65;
    else if (market == BKOrderInterface::LangGetLangString("IDS_ORDER-COMMON_FSTOCK_SHORT"))
      m_iAccountType = 51;
    m_pDlg->vReloadAccounts(m_iAccountType, true);
    m_pDlg->vRefreshData();
  }
  vChangeCast();
  return 0;
}

void JqzFinanceStockUnoffsetView::vChangeAccount(const CView* pSender, unsigned char bySyncType,
                                                 const AccountType& account) {
  if (!qzviews::bAcceptsAccountChange(*this, pSender, bySyncType)) return;
  vChangeDlgAccount(account, true);
}

void JqzFinanceStockUnoffsetView::vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame) {
  if (m_pDlg) m_pDlg->vChangeDlgAccount(account, bRefreshIfSame);
}

void JqzFinanceStockUnoffsetView::OnRefreahData() {
  if (m_pDlg) m_pDlg->vRefreshData();
}

void JqzFinanceStockUnoffsetView::vRefreshComboBox() {
  if (!m_pDlg) return;
  m_pDlg->vReloadAccounts(m_iAccountType, false);
  if (m_bySelAccount == 0 && ::IsWindow(m_pDlg->m_comboAccount.GetSafeHwnd()))
    m_pDlg->m_comboAccount.EnableWindow(FALSE);
}

LRESULT JqzFinanceStockUnoffsetView::OnLoginSuccess(WPARAM wParam, LPARAM lParam) {
  JqzOrderBaseView::OnLoginSuccess(wParam, lParam);
  if (m_pDlg) {
    m_pDlg->vReloadAccounts(m_iAccountType, true);
    m_pDlg->ShowWindow(SW_SHOW);
  } else {
    OnInitialUpdate();
  }
  return 0;
}

LRESULT JqzFinanceStockUnoffsetView::OnChangeAccount(WPARAM wParam, LPARAM lParam) {
  AccountType account;
  if (qzviews::bAccountChangeFor(*this, wParam, lParam, account)) vChangeDlgAccount(account, true);
  return 0;
}

void JqzFinanceStockUnoffsetView::OBT_recvRefreshOrderData(int, int) {}

void JqzFinanceStockUnoffsetView::vNoteHiddenNotice() {
  if (m_pDlg && !IsWindowVisible()) m_bMissedNotice = true;
}

void JqzFinanceStockUnoffsetView::OnShowWindow(BOOL bShow, UINT nStatus) {
  JqzOrderBaseView::OnShowWindow(bShow, nStatus);
  if (!bShow || !m_bMissedNotice || !m_pDlg) return;
  m_bMissedNotice = false;
  m_pDlg->vRefreshData();
}

LRESULT JqzFinanceStockUnoffsetView::OnRefreshOrderData(WPARAM wParam, LPARAM lParam) {
  vNoteHiddenNotice();
  return qzviews::lForwardNotice(*this, m_pDlg, &JqzFinanceBaseStockUnoffsetDlg::vRecvRefreshOrderData, wParam, lParam);
}

LRESULT JqzFinanceStockUnoffsetView::OnRefreshErrOrderData(WPARAM wParam, LPARAM lParam) {
  vNoteHiddenNotice();
  return qzviews::lForwardNotice(*this, m_pDlg, &JqzFinanceBaseStockUnoffsetDlg::vRecvRefreshErrOrderData, wParam, lParam);
}

LRESULT JqzFinanceStockUnoffsetView::OnClearOrderData(WPARAM, LPARAM) { return 0; }

LRESULT JqzFinanceStockUnoffsetView::OnReloadAccount(WPARAM, LPARAM) {
  if (m_pDlg) m_pDlg->vReloadAccounts(m_iAccountType, false);
  return 0;
}

void JqzFinanceStockUnoffsetView::vOpenOrderDlg(COrderPriceAgent agent) {
  CWnd* frame = CSyncInfo::GetSettingCFG().CApi_GetActiveFrameWnd();
  OrderBK_vSendOrderPriceAgent(frame, &agent, this);
  if (!frame || !::IsWindow(frame->GetSafeHwnd())) return;
  frame->SetFocus();
  frame->ShowWindow(frame->IsIconic() ? SW_SHOWMAXIMIZED : SW_SHOW);
  frame->UpdateWindow();
}
