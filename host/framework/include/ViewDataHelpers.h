// The host's view-data helpers (g_ functions): quotes, number texts, account
// selection, order checks and texts, the log, export and print.
#pragma once

#include <afxwin.h>

#include <vector>

#include "AccountType.h"
#include "CBaseOrder_Commodity.h"
#include "CBaseOrder_OrderInfo.h"
#include "CBaseOrder_UserInfo.h"
#include "R7Format.h"

class CBaseOrderItemGroup;

// The product name, caption of the host's message boxes.
extern CString g_cszProductName;

// ---- Configuration -----------------------------------------------------------
// Path of OrderCfg.ini in the host's home directory.
CString g_vGetOrderCfgFileName();

// ---- Quotes ------------------------------------------------------------------------
// An item of the quote memory (125 current price, 129 reference, 455 last close, ...);
// 0 when the memory holds no value.
double g_GetSymbolInfoByItem(BYTE byMarket, const CString& strSymbol, WORD wItem);
// The same item as a display value: item 453 is a date, others numbers with two decimals.
R7Format g_xGetSymbolInfoByItem(BYTE byMarket, const CString& strSymbol, WORD wItem);
// The symbol's name in the market; empty when unknown.
CString g_GetCommodityId(const CString& strSymbol, BYTE byMarket);
// The current price of the commodity's stock: item 125 of market 16, else 122; when
// there is none, the last close (455), else the reference price (129); 0 when unknown.
double g_dbGetCurrentPrice(const CBaseOrder_Commodity& commodity);

// ---- Numbers ---------------------------------------------------------------------------
// The shortest text of the value with at most four decimals ("10.5", "100", "-0.25").
CString g_cszNormalizDouble(double dValue);
// A number text with thousands separators in its integer part ("1234567.5" gives
// "1,234,567.5"); a text that is not a number comes back unchanged.
CString g_cszNormalizCstring(const CString& strValue);
// Equal within 1e-6.
bool g_bDoubleIsEqual(double dA, double dB);

// ---- Accounts ----------------------------------------------------------------------------
// Index in accounts of the account the sync group shows (the back-end's active account
// of the group); 0 when the group shows none or one the list lacks; -1 for an empty list.
int g_iGetSelectAccount(std::vector<AccountType> accounts, BYTE bySyncType);
// Makes the account chosen in the selector (item data: index in accounts) the current
// one. False, leaving current unchanged, when nothing valid is chosen.
bool g_bSetActiveAccountData(CComboBox* pSelector, std::vector<AccountType> accounts,
                             AccountType& current);

// ---- Lists -----------------------------------------------------------------------------------
// Writes the line numbers 1, 2, ... into the column of "IDS_ORDER-ITEM_DATACOUNT" after the
// list was re-sorted; nothing when the group does not display that item. nSortColumn is
// the column the list was sorted by.
void g_vResetDatano(CListCtrl* pList, int nSortColumn, CBaseOrderItemGroup* pGroup);
// Exports the list (header and lines, tab-separated, CP950) to a new file under the
// export directory; false when there is nothing to write or the file cannot be made.
bool g_DataExport(CListCtrl& list);
// Print and spreadsheet export of the two inventory lists. Print renders them to a PDF
// under the export directory (the terminal's print-to-file); false when there is nothing
// to print or the file cannot be made. Export writes an .xlsx there and tells the user
// where it went, or why it could not be written, in a message box.
bool g_vPrintListCtrlInventory(CListCtrl& grid, CListCtrl& names, CString const& strTitle,
                               CBaseOrder_UserInfo* pUser, int nMode, CString strAlign,
                               int nOption);
void g_UnoffsetDataExportXls(CListCtrl& names, CListCtrl& grid, CString strTitle,
                             CString strAlign, CBaseOrder_UserInfo* pUser, bool bOption);

// ---- Orders ------------------------------------------------------------------------------------
// Safety limits of a stock order (quantity, price band, account); false with the reason.
bool g_bCheckOrderInsurance(const AccountType& account, CBaseOrder_OrderInfo* pOrder,
                            CString& strMessage);
// Completeness of a stock order; false when it cannot be sent (nothing is shown).
bool g_bCheckStockOrder(AccountType account, CBaseOrder_OrderInfo order);
// "融資賣出" and the like: credit kind and side; side 0 gives the credit kind alone.
CString g_cszDisplayOrderBSorComplex(const CBaseOrder_OrderInfo* pOrder, int nStyle);
// "2330 台積電" with " 零股" for an odd-lot order; with bWithExchange the exchange first.
CString g_cszDisplayOrderSymbol(const CBaseOrder_OrderInfo* pOrder, bool bWithExchange,
                                int nStyle);

// ---- Log ------------------------------------------------------------------------------------------
// Appends the text to the host's log; false when it is empty.
bool g_ClientbWriteLog(const CString& strText);
