#include "scenario.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "host/cp950_text.h"

namespace qzhost {
namespace {

using nlohmann::json;

// Reads one JSON value with its path, so that every complaint can say where.
class Node {
 public:
  Node(const json& value, std::string path, const std::string& file)
      : v_(value), path_(std::move(path)), file_(file) {}

  [[noreturn]] void Fail(const std::string& reason) const { throw ScenarioError(file_, path_, reason); }
  const json& value() const { return v_; }
  const std::string& path() const { return path_; }

  bool Has(const char* key) const { return v_.is_object() && v_.contains(key); }
  Node At(const char* key) const {
    if (!Has(key)) Node(v_, path_ + "/" + key, file_).Fail("missing");
    return Node(v_.at(key), path_ + "/" + key, file_);
  }
  Node At(size_t i) const { return Node(v_.at(i), path_ + "/" + std::to_string(i), file_); }

  void ExpectObject() const {
    if (!v_.is_object()) Fail("expected an object, found " + std::string(v_.type_name()));
  }
  void ExpectArray() const {
    if (!v_.is_array()) Fail("expected an array, found " + std::string(v_.type_name()));
  }
  // Members other than these are mistakes (a misspelt name would otherwise be ignored).
  void Only(std::initializer_list<const char*> keys) const {
    ExpectObject();
    std::set<std::string> known(keys.begin(), keys.end());
    for (auto it = v_.begin(); it != v_.end(); ++it) {
      if (!known.count(it.key())) Node(it.value(), path_ + "/" + it.key(), file_).Fail("unknown member");
    }
  }

  long long Int(long long lo = INT32_MIN, long long hi = INT32_MAX) const {
    if (!v_.is_number_integer()) Fail("expected an integer, found " + std::string(v_.type_name()));
    long long n = v_.get<long long>();
    if (n < lo || n > hi) Fail("out of range (" + std::to_string(lo) + " to " + std::to_string(hi) + ")");
    return n;
  }
  double Number() const {
    if (!v_.is_number()) Fail("expected a number, found " + std::string(v_.type_name()));
    return v_.get<double>();
  }
  bool Bool() const {
    if (!v_.is_boolean()) Fail("expected true or false, found " + std::string(v_.type_name()));
    return v_.get<bool>();
  }
  std::string Utf8() const {
    if (!v_.is_string()) Fail("expected a text, found " + std::string(v_.type_name()));
    return v_.get<std::string>();
  }
  // The text in CP950, as every text inside the host is.
  std::string Text() const {
    std::string utf8 = Utf8();
    host::ConvertedText c = host::Utf8ToCp950(utf8);
    if (!c.ok()) {
      if (c.error == host::TextError::kUnmappable) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c.badChar));
        Fail(std::string("text holds ") + buf + ", which code page 950 cannot hold");
      }
      Fail("text is not valid UTF-8");
    }
    return c.text;
  }
  // A one-letter code given as a letter ("S") or as its number (83).
  int Letter() const {
    if (v_.is_number_integer()) return static_cast<int>(Int(0, 255));
    std::string s = Utf8();
    if (s.size() != 1) Fail("expected one letter");
    return static_cast<unsigned char>(s[0]);
  }

  long long IntOr(const char* key, long long def, long long lo = INT32_MIN, long long hi = INT32_MAX) const {
    return Has(key) ? At(key).Int(lo, hi) : def;
  }
  std::string TextOr(const char* key, const std::string& def = "") const {
    return Has(key) ? At(key).Text() : def;
  }
  double NumberOr(const char* key, double def) const { return Has(key) ? At(key).Number() : def; }

 private:
  const json& v_;
  std::string path_;
  const std::string& file_;
};

