// The OrderBK_ calls and BKOrderInterface, over the simulated broker.
#include "OrderBK.h"

#include "BKOrderInterface.h"
#include "EntClass.h"
#include "host/broker.h"

using host::Broker;

bool OrderBK_bIsSystemIDLogin() { return Broker::Instance().IsLoggedIn(); }

bool OrderBK_bGetActiveAccount(AccountType& account, BYTE bySyncType) {
  return Broker::Instance().GetActiveAccount(account, bySyncType);
}

bool OrderBK_bSaveSyncTypeAccount(AccountType account, BYTE bySyncType) {
  return Broker::Instance().SaveSyncTypeAccount(account, bySyncType);
}

CBaseOrder_StockLoginInfo OrderBK_GetDSLoginInfo(AccountType account) {
  Broker& broker = Broker::Instance();
  if (!broker.IsLoggedIn()) return {};
  host::BrokerAccount* a = broker.FindAccount(account);
  return a ? a->login : CBaseOrder_StockLoginInfo{};
}

CBaseOrder_UserInfo* OrderBK_GetDSActiveUserInfo(AccountType account) {
  return Broker::Instance().ActiveUserInfo(account, ACCOUNTTYPE_DOMESTIC_STOCK);
}

CBaseOrder_UserInfo* OrderBK_GetFSActiveUserInfo(AccountType account) {
  return Broker::Instance().ActiveUserInfo(account, ACCOUNTTYPE_FOREIGN_STOCK);
}

CString OrderBK_GetSTMRatio(AccountType account, CString) {
  Broker& broker = Broker::Instance();
  if (!broker.IsLoggedIn()) return {};
  host::BrokerAccount* a = broker.FindAccount(account);
  return a ? a->maintenanceRatio : CString();
}

bool OrderBK_iQueryUnOffset(AccountType account, CString strSymbol) {
  return Broker::Instance().QueryUnoffset(account, strSymbol);
}

// The "Pro" form re-queries the whole inventory of the account.
bool OrderBK_iQueryUnOffsetPro(AccountType account, CString, bool) {
  return Broker::Instance().QueryUnoffset(account, CString());
}

bool OrderBK_iQueryStockkDividendCalc(AccountType account, CString strSymbol, CString strRange,
                                      CString strInterval, CString strMode) {
  return Broker::Instance().QueryDividend(account, strSymbol, strRange, strInterval, strMode);
}

std::vector<CBaseOrder_StorageStockInfo> OrderBK_GetDSStorageStock(AccountType account) {
  return Broker::Instance().DomesticStorage(account);
}

std::vector<CBaseOrder_FSStorageStockInfo> OrderBK_GetFSStorageStock(AccountType account) {
  return Broker::Instance().ForeignStorage(account);
}

std::vector<CBaseOrder_UnoffsetInfo> OrderBK_GetDSUnoffset(AccountType account) {
  return Broker::Instance().Positions(account);
}

bool OrderBK_bGetStockDividendCalc(AccountType account, CBaseOrder_StockDividendCalc& result) {
  return Broker::Instance().DividendResult(account, result);
}

bool OrderBK_bDSNormalOrder(CBaseOrder_OrderInfo& order, CString& strMessage, int) {
  return Broker::Instance().SendOrder(order, strMessage);
}

bool OrderBK_bOrder2List(CBaseOrder_OrderInfo& order, int nAccountType, CString& strMessage, bool) {
  return Broker::Instance().AddToOrderList(order, nAccountType, strMessage);
}

CString OrderBK_cszMakeSN() { return Broker::Instance().MakeSerialNumber(); }

bool OrderBK_bSetAvgDealPrice(AccountType account, CBaseOrder_Commodity commodity, double dPrice,
                              CString strSN, CString& strMessage) {
  return Broker::Instance().SetAverageCost(account, commodity, dPrice, strSN, strMessage);
}

void OrderBK_vSendOrderPriceAgent(CWnd*, COrderPriceAgent* pAgent, CView*) {
  if (pAgent) Broker::Instance().SendPriceAgent(*pAgent);
}

bool OrderBK_GetAllItemBySection(CString strSection, std::vector<CString>& items, bool) {
  return Broker::Instance().SectionItems(strSection, items);
}

bool OrderBK_GetDisplayItemBySection(CString strSection, std::vector<Stru_Item>& items, bool, bool,
                                     bool) {
  return Broker::Instance().SectionColumns(strSection, items);
}

// A code without a lot of its own leaves the caller's unit as it is.
void OrderBK_vGetUnit(CString strSymbol, int& nUnit, bool) {
  int lot = Broker::Instance().BoardLot(strSymbol);
  if (lot != 0) nUnit = lot;
}

bool OrderBK_bGetClassView(CString strClass, CString strSection, CString strKey, CString strFile) {
  return Broker::Instance().ClassView(strClass, strSection, strKey, strFile);
}

BKOrderInterface* BKOrderInterface::GetBKInterface() {
  static BKOrderInterface instance;
  return &instance;
}

bool BKOrderInterface::bIsSymbolIDExist(BYTE byMarket, const CString& strSymbol) {
  return Broker::Instance().SymbolExists(byMarket, strSymbol);
}

bool BKOrderInterface::bGetMultiMemory(BYTE& byReqNo, const std::vector<CSymbolInfo>& symbols,
                                       const std::vector<WORD>& items) {
  return Broker::Instance().RequestMemory(byReqNo, symbols, items);
}

bool BKOrderInterface::bGetServiceID2Delay(BYTE& byServiceID, BYTE byMarket) {
  return Broker::Instance().DelayedService(byServiceID, byMarket);
}

BYTE BKOrderInterface::byGetQuoteMode(BYTE byMarket) {
  return Broker::Instance().QuoteMode(byMarket);
}

CString BKOrderInterface::LangGetLangString(const CString& strKey) {
  return Broker::Instance().LangText(strKey);
}

EntClass* EntClass::GetInstance() {
  static EntClass instance;
  return &instance;
}

// The stand-in terminal's order source code.
DWORD EntClass::dwGetHRWSource() const { return 0x51; }
