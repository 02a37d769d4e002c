// The simulated broker through the OrderBK_ calls: the query cycle in virtual time,
// notices to every registered view, failures, sync groups, quote memory and orders.
#include <gtest/gtest.h>

#include <headless/headless.h>

#include <filesystem>
#include <map>
#include <vector>

#include "OrderBackEnd.h"
#include "host/broker.h"
#include "host/environment.h"
#include "host/language_table.h"
#include "host/view_registry.h"

namespace {

struct Received {
  UINT message;
  WPARAM code;
  OrderDataNotice notice;  // copied while handling, as the views do
  bool hasNotice;
};

std::map<HWND, std::vector<Received>>& Inbox() {
  static std::map<HWND, std::vector<Received>> inbox;
  return inbox;
}

LRESULT CALLBACK ViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ORDER_REFRESHDATA:
    case WM_ORDER_REFRESHERRDATA:
    case WM_ORDER_CLEARDATA:
      Inbox()[hwnd].push_back({msg, wParam, *reinterpret_cast<OrderDataNotice*>(lParam), true});
      return 0;
    case WM_ORDER_LOGINSUCCESS:
    case WM_ORDER_LOGOUT:
    case WM_ORDER_RELOADACCOUNT:
      Inbox()[hwnd].push_back({msg, wParam, {}, false});
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

AccountType MakeAccount(const char* number, int kind) {
  AccountType a;
  a.m_strBrokerID = "9A95";
  a.m_strAccount = number;
  a.m_strName = "王小明";
  a.m_nAccountType = kind;
  a.m_strSubAccount = "0";
  return a;
}

CBaseOrder_StorageStockInfo Holding(const char* code, int cashToday) {
  CBaseOrder_StorageStockInfo s;
  s.m_strStockNo = code;
  s.m_nCashYesterday = cashToday;
  s.m_nCashToday = cashToday;
  return s;
}

CBaseOrder_StockDividendInfo Dividend(const char* date, const char* code, const char* type,
                                      double cash) {
  CBaseOrder_StockDividendInfo d;
  d.m_strDividendDate = date;
  d.m_strNameSuffix = code;
  d.m_strStockName = "台積電";
  d.m_strType = type;
  d.m_dCashDividend = cash;
  return d;
}

class BrokerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    Inbox().clear();
    // The broker keeps the sync groups' accounts in the home.
    std::string pattern = (std::filesystem::temp_directory_path() / "qzbroker-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    home_ = pattern;
    host::SetHomeDirectory(home_);
    ASSERT_TRUE(language_.Load(QZ_LANGUAGE_FILE).ok());
    broker().SetLanguageTable(&language_);
    broker().SetEventSink([this](const nlohmann::json& e) { events_.push_back(e); });

    host::BrokerData data;
    host::BrokerAccount a1;
    a1.account = MakeAccount("1234567", 65);
    a1.domestic = {Holding("2330", 3000), Holding("2317", 1500)};
    a1.maintenanceRatio = "182";
    a1.dividends = {Dividend("20240613", "2330", "1", 3000), Dividend("20240912", "2330", "2", 0),
                    Dividend("20250110", "2330", "1", 3500)};
    a1.exDividends = {Dividend("20250320", "2330", "1", 0)};
    host::BrokerAccount a2;
    a2.account = MakeAccount("7654321", 65);
    a2.domestic = {Holding("2603", 2000)};
    host::BrokerAccount f1;
    f1.account = MakeAccount("F000111", 51);
    CBaseOrder_FSStorageStockInfo hk;
    hk.m_strStockNo = "00700";
    hk.m_nLotSize = 100;
    hk.m_nYesterday = 500;
    hk.m_nTSell = 500;
    hk.m_strCurrency = "HKD";
    f1.foreign = {hk};
    data.accounts = {a1, a2, f1};
    data.quotes[{16, "2330"}] = {"台積電", {{125, 580.0}, {132, 638.0}, {133, 522.0}}};
    data.quotes[{16, "2317"}] = {"鴻海", {{125, 104.5}}};
    data.quotes[{122, "6488"}] = {"環球晶", {{125, 450.0}}};
    data.quotes[{22, "00700"}] = {"騰訊", {{125, 320.0}}};
    data.delayedServices[22] = 222;
    data.boardLots["2330"] = 1000;
    data.boardLots["2603"] = 500;
    data.latencyMs = 300;
    data.quoteLatencyMs = 100;
    broker().Load(data);
    data_ = data;

    WNDCLASSA wc{};
    wc.lpfnWndProc = ViewProc;
    wc.lpszClassName = "BrokerTestView";
    RegisterClassA(&wc);
  }
  void TearDown() override {
    broker().Reset();
    broker().SetEventSink({});
    broker().SetLanguageTable(nullptr);
    headless::Reset();
    host::ResetEnvironment();
    std::error_code ec;
    if (!home_.empty()) std::filesystem::remove_all(home_, ec);
  }