SYSTEMTIME ParseStart(const Node& n) {
  std::string s = n.Utf8();
  SYSTEMTIME t{};
  int y, mo, d, h = 0, mi = 0, sec = 0;
  char sep = 0;
  int got = std::sscanf(s.c_str(), "%4d-%2d-%2d%c%2d:%2d:%2d", &y, &mo, &d, &sep, &h, &mi, &sec);
  if ((got != 3 && got != 7) || (got == 7 && sep != 'T' && sep != ' ') || mo < 1 || mo > 12 ||
      d < 1 || d > 31 || h < 0 || h > 23 || mi < 0 || mi > 59 || sec < 0 || sec > 59 || y < 1990 ||
      y > 2100 || s.size() != (got == 3 ? 10u : 19u)) {
    n.Fail("expected a local date-time YYYY-MM-DDTHH:MM:SS");
  }
  // A day the month does not have is a mistake, not the next month's day.
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  const int kDays[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (d > kDays[mo - 1]) n.Fail("no such day: " + s.substr(0, 10));
  t.wYear = static_cast<WORD>(y);
  t.wMonth = static_cast<WORD>(mo);
  t.wDay = static_cast<WORD>(d);
  t.wHour = static_cast<WORD>(h);
  t.wMinute = static_cast<WORD>(mi);
  t.wSecond = static_cast<WORD>(sec);
  return t;
}

// Names of the 39 counts of a domestic holding, in record order.
const char* const kCountNames[39] = {
    "reserve1", "reserve2", "cashYesterday", "cashToday", "cashOrderBuy", "cashDealBuy",
    "cashOrderSell", "cashDealSell", "cashOther", "tStockNum", "cashRepay", "marginYesterday",
    "marginToday", "marginOrderBuy", "marginDealBuy", "marginOrderSell", "marginDealSell",
    "marginRushStock", "marginOther", "shortYesterday", "shortToday", "shortOrderBuy",
    "shortDealBuy", "shortOrderSell", "shortDealSell", "shortRushStock", "shortOther",
    "stockCashRepay", "dayTradeOrderBuy", "dayTradeOrderSell", "dayTradeDealBuy",
    "dayTradeDealSell", "dayTradeStock", "creditShares", "lendYesterday", "lendToday",
    "lendOrderSell", "lendDealSell", "lendAdjust"};

CBaseOrder_StorageStockInfo ParseHolding(const Node& n) {
  n.ExpectObject();
  CBaseOrder_StorageStockInfo s;
  s.m_strStockNo = n.At("code").Text();
  for (auto it = n.value().begin(); it != n.value().end(); ++it) {
    if (it.key() == "code") continue;
    int number = 0;
    for (int i = 0; i < 39; ++i) {
      if (it.key() == kCountNames[i]) number = i + 1;
    }
    if (number == 0) n.At(it.key().c_str()).Fail("unknown member (a count name or \"code\")");
    *s.pnCount(number) = static_cast<int>(n.At(it.key().c_str()).Int());
  }
  return s;
}

CBaseOrder_FSStorageStockInfo ParseForeign(const Node& n) {
  n.Only({"code", "name", "lotSize", "yesterday", "orderBuy", "dealBuy", "orderSell", "dealSell",
          "tSell", "nSell", "currency"});
  CBaseOrder_FSStorageStockInfo s;
  s.m_strStockNo = n.At("code").Text();
  s.m_strStockName = n.TextOr("name");
  s.m_nLotSize = static_cast<int>(n.At("lotSize").Int());
  s.m_nYesterday = static_cast<int>(n.IntOr("yesterday", 0));
  s.m_nOrderBuy = static_cast<int>(n.IntOr("orderBuy", 0));
  s.m_nDealBuy = static_cast<int>(n.IntOr("dealBuy", 0));
  s.m_nOrderSell = static_cast<int>(n.IntOr("orderSell", 0));
  s.m_nDealSell = static_cast<int>(n.IntOr("dealSell", 0));
  s.m_nTSell = static_cast<int>(n.IntOr("tSell", 0));
  s.m_nNSell = static_cast<int>(n.IntOr("nSell", 0));
  s.m_strCurrency = n.At("currency").Text();
  return s;
}

CBaseOrder_Commodity ParseCommodity(const Node& n) {
  CBaseOrder_Commodity c;
  c.m_strExchange = n.TextOr("exchange", "TWSE");
  c.m_nTradeUnit = n.Has("unit") ? n.At("unit").Letter() : 'A';
  c.m_nCreditType = n.Has("credit") ? n.At("credit").Letter() : 'A';
  c.m_strStockNo = n.At("code").Text();
  return c;
}

CBaseOrder_UnoffsetInfo ParsePosition(const Node& n) {
  n.Only({"exchange", "unit", "credit", "code", "side", "quantity", "avgPrice", "openDate"});
  CBaseOrder_UnoffsetInfo p;
  p.m_Commodity = ParseCommodity(n);
  p.m_nSide = n.Has("side") ? n.At("side").Letter() : 'B';
  p.m_nQty = static_cast<int>(n.IntOr("quantity", 0));
  p.m_dAvgPrice = n.NumberOr("avgPrice", 0.0);
  p.m_strOpenDate = n.TextOr("openDate");
  return p;
}

CBaseOrder_StockDividendInfo ParseDividend(const Node& n) {
  n.Only({"date", "code", "name", "rate", "noRate", "quantity", "type", "cash", "cashPayDate",
          "stockQuantity", "stockPayDate", "dDate", "source"});
  CBaseOrder_StockDividendInfo d;
  d.m_strDividendDate = n.At("date").Text();
  d.m_strNameSuffix = n.TextOr("code");
  d.m_strStockName = n.TextOr("name");
  d.m_dDividendRate = n.NumberOr("rate", 0);
  d.m_dNoRate = n.NumberOr("noRate", 0);
  d.m_dKeepQty = n.NumberOr("quantity", 0);
  d.m_strType = n.At("type").Text();
  d.m_dCashDividend = n.NumberOr("cash", 0);
  d.m_strCashPayDate = n.TextOr("cashPayDate");
  d.m_dStockQty = n.NumberOr("stockQuantity", 0);
  d.m_strStockPayDate = n.TextOr("stockPayDate");
  d.m_strDDate = n.TextOr("dDate");
  d.m_strSource = n.TextOr("source");
  return d;
}

template <typename T, typename F>
std::vector<T> List(const Node& parent, const char* key, F parse) {
  std::vector<T> out;
  if (!parent.Has(key)) return out;
  Node list = parent.At(key);
  list.ExpectArray();
  for (size_t i = 0; i < list.value().size(); ++i) out.push_back(parse(list.At(i)));
  return out;
}

host::BrokerAccount ParseAccount(const Node& n) {
  n.Only({"brokerId", "account", "name", "kind", "userId", "branch", "subAccount", "certId",
          "maintenanceRatio", "loginRatio", "holdings", "foreign", "positions", "dividends",
          "exDividends", "dividendCashTotal", "dividendStockTotal"});
  host::BrokerAccount a;
  AccountType& t = a.account;
  t.m_strBrokerID = n.At("brokerId").Text();
  t.m_strAccount = n.At("account").Text();
  t.m_nAccountType = static_cast<int>(n.At("kind").Int());
  t.m_strName = n.TextOr("name");
  t.m_strUserID = n.TextOr("userId");
  t.m_strBranchName = n.TextOr("branch");
  t.m_strSubAccount = n.TextOr("subAccount");
  t.m_strCertID = n.TextOr("certId");
  a.maintenanceRatio = n.TextOr("maintenanceRatio");
  a.login.m_strUserID = t.m_strUserID;
  a.login.m_strUserName = t.m_strName;
  a.login.m_strMaintainRatio = n.TextOr("loginRatio");
  a.user.m_strUserID = t.m_strUserID;
  a.user.m_strUserName = t.m_strName;
  a.user.m_strBrokerID = t.m_strBrokerID;
  a.user.m_strBrokerName = t.m_strBranchName;
  a.user.m_strAccount = t.m_strAccount;
  a.domestic = List<CBaseOrder_StorageStockInfo>(n, "holdings", ParseHolding);
  a.foreign = List<CBaseOrder_FSStorageStockInfo>(n, "foreign", ParseForeign);
  a.positions = List<CBaseOrder_UnoffsetInfo>(n, "positions", ParsePosition);
  a.dividends = List<CBaseOrder_StockDividendInfo>(n, "dividends", ParseDividend);
  a.exDividends = List<CBaseOrder_StockDividendInfo>(n, "exDividends", ParseDividend);
  if (n.Has("dividendCashTotal")) a.dividendCashTotal = n.At("dividendCashTotal").Number();
  if (n.Has("dividendStockTotal")) a.dividendStockTotal = n.At("dividendStockTotal").Number();
  return a;
}

BYTE MarketNumber(const Node& n, const std::string& text) {
  int m = 0;
  size_t used = 0;
  try {
    m = std::stoi(text, &used);
  } catch (...) {
    used = 0;
  }
  if (used != text.size() || m < 0 || m > 255) n.Fail("expected a market number 0 to 255");
  return static_cast<BYTE>(m);
}

void ParseBroker(const Node& n, host::BrokerData& b) {
  n.Only({"latencyMs", "quoteLatencyMs", "accounts", "stocks", "quotes", "delayedServices",
          "sections", "classViews", "rejections"});
  b.latencyMs = static_cast<int>(n.IntOr("latencyMs", 300, 0, 600000));
  b.quoteLatencyMs = static_cast<int>(n.IntOr("quoteLatencyMs", 100, 0, 600000));
  b.accounts = List<host::BrokerAccount>(n, "accounts", ParseAccount);
  if (n.Has("stocks")) {
    Node stocks = n.At("stocks");
    stocks.ExpectObject();
    for (auto it = stocks.value().begin(); it != stocks.value().end(); ++it) {
      Node s = stocks.At(it.key().c_str());
      s.Only({"boardLot"});
      long long lot = s.At("boardLot").Int();
      if (lot <= 0) s.At("boardLot").Fail("a board lot must be at least 1 share");
      std::string code = Node(json(it.key()), s.path(), "").Text();
      b.boardLots[code] = static_cast<int>(lot);
    }
  }
  for (const auto& q : List<int>(n, "quotes", [&](const Node& qn) {
         qn.Only({"market", "code", "name", "items"});
         BYTE market = static_cast<BYTE>(qn.At("market").Int(0, 255));
         host::QuoteSymbol& sym = b.quotes[{market, qn.At("code").Text()}];
         sym.name = qn.TextOr("name");
         if (qn.Has("items")) {
           Node items = qn.At("items");
           items.ExpectObject();
           for (auto it = items.value().begin(); it != items.value().end(); ++it) {
             Node item = items.At(it.key().c_str());
             int number = 0;
             try {
               number = std::stoi(it.key());
             } catch (...) {
               number = -1;
             }
             if (number < 0 || number > 65535) item.Fail("an item number 0 to 65535 is expected as the name");
             sym.items[static_cast<WORD>(number)] = item.Number();
           }
         }
         return 0;
       })) {
    (void)q;
  }
  if (n.Has("delayedServices")) {
    Node d = n.At("delayedServices");
    d.ExpectObject();
    for (auto it = d.value().begin(); it != d.value().end(); ++it) {
      Node v = d.At(it.key().c_str());
      b.delayedServices[MarketNumber(v, it.key())] = static_cast<BYTE>(v.Int(0, 255));
    }
  }
  if (n.Has("sections")) {
    Node s = n.At("sections");
    s.ExpectObject();
    for (auto it = s.value().begin(); it != s.value().end(); ++it) {
      host::DisplaySection section;
      Node cols = s.At(it.key().c_str());
      cols.ExpectArray();
      for (size_t i = 0; i < cols.value().size(); ++i) {
        Node c = cols.At(i);
        c.Only({"item", "title", "width"});
        Stru_Item item;
        item.m_strItem = c.At("item").Text();
        item.m_strTitle = c.TextOr("title");
        item.m_wWidth = static_cast<WORD>(c.IntOr("width", 80, 0, 65535));
        section.items.push_back(item.m_strItem);
        section.columns.push_back(item);
      }
      b.sections[it.key()] = section;
    }
  }
  for (auto& v : List<std::string>(n, "classViews", [](const Node& c) { return c.Text(); })) {
    b.classViews.push_back(v);
  }
  b.rejections = List<host::OrderRejection>(n, "rejections", [](const Node& r) {
    r.Only({"account", "symbol", "side", "message", "times"});
    host::OrderRejection rej;
    rej.account = r.TextOr("account");
    rej.symbol = r.TextOr("symbol");
    rej.side = r.Has("side") ? r.At("side").Letter() : 0;
    rej.message = r.At("message").Text();
    rej.times = static_cast<int>(r.IntOr("times", -1));
    return rej;
  });
}

ViewSetup ParseView(const Node& n, size_t index) {
  n.Only({"name", "class", "layout", "title", "syncGroup", "selectAccount", "followAccount", "width", "height"});
  ViewSetup v;
  v.className = n.At("class").Utf8();
  v.name = n.Has("name") ? n.At("name").Utf8() : std::to_string(index);
  v.layout = n.TextOr("layout", "Layout1");
  v.title = n.TextOr("title");
  v.syncGroup = static_cast<BYTE>(n.IntOr("syncGroup", 0, 0, 255));
  v.selectAccount = n.Has("selectAccount") ? n.At("selectAccount").Bool() : true;
  v.width = static_cast<int>(n.IntOr("width", 960, 50, 4000));
  v.height = static_cast<int>(n.IntOr("height", 480, 50, 4000));
  if (n.Has("followAccount")) v.followAccount = n.At("followAccount").Bool();
  return v;
}

// A text for a profile file: one line, no control characters.
std::string ProfileText(const Node& n, const std::string& text, const char* what) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      n.Fail(std::string(what) + " holds a line break or another control character");
  }
  return text;
}

