#include "storm_scene.h"

#include <CConfirmOrder.h>
#include <OrderDataNotice.h>
#include <commctrl.h>
#include <headless/headless.h>
#include <input/input.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <sstream>

#include "resource.h"

namespace storm {
namespace {

// Stocks that only one account ever holds, and dividends only one earns.
const char* const kCodes[2][3] = {{"2330", "2317", "2454"}, {"2882", "1301", "2002"}};
const char* const kNames[2][3] = {{"台積電", "鴻海", "聯發科"}, {"國泰金", "台塑", "中鋼"}};
const char* const kDividendNames[2][2] = {{"台積電", "鴻海"}, {"國泰金", "台塑"}};
constexpr int kDomestic = 2;  // accounts 0 and 1; account 2 is foreign and holds nothing here
constexpr BYTE kMarket = 16;
constexpr WORD kPrice = 125;
constexpr unsigned kQuietMs = 3000;  // longer than an answer's latency and the fill's delay
constexpr int kViews = 4;
constexpr int kDividendView = 3;

std::string Number(int account) { return moduletest::Account(account).m_strAccount.str(); }

CBaseOrder_StorageStockInfo Holding(const char* code, int cash, int margin) {
  CBaseOrder_StorageStockInfo r;
  r.m_strStockNo = code;
  // Yesterday's and today's balances of cash and margin stock.
  *r.pnCount(3) = cash;
  *r.pnCount(4) = cash;
  *r.pnCount(9) = margin;
  *r.pnCount(10) = margin;
  return r;
}

CBaseOrder_StockDividendInfo Dividend(const char* name, const char* code, double cash) {
  CBaseOrder_StockDividendInfo r;
  r.m_strDividendDate = r.m_strDDate = "20240613";
  r.m_strStockName = name;
  r.m_strNameSuffix = code;
  r.m_strType = "1";
  r.m_dDividendRate = 3.5;
  r.m_dKeepQty = 3000;
  r.m_dCashDividend = cash;
  r.m_strCashPayDate = "20240711";
  r.m_strStockPayDate = "20240820";
  r.m_strSource = "盈餘";
  return r;
}

std::string Lang(const char* key) { return host::Broker::Instance().LangText(key).str(); }

int ColumnOf(HWND list, const std::string& title) {
  const std::vector<std::string> titles = moduletest::ListTitles(list);
  for (size_t i = 0; i < titles.size(); ++i)
    if (titles[i] == title) return static_cast<int>(i);
  return -1;
}

// "1,755,000" -> 1755000; nothing for a text that is not a number ("--", "").
std::optional<double> ParseAmount(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ','), text.end());
  const size_t start = text.find_first_of("-0123456789");
  if (start == std::string::npos) return std::nullopt;
  const char* begin = text.c_str() + start;
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  if (end == begin) return std::nullopt;
  return value;
}

// "[rows] ..." -> "[rows]": which invariant broke, so that shrinking keeps to one fault.
std::string Tag(const std::string& what) { return what.substr(0, what.find(']') + 1); }

bool Visible(HWND window) { return window && ::IsWindowVisible(window) != FALSE; }

}  // namespace

// ---- The scene ---------------------------------------------------------------------------

