// JqzChangeOrder: the host's modal order editor. It shows the prepared order and lets
// the user change its quantity, price and price type; on OK the edited order replaces
// the prepared one, on Cancel the prepared one stays as it was.
#pragma once

#include <afxwin.h>

#include "AccountType.h"
#include "CBaseOrder_OrderInfo.h"

#define IDD_QZ_CHANGEORDER 8121
#define IDC_QZ_CHANGE_ACCOUNT 1001
#define IDC_QZ_CHANGE_SYMBOL 1002
#define IDC_QZ_CHANGE_QTY 1003
#define IDC_QZ_CHANGE_PRICE 1004
#define IDC_QZ_CHANGE_PRICETYPE 1005
#define IDC_QZ_CHANGE_UNIT 1006

class JqzChangeOrder : public CDialog {
  DECLARE_DYNAMIC(JqzChangeOrder)
 public:
  JqzChangeOrder(CBaseOrder_OrderInfo* pOrder, CWnd* pParent, AccountType account,
                 bool bOption1 = false, bool bOption2 = false, bool bOption3 = false);
  ~JqzChangeOrder() override;

  BOOL OnInitDialog() override;
  void OnOK() override;
  INT_PTR DoModal() override;

  // The order as edited so far.
  const CBaseOrder_OrderInfo& GetEditedOrder() const { return m_edited; }

 protected:
  CBaseOrder_OrderInfo* m_pOrder;
  CBaseOrder_OrderInfo m_edited;
  AccountType m_Account;
};
