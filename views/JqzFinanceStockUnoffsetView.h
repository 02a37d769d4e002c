// JqzFinanceStockUnoffsetView: the stock holdings view. It fills its pane with one
// holdings dialog (the classic positions dialog, or the inventory dialog when the
// order configuration asks for it) and passes the host's notices on to it.
#pragma once

#include <COrderPriceAgent.h>
#include <JqzOrderBaseView.h>

class JqzFinanceBaseStockUnoffsetDlg;

class JqzFinanceStockUnoffsetView : public JqzOrderBaseView {
  DECLARE_DYNCREATE(JqzFinanceStockUnoffsetView)
 public:
  JqzFinanceStockUnoffsetView();
  ~JqzFinanceStockUnoffsetView() override;

  void OnInitialUpdate() override;
  void OnDraw(CDC* pDC) override;
  void vRecvMultiSymbolMemoryRecovery(const CMultiSymbolMemoryInfo* pInfo) override;
  int SaveViewInfo(JqzCfgIO2* pCfg, const CString& strLayout, const int& nViewIndex,
                   const int& nExtra) override;
  int InitialViewInfo(JqzCfgIO2* pCfg, const CString& strLayout, const int& nViewIndex,
                      const int& nExtra, const CString& strTitle) override;
  void vChangeAccount(const CView* pSender, unsigned char bySyncType,
                      const AccountType& account) override;
  void vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame) override;
  void OnRefreahData() override;
  void vRefreshComboBox() override;
  LRESULT OnLoginSuccess(WPARAM wParam, LPARAM lParam) override;
  LRESULT OnChangeAccount(WPARAM wParam, LPARAM lParam) override;
  void OBT_recvRefreshOrderData(int nCode, int nValue) override;
  LRESULT OnRefreshOrderData(WPARAM wParam, LPARAM lParam) override;
  LRESULT OnRefreshErrOrderData(WPARAM wParam, LPARAM lParam) override;
  LRESULT OnClearOrderData(WPARAM wParam, LPARAM lParam) override;

  LRESULT OnReloadAccount(WPARAM wParam, LPARAM lParam);
  // Hands a price or order that the inventory dialog prepared to the host's order window.
  void vOpenOrderDlg(COrderPriceAgent agent);

  // The hosted dialog; null until its window has been created.
  JqzFinanceBaseStockUnoffsetDlg* m_pDlg;

 protected:
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  // Notes an order-data notice that came while the view was hidden (it goes to the dialog
  // only while the view shows), so that the dialog asks again once the view shows.
  void vNoteHiddenNotice();

  // A notice came while hidden: the rows may no longer be the broker's.
  bool m_bMissedNotice;

  DECLARE_MESSAGE_MAP()
};
