// The inventory dialog's grid: the column sets, the rows written into the name list
// and the main list, selection and check boxes, the two lists kept on the same rows,
// and the double click that hands a quantity to the order window.
#include <BKOrderInterface.h>
#include <COrderPriceAgent.h>
#include <CommonUtilities.h>
#include <JqzOrderBaseView.h>
#include <ViewDataHelpers.h>
#include <resource.h>

#include <cstdlib>
#include <functional>
#include <iterator>

#include "JqzFinanceStockUnoffsetView.h"
#include "JqzOrderStocksDlg.h"

namespace {

const char kNameKey[] = "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_STOCKNAME";

// Domestic captions in insertion order; index 0 is the stock name (name list only).
const char* const kDSCaptionKeys[] = {
    kNameKey,
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_YSTOCK",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ORDERBUY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ORDERSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_DEALBUY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_DEALSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TSTOCK",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TRADEORDERBUY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TRADEORDERSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TRADEDEALBUY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TRADEDEALSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TRADESTOCK",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TSTOCKNUM",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_YSTOCK",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_CASHREPAY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ORDERBUY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ORDERSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_DEALBUY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_DEALSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TSTOCK",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_RUSHSTOCK",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_YSTOCK",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_STOCKCASHREPAY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ORDERBUY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ORDERSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_DEALBUY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_DEALSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TSTOCK",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_RUSHSTOCK",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_CRDBSHARES",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_YSTOCK",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ORDERBUY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ORDERSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_DEALBUY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_DEALSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TSTOCK",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_YSTOCK",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ADJQUANTITY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ORDERSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_DEALSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TSTOCK",
};
static_assert(std::size(kDSCaptionKeys) == inventory::kDSCellCount);

const char* const kFSCaptionKeys[] = {
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ONE",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_HKYSTOCK",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_HKORDERBUY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_HKDEALBUY",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_HKORDERSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_HKDEALSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_HKTSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_HKNSELL",
    "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_DELIVERYCURRENCY",
};

constexpr BYTE kMarketListed = 16;
constexpr BYTE kMarketOtc = 122;
constexpr BYTE kMarketForeign = 22;

// The text a list hands with a cell message lives in the list itself, so its address
// tells which list sent the message.
bool bTextFrom(const CListCtrlExH& list, LPARAM lParam) {
  const auto* text = reinterpret_cast<const char*>(lParam);
  const auto* first = reinterpret_cast<const char*>(&list);
  return std::less_equal<const char*>()(first, text) &&
         std::less<const char*>()(text, first + sizeof list);
}

CString AccountText(const AccountType& account) {
  CString text;
  text.Format("%s%s", account.m_strAccount.GetString(), account.m_strSubAccount.GetString());
  return text;
}

}  // namespace

void JqzOrderStocksDlg::vInitLists() {
  if (!::IsWindow(m_listMain.GetSafeHwnd()) || !m_pParentView ||
      !::IsWindow(m_pParentView->GetSafeHwnd()))
    return;
  m_listFont.DeleteObject();
  m_listFont.CreatePointFont(90, "Tahoma");
  for (CListCtrlExH* pList : {&m_listMain, &m_listName}) {
    pList->ModifyStyle(0, LVS_OWNERDRAWFIXED);
    pList->SetExtendedStyle(pList->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_INFOTIP);
    pList->SetBkColor(RGB(219, 230, 253));
    pList->SetHeaderGradient(255, 255, 255, 3);
    pList->SetRowHeight(25);
    pList->SetHeaderHeightScale(2.0f);
    pList->SetListFont(&m_listFont);
    pList->SetRowHeight(m_nListRowHeight);
    pList->EnableInfoTip(true);
  }
  vHideNameListBars();
}

void JqzOrderStocksDlg::vUpdateCountLabel() {
  if (!::IsWindow(m_stcCount.GetSafeHwnd())) return;
  int n = m_listMain.GetItemCount();
  // The market-value grid's last row is its total, not a holding.
  if (m_bDetailMode == 0 && n >= 1) --n;
  CString text;
  text.Format("%d %s", n,
              s_LangGetLangString("IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TIP2").GetString());
  m_stcCount.SetWindowText(text);
}

// ---- Columns --------------------------------------------------------------------------------

// Both lists emptied of rows and columns, with drawing held until the new columns are in;
// false when the lists do not exist.
bool JqzOrderStocksDlg::bClearGrid() {
  if (!::IsWindow(m_listMain.GetSafeHwnd()) || !::IsWindow(m_listName.GetSafeHwnd())) return false;
  for (CListCtrlExH* pList : {&m_listMain, &m_listName}) {
    pList->DeleteAllItems();
    pList->SetRedraw(FALSE);
  }
  for (int i = m_listMain.GetHeaderCtrl()->GetItemCount() - 1; i >= 0; --i) {
    m_listMain.DeleteColumn(i);
    m_listName.DeleteColumn(i);
  }
  return true;
}

