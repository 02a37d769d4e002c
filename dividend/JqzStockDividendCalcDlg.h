// JqzStockDividendCalcDlg: the dividend calculation dialog (template 26017), hosted by
// the dividend view.
#pragma once

#include <JqzOrderBaseDlg.h>
#include <OrderDataNotice.h>

class JqzStockDividendCalcDlg : public JqzOrderBaseDlg {
  DECLARE_DYNAMIC(JqzStockDividendCalcDlg)
 public:
  explicit JqzStockDividendCalcDlg(CWnd* pParent);
  ~JqzStockDividendCalcDlg() override;

  // Creates the window from its template as a child of the view and shows it.
  bool bCreateDlg();
  // Refills the account selector and selects the sync group's account.
  void vReloadAccounts();
  void vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame);

  // Results are ready (code 1189), the query failed, the results are void.
  virtual void vRecvRefreshOrderData(int nNotifyCode, OrderDataNotice notice);
  virtual void vRecvRefreshErrOrderData(int nNotifyCode, OrderDataNotice notice);
  virtual void vRecvClearOrderData(int nNotifyCode, OrderDataNotice notice);
  // Starts the dividend query for the active account.
  virtual void vQueryDividend();

 protected:
  DECLARE_MESSAGE_MAP()
};
