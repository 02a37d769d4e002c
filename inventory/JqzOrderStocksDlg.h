// JqzOrderStocksDlg: the inventory dialog (template 2253), hosted by the holdings view
// when the order configuration asks for it. It shows one account's inventory, or every
// account of one kind at once, in two lists that act as one grid: a frozen name list
// with check boxes beside a wide list of share counts in five column groups.
#pragma once

#include <CBaseOrder_OrderInfo.h>
#include <CBaseOrder_StorageStockInfo.h>
#include <CStaticEx.h>
#include <JqzFinanceBaseStockUnoffsetDlg.h>

#include <map>
#include <vector>

#include "CListCtrlExH.h"
#include "InventoryCells.h"

class JqzFinanceStockUnoffsetView;

class JqzOrderStocksDlg : public JqzFinanceBaseStockUnoffsetDlg, public CListCtrlExHOwner {
  DECLARE_DYNAMIC(JqzOrderStocksDlg)
 public:
  // 130 gives the query button back; 150 queries once the hidden view shows.
  enum : UINT_PTR { TIMER_QUERY_BUTTON = 130, TIMER_QUERY_WHEN_SHOWN = 150 };

  using RowMap = std::map<CString, std::vector<CString>>;
  using MarketValueMap = std::map<CString, inventory::MarketValueEntry>;

  // One account of the all-accounts mode and what it answered.
  struct AccountEntry {
    BYTE m_byReceived = 0;
    AccountType m_account;
    RowMap m_rows;
    MarketValueMap m_marketValues;
    std::vector<CBaseOrder_OrderInfo> m_orders;
  };

  explicit JqzOrderStocksDlg(CWnd* pParent);
  ~JqzOrderStocksDlg() override;

  bool bCreateDlg() override;
  void vReloadAccounts(int nAccountKind, bool bSelectByKind) override;
  void vRecvRefreshOrderData(int nNotifyCode, OrderDataNotice notice) override;
  void vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame) override;
  void vRefreshData() override;
  void vChangeCast(CFont* pFont) override;
  void vChangeDlgCast() override;
  void vRecvMultiSymbolMemoryRecovery(const CMultiSymbolMemoryInfo* pInfo) override;

  // CListCtrlExHOwner: keep the two lists on the same top row.
  void OnListKeyDown(int nListNo, UINT nChar) override;
  void OnListVScroll(int nListNo, UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;

  // Read by the tests and the benchmark through the live dialog.
  const RowMap& Rows() const { return m_mapRows; }
  const MarketValueMap& MarketValues() const { return m_mapMarketValue; }
  const std::vector<AccountEntry>& AccountEntries() const { return m_vecAccountEntries; }
  bool bAllAccounts() const { return m_bAllAccounts != 0; }

  // A ticked row as it stood when a batch button was pressed, and an order built from it.
  struct TickedRow {
    AccountType m_account;
    CString m_strKey;
    std::vector<CString> m_cells;
  };
  struct BatchOrder {
    AccountType m_account;
    CBaseOrder_OrderInfo m_order;
  };

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnSelchangeAccount();
  afx_msg void OnBtnQueryStocks();
  afx_msg void OnChkSelectAll();
  afx_msg void OnBtnMarketValue();
  afx_msg void OnChkIncludeOdd();
  afx_msg void OnBtnPrint();
  afx_msg void OnBtnExportExcel();
  afx_msg LRESULT OnListCellClick(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnListCellDblClk(WPARAM wParam, LPARAM lParam);

  // ---- Batch orders over the ticked rows (OrderStocksBatch.cpp) ----
  afx_msg void OnBtnClearOut();
  afx_msg void OnBtnDayTrade();
  afx_msg void OnBtnKeep();
  // False when no line of the name list is ticked.
  bool bTickedRows(std::vector<TickedRow>& rows) const;
  // The sell-out orders of the rows; codes no market knows go to vecUnknown.
  std::vector<BatchOrder> vecSellOutOrders(const std::vector<TickedRow>& rows,
                                           std::vector<CString>& vecUnknown) const;
  void vConfirmAndSend(const std::vector<BatchOrder>& orders);

  // ---- Data ----
  void vRecvAllAccountsData(int nNotifyCode, const OrderDataNotice& notice);
  void vActivateDSAccount();
  void vActivateFSAccount();
  void vActivateAccount(int nKind);
  // Fetches, fills and keeps every entry's rows without a new query; true when any
  // entry has a row.
  bool bRefillAccountEntries(int nKind);
  bool bFillDSRows();
  bool bFillFSRows();
  void vRequestQuoteMemory();
  CString strFilterCode() const;

  // ---- Grid ----
  void vInitLists();
  void vBuildDSColumns();
  void vBuildFSColumns();
  bool bClearGrid();
  void vShowRows();
  void vUpdateCountLabel();
  void vUpdateMaintainRate();

  // ---- Market value ----
  void vBuildMarketValueColumns();
  void vShowMarketValue();
  // The latest price of a holding by its key; 0 when the quote memory has none.
  double dHoldingPrice(const CString& strKey) const;
  void vHideNameListBars();
  // Scrolls the other list so that its top row is the top row of list nListNo.
  void vAlignTopRows(int nListNo);
  bool bParentViewVisible() const;
  JqzFinanceStockUnoffsetView* pHoldingsView() const;

  int m_nNameWidth;
  int m_nWidth4;
  int m_nWidth6;
  int m_nWidth8;
  int m_nWidth10;
  int m_nWidth14;
  int m_nListRowHeight;
  // List-1 columns: the group bounds and the columns a double click hands over.
  int m_nCashFirst;
  int m_nCashLast;
  int m_nCashToday;
  int m_nTradeDealBuy;
  int m_nTradeDealSell;
  int m_nMarginFirst;
  int m_nMarginLast;
  int m_nShortFirst;
  int m_nShortLast;
  int m_nOddFirst;
  int m_nOddLast;
  int m_nLendFirst;
  int m_nLendLast;
  int m_nMarginToday;
  int m_nShortRush;
  int m_nFSYesterday;
  int m_nFSTSell;
  int m_nFSNSell;
  BYTE m_bDetailMode;
  int m_nButtonDisableTime;
  BYTE m_byQuoteReq[3];
  int m_nNameTopIndex;
  BYTE m_bAllAccounts;
  bool m_bBatchBusy = false;
  std::vector<AccountEntry> m_vecAccountEntries;
  std::vector<CBaseOrder_FSStorageStockInfo> m_vecFSStorage;
  std::vector<CBaseOrder_StorageStockInfo> m_vecDSStorage;
  RowMap m_mapRows;
  MarketValueMap m_mapMarketValue;
  // The account whose ratio the label shows, so that an empty answer for another
  // account hides the label instead of leaving that figure under the new account.
  CString m_strRatioAccount;

  CButton m_btnMarketValue;
  CButton m_btnQuery;
  CStatic m_stcCount;
  CStatic m_stcCorner;
  CListCtrlExH m_listMain;
  CListCtrlExH m_listName;
  CButton m_chkIncludeOdd;
  CButton m_chkSelectAll;
  CEdit m_editCode;
  CStaticEx m_stcNotice;
  CFont m_listFont;

  DECLARE_MESSAGE_MAP()
};
