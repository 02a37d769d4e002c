// The inventory dialog's market-value face: each holding valued at the latest price
// with or without its odd lots, a total row, and the summaries both faces share (the
// row count and the account's maintenance ratio).
#include <BKOrderInterface.h>
#include <CSymbolInfo.h>
#include <CommonUtilities.h>
#include <JqzOrderBaseView.h>
#include <OrderBK.h>
#include <ViewDataHelpers.h>
#include <resource.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "JqzOrderStocksDlg.h"

namespace {

constexpr BYTE kMarketListed = 16;
constexpr BYTE kMarketOtc = 122;
constexpr BYTE kMarketForeign = 22;
constexpr BYTE kQuoteAnswered = 255;
constexpr int kTipMilliseconds = 5000;

// The latest deal first, then the last close, then the reference price.
double PriceIn(BYTE byMarket, const CString& strCode) {
  for (WORD item : {WORD{125}, WORD{455}, WORD{129}}) {
    const double price = g_GetSymbolInfoByItem(byMarket, strCode, item);
    if (price > 0) return price;
  }
  return 0.0;
}

// A value with a fixed number of decimals, as "%.*f" writes it (the same digits and
// rounding); every row formats three, so without parsing a format each time.
CString Number(int nDecimals, double dValue) {
  char text[400];
  const auto end = std::to_chars(text, text + sizeof text - 1, dValue, std::chars_format::fixed,
                                 nDecimals);
  if (end.ec != std::errc()) {
    CString formatted;
    formatted.Format("%.*f", nDecimals, dValue);
    return formatted;
  }
  return CString(text, static_cast<int>(end.ptr - text));
}

// Rounded to one decimal, then the decimal dropped: 1234.96 gives 1235, 0.4 gives 0.
CString ValueText(double dValue) {
  CString text = Number(1, dValue);
  const int dot = text.Find('.');
  if (dot > 0) text = text.Left(dot);
  return text;
}

CString AccountText(const AccountType& account) {
  return account.m_strAccount + account.m_strSubAccount;
}

}  // namespace

void JqzOrderStocksDlg::OnBtnMarketValue() {
  OnBtnQueryStocks();
  m_bDetailMode = 0;
  m_listMain.EnableInfoTip(false);
  vBuildMarketValueColumns();
}

void JqzOrderStocksDlg::OnChkIncludeOdd() {
  vBuildMarketValueColumns();
  vShowMarketValue();
}

void JqzOrderStocksDlg::vBuildMarketValueColumns() {
  if (!bClearGrid()) return;
  const CString nameText = s_LangGetLangString("IDS_QZORDERVIEW_JQZORDERSTOCKDLG_STOCKNAME");
  m_listName.InsertColumn(0, nameText, LVCFMT_CENTER, m_nNameWidth);
  m_listMain.InsertColumn(0, nameText, LVCFMT_CENTER, m_nNameWidth);
  m_listMain.InsertColumn(1, s_LangGetLangString("IDS_QZORDERVIEW_JQZORDERSTOCKDLG_STOCKINHAND"),
                          LVCFMT_RIGHT, m_nWidth14);
  m_listMain.InsertColumn(2,
                          s_LangGetLangString("IDS_QZORDERVIEW_JQZORDERSTOCKDLG_NEWESTDEALPRICE"),
                          LVCFMT_RIGHT, m_nWidth8 + m_nWidth4);
  const bool bWithOdd = m_chkIncludeOdd.GetCheck() >= 1;
  m_listMain.InsertColumn(3,
                          s_LangGetLangString(bWithOdd
                                                  ? "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TOTALVALUE_WITHODD"
                                                  : "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TOTALVALUE_WITHOUTODD"),
                          LVCFMT_RIGHT, m_nWidth10 + m_nWidth8);
  int nCol = 4;
  if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_FOREIGN_STOCK)
    m_listMain.InsertColumn(nCol++,
                            s_LangGetLangString("IDS_QZORDERVIEW_JQZORDERSTOCKDLG_DELIVERYCURRENCY"),
                            LVCFMT_RIGHT, m_nWidth10);
  if (m_bAllAccounts)
    m_listMain.InsertColumn(nCol, s_LangGetLangString("IDS_QZORDERVIEW_GLOABLDATAPROC_CSEQ"),
                            LVCFMT_CENTER, m_nNameWidth);
  m_listMain.DeleteColumn(0);
  for (CListCtrlExH* pList : {&m_listMain, &m_listName}) {
    pList->ClearHeaderGroups();
    pList->SetCheckColumn(false);
    pList->SetRedraw(TRUE);
  }
  vUpdateCountLabel();
  m_chkIncludeOdd.ShowWindow(SW_SHOW);
  for (int nId : {IDC_BTN_CLEAR_OUT, IDC_BTN_KEEP, IDC_CHK_SELECT_ALL, IDC_BTN_DAY_TRADE})
    if (CWnd* pWnd = GetDlgItem(nId)) pWnd->ShowWindow(SW_HIDE);
  vHideNameListBars();
  m_listName.Invalidate();
}

double JqzOrderStocksDlg::dHoldingPrice(const CString& strKey) const {
  const int cut = strKey.Find('_');
  const CString code = cut >= 0 ? strKey.Left(cut) : strKey;
  if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_DOMESTIC_STOCK) {
    for (BYTE market : {kMarketListed, kMarketOtc})
      if (BKOrderInterface::bIsSymbolIDExist(market, code)) return PriceIn(market, code);
    return 0.0;
  }
  if (m_CurAccount.m_nAccountType == ACCOUNTTYPE_FOREIGN_STOCK)
    return PriceIn(kMarketForeign, code);
  return 0.0;
}