// A scripted repetition count: -1 (never runs out) or at least 1.
void CheckTimes(const Node& n) {
  if (n.Int(-1) == 0) n.Fail("expected -1 (no end) or a count of at least 1");
}

void CheckStringArray(const Node& n) {
  n.ExpectArray();
  for (size_t i = 0; i < n.value().size(); ++i) n.At(i).Utf8();
}

// The members of an "expect" step that say what to find.
void CheckExpect(const Node& n) {
  for (const char* key : {"visible", "enabled", "checked", "noOrderSent"}) {
    if (n.Has(key)) n.At(key).Bool();
  }
  if (n.Has("rowCount")) n.At("rowCount").Int(0);
  if (n.Has("selected")) n.At("selected").Utf8();
  if (n.Has("columns")) CheckStringArray(n.At("columns"));
  if (n.Has("rows")) {
    Node rows = n.At("rows");
    rows.ExpectArray();
    for (size_t i = 0; i < rows.value().size(); ++i) CheckStringArray(rows.At(i));
  }
  if (n.Has("cell")) {
    Node cell = n.At("cell");
    cell.Only({"row", "column", "text"});
    if (cell.Has("row")) cell.At("row").Int(0);
    if (cell.Has("column")) cell.At("column").Int(0);
    cell.At("text").Utf8();
  }
  if (n.Has("messageBox")) {
    Node box = n.At("messageBox");
    box.Only({"text", "caption"});
    for (const char* key : {"text", "caption"}) {
      if (box.Has(key)) box.At(key).Utf8();
    }
  }
  if (n.Has("orderSent")) {
    Node order = n.At("orderSent");
    order.Only({"account", "symbol", "side", "unit", "credit", "quantity", "price", "accepted"});
    for (const char* key : {"account", "symbol", "side", "unit", "credit"}) {
      if (order.Has(key)) order.At(key).Utf8();
    }
    if (order.Has("quantity")) order.At("quantity").Int();
    if (order.Has("price")) order.At("price").Number();
    if (order.Has("accepted")) order.At("accepted").Bool();
  }
  if (n.Has("control") == false) {
    for (const char* key : {"text", "visible", "enabled", "checked", "columns", "rowCount", "rows",
                            "cell", "selected"}) {
      if (n.Has(key)) n.At(key).Fail("needs a \"control\" to look at");
    }
  }
}

