#include "JqzChangeOrder.h"

#include <cstdlib>

#include "CAutoDllResource.h"
#include "JqzOrderBaseDlg.h"
#include "ViewDataHelpers.h"
#include "host/order_text.h"
#include "host/resources.h"

IMPLEMENT_DYNAMIC(JqzChangeOrder, CDialog)

JqzChangeOrder::JqzChangeOrder(CBaseOrder_OrderInfo* pOrder, CWnd* pParent, AccountType account,
                               bool bOption1, bool bOption2, bool bOption3)
    : CDialog(IDD_QZ_CHANGEORDER, pParent), m_pOrder(pOrder), m_Account(std::move(account)) {
  (void)bOption1, (void)bOption2, (void)bOption3;
  if (pOrder) m_edited = *pOrder;
}

JqzChangeOrder::~JqzChangeOrder() = default;

INT_PTR JqzChangeOrder::DoModal() {
  if (!m_pOrder) return IDCANCEL;
  CAutoDllResource guard(host::HostResourceHandle());
  return CDialog::DoModal();
}

BOOL JqzChangeOrder::OnInitDialog() {
  CDialog::OnInitDialog();
  CString account;
  JqzOrderBaseDlg names(nullptr);
  names.vGetAccountDisplayName(m_Account, account, false);
  SetDlgItemText(IDC_QZ_CHANGE_ACCOUNT, "帳號：" + account);
  SetDlgItemText(IDC_QZ_CHANGE_SYMBOL, g_cszDisplayOrderBSorComplex(&m_edited, 0) + " " +
                                           g_cszDisplayOrderSymbol(&m_edited, false, 0));
  CString qty;
  qty.Format("%d", m_edited.m_nQty);
  SetDlgItemText(IDC_QZ_CHANGE_QTY, qty);
  SetDlgItemText(IDC_QZ_CHANGE_UNIT,
                 m_edited.m_Commodity.m_nTradeUnit == ORDER_UNIT_ODDLOT ? "股" : "張");
  SetDlgItemText(IDC_QZ_CHANGE_PRICE, g_cszNormalizDouble(m_edited.m_dPrice));
  const HWND types = ::GetDlgItem(m_hWnd, IDC_QZ_CHANGE_PRICETYPE);
  for (int code : {'2', '1', '6', '7'}) {
    const int at = static_cast<int>(::SendMessageA(types, CB_ADDSTRING, 0,
                                                   reinterpret_cast<LPARAM>(host::PriceTypeName(code).GetString())));
    ::SendMessageA(types, CB_SETITEMDATA, static_cast<WPARAM>(at), code);
    if (code == m_edited.m_nPriceType) ::SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  }
  return TRUE;
}

void JqzChangeOrder::OnOK() {
  CString qtyText, priceText;
  GetDlgItemText(IDC_QZ_CHANGE_QTY, qtyText);
  GetDlgItemText(IDC_QZ_CHANGE_PRICE, priceText);
  const int qty = atoi(qtyText);
  const double price = atof(priceText);
  const HWND types = ::GetDlgItem(m_hWnd, IDC_QZ_CHANGE_PRICETYPE);
  const LRESULT sel = ::SendMessageA(types, CB_GETCURSEL, 0, 0);
  const int type = sel == CB_ERR ? m_edited.m_nPriceType
                                 : static_cast<int>(::SendMessageA(types, CB_GETITEMDATA,
                                                                   static_cast<WPARAM>(sel), 0));
  const char* problem = nullptr;
  if (qty <= 0)
    problem = "委託數量必須大於零";
  else if (price < 0)
    problem = "委託價格不可為負數";
  else if (type == '2' && price <= 0)
    problem = "限價委託請輸入價格";
  if (problem) {
    MessageBox(problem, g_cszProductName, MB_OK | MB_ICONWARNING);
    return;
  }
  m_edited.m_nQty = qty;
  m_edited.m_dPrice = price;
  m_edited.m_nPriceType = type;
  m_edited.m_nPriceType2 = type;
  *m_pOrder = m_edited;
  CDialog::OnOK();
}