void JqzOrderStocksDlg::vBuildDSColumns() {
  if (!bClearGrid()) return;
  const CString nameText = s_LangGetLangString(kNameKey);
  for (int i = 0; i < inventory::kDSCellCount; ++i) {
    const CString caption = s_LangGetLangString(kDSCaptionKeys[i]);
    if (caption == nameText) {
      m_listMain.InsertColumn(i, caption, LVCFMT_CENTER, m_nNameWidth);
      m_listName.InsertColumn(i, caption, LVCFMT_CENTER, m_nNameWidth);
      continue;
    }
    // A caption of an unexpected length still gets a column, so no later cell
    // stands under the wrong caption.
    int width = m_nWidth10;
    switch (caption.GetLength()) {
      case 4:
        width = m_nWidth4;
        break;
      case 6:
        width = m_nWidth6;
        break;
      case 8:
        width = m_nWidth8;
        break;
      case 14:
        width = m_nWidth14;
        break;
      default:
        break;
    }
    m_listMain.InsertColumn(i, caption, LVCFMT_CENTER, width);
  }
  // Rebuilt with every query: groups are set afresh, never added twice.
  m_listMain.ClearHeaderGroups();
  const struct {
    int nFirst, nLast;
    const char* pszKey;
  } groups[] = {
      {m_nCashFirst, m_nCashLast, "IDS_QZORDERVIEW_PRINTLISTCTRL_CENTRALIZE"},
      {m_nMarginFirst, m_nMarginLast, "IDS_QZORDERVIEW_PRINTLISTCTRL_RZ"},
      {m_nShortFirst, m_nShortLast, "IDS_QZORDERVIEW_PRINTLISTCTRL_RG"},
      {m_nOddFirst, m_nOddLast, "IDS_QZORDERVIEW_PRINTLISTCTRL_ODD_STKNUM"},
      {m_nLendFirst, m_nLendLast, "IDS_QZORDERVIEW_PRINTLISTCTRL_SECURITY_LENDING"},
  };
  for (const auto& g : groups)
    m_listMain.AddHeaderGroup(g.nFirst, g.nLast, s_LangGetLangString(g.pszKey));
  if (m_bAllAccounts)
    m_listMain.InsertColumn(inventory::kDSCellCount,
                            s_LangGetLangString("IDS_QZORDERVIEW_GLOABLDATAPROC_CSEQ"),
                            LVCFMT_CENTER, m_nNameWidth);
  for (int i = m_nCashFirst; i <= m_nLendLast; ++i) m_listMain.MarkGroupedColumn(i);

  const bool bNoActions =
      ::GetPrivateProfileIntA("ORDER_SETTING", "StockBtnPart", 0, g_vGetOrderCfgFileName()) == 1;
  for (int nId : {IDC_BTN_CLEAR_OUT, IDC_BTN_KEEP, IDC_BTN_DAY_TRADE, IDC_CHK_SELECT_ALL})
    if (CWnd* pWnd = GetDlgItem(nId)) pWnd->ShowWindow(bNoActions ? SW_HIDE : SW_SHOW);
  m_listMain.SetCheckColumn(false);
  m_listName.SetCheckColumn(!bNoActions);
  if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_DOMESTIC_STOCK) m_listMain.DeleteColumn(0);
  vUpdateCountLabel();
  m_chkIncludeOdd.ShowWindow(SW_HIDE);
  m_listMain.SetRedraw(TRUE);
  m_listName.SetRedraw(TRUE);
  vHideNameListBars();
}

void JqzOrderStocksDlg::vBuildFSColumns() {
  if (!bClearGrid()) return;
  const CString nameText = s_LangGetLangString(kNameKey);
  m_listName.InsertColumn(0, nameText, LVCFMT_CENTER, m_nNameWidth);
  m_listMain.InsertColumn(0, nameText, LVCFMT_CENTER, m_nNameWidth);
  int nCol = 1;
  for (const char* pszKey : kFSCaptionKeys)
    m_listMain.InsertColumn(nCol++, s_LangGetLangString(pszKey), LVCFMT_RIGHT, m_nWidth10);
  if (m_bAllAccounts) m_listMain.InsertColumn(nCol, "帳號", LVCFMT_CENTER, m_nNameWidth);
  m_listMain.ClearHeaderGroups();
  m_listMain.SetCheckColumn(false);
  m_listName.SetCheckColumn(false);
  m_listMain.DeleteColumn(0);
  vUpdateCountLabel();
  for (int nId : {IDC_CHK_INCLUDE_ODD, IDC_BTN_CLEAR_OUT, IDC_BTN_KEEP, IDC_CHK_SELECT_ALL,
                  IDC_BTN_DAY_TRADE})
    if (CWnd* pWnd = GetDlgItem(nId)) pWnd->ShowWindow(SW_HIDE);
  m_listMain.SetRedraw(TRUE);
  m_listName.SetRedraw(TRUE);
  vHideNameListBars();
}