  static host::Broker& broker() { return host::Broker::Instance(); }

  HWND MakeView(host::ViewKind kind = host::ViewKind::kHoldings, host::ViewHooks hooks = {}) {
    HWND hwnd = CreateWindowExA(0, "BrokerTestView", "", WS_POPUP, 0, 0, 10, 10,
                                nullptr, nullptr, nullptr, nullptr);
    host::RegisterView(hwnd, kind, std::move(hooks));
    return hwnd;
  }

  void LogIn() {
    broker().Login();
    headless::PumpMessages();
  }

  std::vector<Received> Notices(HWND view, UINT message) {
    std::vector<Received> out;
    for (auto& r : Inbox()[view]) {
      if (r.message == message) out.push_back(r);
    }
    return out;
  }

  host::LanguageTable language_{[](std::string_view) {}};
  std::vector<nlohmann::json> events_;
  host::BrokerData data_;
  std::string home_;
};

// ---- login and accounts

TEST_F(BrokerTest, LoginTellsTheViewsAndOpensTheAccounts) {
  HWND view = MakeView();
  EXPECT_FALSE(OrderBK_bIsSystemIDLogin());
  EXPECT_TRUE(broker().Accounts().empty());
  LogIn();
  EXPECT_TRUE(OrderBK_bIsSystemIDLogin());
  EXPECT_EQ(Notices(view, WM_ORDER_LOGINSUCCESS).size(), 1u);
  EXPECT_EQ(broker().Accounts().size(), 3u);
  EXPECT_EQ(broker().AccountsOfKind(51).size(), 1u);
  broker().Logout();
  headless::PumpMessages();
  EXPECT_FALSE(OrderBK_bIsSystemIDLogin());
  EXPECT_EQ(Notices(view, WM_ORDER_LOGOUT).size(), 1u);
}

TEST_F(BrokerTest, SyncGroupsRememberTheirAccountsApart) {
  LogIn();
  AccountType first;
  ASSERT_TRUE(OrderBK_bGetActiveAccount(first, 1));
  EXPECT_EQ(first.m_strAccount, CString("1234567"));  // nothing saved yet: the first account

  EXPECT_TRUE(OrderBK_bSaveSyncTypeAccount(MakeAccount("7654321", 65), 1));
  EXPECT_TRUE(OrderBK_bSaveSyncTypeAccount(MakeAccount("F000111", 51), 2));
  AccountType g1, g2;
  ASSERT_TRUE(OrderBK_bGetActiveAccount(g1, 1));
  ASSERT_TRUE(OrderBK_bGetActiveAccount(g2, 2));
  EXPECT_EQ(g1.m_strAccount, CString("7654321"));
  EXPECT_EQ(g2.m_strAccount, CString("F000111"));
  EXPECT_EQ(g2.m_nAccountType, 51);

  // Unknown accounts are refused; the all-accounts entry is remembered.
  EXPECT_FALSE(OrderBK_bSaveSyncTypeAccount(MakeAccount("0000000", 65), 1));
  AccountType all = MakeAccount("", 65);
  all.m_strAccount = language_.Text("IDS_ORDER-COMMON_ALL_ACCOUNT");
  EXPECT_TRUE(OrderBK_bSaveSyncTypeAccount(all, 3));
  AccountType g3;
  ASSERT_TRUE(OrderBK_bGetActiveAccount(g3, 3));
  EXPECT_TRUE(g3 == all);

  broker().Logout();
  AccountType none;
  EXPECT_FALSE(OrderBK_bGetActiveAccount(none, 1));
  EXPECT_FALSE(OrderBK_bSaveSyncTypeAccount(MakeAccount("7654321", 65), 1));

  // The next run in the same home: the groups come back while the user has their accounts.
  broker().Reset();
  data_.accounts.erase(data_.accounts.begin() + 2);  // the foreign account is gone
  broker().Load(data_);
  LogIn();
  ASSERT_TRUE(OrderBK_bGetActiveAccount(g1, 1));
  EXPECT_EQ(g1.m_strAccount, CString("7654321"));
  ASSERT_TRUE(OrderBK_bGetActiveAccount(g2, 2));
  EXPECT_EQ(g2.m_strAccount, CString("1234567"));
  ASSERT_TRUE(OrderBK_bGetActiveAccount(g3, 3));
  EXPECT_TRUE(g3 == all);
}

