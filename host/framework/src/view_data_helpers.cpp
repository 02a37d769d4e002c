// Quotes, numbers, accounts, lists and the log.
#include "ViewDataHelpers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "BKOrderInterface.h"
#include "CBaseOrderItemGroup.h"
#include "CommonUtilities.h"
#include "OrderBK.h"
#include "host/environment.h"
#include "host/list_columns.h"
#include "host/list_print.h"
#include "host/sheet_export.h"

CString g_cszProductName = "QZ 證券交易系統";

CString g_vGetOrderCfgFileName() { return CString(host::HomePath("OrderCfg.ini")); }

// ---- Quotes ----------------------------------------------------------------------------------

double g_GetSymbolInfoByItem(BYTE byMarket, const CString& strSymbol, WORD wItem) {
  const auto& quote = host::GetServices().quote;
  double value = 0.0;
  if (!quote || strSymbol.IsEmpty() || !quote(byMarket, strSymbol.str(), wItem, value)) return 0.0;
  return std::isfinite(value) ? value : 0.0;
}

R7Format g_xGetSymbolInfoByItem(BYTE byMarket, const CString& strSymbol, WORD wItem) {
  const double value = g_GetSymbolInfoByItem(byMarket, strSymbol, wItem);
  if (wItem == 453) return R7Format::FromDateNumber(static_cast<long>(value));
  return R7Format(value, 2);
}

CString g_GetCommodityId(const CString& strSymbol, BYTE byMarket) {
  const auto& name = host::GetServices().commodityName;
  if (!name || strSymbol.IsEmpty()) return CString();
  return CString(name(strSymbol.str(), byMarket));
}

double g_dbGetCurrentPrice(const CBaseOrder_Commodity& commodity) {
  for (BYTE market : {BYTE{16}, BYTE{122}}) {
    if (!BKOrderInterface::bIsSymbolIDExist(market, commodity.m_strStockNo)) continue;
    for (WORD item : {WORD{125}, WORD{455}, WORD{129}}) {
      const double price = g_GetSymbolInfoByItem(market, commodity.m_strStockNo, item);
      if (price > 0) return price;
    }
    return 0.0;
  }
  return 0.0;
}

// ---- Numbers -------------------------------------------------------------------------------------

CString g_cszNormalizDouble(double dValue) {
  if (!std::isfinite(dValue)) return CString("0");
  // Room for the largest double in fixed notation.
  char buffer[400];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, dValue, std::chars_format::fixed, 4);
  std::string s(buffer, written.ptr);
  if (s.find('.') != std::string::npos) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return CString(s);
}

CString g_cszNormalizCstring(const CString& strValue) {
  const std::string& s = strValue.str();
  size_t start = 0;
  if (start < s.size() && (s[start] == '-' || s[start] == '+')) ++start;
  size_t digitsEnd = start;
  while (digitsEnd < s.size() && s[digitsEnd] >= '0' && s[digitsEnd] <= '9') ++digitsEnd;
  if (digitsEnd == start) return strValue;
  size_t end = digitsEnd;
  if (end < s.size() && s[end] == '.') {
    ++end;
    while (end < s.size() && s[end] >= '0' && s[end] <= '9') ++end;
  }
  if (end != s.size()) return strValue;  // not a plain number
  std::string out = s.substr(0, start);
  const size_t digits = digitsEnd - start;
  for (size_t i = 0; i < digits; ++i) {
    if (i && (digits - i) % 3 == 0) out += ',';
    out += s[start + i];
  }
  out += s.substr(digitsEnd);
  return CString(out);
}

bool g_bDoubleIsEqual(double dA, double dB) { return std::fabs(dA - dB) < 1e-6; }

// ---- Accounts ----------------------------------------------------------------------------------

int g_iGetSelectAccount(std::vector<AccountType> accounts, BYTE bySyncType) {
  if (accounts.empty()) return -1;
  AccountType active;
  if (!OrderBK_bGetActiveAccount(active, bySyncType) || active.m_strAccount.IsEmpty()) return 0;
  for (size_t i = 0; i < accounts.size(); ++i)
    if (accounts[i] == active) return static_cast<int>(i);
  return 0;
}

bool g_bSetActiveAccountData(CComboBox* pSelector, std::vector<AccountType> accounts,
                             AccountType& current) {
  if (!pSelector || !::IsWindow(pSelector->GetSafeHwnd())) return false;
  const int sel = pSelector->GetCurSel();
  if (sel == CB_ERR) return false;
  const DWORD_PTR data = pSelector->GetItemData(sel);
  if (data == static_cast<DWORD_PTR>(CB_ERR) || data >= accounts.size()) return false;
  current = accounts[data];
  return true;
}

// ---- Lists -----------------------------------------------------------------------------------------

void g_vResetDatano(CListCtrl* pList, int nSortColumn, CBaseOrderItemGroup* pGroup) {
  (void)nSortColumn;
  if (!pList || !pGroup || !::IsWindow(pList->GetSafeHwnd())) return;
  const int column = pGroup->iGetDisplayItem("IDS_ORDER-ITEM_DATACOUNT");
  if (column < 0) return;
  const int count = pList->GetItemCount();
  for (int i = 0; i < count; ++i) {
    // Lines without a number (a totals line) stay as they are.
    if (pList->GetItemText(i, column).IsEmpty()) continue;
    CString number;
    number.Format("%d", i + 1);
    pList->SetItemText(i, column, number);
  }
}