// Members each step kind takes; the first group is required.
struct StepShape {
  const char* kind;
  std::vector<const char*> required;
  std::vector<const char*> optional;
};

const std::vector<StepShape>& Shapes() {
  static const std::vector<StepShape> shapes = {
      {"login", {}, {}},
      {"logout", {}, {}},
      {"wait", {"ms"}, {}},
      {"click", {"control"}, {"view"}},
      {"choose", {"control"}, {"view", "index", "text"}},
      {"type", {"control", "text"}, {"view"}},
      {"tick", {"control", "checked"}, {"view"}},
      {"clickCell", {"control", "row", "column"}, {"view"}},
      {"doubleClickCell", {"control", "row", "column"}, {"view"}},
      {"wheel", {"control", "notches"}, {"view"}},
      {"key", {"key"}, {}},
      {"resize", {"width", "height"}, {"view"}},
      {"answerDialog", {"result"}, {"actions"}},
      {"answerMessageBox", {"result"}, {}},
      {"quote", {"market", "code", "item", "value"}, {}},
      {"failQuery", {"query"}, {"account", "times"}},
      {"reject", {"message"}, {"account", "symbol", "side", "times"}},
      {"clear", {"account", "code"}, {}},
      {"setHoldings", {"account", "holdings"}, {}},
      {"dump", {"name"}, {"view"}},
      {"snapshot", {"name"}, {"view"}},
      {"expect",
       {},
       {"view", "control", "text", "visible", "enabled", "checked", "columns", "rowCount", "rows",
        "cell", "messageBox", "orderSent", "noOrderSent", "selected"}},
      // What the host does to views and to its frame.
      {"restore", {}, {"view", "title", "layout", "frame"}},
      {"hide", {"view"}, {}},
      {"show", {"view"}, {}},
      {"send", {"view", "message"}, {"wParam", "lParam"}},
      {"minimize", {}, {}},
      {"failCreate", {"template"}, {}},
      {"dragDivider", {"control", "item", "dx"}, {"view"}},
      {"doubleClickDivider", {"control", "item"}, {"view"}},
      {"failPrint", {}, {}},
      {"refuseOrderList", {}, {"message", "times"}},
  };
  return shapes;
}

