#include "CDlgSetAvgDealPrice.h"

#include <CAutoDllResource.h>
#include <CBaseOrder_OrderInfo.h>
#include <CommonUtilities.h>
#include <ViewDataHelpers.h>
#include <resource.h>

#include <cmath>
#include <cstdlib>

#include "QzStockExtModule.h"

IMPLEMENT_DYNAMIC(CDlgSetAvgDealPrice, CDialog)

BEGIN_MESSAGE_MAP(CDlgSetAvgDealPrice, CDialog)
END_MESSAGE_MAP()

CDlgSetAvgDealPrice::CDlgSetAvgDealPrice(const std::vector<CBaseOrder_Commodity>& stocks,
                                         CWnd* pParent)
    : CDialog(IDD_SET_AVG_DEAL_PRICE, pParent), m_dPrice(0.0), m_stocks(stocks) {}

CDlgSetAvgDealPrice::~CDlgSetAvgDealPrice() = default;

INT_PTR CDlgSetAvgDealPrice::DoModal() {
  CAutoDllResource module(QzGetStockExtInstance());
  return CDialog::DoModal();
}

void CDlgSetAvgDealPrice::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_EDIT_PRICE, m_editPrice);
  DDX_Control(pDX, IDC_COMBO_STOCK, m_comboStock);
}

BOOL CDlgSetAvgDealPrice::OnInitDialog() {
  CDialog::OnInitDialog();
  m_comboStock.ResetContent();
  for (const CBaseOrder_Commodity& stock : m_stocks) {
    CBaseOrder_OrderInfo order;
    order.m_Commodity = stock;
    order.m_nTimeInForce = 'N';
    CString entry;
    entry.Format("%s %s", g_cszDisplayOrderBSorComplex(&order, 0).GetString(),
                 g_cszDisplayOrderSymbol(&order, false, 0).GetString());
    m_comboStock.AddString(entry);
  }
  CAutoDllResource module(QzGetStockExtInstance());
  SetWindowText(s_LangGetLangString("IDS_DIALOG-AVG-DEAL-PRICE_TITLE"));
  const struct {
    int nId;
    const char* pszKey;
  } captions[] = {
      {IDC_STATIC_SELECT_STOCK, "IDS_DIALOG-AVG-DEAL-PRICE_SELECT_SETTING"},
      {IDC_STATIC_INPUT_PRICE, "IDS_DIALOG-AVG-DEAL-PRICE_INPUT_PRICE"},
      {IDOK, "IDS_DIALOG-AVG-DEAL-PRICE_OK"},
      {IDCANCEL, "IDS_DIALOG-AVG-DEAL-PRICE_CANCEL"},
  };
  for (const auto& c : captions) SetDlgItemText(c.nId, s_LangGetLangString(c.pszKey));
  return TRUE;
}

void CDlgSetAvgDealPrice::OnOK() {
  const int nSel = m_comboStock.GetCurSel();
  if (nSel < 0 || nSel >= static_cast<int>(m_stocks.size())) {
    MessageBox(s_LangGetLangString("IDS_DIALOG-AVG-DEAL-PRICE_SELECT_MODIFY"));
    return;
  }
  m_selected = m_stocks[static_cast<size_t>(nSel)];
  CString strPrice;
  m_editPrice.GetWindowText(strPrice);
  m_dPrice = std::atof(strPrice);
  // "nan" and "inf" read as numbers but are no price.
  if (!(m_dPrice > 0.0) || !std::isfinite(m_dPrice)) {
    MessageBox(s_LangGetLangString("IDS_DIALOG-AVG-DEAL-PRICE_INPUT_RIGHT_PRICE"));
    return;
  }
  CDialog::OnOK();
}

void CDlgSetAvgDealPrice::OnCancel() {
  m_selected = CBaseOrder_Commodity();
  m_dPrice = 0.0;
  CDialog::OnCancel();
}
