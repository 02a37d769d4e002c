// The OrderBK_ calls. Declarations first; the simulated broker answers them.
#include "OrderBK.h"

#include "BKOrderInterface.h"
#include "EntClass.h"

bool OrderBK_bIsSystemIDLogin() { return false; }
bool OrderBK_bGetActiveAccount(AccountType&, BYTE) { return false; }
bool OrderBK_bSaveSyncTypeAccount(AccountType, BYTE) { return false; }
CBaseOrder_StockLoginInfo OrderBK_GetDSLoginInfo(AccountType) { return {}; }
CBaseOrder_UserInfo* OrderBK_GetDSActiveUserInfo(AccountType) { return nullptr; }
CBaseOrder_UserInfo* OrderBK_GetFSActiveUserInfo(AccountType) { return nullptr; }
CString OrderBK_GetSTMRatio(AccountType, CString) { return {}; }
bool OrderBK_iQueryUnOffset(AccountType, CString) { return false; }
bool OrderBK_iQueryUnOffsetPro(AccountType, CString, bool) { return false; }
bool OrderBK_iQueryStockkDividendCalc(AccountType, CString, CString, CString, CString) {
  return false;
}
std::vector<CBaseOrder_StorageStockInfo> OrderBK_GetDSStorageStock(AccountType) { return {}; }
std::vector<CBaseOrder_FSStorageStockInfo> OrderBK_GetFSStorageStock(AccountType) { return {}; }
std::vector<CBaseOrder_UnoffsetInfo> OrderBK_GetDSUnoffset(AccountType) { return {}; }
bool OrderBK_bGetStockDividendCalc(AccountType, CBaseOrder_StockDividendCalc&) { return false; }
bool OrderBK_bDSNormalOrder(CBaseOrder_OrderInfo&, CString&, int) { return false; }
bool OrderBK_bOrder2List(CBaseOrder_OrderInfo&, int, CString&, bool) { return false; }
CString OrderBK_cszMakeSN() { return {}; }
void OrderBK_vSendOrderPriceAgent(CWnd*, COrderPriceAgent*, CView*) {}
bool OrderBK_GetAllItemBySection(CString, std::vector<CString>&, bool) { return false; }
bool OrderBK_GetDisplayItemBySection(CString, std::vector<Stru_Item>&, bool, bool, bool) {
  return false;
}
void OrderBK_vGetUnit(CString, int&, bool) {}
bool OrderBK_bGetClassView(CString, CString, CString, CString) { return false; }

BKOrderInterface* BKOrderInterface::GetBKInterface() {
  static BKOrderInterface instance;
  return &instance;
}
bool BKOrderInterface::bIsSymbolIDExist(BYTE, const CString&) { return false; }
bool BKOrderInterface::bGetMultiMemory(BYTE&, const std::vector<CSymbolInfo>&,
                                       const std::vector<WORD>&) {
  return false;
}
bool BKOrderInterface::bGetServiceID2Delay(BYTE&, BYTE) { return false; }
BYTE BKOrderInterface::byGetQuoteMode(BYTE) { return 0; }
CString BKOrderInterface::LangGetLangString(const CString&) { return {}; }

EntClass* EntClass::GetInstance() {
  static EntClass instance;
  return &instance;
}
DWORD EntClass::dwGetHRWSource() const { return 0; }