// A message given by number, as "0x0480", or by a registered message's name.
void CheckMessage(const Node& m) {
  if (m.value().is_number_integer()) {
    m.Int(0, 0xFFFF);
    return;
  }
  std::string text = m.Utf8();
  if (text.empty()) m.Fail("expected a message number or a registered message's name");
  if (text.rfind("0x", 0) == 0 &&
      (text.size() < 3 || text.size() > 6 || text.find_first_not_of("0123456789abcdefABCDEF", 2) != std::string::npos)) {
    m.Fail("expected a hexadecimal message number 0x0000 to 0xFFFF");
  }
}

void CheckHostStep(const std::string& kind, const Node& n, const Scenario& s) {
  if (kind == "restore") {
    bool frame = n.Has("frame") && n.At("frame").Bool();
    if (frame == n.Has("view")) n.Fail("a \"restore\" step restores either a view or the frame (\"frame\": true)");
    if (frame && (n.Has("title") || n.Has("layout"))) n.Fail("the frame has no title or layout to restore");
    if (n.Has("title")) n.At("title").Text();
    if (n.Has("layout")) {
      if (n.At("layout").Text().empty()) n.At("layout").Fail("a layout needs a name");
    }
  }
  if (kind == "send") {
    CheckMessage(n.At("message"));
    if (n.Has("wParam")) n.At("wParam").Int(INT32_MIN, UINT32_MAX);
    if (n.Has("lParam")) {
      Node l = n.At("lParam");
      if (l.value().is_number_integer()) {
        l.Int(INT32_MIN, UINT32_MAX);
      } else if (l.Has("view")) {
        l.Only({"view"});
        std::string v = l.At("view").Utf8();
        bool found = false;
        for (const auto& view : s.views) found = found || view.name == v;
        if (!found) l.At("view").Fail("no view named \"" + v + "\"");
      } else {
        l.Only({"firstKey", "account", "kind", "int"});
        l.At("firstKey").Text();
        l.At("account").Text();
        l.At("kind").Int();
        if (l.Has("int")) l.At("int").Int();
      }
    }
  }
  if (kind == "failCreate") n.At("template").Int(1, 65535);
  if (kind == "dragDivider" || kind == "doubleClickDivider") n.At("item").Int(0, 1000);
  if (kind == "dragDivider") n.At("dx").Int(-4000, 4000);
  if (kind == "refuseOrderList") {
    if (n.Has("message")) n.At("message").Text();
    if (n.Has("times")) n.At("times").Int(1, 1000000);
  }
}

