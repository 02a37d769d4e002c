#include "test_view.h"

#include "host/broker.h"
#include "host/view_registry.h"

IMPLEMENT_DYNCREATE(QzTestView, CView)

BEGIN_MESSAGE_MAP(QzTestView, CView)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_BN_CLICKED(IDC_QUERY, OnQuery)
  ON_BN_CLICKED(IDC_SELL, OnSell)
  ON_CBN_SELCHANGE(IDC_ACCOUNT, OnSelChangeAccount)
  ON_MESSAGE(WM_ORDER_LOGINSUCCESS, OnLoginSuccess)
  ON_MESSAGE(WM_ORDER_REFRESHDATA, OnRefreshOrderData)
  ON_MESSAGE(WM_ORDER_REFRESHERRDATA, OnRefreshErrOrderData)
  ON_MESSAGE(WM_ORDER_CLEARDATA, OnClearOrderData)
  ON_MESSAGE(WM_ORDER_RELOADACCOUNT, OnReloadAccount)
END_MESSAGE_MAP()

namespace {

CString Lots(int shares, int unit) {
  CString s;
  if (shares == 0) return " ";
  s.Format("%d", unit > 0 ? shares / unit : shares);
  return s;
}

}  // namespace

int QzTestView::OnCreate(LPCREATESTRUCT cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  const DWORD child = WS_CHILD | WS_VISIBLE;
  m_account.Create(child | WS_TABSTOP | CBS_DROPDOWNLIST, CRect(8, 8, 260, 200), this, IDC_ACCOUNT);
  m_query.Create("庫存查詢", child | WS_TABSTOP | BS_PUSHBUTTON, CRect(268, 8, 348, 30), this, IDC_QUERY);
  m_sell.Create("出清", child | WS_TABSTOP | BS_PUSHBUTTON, CRect(356, 8, 416, 30), this, IDC_SELL);
  m_status.Create("", child | SS_LEFT, CRect(424, 12, 900, 30), this, IDC_STATUS);
  m_list.Create(child | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, CRect(8, 38, 900, 400),
                this, IDC_LIST);
  m_list.InsertColumn(0, "股票", LVCFMT_LEFT, 120);
  m_list.InsertColumn(1, "昨餘", LVCFMT_RIGHT, 60);
  m_list.InsertColumn(2, "今餘", LVCFMT_RIGHT, 60);
  m_list.InsertColumn(3, "委賣", LVCFMT_RIGHT, 60);
  m_list.InsertColumn(4, "融資今餘", LVCFMT_RIGHT, 70);
  m_list.InsertColumn(5, "融券今餘", LVCFMT_RIGHT, 70);
  m_list.InsertColumn(6, "零股", LVCFMT_RIGHT, 60);
  m_list.InsertColumn(7, "現價", LVCFMT_RIGHT, 70);
  host::ViewHooks hooks;
  hooks.memoryRecovery = [this](const CMultiSymbolMemoryInfo* info) {
    if (info && info->m_byReqNo == m_quoteReq) ShowPrices();
  };
  host::RegisterView(m_hWnd, host::ViewKind::kHoldings, std::move(hooks));
  return 0;
}

void QzTestView::OnDestroy() {
  host::UnregisterView(m_hWnd);
  CView::OnDestroy();
}

void QzTestView::OnInitialUpdate() {
  CView::OnInitialUpdate();
  if (OrderBK_bIsSystemIDLogin()) ReloadAccounts();
}

void QzTestView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  if (m_list.GetSafeHwnd() && cx > 20 && cy > 50) m_list.MoveWindow(8, 38, cx - 16, cy - 46);
}

void QzTestView::ReloadAccounts() {
  m_accounts = host::Broker::Instance().Accounts();
  m_account.ResetContent();
  for (const auto& a : m_accounts) {
    CString name;
    name.Format("%s-%s %s", a.m_strBrokerID.GetString(), a.m_strAccount.GetString(), a.m_strName.GetString());
    m_account.AddString(name);
  }
  if (m_accounts.empty()) return;
  m_account.SetCurSel(0);
  OnSelChangeAccount();
}

void QzTestView::OnSelChangeAccount() {
  int sel = m_account.GetCurSel();
  if (sel < 0 || sel >= static_cast<int>(m_accounts.size())) return;
  m_current = m_accounts[static_cast<size_t>(sel)];
  m_list.DeleteAllItems();
  m_rows.clear();
  m_status.SetWindowText("");
}

void QzTestView::OnQuery() {
  if (m_current.m_strAccount.IsEmpty()) return;
  m_query.EnableWindow(FALSE);
  m_status.SetWindowText("查詢中...");
  OrderBK_iQueryUnOffset(m_current, "");
}

