#include "DividendResults.h"

#include <CommonUtilities.h>
#include <OrderBK.h>
#include <ViewDataHelpers.h>

#include <cmath>

#include "CellText.h"

namespace qzdividend {

CString strDateForm(const CString& strDate) {
  if (strDate.GetLength() != 8) return strDate;
  CString text;
  text.Format("%s/%s/%s", strDate.Left(4).GetString(), strDate.Mid(4, 2).GetString(),
              strDate.Mid(6, 2).GetString());
  return text;
}

CString strNameForm(const CBaseOrder_StockDividendInfo& record) {
  if (record.m_strStockName.IsEmpty() && record.m_strNameSuffix.IsEmpty()) return "--";
  CString text;
  text.Format("%s(%s)", record.m_strStockName.GetString(), record.m_strNameSuffix.GetString());
  return text;
}

CString strTypeForm(const CString& strType) {
  if (strType == "1") return s_LangGetLangString("IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI38");
  if (strType == "2") return s_LangGetLangString("IDS_CSTOCKCTRLVIEW-STRING_SETVIEWBYODOI39");
  return strType;
}

CString strNumberForm(double dValue) { return g_cszNormalizCstring(g_cszNormalizDouble(dValue)); }

CString strTotalForm(double dTotal) {
  // A 32-bit truncation would wrap above 2,147,483,647, well within an account's
  // yearly cash dividends.
  const double whole = std::trunc(dTotal);
  long long value = 0;
  if (std::isfinite(whole) && std::fabs(whole) < 9.2e18) value = static_cast<long long>(whole);
  CString text;
  text.Format("%lld", value);
  return g_cszNormalizCstring(text);
}

namespace {

// The back-end's texts may hold tabs or line breaks, which would split the cell.
void vSetText(CBaseOrderItemGroup& group, const char* pszKey, const CString& strText) {
  group.bSetItemValue(pszKey, qzviews::strCellText(strText), 0, 0);
}

}  // namespace

void vSetRowItems(CBaseOrderItemGroup& group, const CBaseOrder_StockDividendInfo& record,
                  int nRow, int nMode) {
  CString number;
  number.Format("%d", nRow + 1);
  vSetText(group, "IDS_ORDER-ITEM_DATACOUNT", number);
  vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DIVIDENDDATE",
           strDateForm(record.m_strDividendDate));
  vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_STOCKNAME", strNameForm(record));
  if (nMode == 2) {
    const bool cash = record.m_strType == "1";
    const bool stock = record.m_strType == "2";
    const CString rate = strNumberForm(record.m_dDividendRate);
    vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DTINT_CASH", cash ? rate : CString());
    vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DTINT_STOCK", stock ? rate : CString());
    CString payDay;
    if (cash) payDay = strDateForm(record.m_strCashPayDate);
    if (stock) payDay = strDateForm(record.m_strStockPayDate);
    vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_PAYDAY", payDay);
  } else {
    vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_TYPE", strTypeForm(record.m_strType));
    vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DTINT",
             strNumberForm(record.m_dDividendRate));
    vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_KEEPQTY", strNumberForm(record.m_dKeepQty));
    vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_CRINT",
             strNumberForm(record.m_dCashDividend));
    vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_PDATE", strDateForm(record.m_strCashPayDate));
    vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SQTY", strNumberForm(record.m_dStockQty));
    vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SDATE",
             strDateForm(record.m_strStockPayDate));
    vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_NORATE", strNumberForm(record.m_dNoRate));
  }
  vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DDATE", strDateForm(record.m_strDDate));
  vSetText(group, "IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SOURCE", record.m_strSource);
}

CString strSectionOf(int nMode) {
  return nMode == 2 ? "CTABDIVIDENDCALC_INVENTORY_STOCK" : "CTABDIVIDENDCALC_STOCK";
}

void vLoadSection(CBaseOrderItemGroup& group, const CString& strSection) {
  std::vector<CString> items;
  OrderBK_GetAllItemBySection(strSection, items, true);
  group.vDeleteAllItem();
  for (const CString& item : items) group.bAddItem(item, nullptr, 0);
  std::vector<Stru_Item> columns;
  OrderBK_GetDisplayItemBySection(strSection, columns, true, false, false);
  group.vDeleteAllDisplayTitle();
  for (const Stru_Item& column : columns) group.vAddDisplayTitle(column.m_strTitle, column.m_wWidth, -1);
}

void vBuildColumns(CListCtrlEx& list, const CBaseOrderItemGroup& group) {
  CHeaderCtrl* header = list.GetHeaderCtrl();
  for (int i = header ? header->GetItemCount() - 1 : -1; i >= 0; --i) list.DeleteColumn(i);
  // Column 0 of a list cannot be centred: a placeholder takes its place while the
  // others are added, and goes.
  list.InsertColumn(0, "", LVCFMT_LEFT, 0);
  for (int i = 0; i < group.iGetDisplayItemTitleCount(); ++i)
    list.InsertColumn(i + 1, group.strGetDisplayTitle(i), LVCFMT_CENTER, LVSCW_AUTOSIZE_USEHEADER);
  list.DeleteColumn(0);
  list.m_strAlign = group.strGetDisplayLineTextAligns();
}

DividendSums vInsertRecordLines(CListCtrlEx& list, CBaseOrderItemGroup& group,
                                const std::vector<CBaseOrder_StockDividendInfo>& records,
                                int nMode) {
  DividendSums sums;
  const CString separator = "\t";
  for (size_t i = 0; i < records.size(); ++i) {
    const CBaseOrder_StockDividendInfo& record = records[i];
    vSetRowItems(group, record, static_cast<int>(i), nMode);
    const CString line = group.strGetDisplayLineText();
    list.InsertLineText(static_cast<int>(i), line, line.GetLength(), separator, 0);
    sums.dCash += record.m_dCashDividend;
    sums.dStock += record.m_dStockQty;
  }
  return sums;
}

void vInsertTotalsLines(CListCtrlEx& list, const CString& strCash, const CString& strStock) {
  const int n = list.GetItemCount();
  list.InsertItem(n, "");
  list.InsertItem(n + 1, "");
  list.SetItemText(n + 1, 1, s_LangGetLangString("IDS_ORDER-TAB-STOCK-DIVIDENDCALC_TOTAL"));
  list.SetItem(n + 1, 6, LVIF_TEXT, strCash, 0, 0, 0, 0);
  list.SetItem(n + 1, 8, LVIF_TEXT, strStock, 0, 0, 0, 0);
}

}  // namespace qzdividend
