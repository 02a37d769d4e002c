// The inventory dialog's print and spreadsheet export: the host's helpers do the work;
// the dialog picks the title, the column alignment and the user record for the header.
#include <BKOrderInterface.h>
#include <CommonUtilities.h>
#include <OrderBK.h>
#include <ViewDataHelpers.h>
#include <resource.h>

#include <string>

#include "JqzOrderStocksDlg.h"

namespace {

const char kMarketTitleKey[] = "IDS_EXPORTORDER_STOCKSMARKET";
const char kInventoryTitleKey[] = "IDS_ORDER-EXT-TAB_STOCK_UNOFFSET";

// The logged-in user's record of the account's kind; null for any other kind.
CBaseOrder_UserInfo* UserOf(const AccountType& account) {
  if (account.m_nAccountType == ACCOUNTTYPE_DOMESTIC_STOCK)
    return OrderBK_GetDSActiveUserInfo(account);
  if (account.m_nAccountType == ACCOUNTTYPE_FOREIGN_STOCK)
    return OrderBK_GetFSActiveUserInfo(account);
  return nullptr;
}

}  // namespace

void JqzOrderStocksDlg::OnBtnPrint() {
  CBaseOrder_UserInfo* pUser = UserOf(m_CurAccount);
  const bool ok =
      m_bDetailMode == 0
          ? g_vPrintListCtrlInventory(m_listMain, m_listName, s_LangGetLangString(kMarketTitleKey),
                                      pUser, 0, "LRRR", 0)
          : g_vPrintListCtrlInventory(m_listMain, m_listName,
                                      s_LangGetLangString(kInventoryTitleKey), pUser, 1, "", 1);
  if (ok) return;
  const char* pszKey = m_listMain.GetItemCount() == 0 ? "IDS_ORDER-COMMON_ERRMSG_NODATA_PRINTOUT"
                                                      : "IDS_ORDER-COMMON_ERRMSG_OUTOFRANGE_PRINTOUT";
  MessageBox(BKOrderInterface::LangGetLangString(pszKey), g_cszProductName, MB_OK);
}

void JqzOrderStocksDlg::OnBtnExportExcel() {
  const bool bMarket = m_bDetailMode == 0;
  const CString title = s_LangGetLangString("IDS_EXPORTORDER_EXCEL_TITLE") + "-" +
                        s_LangGetLangString(bMarket ? kMarketTitleKey : kInventoryTitleKey);
  CString align;
  bool bLast = true;
  switch (m_CurAccount.m_nAccountType) {
    case ACCOUNTTYPE_FOREIGN_STOCK:
      align = bMarket ? "CRRRR" : "CRRRRRRRRR";
      break;
    case ACCOUNTTYPE_DOMESTIC_STOCK:
      if (bMarket) {
        align = "CRRR";
      } else {
        // The name, 35 counts, and the account column in all-accounts mode.
        align = "C" + CString(std::string(35, 'R').c_str()) + (m_bAllAccounts ? "C" : "");
        bLast = false;
      }
      break;
    default:
      return;
  }
  CBaseOrder_UserInfo* pUser = m_bAllAccounts ? nullptr : UserOf(m_CurAccount);
  g_UnoffsetDataExportXls(m_listName, m_listMain, title, align, pUser, bLast);
}
