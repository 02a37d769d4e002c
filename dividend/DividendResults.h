// The dividend results list: the columns of each mode's display section, how a dividend
// record becomes one line (the text forms of its fields), and the totals line of mode 1.
#pragma once

#include <CBaseOrderItemGroup.h>
#include <CBaseOrder_StockDividendCalc.h>
#include <CListCtrlEx.h>
#include <afxstr.h>

#include <vector>

namespace qzdividend {

// "YYYYMMDD" as "YYYY/MM/DD"; a text of any other length is shown as it is.
CString strDateForm(const CString& strDate);
// "name(suffix)"; "--" when both are empty.
CString strNameForm(const CBaseOrder_StockDividendInfo& record);
// The language text of type "1" (cash) or "2" (stock); any other value as it is.
CString strTypeForm(const CString& strType);
// A value as the host shows numbers, with thousands separators.
CString strNumberForm(double dValue);
// A total without its fraction, with thousands separators. Totals too large for a
// 64-bit integer, or not numbers at all, show 0.
CString strTotalForm(double dTotal);

// Sets the items of the mode's section (1 dividend calculation, 2 holdings about to go
// ex-dividend) for the record shown as line nRow (from 0).
void vSetRowItems(CBaseOrderItemGroup& group, const CBaseOrder_StockDividendInfo& record,
                  int nRow, int nMode);

// The display section of the mode: 1 dividend calculation, 2 holdings about to go
// ex-dividend.
CString strSectionOf(int nMode);
// The group takes the section's items and column titles from the back-end.
void vLoadSection(CBaseOrderItemGroup& group, const CString& strSection);
// Every column of the list goes; the group's titles come in their order, centred, and
// the list aligns its cells as the group's items say.
void vBuildColumns(CListCtrlEx& list, const CBaseOrderItemGroup& group);

struct DividendSums {
  double dCash = 0.0;   // cash dividends of the records
  double dStock = 0.0;  // stock-dividend quantities of the records
};
// One line per record from line 0 of the emptied list, in the back-end's order.
DividendSums vInsertRecordLines(CListCtrlEx& list, CBaseOrderItemGroup& group,
                                const std::vector<CBaseOrder_StockDividendInfo>& records,
                                int nMode);
// An empty line, then the totals line: its caption in column 1, the cash total text in
// column 6 and the stock total text in column 8, whatever the section shows there.
void vInsertTotalsLines(CListCtrlEx& list, const CString& strCash, const CString& strStock);

}  // namespace qzdividend