// ---- Rows -----------------------------------------------------------------------------------

void JqzOrderStocksDlg::vShowRows() {
  if (!::IsWindow(m_listMain.GetSafeHwnd()) || !::IsWindow(m_listName.GetSafeHwnd())) return;
  BeginWaitCursor();
  for (CListCtrlExH* pList : {&m_listMain, &m_listName}) {
    pList->DeleteAllItems();
    pList->SetRedraw(FALSE);
    pList->SetItemCount(1000);
  }
  int r = 0;
  auto addRow = [&](const std::vector<CString>& cells) {
    for (size_t c = 0; c < cells.size(); ++c) {
      if (c == 0)
        m_listName.InsertItem(r, cells[c]);
      else if (c == 1)
        m_listMain.InsertItem(r, cells[c]);
      else
        m_listMain.SetItemText(r, static_cast<int>(c) - 1, cells[c]);
    }
  };
  if (m_bAllAccounts) {
    if (CWnd* pRatio = GetDlgItem(IDC_STATIC_STM_RATIO)) pRatio->ShowWindow(SW_HIDE);
    for (const AccountEntry& entry : m_vecAccountEntries) {
      const CString account = AccountText(entry.m_account);
      for (const auto& [key, cells] : entry.m_rows) {
        addRow(cells);
        if (!cells.empty()) m_listMain.SetItemText(r, static_cast<int>(cells.size()) - 1, account);
        ++r;
      }
    }
  } else {
    for (const auto& [key, cells] : m_mapRows) {
      addRow(cells);
      ++r;
    }
  }
  m_listMain.ResetChecks(m_listMain.GetItemCount(), false);
  m_listName.ResetChecks(m_listName.GetItemCount(), false);
  vUpdateCountLabel();
  for (CListCtrlExH* pList : {&m_listMain, &m_listName}) {
    pList->SetRedraw(TRUE);
    pList->m_nScrollUnit = pList->GetRowHeight();
    pList->UpdateWindow();
  }
  m_nNameTopIndex = 0;
  vHideNameListBars();
  EndWaitCursor();
}

// ---- Selection and check boxes --------------------------------------------------------------

LRESULT JqzOrderStocksDlg::OnListCellClick(WPARAM wParam, LPARAM) {
  const auto* cell = reinterpret_cast<const LISTEXH_CELL*>(wParam);
  if (!cell) return 0;
  const UINT states = LVIS_SELECTED | LVIS_FOCUSED;
  for (int i = 0; i < m_listMain.GetItemCount(); ++i) {
    m_listName.SetItemState(i, 0, states);
    m_listMain.SetItemState(i, 0, states);
  }
  m_listName.SetItemState(cell->nRow, states, states);
  m_listMain.SetItemState(cell->nRow, states, states);
  return 0;
}

