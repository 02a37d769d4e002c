#include "PositionListFill.h"

#include <CommonUtilities.h>
#include <OrderBK.h>
#include <R7Format.h>
#include <ViewDataHelpers.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string>

#include "CellText.h"
#include "PositionItemKeys.h"
#include "PositionRows.h"

using namespace positions;

namespace {

// The usual board lot, for a code the back-end gives no lot for.
constexpr int kDefaultBoardLot = 1000;

// The item keys the fill sets, made once rather than for each of thousands of values.
struct FillKeys {
  CString stockCode{kItemStockCode}, commodity{kItemCommodity}, kind{kItemKind},
      opening{kItemOpening}, price{kItemPrice}, marketValue{kItemMarketValue}, change{kItemChange},
      unoffset{kItemUnoffset}, q3{kItemQ3}, today{kItemToday}, closingOrder{kItemClosingOrder},
      q2{kItemQ2}, date{kItemDate}, actionClose{kItemActionClose}, actionOdd{kItemActionOdd},
      actionDayTrade{kItemActionDayTrade}, line{kItemLine};
};

// The language texts of a fill, looked up once: the table does not change while the
// list fills.
struct FillTexts {
  CString strShares = s_LangGetLangString(kTextShares);
  CString strCash = s_LangGetLangString(kTextCash);
  CString strMargin = s_LangGetLangString(kTextMargin);
  CString strShort = s_LangGetLangString(kTextShort);
  std::vector<CString> cashSell{s_LangGetLangString(kTextCashSell)};
  std::vector<CString> oddSell{s_LangGetLangString(kTextOddSell)};
  std::vector<CString> marginSell{s_LangGetLangString(kTextMarginSell)};
  std::vector<CString> dayTradeSell{s_LangGetLangString(kTextDayTradeSell)};
  std::vector<CString> shortCover{s_LangGetLangString(kTextShortCover)};
  std::vector<CString> dayTradeBuy{s_LangGetLangString(kTextDayTradeBuy)};

  const CString& strKind(int nKind) const {
    return nKind == POSITION_CASH ? strCash : nKind == POSITION_MARGIN ? strMargin : strShort;
  }
  // "%d" and the unit word.
  CString strCount(int n) const {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    std::string text(digits, end);
    text += strShares.str();
    return CString(text.c_str());
  }
};

CString strChange(double dChange, double dRate) {
  CString text;
  if (dChange > 0)
    text.Format("▲ %+.2f / %.2f%%", dChange, dRate);
  else if (dChange < 0)
    text.Format("▼ %+.2f / %.2f%%", dChange, -dRate);
  else
    text = " +0.000 / 0.000%";
  return text;
}

// "%04d/%02d/%02d" of the year, month and day of YYYYMMDD, without printf for the usual
// non-negative number.
CString strDateText(int nDate) {
  CString text;
  if (nDate < 0) {
    text.Format("%04d/%02d/%02d", nDate / 10000, (nDate / 100) % 100, nDate % 100);
    return text;
  }
  char year[16];
  const auto end = std::to_chars(year, year + sizeof year, nDate / 10000).ptr;
  std::string out(static_cast<size_t>(std::max<std::ptrdiff_t>(0, 4 - (end - year))), '0');
  out.append(year, end);
  const int nMonth = (nDate / 100) % 100;
  const int nDay = nDate % 100;
  const char rest[] = {'/', static_cast<char>('0' + nMonth / 10), static_cast<char>('0' + nMonth % 10),
                       '/', static_cast<char>('0' + nDay / 10), static_cast<char>('0' + nDay % 10)};
  out.append(rest, sizeof rest);
  return CString(out.c_str());
}

// A value of the line: the back-end's names and the language's texts may hold tabs or
// line breaks, which would split the cell.
void vSetText(CBaseOrderItemGroup& group, const CString& strKey, const CString& strText) {
  group.bSetItemValue(strKey, qzviews::strCellText(strText));
}

void vSetAction(CListCtrlEx& list, int nLine, int nColumn, const std::vector<CString>& texts) {
  if (nColumn < 0) return;
  list.SetCellSpecialType(nLine, nColumn, LISTEX_SPECIAL_CLICKTEXT, texts);
}

void vSetActions(CListCtrlEx& list, int nLine, const PositionRow& row, int nColClose,
                 int nColOdd, int nColDayTrade, const FillTexts& t) {
  switch (row.m_nKind) {
    case POSITION_CASH: {
      int nUnit = kDefaultBoardLot;
      OrderBK_vGetUnit(row.m_strCode, nUnit, false);
      // A lot below one share cannot divide the quantity: no lot or odd-lot action.
      if (nUnit < 1) return;
      if (row.m_nAvailable / nUnit > 0) vSetAction(list, nLine, nColClose, t.cashSell);
      if (row.m_nAvailable % nUnit > 0) vSetAction(list, nLine, nColOdd, t.oddSell);
      break;
    }
    case POSITION_MARGIN:
      if (row.m_nAvailable > 0) vSetAction(list, nLine, nColClose, t.marginSell);
      if (row.m_nQ2 != 0) vSetAction(list, nLine, nColDayTrade, t.dayTradeSell);
      break;
    default:
      if (row.m_nAvailable > 0) vSetAction(list, nLine, nColClose, t.shortCover);
      if (row.m_nQ2 != 0) vSetAction(list, nLine, nColDayTrade, t.dayTradeBuy);
      break;
  }
}

void vColourChange(CListCtrlEx& list, int nLine, int nColumn, const CString& strCode,
                   double dChange, double dPrice) {
  if (nColumn < 0) return;
  list.bCancelSpecialType(nLine, nColumn, true);
  if (dChange > 0) {
    list.SetCellBorderColor(nLine, nColumn, kPositionRed);
    if (g_bDoubleIsEqual(g_GetSymbolInfoByItem(16, strCode, 132), dPrice)) {
      list.SetCellBkColor(nLine, nColumn, kPositionLimitUpBk);
      list.SetCellTextColor(nLine, nColumn, kPositionWhite);
    } else {
      list.SetCellTextColor(nLine, nColumn, kPositionRed);
    }
  } else if (dChange < 0) {
    list.SetCellBorderColor(nLine, nColumn, kPositionGreen);
    if (g_bDoubleIsEqual(g_GetSymbolInfoByItem(16, strCode, 133), dPrice)) {
      list.SetCellBkColor(nLine, nColumn, kPositionLimitDownBk);
      list.SetCellTextColor(nLine, nColumn, kPositionWhite);
    } else {
      list.SetCellTextColor(nLine, nColumn, kPositionGreen);
    }
  }
}

}  // namespace

