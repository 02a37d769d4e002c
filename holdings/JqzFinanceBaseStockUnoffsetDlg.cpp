#include "JqzFinanceBaseStockUnoffsetDlg.h"

#include <CAutoDllResource.h>

#include "QzStockExtModule.h"

IMPLEMENT_DYNAMIC(JqzFinanceBaseStockUnoffsetDlg, JqzOrderBaseDlg)

BEGIN_MESSAGE_MAP(JqzFinanceBaseStockUnoffsetDlg, JqzOrderBaseDlg)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

JqzFinanceBaseStockUnoffsetDlg::JqzFinanceBaseStockUnoffsetDlg(CWnd* pParent)
    : JqzOrderBaseDlg(pParent) {}

JqzFinanceBaseStockUnoffsetDlg::~JqzFinanceBaseStockUnoffsetDlg() = default;

bool JqzFinanceBaseStockUnoffsetDlg::bCreateDlg() { return true; }

void JqzFinanceBaseStockUnoffsetDlg::vReloadAccounts(int, bool) {}

void JqzFinanceBaseStockUnoffsetDlg::vRecvRefreshOrderData(int, OrderDataNotice) {}

void JqzFinanceBaseStockUnoffsetDlg::vRecvRefreshErrOrderData(int, OrderDataNotice) {}

void JqzFinanceBaseStockUnoffsetDlg::vChangeDlgAccount(const AccountType&, bool) {}

void JqzFinanceBaseStockUnoffsetDlg::vRefreshData() {}

void JqzFinanceBaseStockUnoffsetDlg::vRecvMultiSymbolMemoryRecovery(const CMultiSymbolMemoryInfo*) {}

void JqzFinanceBaseStockUnoffsetDlg::DoDataExchange(CDataExchange* pDX) {
  CAutoDllResource module(QzGetStockExtInstance());
  JqzOrderBaseDlg::DoDataExchange(pDX);
}

BOOL JqzFinanceBaseStockUnoffsetDlg::OnInitDialog() {
  CAutoDllResource module(QzGetStockExtInstance());
  JqzOrderBaseDlg::OnInitDialog();
  return TRUE;
}
