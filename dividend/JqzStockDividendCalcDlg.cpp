#include "JqzStockDividendCalcDlg.h"

#include <CAutoDllResource.h>
#include <resource.h>

#include "QzStockExtModule.h"

IMPLEMENT_DYNAMIC(JqzStockDividendCalcDlg, JqzOrderBaseDlg)

BEGIN_MESSAGE_MAP(JqzStockDividendCalcDlg, JqzOrderBaseDlg)
END_MESSAGE_MAP()

JqzStockDividendCalcDlg::JqzStockDividendCalcDlg(CWnd* pParent) : JqzOrderBaseDlg(pParent) {}

JqzStockDividendCalcDlg::~JqzStockDividendCalcDlg() = default;

bool JqzStockDividendCalcDlg::bCreateDlg() {
  CAutoDllResource module(QzGetStockExtInstance());
  if (!bCreate(IDD_STOCK_DIVIDEND_CALC, m_pParentWnd)) return false;
  ShowWindow(SW_SHOW);
  return true;
}

void JqzStockDividendCalcDlg::vReloadAccounts() {}

void JqzStockDividendCalcDlg::vChangeDlgAccount(const AccountType&, bool) {}

void JqzStockDividendCalcDlg::vRecvRefreshOrderData(int, OrderDataNotice) {}

void JqzStockDividendCalcDlg::vRecvRefreshErrOrderData(int, OrderDataNotice) {}

void JqzStockDividendCalcDlg::vRecvClearOrderData(int, OrderDataNotice) {}

void JqzStockDividendCalcDlg::vQueryDividend() {}