// ---- the query cycle

TEST_F(BrokerTest, AQueryIsAnsweredToEveryViewAfterTheLatency) {
  HWND holdings = MakeView(host::ViewKind::kHoldings);
  HWND dividend = MakeView(host::ViewKind::kDividend);
  LogIn();
  AccountType account = MakeAccount("1234567", 65);
  EXPECT_TRUE(OrderBK_iQueryUnOffset(account, ""));
  EXPECT_TRUE(OrderBK_GetDSStorageStock(account).empty());  // nothing answered yet

  headless::AdvanceTime(299);
  EXPECT_TRUE(Notices(holdings, WM_ORDER_REFRESHDATA).empty());
  headless::AdvanceTime(1);
  for (HWND view : {holdings, dividend}) {
    auto got = Notices(view, WM_ORDER_REFRESHDATA);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].code, WPARAM{ORDERDATA_NOTIFY_UNOFFSET});
    EXPECT_EQ(got[0].notice.m_strKey, CString("9A95"));
    EXPECT_EQ(got[0].notice.m_strAccount, CString("1234567"));
    EXPECT_EQ(got[0].notice.m_nAccountType, 65);
  }
  auto storage = OrderBK_GetDSStorageStock(account);
  ASSERT_EQ(storage.size(), 2u);
  EXPECT_EQ(storage[0].m_strStockNo, CString("2330"));
  EXPECT_EQ(storage[0].m_nCashToday, 3000);
  EXPECT_TRUE(OrderBK_GetFSStorageStock(account).empty());
  // The other account has not been asked.
  EXPECT_TRUE(OrderBK_GetDSStorageStock(MakeAccount("7654321", 65)).empty());
}

TEST_F(BrokerTest, AnswersKeepTheStateOfTheirQuery) {
  MakeView();
  LogIn();
  AccountType account = MakeAccount("1234567", 65);
  OrderBK_iQueryUnOffset(account, "2317");  // the code filter
  headless::AdvanceTime(300);
  auto storage = OrderBK_GetDSStorageStock(account);
  ASSERT_EQ(storage.size(), 1u);
  EXPECT_EQ(storage[0].m_strStockNo, CString("2317"));

  // New data at the broker shows only after the next answer.
  host::BrokerAccount changed = *broker().FindAccount(account);
  changed.domestic.push_back(Holding("2882", 4000));
  broker().UpdateAccount(changed);
  EXPECT_EQ(OrderBK_GetDSStorageStock(account).size(), 1u);
  OrderBK_iQueryUnOffsetPro(account, "A", true);
  headless::AdvanceTime(300);
  EXPECT_EQ(OrderBK_GetDSStorageStock(account).size(), 3u);
}

TEST_F(BrokerTest, ForeignAccountsAnswerWithForeignInventory) {
  MakeView();
  LogIn();
  AccountType account = MakeAccount("F000111", 51);
  OrderBK_iQueryUnOffset(account, "");
  headless::AdvanceTime(300);
  auto storage = OrderBK_GetFSStorageStock(account);
  ASSERT_EQ(storage.size(), 1u);
  EXPECT_EQ(storage[0].m_strCurrency, CString("HKD"));
  EXPECT_EQ(storage[0].m_nLotSize, 100);
  EXPECT_TRUE(OrderBK_GetDSStorageStock(account).empty());
}

