#include "JqzFinanceBaseStockUnoffsetDlg.h"

#include <BKOrderInterface.h>
#include <CAutoDllResource.h>
#include <JqzCAManagementDlg.h>
#include <ViewDataHelpers.h>

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

void JqzFinanceBaseStockUnoffsetDlg::vShowOrderRefusal(const CString& strMessage,
                                                       const AccountType& account) {
  // The back-end's code for a certificate that does not match the account's.
  if (strMessage != "10000") {
    // A refusal without a reason still reaches the user.
    MessageBox(strMessage.IsEmpty() ? CString("委託失敗") : strMessage, g_cszProductName, MB_OK);
    return;
  }
  CString text;
  text.Format(
      "%s\n%s",
      BKOrderInterface::LangGetLangString("IDS_ORDER-ITEM_STATUS_CAERROR_DATADISAGREE").GetString(),
      BKOrderInterface::LangGetLangString("IDS_DIALOG-TABCAMENAGEMENT_BUTTON_OPEN").GetString());
  if (MessageBox(text, g_cszProductName, MB_YESNO) == IDYES)
    JqzCAManagementDlg(CString(), account.m_strAccount + account.m_strSubAccount, this).DoModal();
}
