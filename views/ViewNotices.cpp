#include "ViewNotices.h"

#include <JqzCfgIO2.h>
#include <OrderBK.h>

#include <vector>

namespace qzviews {

bool bAcceptsAccountChange(const JqzOrderBaseView& view, const CView* pSender, BYTE bySyncType) {
  if (pSender == &view || bySyncType != view.GetSyncType()) return false;
  return view.GetSyncType() != 0 || view.bGetChange();
}

bool bAccountChangeFor(const JqzOrderBaseView& view, WPARAM wParam, LPARAM lParam,
                       AccountType& account) {
  const auto* pSender = reinterpret_cast<const CView*>(lParam);
  if (!bAcceptsAccountChange(view, pSender, static_cast<BYTE>(wParam & 0xFF))) return false;
  // The message may come from anywhere: only a pointer the host knows as a live view
  // is followed.
  JqzOrderBaseView* sender = JqzOrderBaseView::FromViewPointer(pSender);
  if (!sender) return false;
  account = AccountType();
  sender->vGetCurrAccount(account);
  return true;
}

bool bNoticeOf(LPARAM lParam, OrderDataNotice& notice) {
  const auto* sent = reinterpret_cast<const OrderDataNotice*>(lParam);
  if (!sent) return false;
  notice = *sent;
  return true;
}

bool bForwardsNotices(const CWnd& view, const void* pDlg) {
  return pDlg && ::IsWindowVisible(view.GetSafeHwnd());
}

void vSaveViewSettings(JqzOrderBaseView& view, const char* pszViewName, JqzCfgIO2* pCfg,
                       const CString& strLayout, const int& nViewIndex, const int& nExtra) {
  AccountType account;
  view.vGetCurrAccount(account);
  OrderBK_bSaveSyncTypeAccount(account, view.GetSyncType());
  view.SaveViewBaseInfo(pszViewName, pCfg, strLayout, nViewIndex, nExtra);
  if (!pCfg) return;
  CString kind, param;
  kind.Format("%d", view.m_iAccountType);
  param.Format("%d", view.m_iParam);
  pCfg->SaveViewCommonInfo(strLayout, nViewIndex, "SimpleInformation", std::vector<CString>{kind, param});
}

}  // namespace qzviews
