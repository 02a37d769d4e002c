// The simulated broker behind the OrderBK_ calls: accounts and their data, login, sync
// groups, the quote memory, display sections, orders and the order list. It answers like
// the real service: a query returns at once and its answer is posted to the registered
// views (view_registry.h) after the latency, in virtual time.
//
// Messages it posts (wParam: notice code, lParam: OrderDataNotice*):
//   0x0480 data ready (1094 holdings, 1189 dividends, 1101 the account's orders changed)
//   0x0431 a query failed (the code of the failed query)
//   0x0461 clear
// and 0x04A1 (login), 0x0409 (logout), 0x0493 (account list reloaded) with both
// parameters 0. A notice lives in the broker until the broker's own release message,
// posted right after the views' messages, comes out of the queue: every view has taken
// its message by then, and the views copy the record before doing anything else.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "AccountType.h"
#include "CBaseOrder_OrderInfo.h"
#include "CBaseOrder_StockDividendCalc.h"
#include "CBaseOrder_StockLoginInfo.h"
#include "CBaseOrder_StorageStockInfo.h"
#include "CBaseOrder_UnoffsetInfo.h"
#include "CBaseOrder_UserInfo.h"
#include "COrderPriceAgent.h"
#include "CSymbolInfo.h"
#include "OrderDataNotice.h"
#include "Stru_Item.h"

namespace host {

class LanguageTable;

// One account and what the broker knows about it.
struct BrokerAccount {
  AccountType account;
  std::vector<CBaseOrder_StorageStockInfo> domestic;
  std::vector<CBaseOrder_FSStorageStockInfo> foreign;
  std::vector<CBaseOrder_UnoffsetInfo> positions;
  // Dividend distributions; a query in mode 1 answers with the distributions the
  // holdings earned, mode 2 with those of holdings about to go ex-dividend.
  std::vector<CBaseOrder_StockDividendInfo> dividends;       // mode 1
  std::vector<CBaseOrder_StockDividendInfo> exDividends;     // mode 2
  // Totals the back-end states in its answers instead of the sums of the selected
  // records (0: it gives none). An answer with totals counts as data even without records.
  std::optional<double> dividendCashTotal;
  std::optional<double> dividendStockTotal;
  CString maintenanceRatio;  // "" when the broker gives none
  CBaseOrder_StockLoginInfo login;
  CBaseOrder_UserInfo user;
};

struct QuoteSymbol {
  CString name;
  std::map<WORD, double> items;
};

// A display section: the item keys it knows and the columns it shows.
struct DisplaySection {
  std::vector<CString> items;
  std::vector<Stru_Item> columns;
};

// A scripted refusal of an order. Empty fields match anything; times < 0 never runs out.
struct OrderRejection {
  CString account;
  CString symbol;
  int side = 0;
  CString message;
  int times = -1;
};

enum class QueryKind { kUnoffset, kDividend };

// A scripted failure of the next queries of an account (empty account: any).
struct QueryFailure {
  QueryKind kind = QueryKind::kUnoffset;
  CString account;
  int times = 1;
};

// Everything a scenario gives the broker.
struct BrokerData {
  std::vector<BrokerAccount> accounts;
  std::map<std::pair<BYTE, std::string>, QuoteSymbol> quotes;  // (market, code)
  std::map<BYTE, BYTE> delayedServices;  // market -> market number of its delayed service
  std::map<std::string, int> boardLots;  // code -> shares per board lot (default 1000)
  std::map<std::string, DisplaySection> sections;  // replaces the built-in sections
  std::vector<std::string> classViews;   // "class|section|key" switched on
  std::vector<OrderRejection> rejections;
  int latencyMs = 300;       // order-data answers
  int quoteLatencyMs = 100;  // quote-memory answers
};

// An order the broker took, with its result.
struct BrokerOrder {
  CBaseOrder_OrderInfo order;
  bool accepted = false;
  CString message;
};

class Broker {
 public:
  static Broker& Instance();