void StormTest::Build() {
  if (built_) {
    TearDown();
    SetUp();
  }
  built_ = true;
  SYSTEMTIME start{};
  start.wYear = 2025;
  start.wMonth = 3;
  start.wDay = 14;
  start.wHour = 9;
  headless::SetLocalDateTime(start);

  data_ = moduletest::SampleBroker();
  codes_.clear();
  dividendNames_.clear();
  ratios_.clear();
  for (int a = 0; a < kDomestic; ++a) {
    for (int i = 0; i < 3; ++i) {
      host::QuoteSymbol& q = data_.quotes[{kMarket, kCodes[a][i]}];
      q.name = kNames[a][i];
      q.items[kPrice] = 50.0 + 10 * i + a;
    }
    data_.accounts[a].domestic = {Holding(kCodes[a][0], 3000, 0), Holding(kCodes[a][1], 1000, 2000)};
    data_.accounts[a].dividends = {Dividend(kDividendNames[a][0], kCodes[a][0], 10500),
                                   Dividend(kDividendNames[a][1], kCodes[a][1], 3000)};
    data_.accounts[a].exDividends = {Dividend(kDividendNames[a][0], kCodes[a][0], 0)};
    data_.accounts[a].maintenanceRatio = a == 0 ? "187" : "";
    for (const auto& r : data_.accounts[a].domestic) codes_[Number(a)].insert(r.m_strStockNo.str());
    for (const auto& d : kDividendNames[a]) dividendNames_[Number(a)].insert(d);
    ratios_[Number(a)].insert(data_.accounts[a].maintenanceRatio.str());
  }
  LoadBroker(data_);
  frame_->DestroyWindow();  // the fixture's frame; the scene makes its own
  frame_ = nullptr;

  // A first round opens and closes the views, so that what lives as long as the process
  // (the broker's window, shared fonts) is made before counting; closing the views of
  // the storm must then give the counts back.
  OpenViews();
  frame_->DestroyWindow();
  frame_ = nullptr;
  headless::PumpMessages();
  windows0_ = headless::WindowCount();
  gdi0_ = headless::GdiObjectCount();
  dcs0_ = headless::DeviceContextCount();
  host::Broker::Instance().Logout();
  LoadBroker(data_);

  lastQuery_ = 0;
  host::Broker::Instance().SetEventSink([this](const nlohmann::json& e) {
    if (e.value("event", "") == "query") lastQuery_ = headless::Now();
    events_.push_back(e);
  });
  confirmed_.clear();
  actingAccount_.clear();
  ordersSeen_ = 0;
  confirmAnswers_ = 0;
  hidden_.clear();
  headless::SetDialogResponder([this](HWND dialog) -> INT_PTR {
    auto* confirm = dynamic_cast<CConfirmOrder*>(CWnd::FromHandlePermanent(dialog));
    if (!confirm) return IDCANCEL;
    // Every other confirmation is refused.
    if (confirmAnswers_++ % 2) return IDCANCEL;
    for (int i = 0; i < confirm->iGetOrderCount(); ++i) confirmed_.push_back(actingAccount_);
    return IDOK;
  });

  OpenViews();
}

void StormTest::OpenViews() {
  frame_ = new CFrameWnd;
  ASSERT_TRUE(frame_->Create(nullptr, "交易", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 700)));
  frame_->SetPaneLayout(CFrameWnd::paneRows);
  views_.clear();
  for (BYTE group : {1, 1, 2}) views_.push_back(AddView(moduletest::kHoldingsView, group));
  views_.push_back(AddView(moduletest::kDividendView, 1));
  for (JqzOrderBaseView* v : views_) ASSERT_NE(v, nullptr);
  Login();
  Advance(kQuietMs);
}

std::string StormTest::Close() {
  frame_->DestroyWindow();
  frame_ = nullptr;
  views_.clear();
  headless::PumpMessages();
  std::ostringstream leaks;
  if (headless::WindowCount() != windows0_)
    leaks << "windows: " << windows0_ << " before, " << headless::WindowCount() << " after; ";
  if (headless::GdiObjectCount() != gdi0_)
    leaks << "GDI objects: " << gdi0_ << " before, " << headless::GdiObjectCount() << " after; ";
  if (headless::DeviceContextCount() != dcs0_)
    leaks << "device contexts: " << dcs0_ << " before, " << headless::DeviceContextCount()
          << " after; ";
  const std::string text = leaks.str();
  return text.empty() ? text : "[leaks] left behind after the views closed: " + text;
}

JqzOrderBaseView* StormTest::View(std::uint32_t pick) const { return views_[pick % kViews]; }
JqzOrderBaseView* StormTest::HoldingsView(std::uint32_t pick) const { return views_[pick % 3]; }

