// JqzStockDividendCalcDlg: the dividend calculation dialog (template 26017), hosted by
// the dividend view. It sends one dividend query for the chosen account, type, interval
// or date range and stock code, and lists the answer: in mode 1 the distributions the
// holdings earned with their totals, in mode 2 the holdings about to go ex-dividend.
#pragma once

#include <CListCtrlEx.h>
#include <CStaticEx.h>
#include <JqzOrderBaseDlg.h>
#include <OrderDataNotice.h>
#include <afxcmn.h>

class JqzStockDividendCalcDlg : public JqzOrderBaseDlg {
  DECLARE_DYNAMIC(JqzStockDividendCalcDlg)
 public:
  explicit JqzStockDividendCalcDlg(CWnd* pParent);
  ~JqzStockDividendCalcDlg() override;

  // Creates the window from its template as a child of the view and shows it.
  bool bCreateDlg();
  // Refills the account selector and selects the sync group's account.
  void vReloadAccounts();
  // Selects the account; the current one again is queried again only when bRefreshIfSame.
  void vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame);

  // Results are ready (code 1189), the query failed, the results are void.
  virtual void vRecvRefreshOrderData(int nNotifyCode, OrderDataNotice notice);
  virtual void vRecvRefreshErrOrderData(int nNotifyCode, OrderDataNotice notice);
  virtual void vRecvClearOrderData(int nNotifyCode, OrderDataNotice notice);
  // Starts the dividend query for the active account.
  virtual void vQueryDividend();

  void OBT_recvAccountChanged(AccountType account) override;
  void vChangeCast(CFont* pFont) override;
  void vChangeDlgCast() override;

  CStatic m_staticAnchor;        // 2438: resize anchor at the top right
  CListCtrlEx m_listResult;      // 2724: the results
  CStatic m_staticUpdateTime;    // 2726: time of the last query or answer
  int m_nQueryLockSeconds;       // OrderCfg.ini BUTTON_DISABLE_TIME, default 2
  CStaticEx m_staticNoteCalc;    // 2714: mode-1 note
  CStaticEx m_staticNoteStocks;  // 2715: mode-2 note
  CComboBox m_comboType;         // 2713: dividend-type filter
  CComboBox m_comboInterval;     // 2717: query interval
  CDateTimeCtrl m_dateStart;     // 2722
  CDateTimeCtrl m_dateEnd;       // 2723
  CEdit m_editCode;              // 2487: stock code
  CButton m_radioCalc;           // 26000: mode 1
  CButton m_radioStocks;         // 26001: mode 2
  int m_nMode;                   // 1 dividend calculation, 2 holdings about to go ex-dividend

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnDestroy();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnSelchangeComboAccount();
  afx_msg void OnBtnQuery();
  afx_msg void OnRadioCalc();
  afx_msg void OnRadioStocks();

  DECLARE_MESSAGE_MAP()

 private:
  // Fills the selector from m_vecAccount; false (selector left empty) without accounts.
  bool bFillAccountSelector();
  void vFillTypeFilter();
  void vFillIntervals();
  void vSwitchMode(int nMode);
  // The query button's lock in milliseconds.
  UINT uQueryLockMs() const;
  void vSetUpdateTime();
  void vEnableQueryButton(bool bEnable);
  bool bIsForThisAccount(const OrderDataNotice& notice) const;
  bool bViewVisible() const;

  // The results: the columns of the current mode's section (then a query when the view
  // is visible), and the rows of the back-end's answer.
  void vRebuildResultList();
  void vFillResultList();
};