void CheckStep(const Node& n, const Scenario& s) {
  n.ExpectObject();
  std::string kind = n.At("do").Utf8();
  const StepShape* shape = nullptr;
  for (const auto& sh : Shapes()) {
    if (kind == sh.kind) shape = &sh;
  }
  if (!shape) n.At("do").Fail("unknown step \"" + kind + "\"");
  std::set<std::string> allowed = {"do", "comment"};
  for (auto* r : shape->required) {
    n.At(r);
    allowed.insert(r);
  }
  for (auto* o : shape->optional) allowed.insert(o);
  for (auto it = n.value().begin(); it != n.value().end(); ++it) {
    if (!allowed.count(it.key())) n.At(it.key().c_str()).Fail("unknown member of a \"" + kind + "\" step");
  }
  // Values with a fixed type are checked here, so that a run never stops half-way.
  if (n.Has("view")) {
    std::string v = n.At("view").Utf8();
    bool found = false;
    for (const auto& view : s.views) found = found || view.name == v;
    if (!found) n.At("view").Fail("no view named \"" + v + "\"");
  }
  if (n.Has("control")) n.At("control").Int(0, 65535);
  if (n.Has("text")) n.At("text").Text();
  if (n.Has("ms")) n.At("ms").Int(0, 86400000);
  if (n.Has("row")) n.At("row").Int(0);
  if (n.Has("column")) n.At("column").Int(0);
  if (n.Has("index")) n.At("index").Int(0);
  if (n.Has("notches")) n.At("notches").Int(-100, 100);
  if (n.Has("width")) n.At("width").Int(50, 4000);
  if (n.Has("height")) n.At("height").Int(50, 4000);
  if (n.Has("checked")) n.At("checked").Bool();
  if (n.Has("name")) {
    std::string name = n.At("name").Utf8();
    if (name.empty() || name.find_first_of("/\\") != std::string::npos || name[0] == '.') {
      n.At("name").Fail("a file name without folders is expected");
    }
  }
  if (kind == "quote") {
    n.At("market").Int(0, 255);
    n.At("code").Text();
    n.At("item").Int(0, 65535);
    n.At("value").Number();
  }
  if (kind == "failQuery") {
    std::string q = n.At("query").Utf8();
    if (q != "unoffset" && q != "dividend") n.At("query").Fail("expected \"unoffset\" or \"dividend\"");
    if (n.Has("account")) n.At("account").Text();
    if (n.Has("times")) CheckTimes(n.At("times"));
  }
  if (kind == "reject") {
    for (const char* key : {"message", "account", "symbol"}) {
      if (n.Has(key)) n.At(key).Text();
    }
    if (n.Has("side")) n.At("side").Letter();
    if (n.Has("times")) CheckTimes(n.At("times"));
  }
  if (kind == "clear") {
    n.At("account").Text();
    n.At("code").Int();
  }
  if (kind == "answerMessageBox" || kind == "answerDialog") {
    if (!ResultCode(n.At("result").value()).has_value()) {
      n.At("result").Fail(
          "expected a number or one of IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, "
          "IDIGNORE, default");
    }
  }
  if (kind == "expect") CheckExpect(n);
  if (kind == "setHoldings") {
    n.At("account").Text();
    List<CBaseOrder_StorageStockInfo>(n, "holdings", ParseHolding);
  }
  if (kind == "answerDialog" && n.Has("actions")) {
    Node actions = n.At("actions");
    actions.ExpectArray();
    for (size_t i = 0; i < actions.value().size(); ++i) CheckStep(actions.At(i), s);
  }
  CheckHostStep(kind, n, s);
  if (kind == "key") {
    Node key = n.At("key");
    if (key.value().is_number_integer()) {
      key.Int(1, 255);
    } else if (!KeyCode(key.value())) {
      key.Fail("expected a key name (VK_RETURN, ...), a letter, a digit or a virtual-key number");
    }
  }
}

}  // namespace