  // Forgets everything: logged out, no accounts, no pending answers, no registered views.
  void Reset();
  // Replaces the data and forgets the state (login, answers, orders); views stay registered.
  void Load(BrokerData data);

  // Transcript events (UTF-8 JSON objects with an "event" member); without a sink
  // nothing is recorded.
  using EventSink = std::function<void(const nlohmann::json&)>;
  void SetEventSink(EventSink sink);
  // Language texts for BKOrderInterface::LangGetLangString and the section titles.
  void SetLanguageTable(const LanguageTable* table);
  CString LangText(const CString& key) const;

  // ---- login and accounts
  void Login();   // also tells the views (0x04A1)
  void Logout();  // 0x0409
  bool IsLoggedIn() const { return loggedIn_; }
  // The accounts of the logged-in user (none while logged out), in scenario order.
  std::vector<AccountType> Accounts() const;
  std::vector<AccountType> AccountsOfKind(int kind) const;
  BrokerAccount* FindAccount(const AccountType& account);
  BrokerAccount* FindAccountByNumber(const CString& number);
  // Replaces or adds an account's record and tells the views to reload (0x0493).
  void UpdateAccount(const BrokerAccount& account);
  bool SaveSyncTypeAccount(const AccountType& account, BYTE syncType);
  bool GetActiveAccount(AccountType& account, BYTE syncType) const;
  CBaseOrder_UserInfo* ActiveUserInfo(const AccountType& account, int kind);

  // ---- queries and their results
  bool QueryUnoffset(const AccountType& account, const CString& symbol);
  bool QueryDividend(const AccountType& account, const CString& symbol, const CString& range,
                     const CString& interval, const CString& mode);
  void FailNextQueries(QueryFailure failure);
  // The result of the last answered query of the account.
  std::vector<CBaseOrder_StorageStockInfo> DomesticStorage(const AccountType& account) const;
  std::vector<CBaseOrder_FSStorageStockInfo> ForeignStorage(const AccountType& account) const;
  std::vector<CBaseOrder_UnoffsetInfo> Positions(const AccountType& account) const;
  // False when the last answer holds nothing: no records and no totals.
  bool DividendResult(const AccountType& account, CBaseOrder_StockDividendCalc& result) const;
  // Posts a clear notice (0x0461) for the account to the views.
  void Clear(const AccountType& account, int code);

  // ---- quote memory
  bool SymbolExists(BYTE market, const CString& code) const;
  // 0 when the symbol or the item is unknown.
  double QuoteValue(BYTE market, const CString& code, WORD item) const;
  // Whether the memory holds the item for the symbol.
  bool HasQuoteValue(BYTE market, const CString& code, WORD item) const;
  // Both in one look-up: false, leaving value, when the memory holds no such item.
  bool FindQuoteValue(BYTE market, const std::string& code, WORD item, double& value) const;
  // The symbol's record; null when the memory does not hold it.
  const QuoteSymbol* FindSymbol(BYTE market, const std::string& code) const;
  CString SymbolName(BYTE market, const CString& code) const;
  void SetQuoteValue(BYTE market, const CString& code, WORD item, double value);
  bool RequestMemory(BYTE& reqNo, const std::vector<CSymbolInfo>& symbols,
                     const std::vector<WORD>& items);
  bool DelayedService(BYTE& serviceId, BYTE market) const;
  BYTE QuoteMode(BYTE market) const;

  // ---- settings
  int BoardLot(const CString& code) const;  // 0 when the broker has no lot for the code
  bool SectionItems(const CString& section, std::vector<CString>& items) const;
  bool SectionColumns(const CString& section, std::vector<Stru_Item>& columns) const;
  bool ClassView(const CString& cls, const CString& section, const CString& key,
                 const CString& file) const;