TEST_F(BrokerTest, QueriesThatCannotBeAnsweredAreRefusedAtOnce) {
  HWND view = MakeView();
  AccountType account = MakeAccount("1234567", 65);
  EXPECT_FALSE(OrderBK_iQueryUnOffset(account, ""));  // not logged in
  LogIn();
  EXPECT_FALSE(OrderBK_iQueryUnOffset(MakeAccount("0000000", 65), ""));
  AccountType all = account;
  all.m_strAccount = language_.Text("IDS_ORDER-COMMON_ALL_ACCOUNT");
  EXPECT_FALSE(OrderBK_iQueryUnOffset(all, ""));
  EXPECT_FALSE(OrderBK_iQueryStockkDividendCalc(account, "", "", "1", "3"));  // no mode 3
  headless::AdvanceTime(1000);
  EXPECT_TRUE(Notices(view, WM_ORDER_REFRESHDATA).empty());
}

TEST_F(BrokerTest, AScriptedFailureAnswersWithTheErrorMessage) {
  HWND view = MakeView();
  LogIn();
  AccountType account = MakeAccount("1234567", 65);
  broker().FailNextQueries({host::QueryKind::kUnoffset, "1234567", 1});
  EXPECT_TRUE(OrderBK_iQueryUnOffset(account, ""));
  headless::AdvanceTime(300);
  auto errors = Notices(view, WM_ORDER_REFRESHERRDATA);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].code, WPARAM{ORDERDATA_NOTIFY_UNOFFSET});
  EXPECT_EQ(errors[0].notice.m_strAccount, CString("1234567"));
  EXPECT_TRUE(Notices(view, WM_ORDER_REFRESHDATA).empty());
  EXPECT_TRUE(OrderBK_GetDSStorageStock(account).empty());
  // Only the next query failed.
  OrderBK_iQueryUnOffset(account, "");
  headless::AdvanceTime(300);
  EXPECT_EQ(Notices(view, WM_ORDER_REFRESHDATA).size(), 1u);
}

TEST_F(BrokerTest, AClearIsPostedWithItsNotice) {
  HWND view = MakeView();
  LogIn();
  broker().Clear(MakeAccount("1234567", 65), ORDERDATA_NOTIFY_DIVIDENDCALC);
  headless::PumpMessages();
  auto clears = Notices(view, WM_ORDER_CLEARDATA);
  ASSERT_EQ(clears.size(), 1u);
  EXPECT_EQ(clears[0].notice.m_strAccount, CString("1234567"));
}

TEST_F(BrokerTest, ViewsGoneOrUnregisteredGetNothing) {
  HWND kept = MakeView();
  HWND dropped = MakeView();
  HWND destroyed = MakeView();
  host::UnregisterView(dropped);
  DestroyWindow(destroyed);
  LogIn();
  OrderBK_iQueryUnOffset(MakeAccount("1234567", 65), "");
  headless::AdvanceTime(300);
  EXPECT_EQ(Notices(kept, WM_ORDER_REFRESHDATA).size(), 1u);
  EXPECT_TRUE(Notices(dropped, WM_ORDER_REFRESHDATA).empty());
  EXPECT_EQ(host::RegisteredViews().size(), 1u);
}

// ---- dividends

TEST_F(BrokerTest, DividendsByModeTypeCodeAndRange) {
  MakeView(host::ViewKind::kDividend);
  LogIn();
  AccountType account = MakeAccount("1234567", 65);
  CBaseOrder_StockDividendCalc result;
  EXPECT_FALSE(OrderBK_bGetStockDividendCalc(account, result));

  OrderBK_iQueryStockkDividendCalc(account, "", "20240101,20241231", "1", "1");
  headless::AdvanceTime(300);
  ASSERT_TRUE(OrderBK_bGetStockDividendCalc(account, result));
  EXPECT_EQ(result.m_vecRecords.size(), 3u);  // the range counts only for interval "0"
  EXPECT_DOUBLE_EQ(result.m_dCashTotal, 6500);

  OrderBK_iQueryStockkDividendCalc(account, "", "20240101,20241231", "0", "1");
  headless::AdvanceTime(300);
  ASSERT_TRUE(OrderBK_bGetStockDividendCalc(account, result));
  EXPECT_EQ(result.m_vecRecords.size(), 2u);

  account.m_strDividendType = "2";  // the account's type filter
  OrderBK_iQueryStockkDividendCalc(account, "", ",", "1", "1");
  headless::AdvanceTime(300);
  ASSERT_TRUE(OrderBK_bGetStockDividendCalc(account, result));
  ASSERT_EQ(result.m_vecRecords.size(), 1u);
  EXPECT_EQ(result.m_vecRecords[0].m_strType, CString("2"));

  account.m_strDividendType = "";
  OrderBK_iQueryStockkDividendCalc(account, "", ",", "1", "2");
  headless::AdvanceTime(300);
  ASSERT_TRUE(OrderBK_bGetStockDividendCalc(account, result));
  EXPECT_EQ(result.m_vecRecords.size(), 1u);  // mode 2: about to go ex-dividend

  OrderBK_iQueryStockkDividendCalc(account, "1101", ",", "1", "1");
  headless::AdvanceTime(300);
  EXPECT_FALSE(OrderBK_bGetStockDividendCalc(account, result));  // nothing for that code
}