std::optional<int> ResultCode(const nlohmann::json& j) {
  if (j.is_number_integer()) {
    if (j.is_number_unsigned() ? j.get<unsigned long long>() > INT32_MAX
                               : j.get<long long>() < INT32_MIN || j.get<long long>() > INT32_MAX)
      return std::nullopt;
    return j.get<int>();
  }
  if (!j.is_string()) return std::nullopt;
  const std::string s = j.get<std::string>();
  static const std::pair<const char*, int> kNames[] = {
      {"IDOK", IDOK},       {"IDCANCEL", IDCANCEL}, {"IDYES", IDYES},       {"IDNO", IDNO},
      {"IDABORT", IDABORT}, {"IDRETRY", IDRETRY},   {"IDIGNORE", IDIGNORE}, {"default", 0}};
  for (auto& [name, code] : kNames) {
    if (s == name) return code;
  }
  return std::nullopt;
}

UINT KeyCode(const nlohmann::json& j) {
  if (j.is_number_integer()) {
    const long long n = j.is_number_unsigned() ? 256 : j.get<long long>();
    return n >= 1 && n <= 255 ? static_cast<UINT>(n) : 0;
  }
  if (!j.is_string()) return 0;
  const std::string s = j.get<std::string>();
  static const std::pair<const char*, UINT> kKeys[] = {
      {"VK_RETURN", VK_RETURN}, {"VK_ESCAPE", VK_ESCAPE}, {"VK_TAB", VK_TAB},
      {"VK_SPACE", VK_SPACE},   {"VK_UP", VK_UP},         {"VK_DOWN", VK_DOWN},
      {"VK_LEFT", VK_LEFT},     {"VK_RIGHT", VK_RIGHT},   {"VK_HOME", VK_HOME},
      {"VK_END", VK_END},       {"VK_PRIOR", VK_PRIOR},   {"VK_NEXT", VK_NEXT},
      {"VK_DELETE", VK_DELETE}, {"VK_BACK", VK_BACK},     {"VK_F5", VK_F5}};
  for (auto& [name, code] : kKeys) {
    if (s == name) return code;
  }
  // A letter or a digit is the key that types it.
  if (s.size() == 1 && std::isalnum(static_cast<unsigned char>(s[0])))
    return static_cast<UINT>(std::toupper(static_cast<unsigned char>(s[0])));
  return 0;
}

const std::vector<std::string>& StepKinds() {
  static std::vector<std::string> kinds = [] {
    std::vector<std::string> k;
    for (const auto& s : Shapes()) k.push_back(s.kind);
    return k;
  }();
  return kinds;
}