  // ---- orders
  bool SendOrder(CBaseOrder_OrderInfo& order, CString& message);
  bool AddToOrderList(CBaseOrder_OrderInfo& order, int accountKind, CString& message);
  CString MakeSerialNumber();
  void SendPriceAgent(const COrderPriceAgent& agent);
  void AddRejection(OrderRejection rejection);
  // The next `times` entries put into the order list are refused with the message.
  void RefuseOrderList(int times, const CString& message);
  const std::vector<BrokerOrder>& Orders() const { return orders_; }
  const std::vector<CBaseOrder_OrderInfo>& OrderList() const { return orderList_; }
  // A new average cost for the account's open positions in the commodity (exchange,
  // unit, credit and code alike); false with the reason when none matches or the
  // price is not a positive number. The serial numbers the request.
  bool SetAverageCost(const AccountType& account, const CBaseOrder_Commodity& commodity,
                      double price, const CString& serial, CString& message);

  // ---- the log
  void Log(const CString& text);
  const std::vector<std::string>& LogLines() const { return log_; }

  // Called by the broker's window procedure.
  void OnTimer(UINT_PTR id);
  void OnRelease(std::uint64_t noticeId);

 private:
  Broker() = default;
  void ResetState();

  struct Pending {
    enum class Type { kUnoffset, kDividend, kFailure, kOrderChanged, kMemory } type;
    AccountType account;
    int code = 0;
    CString symbol;
    CString range;
    CString interval;
    int mode = 1;
    CMultiSymbolMemoryInfo memory;
  };

  // What the last answer gave an account.
  struct Answered {
    AccountType account;
    std::vector<CBaseOrder_StorageStockInfo> domestic;
    std::vector<CBaseOrder_FSStorageStockInfo> foreign;
    std::vector<CBaseOrder_UnoffsetInfo> positions;
    std::optional<CBaseOrder_StockDividendCalc> dividend;
  };

  HWND Window();
  void Schedule(Pending pending, int delayMs);
  void Deliver(Pending& pending);
  void PostNotice(UINT message, int code, const AccountType& account);
  void PostToViews(UINT message, WPARAM wParam, LPARAM lParam);
  Answered& AnsweredFor(const AccountType& account);
  const Answered* FindAnswered(const AccountType& account) const;
  bool TakeFailure(QueryKind kind, const AccountType& account);
  CBaseOrder_StockDividendCalc ComputeDividends(const Pending& pending);
  void ApplyAcceptedOrder(BrokerAccount& account, const CBaseOrder_OrderInfo& order);
  void Emit(nlohmann::json event) const;
  // Whether anyone records the events: large ones are built only then.
  bool Recording() const { return static_cast<bool>(sink_); }
  bool IsAllAccounts(const AccountType& account) const;

  BrokerData data_;
  // The last symbol the quote memory was asked for (see FindSymbol).
  struct QuoteCache {
    bool valid = false;
    BYTE market = 0;
    std::string code;
    const QuoteSymbol* symbol = nullptr;
  };
  mutable QuoteCache quoteCache_;
  bool loggedIn_ = false;
  std::map<BYTE, AccountType> syncAccounts_;
  std::vector<Answered> answered_;
  std::vector<QueryFailure> failures_;
  std::map<UINT_PTR, Pending> pending_;
  UINT_PTR nextTimer_ = 1;
  std::map<std::uint64_t, OrderDataNotice> notices_;
  std::uint64_t nextNotice_ = 1;
  BYTE nextReq_ = 0;
  int nextSerial_ = 0;
  int nextOrderNo_ = 0;
  std::vector<BrokerOrder> orders_;
  std::vector<CBaseOrder_OrderInfo> orderList_;
  int orderListRefusals_ = 0;
  CString orderListRefusal_;
  std::vector<std::string> log_;
  HWND hwnd_ = nullptr;
  EventSink sink_;
  const LanguageTable* language_ = nullptr;
};

// UTF-8 of a CP950 text for transcripts and dumps; bytes that do not convert are
// written as \xNN so that nothing is lost silently.
std::string ToUtf8(const CString& cp950);

}  // namespace host
