#include "dividend_scene.h"

#include <CDlgTipMsg.h>
#include <CommonUtilities.h>
#include <commctrl.h>
#include <headless/headless.h>
#include <input/input.h>

#include <cstdio>

#include "resource.h"

namespace dividendtest {

CBaseOrder_StockDividendInfo Record(const char* date, const char* name, const char* code,
                                    const char* type, double cash, double stockQty) {
  CBaseOrder_StockDividendInfo r;
  r.m_strDividendDate = r.m_strDDate = date;
  r.m_strStockName = name;
  r.m_strNameSuffix = code;
  r.m_strType = type;
  r.m_dDividendRate = 3.5;
  r.m_dKeepQty = 3000;
  r.m_dCashDividend = cash;
  r.m_strCashPayDate = "20240711";
  r.m_dStockQty = stockQty;
  r.m_strStockPayDate = "20240820";
  r.m_strSource = "盈餘";
  return r;
}

host::BrokerData DividendBroker() {
  host::BrokerData data = moduletest::SampleBroker();
  data.accounts[0].dividends = {Record("20240613", "台積電", "2330", "1", 10500),
                                Record("20240912", "台積電", "2330", "1", 12000),
                                Record("20240718", "長榮", "2603", "2", 0, 120)};
  data.accounts[0].exDividends = {Record("20250320", "台積電", "2330", "1", 0),
                                  Record("20250325", "長榮", "2603", "2", 0)};
  data.accounts[1].dividends = {Record("20240620", "國泰金", "2882", "1", 3000)};
  return data;
}

void DividendTest::SetUp() {
  ModuleTest::SetUp();
  SYSTEMTIME start{};
  start.wYear = 2025;
  start.wMonth = 3;
  start.wDay = 14;
  start.wHour = 9;
  headless::SetLocalDateTime(start);
  LoadBroker(DividendBroker());
}

JqzOrderBaseView* DividendTest::Open(BYTE syncGroup, bool bAnswered) {
  JqzOrderBaseView* view = AddView(moduletest::kDividendView, syncGroup);
  if (!view_) view_ = view;
  Login();
  if (bAnswered) Advance(300);
  return view;
}

JqzStockDividendCalcDlg* DividendTest::Dlg() const {
  return view_ ? dynamic_cast<JqzStockDividendCalcDlg*>(view_->m_pBaseDlg) : nullptr;
}

HWND DividendTest::Item(int id, const JqzOrderBaseView* view) const {
  return Control(view ? view : view_, id);
}

std::vector<nlohmann::json> DividendTest::Queries() const {
  std::vector<nlohmann::json> found;
  for (const auto& e : Events("query"))
    if (e.value("query", "") == "dividend") found.push_back(e);
  return found;
}

nlohmann::json DividendTest::Query() {
  ClearEvents();
  Click(IDC_BTN_QUERY_DIVIDEND);
  const auto queries = Queries();
  Advance(300);
  return queries.size() == 1 ? queries[0] : nlohmann::json();
}

void DividendTest::PickDate(int id, int year, int month, int day) {
  char text[3][8];
  std::snprintf(text[0], sizeof text[0], "%04d", year);
  std::snprintf(text[1], sizeof text[1], "%02d", month);
  std::snprintf(text[2], sizeof text[2], "%02d", day);
  input::Click(Item(id));
  for (const char* field : text) {  // the right arrow picks the year, then month and day
    input::PressKey(VK_RIGHT);
    input::TypeText(Item(id), field);
  }
}

void DividendTest::ChooseInterval(int itemData) {
  HWND combo = Item(IDC_COMBO_INTERVAL);
  for (int i = 0; i < static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0)); ++i)
    if (::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == itemData)
      input::ChooseComboEntry(combo, i);
}

std::string DividendTest::Text(int id) const { return moduletest::WindowText(Item(id)); }

int DividendTest::Rows(const JqzOrderBaseView* view) const {
  return moduletest::ListRows(Item(IDC_LIST_DIVIDEND, view));
}

std::string DividendTest::Cell(int row, int column) const {
  return moduletest::ListCell(Item(IDC_LIST_DIVIDEND), row, column);
}

std::vector<std::string> DividendTest::Line(int row) const {
  std::vector<std::string> cells;
  for (size_t c = 0; c < Columns().size(); ++c) cells.push_back(Cell(row, static_cast<int>(c)));
  return cells;
}

std::vector<std::string> DividendTest::Columns() const {
  return moduletest::ListTitles(Item(IDC_LIST_DIVIDEND));
}

std::string DividendTest::TipText() const {
  const CDlgTipMsg* tip = Dlg() ? Dlg()->m_pDlgTipMsg : nullptr;
  if (!tip || !::IsWindowVisible(tip->GetSafeHwnd())) return "";
  return tip->strGetText().GetString();
}

std::string Lang(const char* key) { return s_LangGetLangString(key).GetString(); }

std::vector<std::string> Langs(std::initializer_list<const char*> keys) {
  std::vector<std::string> texts;
  for (const char* key : keys) texts.push_back(Lang(key));
  return texts;
}

}  // namespace dividendtest
