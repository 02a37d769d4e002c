#include "CConfirmOrder.h"

#include <afxcmn.h>

#include "CAutoDllResource.h"
#include "JqzOrderBaseDlg.h"
#include "ViewDataHelpers.h"
#include "host/order_text.h"
#include "host/resources.h"

IMPLEMENT_DYNAMIC(CConfirmOrder, CDialog)

CConfirmOrder::CConfirmOrder(CBaseOrder_OrderInfo* pOrder, CWnd* pParent, AccountType account)
    : CDialog(IDD_QZ_CONFIRMORDER, pParent), m_Account(std::move(account)) {
  if (pOrder) m_orders.push_back(*pOrder);
}

CConfirmOrder::CConfirmOrder(std::vector<CBaseOrder_OrderInfo>* pOrders, CWnd* pParent,
                             AccountType account, bool bOption1, bool bOption2, bool bOption3)
    : CDialog(IDD_QZ_CONFIRMORDER, pParent), m_Account(std::move(account)) {
  (void)bOption1, (void)bOption2, (void)bOption3;
  if (pOrders) m_orders = *pOrders;
}

CConfirmOrder::~CConfirmOrder() = default;

INT_PTR CConfirmOrder::DoModal() {
  CAutoDllResource guard(host::HostResourceHandle());
  return CDialog::DoModal();
}

CString CConfirmOrder::strOrderLine(const CBaseOrder_OrderInfo& order) {
  return g_cszDisplayOrderBSorComplex(&order, 0) + " " + g_cszDisplayOrderSymbol(&order, false, 0) +
         " " + host::QuantityText(order) + " " + host::PriceText(order);
}

BOOL CConfirmOrder::OnInitDialog() {
  CDialog::OnInitDialog();
  CString account;
  JqzOrderBaseDlg names(nullptr);
  names.vGetAccountDisplayName(m_Account, account, false);
  SetDlgItemText(IDC_QZ_CONFIRM_ACCOUNT, "帳號：" + account);
  CListCtrl list;
  if (list.SubclassDlgItem(IDC_QZ_CONFIRM_LIST, this)) {
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    list.InsertColumn(0, "帳號", LVCFMT_LEFT, 110);
    list.InsertColumn(1, "買賣", LVCFMT_CENTER, 70);
    list.InsertColumn(2, "商品", LVCFMT_LEFT, 110);
    list.InsertColumn(3, "數量", LVCFMT_RIGHT, 60);
    list.InsertColumn(4, "價格", LVCFMT_RIGHT, 60);
    for (size_t i = 0; i < m_orders.size(); ++i) {
      const CBaseOrder_OrderInfo& o = m_orders[i];
      const int line = list.InsertItem(static_cast<int>(i), o.m_strAccount.IsEmpty()
                                                                ? m_Account.m_strAccount
                                                                : o.m_strAccount);
      list.SetItemText(line, 1, g_cszDisplayOrderBSorComplex(&o, 0));
      list.SetItemText(line, 2, g_cszDisplayOrderSymbol(&o, false, 0));
      list.SetItemText(line, 3, host::QuantityText(o));
      list.SetItemText(line, 4, host::PriceText(o));
    }
    list.UnsubclassWindow();
  }
  CString count;
  count.Format("共 %d 筆委託，確定送出？", static_cast<int>(m_orders.size()));
  SetDlgItemText(IDC_QZ_CONFIRM_COUNT, count);
  return TRUE;
}
