// CConfirmOrder: the host's modal order confirmation, for one order or a batch. It
// lists the account and every order (side, symbol, quantity, price); OK sends.
#pragma once

#include <afxwin.h>

#include <vector>

#include "AccountType.h"
#include "CBaseOrder_OrderInfo.h"

#define IDD_QZ_CONFIRMORDER 8120
#define IDC_QZ_CONFIRM_ACCOUNT 1001
#define IDC_QZ_CONFIRM_LIST 1002
#define IDC_QZ_CONFIRM_COUNT 1003

class CConfirmOrder : public CDialog {
  DECLARE_DYNAMIC(CConfirmOrder)
 public:
  CConfirmOrder(CBaseOrder_OrderInfo* pOrder, CWnd* pParent, AccountType account);
  CConfirmOrder(std::vector<CBaseOrder_OrderInfo>* pOrders, CWnd* pParent, AccountType account,
                bool bOption1 = false, bool bOption2 = false, bool bOption3 = false);
  ~CConfirmOrder() override;

  BOOL OnInitDialog() override;
  INT_PTR DoModal() override;

  // The line shown for an order.
  static CString strOrderLine(const CBaseOrder_OrderInfo& order);
  int iGetOrderCount() const { return static_cast<int>(m_orders.size()); }

 protected:
  std::vector<CBaseOrder_OrderInfo> m_orders;
  AccountType m_Account;
};
