#include "JqzFinanceStockUnoffsetDlg.h"

#include <CAutoDllResource.h>
#include <resource.h>

#include "QzStockExtModule.h"

IMPLEMENT_DYNAMIC(JqzFinanceStockUnoffsetDlg, JqzFinanceBaseStockUnoffsetDlg)

BEGIN_MESSAGE_MAP(JqzFinanceStockUnoffsetDlg, JqzFinanceBaseStockUnoffsetDlg)
END_MESSAGE_MAP()

JqzFinanceStockUnoffsetDlg::JqzFinanceStockUnoffsetDlg(CWnd* pParent)
    : JqzFinanceBaseStockUnoffsetDlg(pParent) {}

JqzFinanceStockUnoffsetDlg::~JqzFinanceStockUnoffsetDlg() = default;

bool JqzFinanceStockUnoffsetDlg::bCreateDlg() {
  CAutoDllResource module(QzGetStockExtInstance());
  if (!bCreate(IDD_STOCK_UNOFFSET, m_pParentWnd)) return false;
  ShowWindow(SW_SHOW);
  return true;
}
