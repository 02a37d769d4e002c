// The terminal's own small holdings view, used until the module's views exist: an account
// selector, a query button, a list of the account's holdings with prices from the quote
// memory, a sell button and a status line. It goes through the same back-end calls and
// notices as the module's views do.
#pragma once

#include <afxwin.h>

#include <vector>

#include "OrderBackEnd.h"

class QzTestView : public CView {
  DECLARE_DYNCREATE(QzTestView)

 public:
  enum {
    IDC_ACCOUNT = 2183,
    IDC_QUERY = 2212,
    IDC_SELL = 2412,
    IDC_LIST = 2000,
    IDC_STATUS = 2641,
  };

  void OnInitialUpdate() override;
  void OnDraw(CDC*) override {}

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnQuery();
  afx_msg void OnSell();
  afx_msg void OnSelChangeAccount();
  afx_msg LRESULT OnLoginSuccess(WPARAM, LPARAM);
  afx_msg LRESULT OnRefreshOrderData(WPARAM, LPARAM);
  afx_msg LRESULT OnRefreshErrOrderData(WPARAM, LPARAM);
  afx_msg LRESULT OnClearOrderData(WPARAM, LPARAM);
  afx_msg LRESULT OnReloadAccount(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  void ReloadAccounts();
  void FillRows();
  void ShowPrices();
  double Price(const CString& code) const;

  CComboBox m_account;
  CButton m_query;
  CButton m_sell;
  CListCtrl m_list;
  CStatic m_status;
  std::vector<AccountType> m_accounts;
  AccountType m_current;
  std::vector<CBaseOrder_StorageStockInfo> m_rows;
  BYTE m_quoteReq = 0;
};