TEST_F(BrokerTest, StatedDividendTotalsReplaceTheSumsAndCountAsData) {
  MakeView(host::ViewKind::kDividend);
  LogIn();
  AccountType account = MakeAccount("1234567", 65);
  host::BrokerAccount* record = broker().FindAccount(account);
  ASSERT_NE(record, nullptr);
  record->dividendCashTotal = 0.0;  // stated as none, whatever the records hold
  record->dividendStockTotal = 250.0;
  CBaseOrder_StockDividendCalc result;
  OrderBK_iQueryStockkDividendCalc(account, "", ",", "1", "1");
  headless::AdvanceTime(300);
  ASSERT_TRUE(OrderBK_bGetStockDividendCalc(account, result));
  EXPECT_EQ(result.m_vecRecords.size(), 3u);
  EXPECT_DOUBLE_EQ(result.m_dCashTotal, 0);
  EXPECT_DOUBLE_EQ(result.m_dStockTotal, 250);

  OrderBK_iQueryStockkDividendCalc(account, "1101", ",", "1", "1");
  headless::AdvanceTime(300);
  ASSERT_TRUE(OrderBK_bGetStockDividendCalc(account, result));  // totals without records
  EXPECT_TRUE(result.m_vecRecords.empty());

  record->dividendStockTotal = 0.0;
  OrderBK_iQueryStockkDividendCalc(account, "1101", ",", "1", "1");
  headless::AdvanceTime(300);
  EXPECT_FALSE(OrderBK_bGetStockDividendCalc(account, result));
}

// ---- quote memory

TEST_F(BrokerTest, QuoteMemoryKnowsSymbolsByMarket) {
  EXPECT_TRUE(BKOrderInterface::bIsSymbolIDExist(16, "2330"));
  EXPECT_FALSE(BKOrderInterface::bIsSymbolIDExist(122, "2330"));
  EXPECT_TRUE(BKOrderInterface::GetBKInterface()->bIsSymbolIDExist(122, "6488"));
  EXPECT_EQ(broker().SymbolName(22, "00700"), CString("騰訊"));
  EXPECT_DOUBLE_EQ(broker().QuoteValue(16, "2330", 125), 580.0);
  EXPECT_DOUBLE_EQ(broker().QuoteValue(16, "2330", 999), 0.0);
  EXPECT_EQ(BKOrderInterface::byGetQuoteMode(22), 2);
  EXPECT_EQ(BKOrderInterface::byGetQuoteMode(16), 1);
  EXPECT_EQ(BKOrderInterface::byGetQuoteMode(99), 0);
  BYTE id = 0;
  EXPECT_TRUE(BKOrderInterface::bGetServiceID2Delay(id, 22));
  EXPECT_EQ(id, 222);
  EXPECT_FALSE(BKOrderInterface::bGetServiceID2Delay(id, 16));
}

