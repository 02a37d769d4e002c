#include "JqzBaseView.h"

#include <algorithm>

#include "CommonUtilities.h"
#include "OrderBK.h"
#include "host/environment.h"

IMPLEMENT_DYNAMIC(JqzBaseView, QzComVirtualBaseView)

UINT QzGetSendChangeAccountMessage() {
  static const UINT message = RegisterWindowMessageA("QZMSG_SENDCHANGEACCOUNT");
  return message;
}

JqzBaseView::JqzBaseView() : m_iAccountType(ACCOUNTTYPE_DOMESTIC_STOCK), m_iParam(0) {}
JqzBaseView::~JqzBaseView() = default;

void JqzBaseView::vSetActiveAccount(const AccountType& account) { m_CurAccount = account; }

void JqzBaseView::vSendChangeAccount(CView* pSender, BYTE bySyncType) {
  if (!pSender) pSender = this;
  AccountType account;
  if (auto* sender = dynamic_cast<JqzBaseView*>(pSender)) sender->vGetCurrAccount(account);
  if (bySyncType != 0 && !account.m_strAccount.IsEmpty())
    OrderBK_bSaveSyncTypeAccount(account, bySyncType);

  CFrameWnd* frame = pSender->GetParentFrame();
  if (!frame) return;
  // Copy the panes: a receiver may open or close views while it handles the notice.
  const std::vector<CView*> panes = frame->GetPanes();
  const HWND senderWnd = pSender->GetSafeHwnd();
  for (CView* pane : panes) {
    auto* view = dynamic_cast<QzComVirtualBaseView*>(pane);
    if (!view || view->GetSafeHwnd() == senderWnd || !::IsWindow(view->GetSafeHwnd())) continue;
    if (view->GetSyncType() != bySyncType) continue;
    view->SendMessage(QzGetSendChangeAccountMessage(), bySyncType,
                      reinterpret_cast<LPARAM>(pSender));
  }
}

std::vector<AccountType> JqzBaseView::vGetAllAcountVec(bool bAll) const {
  std::vector<AccountType> accounts;
  const auto& source = host::GetServices().accounts;
  if (!source) return accounts;
  for (const AccountType& a : source()) {
    if (!bAll && a.m_nAccountType != ACCOUNTTYPE_DOMESTIC_STOCK &&
        a.m_nAccountType != ACCOUNTTYPE_FOREIGN_STOCK)
      continue;
    accounts.push_back(a);
  }
  return accounts;
}

std::vector<AccountType> JqzBaseView::vInsertAllAcount() const {
  std::vector<AccountType> accounts = vGetAllAcountVec(false);
  std::vector<int> kinds;
  for (const AccountType& a : accounts)
    if (std::find(kinds.begin(), kinds.end(), a.m_nAccountType) == kinds.end())
      kinds.push_back(a.m_nAccountType);
  const CString all = s_LangGetLangString("IDS_ORDER-COMMON_ALL_ACCOUNT");
  for (int kind : kinds) {
    AccountType entry;
    entry.m_strAccount = all;
    entry.m_nAccountType = kind;
    accounts.push_back(entry);
  }
  return accounts;
}

std::vector<AccountType> JqzBaseView::vGetAllAccountByTradeType(int nTradeType) const {
  std::vector<AccountType> accounts;
  for (const AccountType& a : vGetAllAcountVec(false))
    if (a.m_nAccountType == nTradeType) accounts.push_back(a);
  return accounts;
}
