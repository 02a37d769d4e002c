// Everything the order back-end declares.
#pragma once

#include "AccountType.h"
#include "BKOrderInterface.h"
#include "CBaseOrder_Commodity.h"
#include "CBaseOrder_OrderInfo.h"
#include "CBaseOrder_StockDividendCalc.h"
#include "CBaseOrder_StockLoginInfo.h"
#include "CBaseOrder_StorageStockInfo.h"
#include "CBaseOrder_UnoffsetInfo.h"
#include "CBaseOrder_UserInfo.h"
#include "COrderPriceAgent.h"
#include "CSymbolInfo.h"
#include "EntClass.h"
#include "OrderBK.h"
#include "OrderDataNotice.h"
#include "Stru_Item.h"