double dFillPositionList(CListCtrlEx& list, CBaseOrderItemGroup& group,
                         const std::vector<PositionRow>& rows) {
  double dTotal = 0.0;
  const int nColCode = group.iGetDisplayItem(kItemStockCode);
  const bool bQ3Shown = group.iGetDisplayItem(kItemQ3) >= 0;
  const int nColClose = group.iGetDisplayItem(kItemActionClose);
  const int nColOdd = group.iGetDisplayItem(kItemActionOdd);
  const int nColDayTrade = group.iGetDisplayItem(kItemActionDayTrade);
  const int nColChange = group.iGetDisplayItem(kItemChange);
  const int nColStatus = group.iGetDisplayItem(kItemStatus);
  const int nColDate = group.iGetDisplayItem(kItemDate);
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  const R7Format today(R7Format::R7_DATE, now.wYear, now.wMonth, now.wDay);
  static const FillKeys keys;
  const FillTexts texts;
  // Every row with a line text adds one line to the emptied list.
  int nLines = list.GetItemCount();

  for (size_t i = 0; i < rows.size(); ++i) {
    const PositionRow& row = rows[i];
    const int nRow = static_cast<int>(i);
    const int nLine = nLines;
    const CString& code = row.m_strCode;
    const BYTE byMarket = byGetPositionMarket(code);

    // The name comes from the market the price is read from: 16, else 122, else none.
    const CString strName = byMarket != 0 ? g_GetCommodityId(code, byMarket) : CString();
    if (nColCode < 0) {
      CString text = code;
      if (!strName.IsEmpty()) text.Format("%s(%s)", strName.GetString(), code.GetString());
      vSetText(group, keys.commodity, text);
    } else {
      vSetText(group, keys.stockCode, code);
      vSetText(group, keys.commodity, strName.IsEmpty() ? CString("--") : strName);
    }
    vSetText(group, keys.kind, texts.strKind(row.m_nKind));
    vSetText(group, keys.opening, texts.strCount(row.m_nOpening));

    double dPrice = g_GetSymbolInfoByItem(byMarket, code, 125);
    if (dPrice <= 0) dPrice = g_GetSymbolInfoByItem(byMarket, code, 455);
    vSetText(group, keys.price, dPrice == 0 ? CString("--") : g_cszNormalizDouble(dPrice));

    const int nQuantity = bQ3Shown ? row.m_nQ3 : row.m_nOpening;
    const double dValue = nQuantity * dPrice;
    // The total adds exactly the values shown; "--" adds nothing.
    if (dValue > 0) {
      vSetText(group, keys.marketValue, g_cszNormalizCstring(g_cszNormalizDouble(dValue)));
      dTotal += dValue;
    } else {
      vSetText(group, keys.marketValue, CString("--"));
    }

    const double dChange = g_GetSymbolInfoByItem(16, code, 184);
    const double dRate = g_GetSymbolInfoByItem(16, code, 185);
    vSetText(group, keys.change, strChange(dChange, dRate));

    vSetText(group, keys.unoffset, texts.strCount(row.m_nUnoffset));
    vSetText(group, keys.q3, texts.strCount(row.m_nQ3));
    vSetText(group, keys.today, texts.strCount(row.m_nToday));
    vSetText(group, keys.closingOrder, texts.strCount(row.m_nClosingOrder));
    vSetText(group, keys.q2, texts.strCount(row.m_nQ2));

    const R7Format date = g_xGetSymbolInfoByItem(16, code, 453);
    const int nDate = std::atoi(s_GetAsString(date));
    vSetText(group, keys.date, strDateText(nDate));

    vSetText(group, keys.actionClose, CString("--"));
    vSetText(group, keys.actionOdd, CString("--"));
    vSetText(group, keys.actionDayTrade, CString("--"));
    group.bSetItemValue(keys.line, nLine + 1);

    const CString strLine = group.strGetDisplayLineText();
    if (!strLine.IsEmpty() && list.InsertLineText(nLine, strLine, strLine.GetLength(), "\t", 0) >= 0)
      ++nLines;

    vSetActions(list, nLine, row, nColClose, nColOdd, nColDayTrade, texts);
    vColourChange(list, nRow, nColChange, code, dChange, dPrice);
    if (nColStatus >= 0 && row.m_nUnoffset != 0)
      list.SetCellTextColor(nRow, nColStatus, row.m_nUnoffset > 0 ? kPositionRed : kPositionGreen);
    // Dates from today to a fortnight ahead; the unsigned difference leaves out the past.
    const unsigned long ulDays =
        static_cast<unsigned long>(date.lGetValue()) - static_cast<unsigned long>(today.lGetValue());
    if (nColDate >= 0 && ulDays <= 14) list.SetCellTextColor(nRow, nColDate, kPositionRed);
  }
  return dTotal;
}
