// The broker's asynchrony: queries are answered by timers of a hidden window, and the
// answers are posted to the registered views.
#include <algorithm>
#include <cstdlib>

#include "host/broker.h"
#include "host/view_registry.h"

namespace host {
namespace {

constexpr char kWindowClass[] = "QzHostBroker";
constexpr UINT kReleaseNotice = WM_APP + 1;

LRESULT CALLBACK BrokerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      Broker::Instance().OnTimer(wParam);
      return 0;
    case kReleaseNotice:
      Broker::Instance().OnRelease(static_cast<std::uint64_t>(lParam));
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

bool MatchesSymbol(const CString& filter, const CString& code) {
  return filter.IsEmpty() || filter.CompareNoCase(code) == 0;
}

const char* QueryName(QueryKind kind) {
  return kind == QueryKind::kUnoffset ? "unoffset" : "dividend";
}

}  // namespace

HWND Broker::Window() {
  if (hwnd_ && IsWindow(hwnd_)) return hwnd_;
  WNDCLASSA wc{};
  wc.lpfnWndProc = BrokerProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kWindowClass;
  RegisterClassA(&wc);  // fails harmlessly when the class is still registered
  hwnd_ = CreateWindowExA(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                          wc.hInstance, nullptr);
  // A new window means the old one went with the whole queue (a platform reset): its
  // timers and the messages that carried notices are gone.
  pending_.clear();
  notices_.clear();
  return hwnd_;
}

void Broker::Schedule(Pending pending, int delayMs) {
  HWND hwnd = Window();
  if (!hwnd) return;
  UINT_PTR id = nextTimer_++;
  pending_[id] = std::move(pending);
  SetTimer(hwnd, id, static_cast<UINT>(std::max(delayMs, 0)), nullptr);
}

void Broker::OnTimer(UINT_PTR id) {
  KillTimer(hwnd_, id);
  auto it = pending_.find(id);
  if (it == pending_.end()) return;
  Pending pending = std::move(it->second);
  pending_.erase(it);
  Deliver(pending);
}

void Broker::OnRelease(std::uint64_t noticeId) { notices_.erase(noticeId); }

void Broker::PostToViews(UINT message, WPARAM wParam, LPARAM lParam) {
  for (const RegisteredView& view : RegisteredViews()) {
    PostMessageA(view.hwnd, message, wParam, lParam);
  }
}

void Broker::PostNotice(UINT message, int code, const AccountType& account) {
  HWND hwnd = Window();
  std::uint64_t id = nextNotice_++;
  OrderDataNotice& notice = notices_[id];
  notice.m_strKey = account.m_strBrokerID;
  notice.m_strAccount = account.m_strAccount;
  notice.m_nAccountType = account.m_nAccountType;
  notice.m_nValue = 0;
  auto views = RegisteredViews();
  Emit({{"event", "notice"},
        {"message", message},
        {"code", code},
        {"account", ToUtf8(account.m_strAccount)},
        {"accountKind", account.m_nAccountType},
        {"views", views.size()}});
  for (const RegisteredView& view : views) {
    PostMessageA(view.hwnd, message, static_cast<WPARAM>(code),
                 reinterpret_cast<LPARAM>(&notice));
  }
  // Queued behind the views' messages, so the record outlives their handling.
  if (!hwnd || !PostMessageA(hwnd, kReleaseNotice, 0, static_cast<LPARAM>(id))) {
    notices_.erase(id);
  }
}

Broker::Answered& Broker::AnsweredFor(const AccountType& account) {
  for (auto& a : answered_) {
    if (a.account == account) return a;
  }
  answered_.push_back({});
  answered_.back().account = account;
  return answered_.back();
}

const Broker::Answered* Broker::FindAnswered(const AccountType& account) const {
  for (const auto& a : answered_) {
    if (a.account == account) return &a;
  }
  return nullptr;
}

void Broker::FailNextQueries(QueryFailure failure) { failures_.push_back(std::move(failure)); }

bool Broker::TakeFailure(QueryKind kind, const AccountType& account) {
  for (auto it = failures_.begin(); it != failures_.end(); ++it) {
    if (it->kind != kind) continue;
    if (!it->account.IsEmpty() && it->account != account.m_strAccount) continue;
    if (it->times > 0 && --it->times == 0) failures_.erase(it);
    return true;
  }
  return false;
}

// Only real accounts of the logged-in user are queried; the all-accounts entry is the
// host's list entry, and its views query each account themselves.
bool Broker::QueryUnoffset(const AccountType& account, const CString& symbol) {
  bool accepted = loggedIn_ && FindAccount(account) != nullptr;
  Emit({{"event", "query"},
        {"query", "unoffset"},
        {"account", ToUtf8(account.m_strAccount)},
        {"accountKind", account.m_nAccountType},
        {"symbol", ToUtf8(symbol)},
        {"accepted", accepted}});
  if (!accepted) return false;
  Pending pending{};
  pending.account = account;
  pending.symbol = symbol;
  if (TakeFailure(QueryKind::kUnoffset, account)) {
    pending.type = Pending::Type::kFailure;
    pending.code = ORDERDATA_NOTIFY_UNOFFSET;
  } else {
    pending.type = Pending::Type::kUnoffset;
  }
  Schedule(std::move(pending), data_.latencyMs);
  return true;
}

bool Broker::QueryDividend(const AccountType& account, const CString& symbol,
                           const CString& range, const CString& interval, const CString& mode) {
  bool accepted = loggedIn_ && FindAccount(account) != nullptr;
  int modeNumber = std::atoi(mode);
  if (modeNumber != 1 && modeNumber != 2) accepted = false;
  Emit({{"event", "query"},
        {"query", "dividend"},
        {"account", ToUtf8(account.m_strAccount)},
        {"accountKind", account.m_nAccountType},
        {"symbol", ToUtf8(symbol)},
        {"range", ToUtf8(range)},
        {"interval", ToUtf8(interval)},
        {"mode", ToUtf8(mode)},
        {"dividendType", ToUtf8(account.m_strDividendType)},
        {"accepted", accepted}});
  if (!accepted) return false;
  Pending pending{};
  pending.account = account;
  pending.symbol = symbol;
  pending.range = range;
  pending.interval = interval;
  pending.mode = modeNumber;
  if (TakeFailure(QueryKind::kDividend, account)) {
    pending.type = Pending::Type::kFailure;
    pending.code = ORDERDATA_NOTIFY_DIVIDENDCALC;
  } else {
    pending.type = Pending::Type::kDividend;
  }
  Schedule(std::move(pending), data_.latencyMs);
  return true;
}

void Broker::Deliver(Pending& pending) {
  switch (pending.type) {
    case Pending::Type::kUnoffset: {
      BrokerAccount* account = FindAccount(pending.account);
      if (!account) return;  // gone with a logout or a reload
      Answered& answered = AnsweredFor(pending.account);
      answered.domestic.clear();
      answered.foreign.clear();
      for (const auto& s : account->domestic) {
        if (MatchesSymbol(pending.symbol, s.m_strStockNo)) answered.domestic.push_back(s);
      }
      for (const auto& s : account->foreign) {
        if (MatchesSymbol(pending.symbol, s.m_strStockNo)) answered.foreign.push_back(s);
      }
      answered.positions = account->positions;
      PostNotice(WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_UNOFFSET, pending.account);
      break;
    }
    case Pending::Type::kDividend: {
      if (!FindAccount(pending.account)) return;
      AnsweredFor(pending.account).dividend = ComputeDividends(pending);
      PostNotice(WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_DIVIDENDCALC, pending.account);
      break;
    }
    case Pending::Type::kFailure:
      Emit({{"event", "queryFailed"},
            {"query", pending.code == ORDERDATA_NOTIFY_UNOFFSET ? QueryName(QueryKind::kUnoffset)
                                                                 : QueryName(QueryKind::kDividend)},
            {"account", ToUtf8(pending.account.m_strAccount)}});
      PostNotice(WM_ORDER_REFRESHERRDATA, pending.code, pending.account);
      break;
    case Pending::Type::kOrderChanged:
      PostNotice(WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_ORDERCHANGED, pending.account);
      break;
    case Pending::Type::kMemory: {
      Emit({{"event", "memoryAnswer"},
            {"request", pending.memory.m_byReqNo},
            {"symbols", pending.memory.m_vecSymbols.size()}});
      for (const RegisteredView& view : RegisteredViews()) {
        if (view.kind == ViewKind::kHoldings && view.hooks.memoryRecovery) {
          view.hooks.memoryRecovery(&pending.memory);
        }
      }
      break;
    }
  }
}

// Mode 1: the distributions the holdings earned; mode 2: the holdings about to go
// ex-dividend. The account's dividend-type filter, the stock code (matched against the
// code in the name suffix) and, for the custom interval "0", the date range select.
CBaseOrder_StockDividendCalc Broker::ComputeDividends(const Pending& pending) {
  CBaseOrder_StockDividendCalc result;
  const BrokerAccount* account = FindAccount(pending.account);
  if (!account) return result;
  const auto& source = pending.mode == 2 ? account->exDividends : account->dividends;
  CString start, end;
  int comma = pending.range.Find(',');
  if (comma >= 0) {
    start = pending.range.Left(comma);
    end = pending.range.Mid(comma + 1);
  }
  const CString& type = pending.account.m_strDividendType;
  for (const auto& record : source) {
    if (!type.IsEmpty() && record.m_strType != type) continue;
    if (!pending.symbol.IsEmpty() && pending.symbol.CompareNoCase(record.m_strNameSuffix) != 0) {
      continue;
    }
    if (pending.interval == "0" && comma >= 0 &&
        (record.m_strDividendDate.Compare(start) < 0 || record.m_strDividendDate.Compare(end) > 0)) {
      continue;
    }
    result.m_vecRecords.push_back(record);
    result.m_dCashTotal += record.m_dCashDividend;
    result.m_dStockTotal += record.m_dStockQty;
  }
  if (account->dividendCashTotal) result.m_dCashTotal = *account->dividendCashTotal;
  if (account->dividendStockTotal) result.m_dStockTotal = *account->dividendStockTotal;
  return result;
}

std::vector<CBaseOrder_StorageStockInfo> Broker::DomesticStorage(const AccountType& account) const {
  const Answered* a = FindAnswered(account);
  return a ? a->domestic : std::vector<CBaseOrder_StorageStockInfo>{};
}

std::vector<CBaseOrder_FSStorageStockInfo> Broker::ForeignStorage(const AccountType& account) const {
  const Answered* a = FindAnswered(account);
  return a ? a->foreign : std::vector<CBaseOrder_FSStorageStockInfo>{};
}

std::vector<CBaseOrder_UnoffsetInfo> Broker::Positions(const AccountType& account) const {
  const Answered* a = FindAnswered(account);
  return a ? a->positions : std::vector<CBaseOrder_UnoffsetInfo>{};
}

bool Broker::DividendResult(const AccountType& account,
                            CBaseOrder_StockDividendCalc& result) const {
  const Answered* a = FindAnswered(account);
  if (!a || !a->dividend) return false;
  const CBaseOrder_StockDividendCalc& d = *a->dividend;
  if (d.m_vecRecords.empty() && d.m_dCashTotal == 0.0 && d.m_dStockTotal == 0.0) return false;
  result = *a->dividend;
  return true;
}

void Broker::Clear(const AccountType& account, int code) {
  PostNotice(WM_ORDER_CLEARDATA, code, account);
}

}  // namespace host