std::string StormTest::ShownAccount(const JqzOrderBaseView* view) const {
  HWND combo = Control(view, IDC_COMBO_ACCOUNT);
  if (!combo) return "";
  const LRESULT sel = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (sel == CB_ERR) return "";
  char text[256] = {};
  if (::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0) >= LRESULT{sizeof text})
    return "";
  ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
  for (int a = 0; a < 3; ++a)
    if (std::string(text).find(Number(a)) != std::string::npos) return Number(a);
  return "";
}

void StormTest::Acting(const JqzOrderBaseView* view) { actingAccount_ = ShownAccount(view); }

// ---- Events ----------------------------------------------------------------------------

void StormTest::Apply(const Event& e) {
  if (e.kind < Kind::kWait) {
    ApplyUser(e);
  } else {
    ApplyBroker(e);
  }
  headless::PumpMessages();
}

void StormTest::ApplyUser(const Event& e) {
  JqzOrderBaseView* view = View(e.a);
  const bool dividend = view == views_[kDividendView];
  HWND list = Control(view, dividend ? IDC_LIST_DIVIDEND : IDC_LIST_UNOFFSET);
  Acting(view);
  switch (e.kind) {
    case Kind::kChooseAccount: {
      HWND combo = Control(view, IDC_COMBO_ACCOUNT);
      const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
      if (count > 0) input::ChooseComboEntry(combo, static_cast<int>(e.b % count));
      break;
    }
    case Kind::kClickRefresh:
      input::ClickButton(Control(view, dividend ? IDC_BTN_QUERY_DIVIDEND : IDC_BTN_REFRESH));
      break;
    case Kind::kClickCell:
    case Kind::kDoubleClickCell: {
      const int rows = moduletest::ListRows(list);
      const int columns = static_cast<int>(moduletest::ListTitles(list).size());
      if (rows <= 0 || columns <= 0) break;
      const int row = static_cast<int>(e.b % rows);
      const int column = static_cast<int>(e.c % columns);
      if (e.kind == Kind::kClickCell)
        input::ClickListCell(list, row, column);
      else
        input::DoubleClickListCell(list, row, column);
      break;
    }
    case Kind::kTypeCode: {
      HWND edit = Control(view, IDC_EDIT_CODE);
      if (!edit) break;
      static const char* const kTyped[] = {"2330", "2882", "23", "9999", "", "1301", "F88"};
      input::Click(edit);
      ::SendMessageA(edit, EM_SETSEL, 0, -1);  // what a person selects before typing over it
      input::TypeText(edit, kTyped[e.b % std::size(kTyped)]);
      if (e.c % 2) input::PressKey(VK_RETURN);
      break;
    }
    case Kind::kPressKey: {
      static const UINT kKeys[] = {VK_UP,     VK_DOWN,  VK_PRIOR, VK_NEXT,  VK_HOME, VK_END,
                                   VK_RETURN, VK_ESCAPE, VK_TAB,  VK_SPACE, VK_F5,   VK_DELETE};
      if (e.c % 2 && list) ::SetFocus(list);  // as a click in the list would
      input::PressKey(kKeys[e.b % std::size(kKeys)]);
      break;
    }
    case Kind::kTurnWheel:
      if (list) input::TurnWheel(list, POINT{20, 40}, static_cast<int>(e.b % 7) - 3);
      break;
    case Kind::kResize:
      frame_->SetWindowPos(nullptr, 0, 0, 200 + static_cast<int>(e.b % 1400),
                           120 + static_cast<int>(e.c % 1000), SWP_NOMOVE | SWP_NOZORDER);
      break;
    case Kind::kHideShow: {
      const int index = static_cast<int>(e.a % kViews);
      const bool hide = !hidden_.count(index);
      view->ShowWindow(hide ? SW_HIDE : SW_SHOW);
      if (hide)
        hidden_.insert(index);
      else
        hidden_.erase(index);
      break;
    }
    case Kind::kHeader: {
      HWND header = list ? reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0)) : nullptr;
      const int columns = header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
      if (columns <= 0) break;
      const int column = static_cast<int>(e.b % columns);
      RECT item{};
      ::SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
      switch (e.c % 3) {
        case 0: input::Click(header, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2}); break;
        case 1: input::DragHeaderDivider(header, column, static_cast<int>(e.c % 121) - 60); break;
        default: input::DoubleClickHeaderDivider(header, column); break;
      }
      break;
    }
    case Kind::kChooseDividend: {
      HWND combo = Control(views_[kDividendView], e.b % 2 ? IDC_COMBO_INTERVAL : IDC_COMBO_DIVIDEND_TYPE);
      const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
      if (count > 0) input::ChooseComboEntry(combo, static_cast<int>(e.c % count));
      break;
    }
    case Kind::kClickDividendMode:
      input::ClickButton(Control(views_[kDividendView],
                                 e.b % 2 ? IDC_RADIO_EX_DIVIDEND_STOCKS : IDC_RADIO_DIVIDEND_CALC));
      break;
    case Kind::kClickQuery:
      input::ClickButton(Control(views_[kDividendView], IDC_BTN_QUERY_DIVIDEND));
      break;
    default:
      break;
  }
}

