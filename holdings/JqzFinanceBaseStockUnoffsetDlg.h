// JqzFinanceBaseStockUnoffsetDlg: what the stock holdings view asks of the dialog it
// hosts. Both holdings dialogs derive from it; each operation does nothing here, so a
// dialog overrides only what it needs. The host's initialisation and data exchange
// run with this module's resources selected.
#pragma once

#include <JqzOrderBaseDlg.h>
#include <OrderDataNotice.h>

class CMultiSymbolMemoryInfo;

class JqzFinanceBaseStockUnoffsetDlg : public JqzOrderBaseDlg {
  DECLARE_DYNAMIC(JqzFinanceBaseStockUnoffsetDlg)
 public:
  explicit JqzFinanceBaseStockUnoffsetDlg(CWnd* pParent);
  ~JqzFinanceBaseStockUnoffsetDlg() override;

  // Creates the dialog window as a child of the view and shows it.
  virtual bool bCreateDlg();
  // Refills the account selector; selects the first account of nAccountKind when
  // bSelectByKind, else the sync group's account; makes the selection active.
  virtual void vReloadAccounts(int nAccountKind, bool bSelectByKind);
  virtual void vRecvRefreshOrderData(int nNotifyCode, OrderDataNotice notice);
  virtual void vRecvRefreshErrOrderData(int nNotifyCode, OrderDataNotice notice);
  // Switches to the account; the active one again is queried again only when
  // bRefreshIfSame.
  virtual void vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame);
  // Queries the active account again.
  virtual void vRefreshData();
  virtual void vRecvMultiSymbolMemoryRecovery(const CMultiSymbolMemoryInfo* pInfo);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  // The back-end refused an order: its text (or a plain failure when it gave none), or for
  // a certificate that does not match the question whether to open certificate management
  // for the order's account.
  void vShowOrderRefusal(const CString& strMessage, const AccountType& account);

  DECLARE_MESSAGE_MAP()
};

// Marks an order flow as running for as long as it is in scope: a press that arrives while
// the flow waits in one of its dialogs or message boxes would send the same orders again.
class OrderFlowBusy {
 public:
  explicit OrderFlowBusy(bool& flag) : m_flag(flag) { m_flag = true; }
  ~OrderFlowBusy() { m_flag = false; }
  OrderFlowBusy(const OrderFlowBusy&) = delete;
  OrderFlowBusy& operator=(const OrderFlowBusy&) = delete;

 private:
  bool& m_flag;
};
