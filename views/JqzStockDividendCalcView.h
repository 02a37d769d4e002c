// JqzStockDividendCalcView: the dividend calculation view. It fills its pane with the
// dividend dialog and passes the host's notices on to it.
#pragma once

#include <JqzOrderBaseView.h>

class JqzStockDividendCalcDlg;

class JqzStockDividendCalcView : public JqzOrderBaseView {
  DECLARE_DYNCREATE(JqzStockDividendCalcView)
 public:
  JqzStockDividendCalcView();
  ~JqzStockDividendCalcView() override;

  void OnInitialUpdate() override;
  void OnDraw(CDC* pDC) override;
  int SaveViewInfo(JqzCfgIO2* pCfg, const CString& strLayout, const int& nViewIndex,
                   const int& nExtra) override;
  int InitialViewInfo(JqzCfgIO2* pCfg, const CString& strLayout, const int& nViewIndex,
                      const int& nExtra, const CString& strTitle) override;
  void vChangeAccount(const CView* pSender, unsigned char bySyncType,
                      const AccountType& account) override;
  void vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame) override;
  void vRefreshComboBox() override;
  LRESULT OnLoginSuccess(WPARAM wParam, LPARAM lParam) override;
  LRESULT OnChangeAccount(WPARAM wParam, LPARAM lParam) override;
  void OBT_recvRefreshOrderData(int nCode, int nValue) override;
  LRESULT OnRefreshOrderData(WPARAM wParam, LPARAM lParam) override;
  LRESULT OnRefreshErrOrderData(WPARAM wParam, LPARAM lParam) override;
  LRESULT OnClearOrderData(WPARAM wParam, LPARAM lParam) override;

  LRESULT OnReloadAccount(WPARAM wParam, LPARAM lParam);

  // The hosted dialog; null until its window has been created.
  JqzStockDividendCalcDlg* m_pDlg;

 protected:
  DECLARE_MESSAGE_MAP()
};
