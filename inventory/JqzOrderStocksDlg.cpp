#include "JqzOrderStocksDlg.h"

#include <CAutoDllResource.h>
#include <resource.h>

#include "QzStockExtModule.h"

IMPLEMENT_DYNAMIC(JqzOrderStocksDlg, JqzFinanceBaseStockUnoffsetDlg)

BEGIN_MESSAGE_MAP(JqzOrderStocksDlg, JqzFinanceBaseStockUnoffsetDlg)
END_MESSAGE_MAP()

JqzOrderStocksDlg::JqzOrderStocksDlg(CWnd* pParent) : JqzFinanceBaseStockUnoffsetDlg(pParent) {}

JqzOrderStocksDlg::~JqzOrderStocksDlg() = default;

bool JqzOrderStocksDlg::bCreateDlg() {
  CAutoDllResource module(QzGetStockExtInstance());
  if (!bCreate(IDD_STOCK_INVENTORY, m_pParentWnd)) return false;
  ShowWindow(SW_SHOW);
  return true;
}