TEST_F(BrokerTest, MemoryRequestsAreAnsweredToHoldingsViewsLater) {
  std::vector<std::pair<BYTE, size_t>> answers;
  host::ViewHooks hooks;
  hooks.memoryRecovery = [&](const CMultiSymbolMemoryInfo* info) {
    answers.push_back({info->m_byReqNo, info->m_vecSymbols.size()});
  };
  MakeView(host::ViewKind::kHoldings, hooks);
  std::vector<std::pair<BYTE, size_t>> dividendAnswers;
  host::ViewHooks other;
  other.memoryRecovery = [&](const CMultiSymbolMemoryInfo* info) {
    dividendAnswers.push_back({info->m_byReqNo, 0});
  };
  MakeView(host::ViewKind::kDividend, other);

  std::vector<CSymbolInfo> symbols = {{16, "2330"}, {16, "2317"}};
  BYTE req1 = 0, req2 = 0;
  ASSERT_TRUE(BKOrderInterface::bGetMultiMemory(req1, symbols, {125}));
  ASSERT_TRUE(BKOrderInterface::bGetMultiMemory(req2, symbols, {129}));
  EXPECT_NE(req1, req2);
  EXPECT_NE(req1, 0);
  EXPECT_TRUE(answers.empty());
  headless::AdvanceTime(100);
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[0].first, req1);
  EXPECT_EQ(answers[1].first, req2);
  EXPECT_EQ(answers[0].second, 2u);
  EXPECT_TRUE(dividendAnswers.empty());

  BYTE none = 0;
  EXPECT_FALSE(BKOrderInterface::bGetMultiMemory(none, {}, {125}));
}

TEST_F(BrokerTest, RequestNumbersNeverUseZeroOr255) {
  std::vector<CSymbolInfo> symbols = {{16, "2330"}};
  for (int i = 0; i < 600; ++i) {
    BYTE req = 0;
    ASSERT_TRUE(BKOrderInterface::bGetMultiMemory(req, symbols, {125}));
    ASSERT_NE(req, 0);
    ASSERT_NE(req, 255);
  }
}

TEST_F(BrokerTest, AQuoteChangeUpdatesTheMemory) {
  broker().SetQuoteValue(16, "2330", 125, 590.0);
  EXPECT_DOUBLE_EQ(broker().QuoteValue(16, "2330", 125), 590.0);
  EXPECT_FALSE(BKOrderInterface::bIsSymbolIDExist(16, "9999"));
  broker().SetQuoteValue(16, "9999", 125, 12.0);  // a new symbol, asked for before
  EXPECT_TRUE(BKOrderInterface::bIsSymbolIDExist(16, "9999"));
  EXPECT_DOUBLE_EQ(broker().QuoteValue(16, "9999", 125), 12.0);
}

// ---- settings

TEST_F(BrokerTest, BoardLotsAndDisplaySections) {
  int unit = 1000;
  OrderBK_vGetUnit("2603", unit, false);
  EXPECT_EQ(unit, 500);
  unit = 1000;
  OrderBK_vGetUnit("1101", unit, false);  // no lot of its own: unchanged
  EXPECT_EQ(unit, 1000);

  for (const char* name : {"CTABFAINANCESTOCKUNOFFSET", "CTABDIVIDENDCALC_STOCK",
                           "CTABDIVIDENDCALC_INVENTORY_STOCK"}) {
    std::vector<CString> items;
    std::vector<Stru_Item> columns;
    ASSERT_TRUE(OrderBK_GetAllItemBySection(name, items, true)) << name;
    ASSERT_TRUE(OrderBK_GetDisplayItemBySection(name, columns, true, false, false)) << name;
    ASSERT_EQ(items.size(), columns.size());
    for (const auto& c : columns) {
      EXPECT_FALSE(c.m_strTitle.IsEmpty()) << c.m_strItem.GetString();
      EXPECT_GT(c.m_wWidth, 0);
    }
  }
  std::vector<CString> items;
  EXPECT_FALSE(OrderBK_GetAllItemBySection("NO_SUCH_SECTION", items, true));
}

// ---- orders

class BrokerOrderTest : public BrokerTest {
 protected:
  CBaseOrder_OrderInfo Sell(const char* code, int lots) {
    CBaseOrder_OrderInfo o;
    o.m_strAccount = "1234567";
    o.m_Commodity.m_strExchange = "TWSE";
    o.m_Commodity.m_nTradeUnit = 'A';
    o.m_Commodity.m_nCreditType = 'A';
    o.m_Commodity.m_strStockNo = code;
    o.m_nSide = 'S';
    o.m_nPriceType = o.m_nPriceType2 = '7';
    o.m_nTimeInForce = 'N';
    o.m_nQty = lots;
    return o;
  }
};

