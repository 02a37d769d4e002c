// The order back-end's calls. Queries return at once; the answer comes later as an
// order-data message to the views (see OrderDataNotice.h), after which the result calls
// give the data of the last answered query of the account.
#pragma once

#include <afxstr.h>

#include <vector>

#include "AccountType.h"
#include "CBaseOrder_OrderInfo.h"
#include "CBaseOrder_StockDividendCalc.h"
#include "CBaseOrder_StockLoginInfo.h"
#include "CBaseOrder_StorageStockInfo.h"
#include "CBaseOrder_UnoffsetInfo.h"
#include "CBaseOrder_UserInfo.h"
#include "COrderPriceAgent.h"
#include "Stru_Item.h"

class CWnd;
class CView;

// Login and accounts
bool OrderBK_bIsSystemIDLogin();
bool OrderBK_bGetActiveAccount(AccountType& account, BYTE bySyncType);
bool OrderBK_bSaveSyncTypeAccount(AccountType account, BYTE bySyncType);
CBaseOrder_StockLoginInfo OrderBK_GetDSLoginInfo(AccountType account);
CBaseOrder_UserInfo* OrderBK_GetDSActiveUserInfo(AccountType account);  // may be null
CBaseOrder_UserInfo* OrderBK_GetFSActiveUserInfo(AccountType account);  // may be null
CString OrderBK_GetSTMRatio(AccountType account, CString strCaller);     // "" when none

// Queries: true when accepted
bool OrderBK_iQueryUnOffset(AccountType account, CString strSymbol);
bool OrderBK_iQueryUnOffsetPro(AccountType account, CString strKind, bool bForce);
bool OrderBK_iQueryStockkDividendCalc(AccountType account, CString strSymbol, CString strRange,
                                      CString strInterval, CString strMode);

// Results of the last answered query of the account
std::vector<CBaseOrder_StorageStockInfo> OrderBK_GetDSStorageStock(AccountType account);
std::vector<CBaseOrder_FSStorageStockInfo> OrderBK_GetFSStorageStock(AccountType account);
std::vector<CBaseOrder_UnoffsetInfo> OrderBK_GetDSUnoffset(AccountType account);
bool OrderBK_bGetStockDividendCalc(AccountType account, CBaseOrder_StockDividendCalc& result);

// Orders
bool OrderBK_bDSNormalOrder(CBaseOrder_OrderInfo& order, CString& strMessage, int nFlag);
bool OrderBK_bOrder2List(CBaseOrder_OrderInfo& order, int nAccountType, CString& strMessage,
                         bool bShow);
CString OrderBK_cszMakeSN();
// Stores a new average cost for the account's positions in the commodity; false: message says why.
bool OrderBK_bSetAvgDealPrice(AccountType account, CBaseOrder_Commodity commodity, double dPrice,
                              CString strSN, CString& strMessage);
void OrderBK_vSendOrderPriceAgent(CWnd* pFrame, COrderPriceAgent* pAgent, CView* pSender);

// Settings
bool OrderBK_GetAllItemBySection(CString strSection, std::vector<CString>& items, bool bAll);
bool OrderBK_GetDisplayItemBySection(CString strSection, std::vector<Stru_Item>& items,
                                     bool bAll, bool bHidden, bool bFixed);
void OrderBK_vGetUnit(CString strSymbol, int& nUnit, bool bForeign);
bool OrderBK_bGetClassView(CString strClass, CString strSection, CString strKey, CString strFile);