bool g_DataExport(CListCtrl& list) {
  if (!::IsWindow(list.GetSafeHwnd())) return false;
  const int columns = host::ListColumnCount(list);
  const int lines = list.GetItemCount();
  if (columns <= 0 || lines <= 0) return false;
  const std::string dir = s_PathGetSysPath(2).str();
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  SYSTEMTIME t{};
  GetLocalTime(&t);
  char name[96];
  std::snprintf(name, sizeof name, "/list_%04u%02u%02u_%02u%02u%02u.txt", t.wYear, t.wMonth,
                t.wDay, t.wHour, t.wMinute, t.wSecond);
  std::FILE* f = std::fopen((dir + name).c_str(), "wb");
  if (!f) return false;
  for (int c = 0; c < columns; ++c)
    std::fprintf(f, "%s%s", c ? "\t" : "", host::ListColumnCaption(list, c).GetString());
  std::fputs("\r\n", f);
  for (int i = 0; i < lines; ++i) {
    for (int c = 0; c < columns; ++c)
      std::fprintf(f, "%s%s", c ? "\t" : "", list.GetItemText(i, c).GetString());
    std::fputs("\r\n", f);
  }
  const bool ok = std::fclose(f) == 0;
  host::Log(std::string("list exported to ") + dir + name);
  if (ok) {
    host::HostEvent written;
    written.kind = host::HostEvent::Kind::kExport;
    written.file = dir + name;
    host::Notify(written);
  }
  return ok;
}

namespace {
std::string YesNo(bool b) { return b ? "yes" : "no"; }

// A new file in the export folder, named for the local time to the millisecond.
std::string InventoryFilePath(const char* extension) {
  const std::string dir = s_PathGetSysPath(2).str();
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  SYSTEMTIME t{};
  GetLocalTime(&t);
  char name[96];
  std::snprintf(name, sizeof name, "/inventory_%04u%02u%02u_%02u%02u%02u_%03u.%s", t.wYear, t.wMonth,
                t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, extension);
  return dir + name;
}
}  // namespace

bool g_vPrintListCtrlInventory(CListCtrl& grid, CListCtrl& names, CString const& strTitle,
                               CBaseOrder_UserInfo* pUser, int nMode, CString strAlign,
                               int nOption) {
  host::HostEvent printed;
  printed.kind = host::HostEvent::Kind::kPrint;
  printed.written = false;
  printed.args = {{"title", strTitle.str()},
                  {"mode", std::to_string(nMode)},
                  {"align", strAlign.str()},
                  {"user", YesNo(pUser != nullptr)},
                  {"option", std::to_string(nOption)}};
  std::string problem;
  if (host::TakePrintFailure()) {
    problem = "the printer cannot be reached";
  } else if (!::IsWindow(grid.GetSafeHwnd()) || grid.GetItemCount() <= 0) {
    problem = "nothing to print";
  } else {
    const std::string path = InventoryFilePath("pdf");
    problem = host::PrintListsToPdf(path, grid, names, strTitle, strAlign, pUser);
    if (problem.empty()) {
      printed.file = path;
      printed.written = true;
    }
  }
  host::Log(printed.written ? "printed to " + printed.file
                            : "print failed: " + strTitle.str() + ": " + problem);
  host::Notify(printed);
  return printed.written;
}

void g_UnoffsetDataExportXls(CListCtrl& names, CListCtrl& grid, CString strTitle,
                             CString strAlign, CBaseOrder_UserInfo* pUser, bool bOption) {
  host::HostEvent exported;
  exported.kind = host::HostEvent::Kind::kExport;
  exported.written = false;
  exported.args = {{"title", strTitle.str()},
                   {"align", strAlign.str()},
                   {"user", YesNo(pUser != nullptr)},
                   {"option", YesNo(bOption)}};
  std::string problem;
  if (!::IsWindow(grid.GetSafeHwnd()) || host::ListColumnCount(grid) <= 0) {
    problem = "沒有可匯出的資料";
  } else {
    const std::string path = InventoryFilePath("xlsx");
    problem = host::WriteListSheet(path, names, grid, strTitle, strAlign, pUser);
    if (problem.empty()) {
      exported.file = path;
      exported.written = true;
    } else {
      problem = path + ": " + problem;
    }
  }
  // The user learns where the file went, or why there is none.
  CString message;
  if (exported.written) {
    message = "已匯出至 " + CString(exported.file.c_str());
    host::Log("spreadsheet exported to " + exported.file);
  } else {
    message = "匯出失敗: " + CString(problem.c_str());
    host::Log("spreadsheet export failed: " + problem);
  }
  ::MessageBoxA(::GetActiveWindow(), message, g_cszProductName,
                MB_OK | (exported.written ? MB_ICONINFORMATION : MB_ICONWARNING));
  host::Notify(exported);
}

// ---- Log ------------------------------------------------------------------------------------------------

bool g_ClientbWriteLog(const CString& strText) {
  if (strText.IsEmpty()) return false;
  host::Log(strText.str());
  return true;
}
