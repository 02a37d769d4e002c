// What the two views share in hearing the host: the account-change rule of a sync
// group, the order-data notice a message carries, and the settings they save.
#pragma once

#include <AccountType.h>
#include <JqzOrderBaseView.h>
#include <OrderDataNotice.h>

class JqzCfgIO2;

namespace qzviews {

// An account change reaches a view when another view sent it in the view's own sync
// group; a view outside any group (0) follows only while it asks to.
bool bAcceptsAccountChange(const JqzOrderBaseView& view, const CView* pSender, BYTE bySyncType);

// "QZMSG_SENDCHANGEACCOUNT" (wParam the group, lParam the sending view) for this view:
// true with the sender's account when the rule above lets it through and the sender is
// a live host view (a null or foreign pointer is nobody's account).
bool bAccountChangeFor(const JqzOrderBaseView& view, WPARAM wParam, LPARAM lParam,
                       AccountType& account);

// A copy of the notice an order-data message points to; false for a null pointer.
bool bNoticeOf(LPARAM lParam, OrderDataNotice& notice);

// Notices go to the dialog only while the view is seen and has a dialog.
bool bForwardsNotices(const CWnd& view, const void* pDlg);

// An order-data message handed to one of the dialog's notice operations, with the
// message's code and a copy of its notice, when the view forwards notices. Result 0.
template <class TDlg>
LRESULT lForwardNotice(const CWnd& view, TDlg* pDlg, void (TDlg::*pfnRecv)(int, OrderDataNotice),
                       WPARAM wParam, LPARAM lParam) {
  OrderDataNotice notice;
  if (bForwardsNotices(view, pDlg) && bNoticeOf(lParam, notice))
    (pDlg->*pfnRecv)(static_cast<int>(wParam), notice);
  return 0;
}

// Takes the view's dialog away (window and object); the host's base view no longer
// points at it.
template <class TDlg>
void vDeleteHostedDlg(JqzOrderBaseView& view, TDlg*& pDlg) {
  if (view.m_pBaseDlg == pDlg) view.m_pBaseDlg = nullptr;
  if (pDlg && ::IsWindow(pDlg->GetSafeHwnd())) pDlg->DestroyWindow();
  delete pDlg;
  pDlg = nullptr;
}

// The view's settings: the sync group's account in the back-end, the base settings
// under the view's name, and the "SimpleInformation" list (account kind, auxiliary
// integer). Failures leave nothing to undo and are not reported.
void vSaveViewSettings(JqzOrderBaseView& view, const char* pszViewName, JqzCfgIO2* pCfg,
                       const CString& strLayout, const int& nViewIndex, const int& nExtra);

}  // namespace qzviews
