// JqzFinanceStockUnoffsetDlg: the classic positions dialog (template 28233), the
// holdings view's default dialog. It lists one domestic account's positions by kind
// (cash, margin, short) with prices read at fill time, the row count, the total
// market value and the whole-account maintenance ratio.
#pragma once

#include <CBaseOrder_StorageStockInfo.h>
#include <CListCtrlEx.h>
#include <CStaticEx.h>

#include <vector>

#include "JqzFinanceBaseStockUnoffsetDlg.h"
#include "PositionRow.h"

class CDlgTipMsg;

class JqzFinanceStockUnoffsetDlg : public JqzFinanceBaseStockUnoffsetDlg {
  DECLARE_DYNAMIC(JqzFinanceStockUnoffsetDlg)
 public:
  // Timers: 140 checks every second whether a re-query is due, 150 fills the list
  // two seconds after the answer, 130 queries once more.
  enum : UINT_PTR { TIMER_REQUERY = 140, TIMER_FILL = 150, TIMER_QUERY_AGAIN = 130 };

  explicit JqzFinanceStockUnoffsetDlg(CWnd* pParent);
  ~JqzFinanceStockUnoffsetDlg() override;

  bool bCreateDlg() override;
  void vReloadAccounts(int nAccountKind, bool bSelectByKind) override;
  void vRecvRefreshOrderData(int nNotifyCode, OrderDataNotice notice) override;
  void vRecvRefreshErrOrderData(int nNotifyCode, OrderDataNotice notice) override;
  void vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame) override;
  void vRefreshData() override;

  void OBT_recvAccountChanged(AccountType account) override;
  void vChangeCast(CFont* pFont) override;
  void vChangeDlgCast() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // An action cell of the list was clicked: nLine is its line, strAction its text.
  // Orders from a row start here.
  virtual void vOnActionCell(int nLine, const CString& strAction);
  // The order of the selected line for the action code: edited, checked, confirmed
  // when the settings ask, and sent under the account the line belongs to.
  void vOrderFromSelectedRow(int nCode);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  afx_msg void OnDataExport();
  afx_msg void OnBtnSetAvgPrice();
  afx_msg void OnSelchangeComboAccount();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg LRESULT OnListSpecialClick(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnListResetDatano(WPARAM wParam, LPARAM lParam);

  // Builds m_rows from m_stockInfo.
  void vBuildRows();
  // Fills the list from m_rows (timer 150).
  void vFillList();
  void vShowRowCount();
  void vShowMaintenanceRatio();
  // Empties the list, rows, total and ratio: nothing of another account, or of an
  // answer that no longer holds, stays on screen.
  void vClearShownData();
  // The market-value caption's text; an empty one hides the total.
  static bool bShowMarketValue();
  // The note over the list after a new average cost, in the tip window made on first use.
  void vShowCostTip();

  CStaticEx m_totalLabel;
  CListCtrlEx m_list;
  CStaticEx m_countLabel;
  CStatic m_anchor;
  std::vector<CBaseOrder_StorageStockInfo> m_stockInfo;
  CString m_strInfoAccount;   // the account m_stockInfo and m_rows were fetched for
  CString m_strEmptyTotal;    // the total's text before any fill
  CString m_strRatioAccount;  // the account whose ratio the label shows
  std::vector<PositionRow> m_rows;
  BYTE m_bOtherDataChanged;
  BYTE m_bQueryDone;
  CDlgTipMsg* m_pTipMsg;  // owned
  // An order or cost flow is between its dialogs and message boxes: a second press of
  // an action cell or of the cost button then does nothing.
  bool m_bOrderBusy;

  DECLARE_MESSAGE_MAP()
};