TEST_F(BrokerOrderTest, AnAcceptedOrderCountsAsOrderedAndNotifiesLater) {
  HWND view = MakeView();
  LogIn();
  CBaseOrder_OrderInfo order = Sell("2330", 2);
  CString message;
  ASSERT_TRUE(OrderBK_bDSNormalOrder(order, message, 0)) << message.GetString();
  EXPECT_TRUE(message.IsEmpty());
  EXPECT_FALSE(order.m_strOrderNo.IsEmpty());
  ASSERT_EQ(broker().Orders().size(), 1u);
  EXPECT_TRUE(broker().Orders()[0].accepted);

  headless::AdvanceTime(300);
  auto changed = Notices(view, WM_ORDER_REFRESHDATA);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].code, WPARAM{ORDERDATA_NOTIFY_ORDERCHANGED});
  EXPECT_EQ(changed[0].notice.m_strAccount, CString("1234567"));

  AccountType account = MakeAccount("1234567", 65);
  OrderBK_iQueryUnOffset(account, "2330");
  headless::AdvanceTime(300);
  auto storage = OrderBK_GetDSStorageStock(account);
  ASSERT_EQ(storage.size(), 1u);
  EXPECT_EQ(storage[0].m_nCashOrderSell, 2000);
}

TEST_F(BrokerOrderTest, TheBrokersRulesRefuseWithAReason) {
  LogIn();
  struct Case {
    const char* what;
    void (*change)(CBaseOrder_OrderInfo&);
  };
  const Case cases[] = {
      {"unknown account", [](CBaseOrder_OrderInfo& o) { o.m_strAccount = "0000000"; }},
      {"unknown symbol", [](CBaseOrder_OrderInfo& o) { o.m_Commodity.m_strStockNo = "ZZZZ"; }},
      {"zero quantity", [](CBaseOrder_OrderInfo& o) { o.m_nQty = 0; }},
      {"odd lot of a whole lot",
       [](CBaseOrder_OrderInfo& o) {
         o.m_Commodity.m_nTradeUnit = 'E';
         o.m_nQty = 1000;
       }},
      {"too many lots", [](CBaseOrder_OrderInfo& o) { o.m_nQty = 500; }},
      {"bad side", [](CBaseOrder_OrderInfo& o) { o.m_nSide = 'X'; }},
      {"above limit up",
       [](CBaseOrder_OrderInfo& o) {
         o.m_nPriceType = '2';
         o.m_dPrice = 640.0;
       }},
  };
  for (const Case& c : cases) {
    CBaseOrder_OrderInfo order = Sell("2330", 1);
    c.change(order);
    CString message;
    EXPECT_FALSE(OrderBK_bDSNormalOrder(order, message, 0)) << c.what;
    EXPECT_FALSE(message.IsEmpty()) << c.what;
  }
  CBaseOrder_OrderInfo odd = Sell("2330", 1);
  odd.m_Commodity.m_nTradeUnit = 'E';
  odd.m_nQty = 999;
  CString message;
  EXPECT_TRUE(OrderBK_bDSNormalOrder(odd, message, 0)) << message.GetString();
}

TEST_F(BrokerOrderTest, ScriptedRejectionsComeFirstAndRunOut) {
  LogIn();
  broker().AddRejection({"1234567", "2330", 'S', "10000", 1});
  CBaseOrder_OrderInfo order = Sell("2330", 1);
  CString message;
  EXPECT_FALSE(OrderBK_bDSNormalOrder(order, message, 0));
  EXPECT_EQ(message, CString("10000"));
  EXPECT_TRUE(OrderBK_bDSNormalOrder(order, message, 0));
  EXPECT_TRUE(message.IsEmpty());
  // Other orders are not touched by a rejection for one symbol.
  broker().AddRejection({"", "2317", 0, "餘額不足", -1});
  CBaseOrder_OrderInfo other = Sell("2330", 1);
  EXPECT_TRUE(OrderBK_bDSNormalOrder(other, message, 0));
  CBaseOrder_OrderInfo hon = Sell("2317", 1);
  EXPECT_FALSE(OrderBK_bDSNormalOrder(hon, message, 0));
  EXPECT_FALSE(OrderBK_bDSNormalOrder(hon, message, 0));
}

