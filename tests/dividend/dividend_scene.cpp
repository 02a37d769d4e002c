#include "dividend_scene.h"

#include <headless/headless.h>
#include <input/input.h>

#include <CDlgTipMsg.h>
#include <CommonUtilities.h>
#include <commctrl.h>

#include <cstdio>

#include "resource.h"

namespace dividendtest {

CBaseOrder_StockDividendInfo Record(const char* date, const char* name, const char* code,
                                    const char* type, double cash, double stockQty) {
  CBaseOrder_StockDividendInfo r;
  r.m_strDividendDate = date;
  r.m_strStockName = name;
  r.m_strNameSuffix = code;
  r.m_strType = type;
  r.m_dDividendRate = 3.5;
  r.m_dKeepQty = 3000;
  r.m_dCashDividend = cash;
  r.m_strCashPayDate = "20240711";
  r.m_dStockQty = stockQty;
  r.m_strStockPayDate = "20240820";
  r.m_strDDate = date;
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
  start.wYear = kYear;
  start.wMonth = kMonth;
  start.wDay = kDay;
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

JqzStockDividendCalcDlg* DividendTest::Dlg(const JqzOrderBaseView* view) const {
  const JqzOrderBaseView* v = view ? view : view_;
  return v ? dynamic_cast<JqzStockDividendCalcDlg*>(v->m_pBaseDlg) : nullptr;
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

void DividendTest::Click(int id, const JqzOrderBaseView* view) { input::ClickButton(Item(id, view)); }

void DividendTest::PickDate(int id, WORD year, WORD month, WORD day) {
  HWND picker = Item(id);
  char text[8];
  std::snprintf(text, sizeof text, "%04d", year);
  input::TypeText(picker, text);  // the year field has the focus first
  input::PressKey(VK_RIGHT);
  std::snprintf(text, sizeof text, "%02d", month);
  input::TypeText(picker, text);
  input::PressKey(VK_RIGHT);
  std::snprintf(text, sizeof text, "%02d", day);
  input::TypeText(picker, text);
  input::PressKey(VK_RIGHT);  // back to the year
}

void DividendTest::ChooseInterval(int itemData) {
  HWND combo = Item(IDC_COMBO_INTERVAL);
  const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == itemData) {
      input::ChooseComboEntry(combo, i);
      return;
    }
  }
  ADD_FAILURE() << "no interval with item data " << itemData;
}

std::string DividendTest::Text(int id, const JqzOrderBaseView* view) const {
  char buffer[512] = {};
  ::GetWindowTextA(Item(id, view), buffer, sizeof buffer);
  return buffer;
}

bool DividendTest::Enabled(int id, const JqzOrderBaseView* view) const {
  return ::IsWindowEnabled(Item(id, view)) != FALSE;
}

bool DividendTest::Visible(int id, const JqzOrderBaseView* view) const {
  return ::IsWindowVisible(Item(id, view)) != FALSE;
}

int DividendTest::Rows(const JqzOrderBaseView* view) const {
  return static_cast<int>(::SendMessageA(Item(IDC_LIST_DIVIDEND, view), LVM_GETITEMCOUNT, 0, 0));
}

std::string DividendTest::Cell(int row, int column, const JqzOrderBaseView* view) const {
  char buffer[512] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  ::SendMessageA(Item(IDC_LIST_DIVIDEND, view), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
  return buffer;
}

std::vector<std::string> DividendTest::Columns(const JqzOrderBaseView* view) const {
  HWND list = Item(IDC_LIST_DIVIDEND, view);
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  const int count = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  std::vector<std::string> titles;
  for (int i = 0; i < count; ++i) {
    char buffer[256] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = buffer;
    column.cchTextMax = sizeof buffer;
    ::SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    titles.push_back(buffer);
  }
  return titles;
}

std::string DividendTest::TipText() const {
  const CDlgTipMsg* tip = Dlg() ? Dlg()->m_pDlgTipMsg : nullptr;
  if (!tip || !::IsWindowVisible(tip->GetSafeHwnd())) return "";
  return tip->strGetText().GetString();
}

std::string Lang(const char* key) { return s_LangGetLangString(key).GetString(); }

}  // namespace dividendtest
