#include "positions_scene.h"

#include <headless/headless.h>

#include <ctime>
#include <fstream>
#include <sstream>

#include "host/environment.h"

namespace positionstest {

double DateNumber(int days) {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  std::tm t{};
  t.tm_year = now.wYear - 1900;
  t.tm_mon = now.wMonth - 1;
  t.tm_mday = now.wDay + days;
  t.tm_hour = 12;
  const std::time_t when = timegm(&t);
  std::tm d{};
  gmtime_r(&when, &d);
  return (d.tm_year + 1900) * 10000.0 + (d.tm_mon + 1) * 100.0 + d.tm_mday;
}

CBaseOrder_StorageStockInfo Record(const char* code, std::initializer_list<std::pair<int, int>> counts) {
  CBaseOrder_StorageStockInfo r;
  r.m_strStockNo = code;
  for (auto [n, value] : counts) *r.pnCount(n) = value;
  return r;
}

std::vector<std::string> BuiltInKeys() {
  std::vector<CString> items;
  host::Broker::Instance().SectionItems("CTABFAINANCESTOCKUNOFFSET", items);
  std::vector<std::string> keys;
  for (const CString& k : items) keys.push_back(k.str());
  return keys;
}

host::DisplaySection Section(const std::vector<std::string>& keys) {
  host::DisplaySection section;
  for (const std::string& key : keys) {
    section.items.emplace_back(key.c_str());
    Stru_Item item;
    item.m_strItem = key.c_str();
    item.m_strTitle = host::Broker::Instance().LangText(key.c_str());
    item.m_wWidth = 60;
    section.columns.push_back(item);
  }
  return section;
}

void PositionsTest::SetUp() {
  ModuleTest::SetUp();
  data_ = moduletest::SampleBroker();
}

void PositionsTest::Quote(BYTE market, const char* code, const char* name,
                          std::initializer_list<std::pair<WORD, double>> items) {
  host::QuoteSymbol& q = data_.quotes[{market, code}];
  q.name = name;
  for (auto [item, value] : items) q.items[item] = value;
}

void PositionsTest::Hold(int account, CBaseOrder_StorageStockInfo record) {
  data_.accounts[account].domestic.push_back(std::move(record));
}

JqzOrderBaseView* PositionsTest::Open(BYTE syncGroup) {
  LoadBroker(data_);
  JqzOrderBaseView* view = AddView(moduletest::kHoldingsView, syncGroup);
  Login();
  WaitForFill();
  return view;
}

CListCtrlEx* PositionsTest::ListCtrl(const JqzOrderBaseView* view) const {
  return dynamic_cast<CListCtrlEx*>(CWnd::FromHandlePermanent(List(view)));
}

std::string PositionsTest::Text(HWND window) { return moduletest::WindowText(window); }

int PositionsTest::Rows(const JqzOrderBaseView* view) const { return moduletest::ListRows(List(view)); }

std::vector<std::string> PositionsTest::Titles(const JqzOrderBaseView* view) const {
  return moduletest::ListTitles(List(view));
}

int PositionsTest::Column(const JqzOrderBaseView* view, const char* key) const {
  const std::string title = host::Broker::Instance().LangText(key).str();
  const std::vector<std::string> titles = Titles(view);
  for (size_t i = 0; i < titles.size(); ++i)
    if (titles[i] == title) return static_cast<int>(i);
  return -1;
}

std::string PositionsTest::Cell(const JqzOrderBaseView* view, int row, const char* key) const {
  const int column = Column(view, key);
  if (column < 0) return "(no column)";
  return moduletest::ListCell(List(view), row, column);
}

void PositionsTest::Notice(JqzOrderBaseView* view, UINT message, int code, const char* account) {
  OrderDataNotice notice;
  notice.m_strKey = "9A95";
  notice.m_strAccount = account;
  notice.m_nAccountType = 65;
  ::SendMessageA(view->GetSafeHwnd(), message, code, reinterpret_cast<LPARAM>(&notice));
}

void PositionsTest::SetLanguageText(const std::string& key, const std::string& utf8Text) {
  std::ifstream in(QZ_LANGUAGE_FILE, std::ios::binary);
  std::ostringstream out;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(key + "=", 0) == 0) line = key + "=" + utf8Text;
    out << line << '\n';
  }
  const std::string path = home_ + "/test.lang";
  std::ofstream(path, std::ios::binary) << out.str();
  ASSERT_TRUE(host::LoadLanguage(path).ok());
}

}  // namespace positionstest