Scenario ParseScenario(const std::string& utf8, const std::string& file) {
  json root;
  try {
    root = json::parse(utf8);
  } catch (const json::exception& e) {
    // A parse error, or a number too large for any numeric type (out_of_range).
    throw ScenarioError(file, "", std::string("not JSON: ") + e.what());
  }
  Scenario s;
  s.file = file;
  Node n(root, "", s.file);
  n.Only({"comment", "start", "module", "orderCfg", "language", "broker", "views", "steps"});
  if (n.Has("start")) {
    s.start = ParseStart(n.At("start"));
  } else {
    s.start = SYSTEMTIME{};
    s.start.wYear = 2025;
    s.start.wMonth = 3;
    s.start.wDay = 14;
    s.start.wHour = 9;
  }
  s.module = n.Has("module") ? n.At("module").Utf8() : "";
  if (n.Has("orderCfg")) {
    Node cfg = n.At("orderCfg");
    cfg.ExpectObject();
    for (auto it = cfg.value().begin(); it != cfg.value().end(); ++it) {
      Node sec = cfg.At(it.key().c_str());
      sec.ExpectObject();
      std::string section =
          ProfileText(sec, Node(json(it.key()), sec.path(), s.file).Text(), "a section name");
      if (section.empty() || section.find_first_of("[]") != std::string::npos)
        sec.Fail("a section name is not empty and holds no brackets");
      for (auto kv = sec.value().begin(); kv != sec.value().end(); ++kv) {
        Node val = sec.At(kv.key().c_str());
        std::string text = val.value().is_number_integer() ? std::to_string(val.Int()) : val.Text();
        ProfileText(val, text, "a value");
        std::string key =
            ProfileText(val, Node(json(kv.key()), val.path(), s.file).Text(), "a key name");
        if (key.empty() || key.find('=') != std::string::npos || key[0] == '[' || key[0] == ';')
          val.Fail("a key name is not empty, holds no \"=\" and starts with no \"[\" or \";\"");
        s.orderCfg[section][key] = text;
      }
    }
  }
  if (n.Has("language")) {
    Node lang = n.At("language");
    lang.ExpectObject();
    for (auto it = lang.value().begin(); it != lang.value().end(); ++it) {
      Node val = lang.At(it.key().c_str());
      // The key becomes a line of the language file: the file's key characters only.
      const std::string& key = it.key();
      if (key.empty() ||
          key.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                "0123456789_-.") != std::string::npos)
        val.Fail("a language key holds letters, digits, \"_\", \"-\" and \".\" only");
      val.Text();  // must convert
      s.language[it.key()] = val.Utf8();
    }
  }
  if (n.Has("broker")) ParseBroker(n.At("broker"), s.broker);
  if (n.Has("views")) {
    Node views = n.At("views");
    views.ExpectArray();
    for (size_t i = 0; i < views.value().size(); ++i) {
      ViewSetup v = ParseView(views.At(i), i);
      for (const auto& other : s.views) {
        if (other.name == v.name) views.At(i).Fail("a second view named \"" + v.name + "\"");
      }
      s.views.push_back(v);
    }
  }
  if (n.Has("steps")) {
    Node steps = n.At("steps");
    steps.ExpectArray();
    for (size_t i = 0; i < steps.value().size(); ++i) {
      Node step = steps.At(i);
      CheckStep(step, s);
      s.steps.push_back({step.At("do").Utf8(), step.path(), step.value()});
    }
  }
  return s;
}

Scenario LoadScenario(const std::string& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) throw ScenarioError(file, "", "cannot be read");
  // A device or a pipe may never end, and a folder is no scenario.
  if (!S_ISREG(st.st_mode)) throw ScenarioError(file, "", "not a regular file");
  if (st.st_size > kMaxScenarioBytes) throw ScenarioError(file, "", "larger than 64 MB");
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ScenarioError(file, "", "cannot be read");
  // Read no more than the limit even if the file grows meanwhile.
  std::string text;
  std::vector<char> chunk(1 << 20);
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    text.append(chunk.data(), static_cast<size_t>(in.gcount()));
    if (text.size() > static_cast<size_t>(kMaxScenarioBytes))
      throw ScenarioError(file, "", "larger than 64 MB");
  }
  if (in.bad()) throw ScenarioError(file, "", "cannot be read");
  return ParseScenario(text, file);
}

}  // namespace qzhost