void JqzOrderStocksDlg::OnChkSelectAll() {
  const bool bChecked = m_chkSelectAll.GetCheck() == 1;
  m_listName.ResetChecks(m_listName.GetItemCount(), bChecked);
  m_listName.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// ---- The two lists as one grid --------------------------------------------------------------

void JqzOrderStocksDlg::vAlignTopRows(int nListNo) {
  if (!::IsWindow(m_listMain.GetSafeHwnd()) || !::IsWindow(m_listName.GetSafeHwnd())) return;
  CListCtrlExH& source = nListNo == 2 ? m_listName : m_listMain;
  CListCtrlExH& other = nListNo == 2 ? m_listMain : m_listName;
  auto scrollTo = [](CListCtrlExH& list, int top) {
    const int now = list.GetTopIndex();
    if (now == top || list.GetItemCount() == 0) return;
    CRect rc;
    const int height = list.GetItemRect(now, &rc, LVIR_BOUNDS) && rc.Height() > 0
                           ? rc.Height()
                           : list.GetRowHeight();
    list.Scroll(CSize(0, (top - now) * height));
  };
  scrollTo(other, source.GetTopIndex());
  // The other list may not reach as far down; then the source comes back to it.
  if (other.GetTopIndex() != source.GetTopIndex()) scrollTo(source, other.GetTopIndex());
  m_nNameTopIndex = m_listName.GetTopIndex();
}

void JqzOrderStocksDlg::OnListKeyDown(int, UINT nChar) {
  // The wide list scrolls, whichever list has the focus; the scroll hook then brings
  // the name list to the same row. Sideways keys move the wide list alone.
  m_listMain.ScrollByKey(nChar);
  vAlignTopRows(1);
  vHideNameListBars();
}

void JqzOrderStocksDlg::OnListVScroll(int nListNo, UINT, UINT, CScrollBar*) {
  vAlignTopRows(nListNo);
  vHideNameListBars();
}

// ---- Order hand-off -------------------------------------------------------------------------

LRESULT JqzOrderStocksDlg::OnListCellDblClk(WPARAM wParam, LPARAM lParam) {
  const auto* cell = reinterpret_cast<const LISTEXH_CELL*>(wParam);
  const char* text = reinterpret_cast<const char*>(lParam);
  // Only the counts hand a quantity over: the name list's text is a name, which may be
  // a bare code such as "1260".
  if (!m_bDetailMode || !cell || !text || !bTextFrom(m_listMain, lParam)) return 0;
  const int row = cell->nRow;
  const int col = cell->nCol;
  const int q = std::atoi(text);
  if (m_listMain.GetItemCount() < 1 || row < 0 || row >= m_listMain.GetItemCount() || q <= 0)
    return 0;

  const RowMap::value_type* found = nullptr;
  AccountType account = m_CurAccount;
  if (m_bAllAccounts) {
    int n = row;
    for (const AccountEntry& entry : m_vecAccountEntries) {
      if (n < static_cast<int>(entry.m_rows.size())) {
        found = &*std::next(entry.m_rows.begin(), n);
        account = entry.m_account;
        break;
      }
      n -= static_cast<int>(entry.m_rows.size());
    }
  } else if (row < static_cast<int>(m_mapRows.size())) {
    found = &*std::next(m_mapRows.begin(), row);
  }
  if (!found) return 0;
  const CString& key = found->first;
  const std::vector<CString>& cells = found->second;
  const int bar = key.Find('_');
  const CString code = bar < 0 ? key : key.Left(bar);

  // The row's account decides domestic or foreign: a foreign stock the quote memory does
  // not know must never become a domestic order, nor the reverse.
  BYTE market = kMarketListed;
  if (account.m_nAccountType == ACCOUNTTYPE_FOREIGN_STOCK)
    market = kMarketForeign;
  else if (!BKOrderInterface::bIsSymbolIDExist(kMarketListed, code) &&
           BKOrderInterface::bIsSymbolIDExist(kMarketOtc, code))
    market = kMarketOtc;

  int quantity = q;
  char tradeType = 0;
  char board = 'A';
  int side = 0;
  CString currency;
  if (market == kMarketForeign) {
    if (col != m_nFSYesterday && col != m_nFSTSell && col != m_nFSNSell) return 0;
    CString shares(text);
    shares.Remove(',');
    CString lot = m_listMain.GetItemText(row, 0).Left(128);
    const int comma = lot.Find(',');
    if (comma >= 0) lot = lot.Left(comma) + lot.Mid(comma + 1);
    const int lotSize = std::atoi(lot);
    // A lot size the row does not give cannot be divided by.
    if (lotSize < 1) return 0;
    quantity = std::atoi(shares) / lotSize;
    if (quantity < 1) return 0;
    tradeType = 'A';
    board = '3';
    side = 0;
    if (cells.size() > 9) currency = cells[9];
  } else if (col == m_nCashFirst || col == m_nCashToday) {
    tradeType = 'A', side = 1;
  } else if (col == m_nTradeDealBuy) {
    tradeType = '9', side = 1;
  } else if (col == m_nTradeDealSell) {
    tradeType = '9', side = 0;
  } else if (col == m_nMarginFirst) {
    tradeType = 'B', side = 1;
  } else if (col == m_nMarginToday) {
    tradeType = 'C', side = 1;
  } else if (col == m_nShortFirst) {
    tradeType = 'C', side = 0;
  } else if (col == m_nShortRush) {
    tradeType = 'B', side = 0;
  } else if (col == m_nOddFirst || col == m_nOddLast) {
    tradeType = 'A', board = 'E', side = 1;
  } else if (col == m_nLendFirst || col == m_nLendLast) {
    tradeType = 'L', side = 1;
  } else {
    return 0;
  }
  // From here on the order goes out under the row's own account.
  m_CurAccount = account;

  COrderPriceAgent agent;
  agent.m_strAccount = m_CurAccount.m_strAccount;
  agent.m_byMarket = market;
  agent.m_strSymbol = code;
  agent.m_dPrice = 0.0;
  agent.m_nQty = quantity;
  agent.m_nSide = side;
  agent.m_bySyncType = m_pParentView ? m_pParentView->GetSyncType() : 0;
  agent.m_cBoard = board;
  agent.m_cTradeType = tradeType;
  agent.m_wPriceFlag = 'U';
  agent.m_dwOrderFlag = market == kMarketForeign ? 0 : 'R';
  agent.m_strMark = "-";
  agent.m_strCurrency = currency;
  if (JqzFinanceStockUnoffsetView* view = pHoldingsView()) view->vOpenOrderDlg(agent);
  return 0;
}