void JqzOrderStocksDlg::vShowMarketValue() {
  if (!::IsWindow(m_listMain.GetSafeHwnd()) || !::IsWindow(m_listName.GetSafeHwnd())) return;
  const bool bWithOdd = m_chkIncludeOdd.GetCheck() >= 1;
  double total = 0.0;
  BeginWaitCursor();
  for (CListCtrlExH* pList : {&m_listMain, &m_listName}) {
    pList->SetRedraw(FALSE);
    pList->DeleteAllItems();
  }
  // Language texts are joined, never used as a format: a "%" in them shows as it is.
  const CString shares = " " + s_LangGetLangString("IDS_QZORDERVIEW_JQZORDERSTOCKDLG_STOCKS");
  const CString yuan = " " + s_LangGetLangString("IDS_QZORDERVIEW_JQZORDERSTOCKDLG_YUAN");
  int r = 0;
  auto addRow = [&](const CString& strKey, const inventory::MarketValueEntry& entry,
                    const AccountType* pAccount) {
    const double price = dHoldingPrice(strKey);
    double value = 0.0;
    if (bWithOdd)
      value = entry.m_dQuantity * price;
    else if (entry.m_dQuantity - entry.m_dOddQuantity > 0)
      value = (entry.m_dQuantity - entry.m_dOddQuantity) * price;
    const CString quantityText = g_cszNormalizCstring(Number(0, entry.m_dQuantity));
    CString valueText = ValueText(value);
    // The total adds exactly what the rows show.
    total += std::atof(valueText.GetString());
    valueText = g_cszNormalizCstring(valueText);
    const CString priceText = g_cszNormalizCstring(Number(2, price));
    // Appended in place: a row of 10,000 is built without a temporary per piece.
    CString row = quantityText;
    if (pAccount) {
      row += " 股\t";
      row += priceText;
      row += " 元\t";
      row += valueText;
      row += " 元\t";
      row += entry.m_strCurrency;
      row += "\t ";
      row += pAccount->m_strAccount;
      row += pAccount->m_strSubAccount;
    } else {
      row += shares;
      row += "\t";
      row += priceText;
      row += yuan;
      row += "\t";
      row += valueText;
      row += yuan;
      row += "\t ";
      row += entry.m_strCurrency;
    }
    m_listMain.SetRowText(r, row, "\t");
    m_listName.SetRowText(r, entry.m_strName, "\t");
    ++r;
  };
  if (m_bAllAccounts) {
    for (const AccountEntry& account : m_vecAccountEntries)
      for (const auto& [key, entry] : account.m_marketValues) addRow(key, entry, &account.m_account);
  } else {
    for (const auto& [key, entry] : m_mapMarketValue) addRow(key, entry, nullptr);
  }
  const CString totalRow = s_LangGetLangString("IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TOTALSTOCKVALUE") +
                           "  \t  \t" + g_cszNormalizCstring(Number(0, total)) + yuan +
                           "\t ";
  const int nTotalRow = m_listMain.GetItemCount();
  m_listMain.SetRowText(nTotalRow, totalRow, "\t");
  m_listName.SetRowText(nTotalRow, totalRow, "\t");
  vUpdateCountLabel();
  for (CListCtrlExH* pList : {&m_listMain, &m_listName}) pList->SetRedraw(TRUE);
  vHideNameListBars();
  m_listName.Invalidate();
  EndWaitCursor();
}

void JqzOrderStocksDlg::vRecvMultiSymbolMemoryRecovery(const CMultiSymbolMemoryInfo* pInfo) {
  if (pInfo)
    for (BYTE& slot : m_byQuoteReq)
      if (slot == pInfo->m_byReqNo) slot = kQuoteAnswered;
  bool bAll = true;
  for (BYTE slot : m_byQuoteReq) bAll = bAll && slot == kQuoteAnswered;
  if (bAll) {
    vShowListDlgTipMsg(2, nullptr, 0, kTipMilliseconds);
    for (BYTE& slot : m_byQuoteReq) slot = 0;
    if (m_bDetailMode == 0) {
      vBuildMarketValueColumns();
      vShowMarketValue();
    }
  }
  EndWaitCursor();
}

void JqzOrderStocksDlg::vUpdateMaintainRate() {
  CWnd* pRatio = GetDlgItem(IDC_STATIC_STM_RATIO);
  if (!pRatio) return;
  const CString ratio = OrderBK_GetSTMRatio(m_CurAccount, "JqzOrderStocksDlg");
  const CString account = AccountText(m_CurAccount);
  if (ratio.IsEmpty()) {
    // Never leave the figure of the account before under this one.
    if (account != m_strRatioAccount) {
      pRatio->SetWindowText("");
      pRatio->ShowWindow(SW_HIDE);
      m_strRatioAccount.Empty();
    }
    return;
  }
  CString text = s_LangGetLangString("IDS_ORDER-TAB-MAINTAINRATE-STRING_ALL");
  if (std::atof(ratio.GetString()) <= 0)
    text += ": 0 %";
  else
    text += ": " + ratio + " %";
  pRatio->SetWindowText(text);
  pRatio->ShowWindow(SW_SHOW);
  m_strRatioAccount = account;
}