// Sells one board lot of the selected row's cash holding.
void QzTestView::OnSell() {
  int row = m_list.GetNextItem(-1, LVNI_SELECTED);
  if (row < 0 || row >= static_cast<int>(m_rows.size())) {
    MessageBox("請先選擇股票", "提示", MB_OK | MB_ICONINFORMATION);
    return;
  }
  CBaseOrder_OrderInfo order;
  order.m_strAccount = m_current.m_strAccount;
  order.m_strSubAccount = m_current.m_strSubAccount;
  order.m_strCertID = m_current.m_strCertID;
  order.m_dwSource = EntClass::GetInstance()->dwGetHRWSource();
  order.m_Commodity.m_strExchange = "TWSE";
  order.m_Commodity.m_nTradeUnit = 'A';
  order.m_Commodity.m_nCreditType = 'A';
  order.m_Commodity.m_strStockNo = m_rows[static_cast<size_t>(row)].m_strStockNo;
  order.m_nSide = 'S';
  order.m_nPriceType = order.m_nPriceType2 = '7';
  order.m_nTimeInForce = 'N';
  order.m_nQty = 1;
  CString text;
  text.Format("賣出 %s 1 張?", order.m_Commodity.m_strStockNo.GetString());
  if (MessageBox(text, "委託確認", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  CString message;
  if (OrderBK_bDSNormalOrder(order, message, 0)) {
    m_status.SetWindowText("委託成功");
  } else {
    MessageBox(message, "委託失敗", MB_OK | MB_ICONWARNING);
  }
}

LRESULT QzTestView::OnLoginSuccess(WPARAM, LPARAM) {
  ReloadAccounts();
  return 0;
}

LRESULT QzTestView::OnReloadAccount(WPARAM, LPARAM) {
  ReloadAccounts();
  return 0;
}

LRESULT QzTestView::OnRefreshOrderData(WPARAM code, LPARAM lParam) {
  if (!IsWindowVisible() || !lParam) return 0;
  OrderDataNotice notice = *reinterpret_cast<const OrderDataNotice*>(lParam);
  if (notice.m_strAccount != m_current.m_strAccount || notice.m_strKey != m_current.m_strBrokerID) return 0;
  if (code == ORDERDATA_NOTIFY_UNOFFSET) {
    m_query.EnableWindow(TRUE);
    m_rows = OrderBK_GetDSStorageStock(m_current);
    FillRows();
  } else if (code == ORDERDATA_NOTIFY_ORDERCHANGED) {
    OnQuery();
  }
  return 0;
}

LRESULT QzTestView::OnRefreshErrOrderData(WPARAM, LPARAM lParam) {
  if (!lParam) return 0;
  OrderDataNotice notice = *reinterpret_cast<const OrderDataNotice*>(lParam);
  if (notice.m_strAccount != m_current.m_strAccount) return 0;
  m_query.EnableWindow(TRUE);
  m_status.SetWindowText("查詢失敗");
  return 0;
}

LRESULT QzTestView::OnClearOrderData(WPARAM, LPARAM) {
  m_list.DeleteAllItems();
  m_rows.clear();
  return 0;
}

void QzTestView::FillRows() {
  m_list.DeleteAllItems();
  std::vector<CSymbolInfo> symbols;
  for (size_t i = 0; i < m_rows.size(); ++i) {
    const auto& s = m_rows[i];
    int unit = 1000;
    OrderBK_vGetUnit(s.m_strStockNo, unit, false);
    BYTE market = BKOrderInterface::bIsSymbolIDExist(16, s.m_strStockNo) ? 16 : 122;
    CString name = host::Broker::Instance().SymbolName(market, s.m_strStockNo);
    CString label = s.m_strStockNo;
    if (!name.IsEmpty()) label.Format("%s(%s)", name.GetString(), s.m_strStockNo.GetString());
    int row = m_list.InsertItem(static_cast<int>(i), label);
    m_list.SetItemText(row, 1, Lots(s.m_nCashYesterday, unit));
    m_list.SetItemText(row, 2, Lots(s.m_nCashToday, unit));
    m_list.SetItemText(row, 3, Lots(s.m_nCashOrderSell, unit));
    m_list.SetItemText(row, 4, Lots(s.m_nMarginToday, unit));
    m_list.SetItemText(row, 5, Lots(s.m_nShortToday, unit));
    CString odd;
    if (unit > 0 && s.m_nCashToday % unit) odd.Format("%d", s.m_nCashToday % unit);
    m_list.SetItemText(row, 6, odd.IsEmpty() ? CString(" ") : odd);
    m_list.SetItemText(row, 7, "--");
    symbols.emplace_back(market, s.m_strStockNo);
  }
  CString status;
  status.Format("共 %d 筆", static_cast<int>(m_rows.size()));
  m_status.SetWindowText(status);
  if (!symbols.empty()) BKOrderInterface::bGetMultiMemory(m_quoteReq, symbols, {125});
}

double QzTestView::Price(const CString& code) const {
  host::Broker& b = host::Broker::Instance();
  BYTE market = b.SymbolExists(16, code) ? 16 : 122;
  for (WORD item : {WORD{125}, WORD{455}, WORD{129}}) {
    double v = b.QuoteValue(market, code, item);
    if (v > 0) return v;
  }
  return 0;
}

void QzTestView::ShowPrices() {
  for (size_t i = 0; i < m_rows.size(); ++i) {
    double p = Price(m_rows[i].m_strStockNo);
    CString text = "--";
    if (p > 0) text.Format("%.2f", p);
    m_list.SetItemText(static_cast<int>(i), 7, text);
  }
}
