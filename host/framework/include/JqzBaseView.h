// JqzBaseView: a view that works for one account at a time, of one account kind.
// It tells the other views of its sync group when its account changes.
#pragma once

#include <vector>

#include "AccountType.h"
#include "QzComVirtualBaseView.h"

class JqzBaseView : public QzComVirtualBaseView {
  DECLARE_DYNAMIC(JqzBaseView)
 public:
  JqzBaseView();
  ~JqzBaseView() override;

  void vGetCurrAccount(AccountType& account) const { account = m_CurAccount; }
  void vSetActiveAccount(const AccountType& account);
  // Sends the registered "QZMSG_SENDCHANGEACCOUNT" (wParam the group, lParam the
  // sending view) to every other view of the sender's frame that is in the group, and
  // remembers the sender's account as the group's account in the back-end (groups
  // above 0).
  void vSendChangeAccount(CView* pSender, BYTE bySyncType);

  // The login's accounts: with bAll every account, else the securities accounts
  // (domestic and foreign).
  std::vector<AccountType> vGetAllAcountVec(bool bAll) const;
  // vGetAllAcountVec(false) followed by one all-accounts entry per account kind
  // present, in the order the kinds first appear. An entry's account number is the
  // text of "IDS_ORDER-COMMON_ALL_ACCOUNT"; its kind is the kind it stands for.
  std::vector<AccountType> vInsertAllAcount() const;
  // The securities accounts of one kind.
  std::vector<AccountType> vGetAllAccountByTradeType(int nTradeType) const;

  int m_iAccountType;       // account kind (65 domestic, 51 foreign securities)
  int m_iParam;             // auxiliary integer, saved with the view
  AccountType m_CurAccount;  // current account
};

// The registered account-change message; the same number in every library.
UINT QzGetSendChangeAccountMessage();