void StormTest::ApplyBroker(const Event& e) {
  host::Broker& broker = host::Broker::Instance();
  switch (e.kind) {
    case Kind::kWait:
      Advance(e.a % 2500);
      break;
    case Kind::kFailNext: {
      host::QueryFailure failure;
      failure.kind = e.b % 2 ? host::QueryKind::kDividend : host::QueryKind::kUnoffset;
      if (e.a % 5) failure.account = Number(static_cast<int>(e.a % 3)).c_str();
      failure.times = 1 + static_cast<int>(e.c % 2);
      broker.FailNextQueries(failure);
      break;
    }
    case Kind::kClear:
      broker.Clear(moduletest::Account(static_cast<int>(e.a % 3)),
                   e.b % 2 ? ORDERDATA_NOTIFY_DIVIDENDCALC : ORDERDATA_NOTIFY_UNOFFSET);
      break;
    case Kind::kQueryElsewhere:
      broker.QueryUnoffset(moduletest::Account(static_cast<int>(e.a % 3)), "");
      break;
    case Kind::kQuoteChange: {
      const int a = static_cast<int>(e.a % kDomestic);
      const char* code = kCodes[a][e.b % 3];
      const double price = e.c % 10 == 0 ? 0.0 : 10.0 + (e.c % 2000) * 0.5;
      broker.SetQuoteValue(kMarket, code, kPrice, price);
      break;
    }
    case Kind::kHoldingsChange: {
      const int a = static_cast<int>(e.a % kDomestic);
      host::BrokerAccount* account = broker.FindAccountByNumber(Number(a).c_str());
      if (!account) break;
      host::BrokerAccount changed = *account;
      auto& holdings = changed.domestic;
      const char* code = kCodes[a][e.c % 3];
      // Counts from the back-end may be negative.
      const int shares = e.c % 7 == 0 ? -1000 : static_cast<int>(e.c % 5) * 1000;
      switch (e.b % 5) {
        case 0: holdings.push_back(Holding(code, shares, static_cast<int>(e.c % 3) * 1000)); break;
        case 1: if (!holdings.empty()) holdings.erase(holdings.begin() + e.c % holdings.size()); break;
        case 2: if (!holdings.empty()) *holdings[e.c % holdings.size()].pnCount(3) = shares; break;
        case 3: holdings.clear(); break;
        default: holdings = data_.accounts[a].domestic; break;
      }
      for (const auto& r : holdings) codes_[Number(a)].insert(r.m_strStockNo.str());
      if ((e.b / 5) % 2)
        broker.UpdateAccount(changed);  // the views are told to reload
      else
        account->domestic = changed.domestic;  // only the next answer shows it
      break;
    }
    case Kind::kRatioChange: {
      const int a = static_cast<int>(e.a % 3);
      host::BrokerAccount* account = broker.FindAccountByNumber(Number(a).c_str());
      if (!account) break;
      // Each account's ratios are its own: 1xx, 2xx, 3xx.
      const std::string ratio = e.b % 4 == 0 ? "" : std::to_string(100 * (a + 1) + e.b % 90);
      ratios_[Number(a)].insert(ratio);
      host::BrokerAccount changed = *account;
      changed.maintenanceRatio = ratio.c_str();
      if (e.c % 2)
        broker.UpdateAccount(changed);
      else
        account->maintenanceRatio = ratio.c_str();
      break;
    }
    case Kind::kLogout:
      broker.Logout();
      break;
    case Kind::kLogin:
      if (!broker.IsLoggedIn()) broker.Login();
      break;
    case Kind::kQuiet:
      // Quiet once no query has gone out for longer than an answer and a fill take: a
      // view may query again on its own timer after other data changed.
      Advance(kQuietMs);
      for (int i = 0; i < 40 && headless::Now() < lastQuery_ + kQuietMs; ++i) Advance(500);
      break;
    default:
      break;
  }
}