TEST_F(BrokerOrderTest, TheOrderListAndSerialNumbers) {
  LogIn();
  CString sn1 = OrderBK_cszMakeSN();
  CString sn2 = OrderBK_cszMakeSN();
  EXPECT_NE(sn1, sn2);
  CBaseOrder_OrderInfo order = Sell("2330", 1);
  order.m_strSN = sn1;
  CString message;
  EXPECT_TRUE(OrderBK_bOrder2List(order, 65, message, false));
  EXPECT_FALSE(OrderBK_bOrder2List(order, 0, message, false));
  ASSERT_EQ(broker().OrderList().size(), 1u);
  EXPECT_EQ(broker().OrderList()[0].m_strSN, sn1);
  EXPECT_TRUE(broker().Orders().empty());  // listed, not sent
}

TEST_F(BrokerOrderTest, NothingIsSentWhileLoggedOut) {
  CBaseOrder_OrderInfo order = Sell("2330", 1);
  CString message;
  EXPECT_FALSE(OrderBK_bDSNormalOrder(order, message, 0));
  EXPECT_FALSE(message.IsEmpty());
}

TEST_F(BrokerOrderTest, TheTranscriptSeesQueriesNoticesAndOrders) {
  MakeView();
  LogIn();
  OrderBK_iQueryUnOffset(MakeAccount("1234567", 65), "");
  headless::AdvanceTime(300);
  CBaseOrder_OrderInfo order = Sell("2330", 1);
  CString message;
  OrderBK_bDSNormalOrder(order, message, 0);
  std::vector<std::string> kinds;
  for (const auto& e : events_) kinds.push_back(e["event"]);
  EXPECT_EQ(kinds, (std::vector<std::string>{"login", "query", "notice", "order"}));
  EXPECT_EQ(events_[3]["order"]["side"], "S");
  EXPECT_EQ(events_[3]["order"]["symbol"], "2330");
}

TEST_F(BrokerOrderTest, ANewAverageCostIsStoredForTheMatchingPositionsOnly) {
  host::BrokerData data = data_;
  CBaseOrder_UnoffsetInfo cash, margin;
  cash.m_Commodity.m_strExchange = margin.m_Commodity.m_strExchange = "TWSE";
  cash.m_Commodity.m_strStockNo = margin.m_Commodity.m_strStockNo = "2330";
  cash.m_Commodity.m_nTradeUnit = margin.m_Commodity.m_nTradeUnit = 'A';
  cash.m_Commodity.m_nCreditType = 'A';
  margin.m_Commodity.m_nCreditType = 'B';
  cash.m_dAvgPrice = margin.m_dAvgPrice = 500.0;
  data.accounts[0].positions = {cash, margin};
  broker().Load(data);
  const AccountType account = MakeAccount("1234567", 65);
  CString message;
  EXPECT_FALSE(OrderBK_bSetAvgDealPrice(account, cash.m_Commodity, 510.0, "00000001", message));
  EXPECT_EQ(message, "尚未登入");
  LogIn();
  OrderBK_iQueryUnOffset(account, "");
  headless::AdvanceTime(300);
  EXPECT_TRUE(OrderBK_bSetAvgDealPrice(account, cash.m_Commodity, 510.0, "00000002", message));
  const auto positions = OrderBK_GetDSUnoffset(account);
  ASSERT_EQ(positions.size(), 2u);
  EXPECT_DOUBLE_EQ(positions[0].m_dAvgPrice, 510.0);
  EXPECT_DOUBLE_EQ(positions[1].m_dAvgPrice, 500.0);
  EXPECT_EQ(events_.back()["event"], "avgCost");
  EXPECT_EQ(events_.back()["serial"], "00000002");
  EXPECT_EQ(events_.back()["positions"], 1);

  // A price that is no price, or a commodity the account does not hold, is refused.
  EXPECT_FALSE(OrderBK_bSetAvgDealPrice(account, cash.m_Commodity, 0.0, "00000003", message));
  EXPECT_EQ(message, "成本價格錯誤");
  CBaseOrder_Commodity other = cash.m_Commodity;
  other.m_strStockNo = "2317";
  EXPECT_FALSE(OrderBK_bSetAvgDealPrice(account, other, 100.0, "00000004", message));
  EXPECT_EQ(message, "查無此持股部位");
  EXPECT_EQ(events_.back()["accepted"], false);
  EXPECT_FALSE(OrderBK_bSetAvgDealPrice(MakeAccount("9999999", 65), cash.m_Commodity, 100.0, "", message));
}

}  // namespace
