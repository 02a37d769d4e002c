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

// The account of the view that sent "QZMSG_SENDCHANGEACCOUNT". A sender that is not
// a live host view is nobody's account: false.
bool bSenderAccount(LPARAM lParam, AccountType& account);

// A copy of the notice an order-data message points to; false for a null pointer.
bool bNoticeOf(LPARAM lParam, OrderDataNotice& notice);

// Notices go to the dialog only while the view is seen and has a dialog.
bool bForwardsNotices(const CWnd& view, const void* pDlg);

// The view's settings: the sync group's account in the back-end, the base settings
// under the view's name, and the "SimpleInformation" list (account kind, auxiliary
// integer). Failures leave nothing to undo and are not reported.
void vSaveViewSettings(JqzOrderBaseView& view, const char* pszViewName, JqzCfgIO2* pCfg,
                       const CString& strLayout, const int& nViewIndex, const int& nExtra);

}  // namespace qzviews