// ---- Invariants ----------------------------------------------------------------------------

std::string StormTest::Check() {
  std::string failure;
  for (int i = 0; i < 3 && failure.empty(); ++i) failure = CheckHoldings(i);
  if (failure.empty()) failure = CheckDividends();
  if (failure.empty()) failure = CheckOrders();
  ClearEvents();
  return failure;
}

std::string StormTest::CheckHoldings(int index) {
  const JqzOrderBaseView* view = views_[index];
  HWND list = Control(view, IDC_LIST_UNOFFSET);
  // What a person cannot see (a hidden view, the dialog hidden at logout) shows nothing;
  // it is checked again once it shows.
  if (!Visible(list)) return "";
  const std::string account = ShownAccount(view);
  const std::string where = "holdings view " + std::to_string(index) + " showing account '" +
                            account + "': ";
  const int rows = moduletest::ListRows(list);
  const int codeColumn = ColumnOf(list, Lang("IDS_ORDER-ITEM_STOCKCODE"));
  const int valueColumn = ColumnOf(list, Lang("IDS_ORDER-TAB-FINANCE_MARTKETPRICE_STOCK"));
  const std::set<std::string>& held = codes_[account];
  // The broker's last answer for the account: what the rows must come from.
  std::set<std::string> answered;
  for (int a = 0; a < 3; ++a)
    if (Number(a) == account)
      for (const auto& r : host::Broker::Instance().DomesticStorage(moduletest::Account(a)))
        answered.insert(r.m_strStockNo.str());
  double sum = 0;
  for (int row = 0; row < rows; ++row) {
    const std::string code = moduletest::ListCell(list, row, codeColumn);
    if (!held.count(code))
      return "[rows] " + where + "row " + std::to_string(row) + " shows " + code +
             ", which that account never held";
    if (!answered.count(code))
      return "[stale] " + where + "row " + std::to_string(row) + " shows " + code +
             ", which the broker's last answer for that account no longer holds";
    if (auto value = ParseAmount(moduletest::ListCell(list, row, valueColumn))) sum += *value;
  }
  const std::string count = moduletest::WindowText(Control(view, IDC_STATIC_ROWCOUNT));
  if (auto n = ParseAmount(count); n && static_cast<int>(*n) != rows)
    return "[count] " + where + "the row count says '" + count + "' over " + std::to_string(rows) + " rows";
  const std::string total = moduletest::WindowText(Control(view, IDC_STATIC_TOTAL));
  const std::optional<double> t = ParseAmount(total);
  if ((t && std::abs(*t - sum) > rows + 0.5) || (!t && Visible(Control(view, IDC_STATIC_TOTAL)) && sum != 0))
    return "[total] " + where + "the total says '" + total + "' while the rows shown add up to " +
           std::to_string(static_cast<long long>(sum));
  HWND ratio = Control(view, IDC_STATIC_STM_RATIO);
  if (Visible(ratio)) {
    const std::string text = moduletest::WindowText(ratio);
    const size_t colon = text.find(": ");
    const size_t percent = text.rfind(" %");
    if (colon != std::string::npos && percent != std::string::npos && percent > colon) {
      const std::string shown = text.substr(colon + 2, percent - colon - 2);
      if (!ratios_[account].count(shown))
        return "[ratio] " + where + "the ratio '" + text + "' was never that account's";
    }
  }
  return "";
}

std::string StormTest::CheckDividends() {
  const JqzOrderBaseView* view = views_[kDividendView];
  HWND list = Control(view, IDC_LIST_DIVIDEND);
  if (!Visible(list)) return "";
  const std::string account = ShownAccount(view);
  const int nameColumn = ColumnOf(list, Lang("IDS_ORDER-TAB-STOCK-DIVIDENDCALC_STOCKNAME"));
  if (nameColumn < 0) return "";
  const std::set<std::string>& earned = dividendNames_[account];
  const int rows = moduletest::ListRows(list);
  for (int row = 0; row < rows; ++row) {
    // The blank line and the totals line have no number.
    if (moduletest::ListCell(list, row, 0).empty()) continue;
    const std::string cell = moduletest::ListCell(list, row, nameColumn);
    const bool known = std::any_of(earned.begin(), earned.end(), [&](const std::string& name) {
      return cell.compare(0, name.size(), name) == 0;
    });
    if (!known)
      return "[dividends] dividend view showing account '" + account + "': row " + std::to_string(row) +
             " shows '" + cell + "', which that account never earned";
  }
  return "";
}

std::string StormTest::CheckOrders() {
  const auto& orders = host::Broker::Instance().Orders();
  for (; ordersSeen_ < orders.size(); ++ordersSeen_) {
    const std::string account = orders[ordersSeen_].order.m_strAccount.str();
    if (ordersSeen_ >= confirmed_.size())
      return "[orders] order " + std::to_string(ordersSeen_) + " for account " + account +
             " went out without a confirmation of its own";
    if (confirmed_[ordersSeen_] != account)
      return "[orders] order " + std::to_string(ordersSeen_) + " went out for account " + account +
             " after a confirmation in a view showing account '" + confirmed_[ordersSeen_] + "'";
  }
  return "";
}

// ---- Runs and shrinking ----------------------------------------------------------------------

std::optional<Failure> StormTest::Run(const std::vector<Event>& events) {
  Build();
  if (HasFatalFailure() || static_cast<int>(views_.size()) != kViews)
    return Failure{0, "[scene] the frame or its views could not be made"};
  for (size_t i = 0; i < events.size(); ++i) {
    Apply(events[i]);
    if (events[i].kind != Kind::kQuiet) continue;
    std::string failure = Check();
    if (!failure.empty()) {
      Close();
      return Failure{i, failure};
    }
  }
  std::string leaks = Close();
  if (!leaks.empty()) return Failure{events.size(), leaks};
  return std::nullopt;
}

std::vector<Event> StormTest::Shrink(const std::vector<Event>& events, const Failure& failure) {
  // Bounded by the events run in all, so that a failure deep in a long storm still ends
  // in time (with a longer list).
  long long budget = 300000;
  if (const char* limit = std::getenv("QZ_STORM_SHRINK_EVENTS")) budget = std::atoll(limit);
  // Events after the failing one play no part.
  const std::vector<Event> upTo(
      events.begin(), events.begin() + static_cast<long>(std::min(failure.index + 1, events.size())));
  std::vector<Event> shortest = ShrinkEvents(
      upTo,
      [&](std::vector<Event> list) {
        if (list.empty() || list.back().kind != Kind::kQuiet) list.push_back(Event{});
        const std::optional<Failure> again = Run(list);
        return again && Tag(again->what) == Tag(failure.what);
      },
      budget);
  if (shortest.empty() || shortest.back().kind != Kind::kQuiet) shortest.push_back(Event{});
  return shortest;
}

}  // namespace storm
