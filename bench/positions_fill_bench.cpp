// The classic positions list of an account with 1,000 and 10,000 positions: from
// the back-end's data notice to the filled list (the rows built, the fill timer due,
// every line with its quotes, action cells and colours). The module is loaded and
// driven as the host drives it; virtual time makes the fill's delay cost nothing.
#include <benchmark/benchmark.h>

#include <headless/headless.h>

#include <cstdio>

#include <OrderDataNotice.h>

#include "module_scene.h"

namespace {

constexpr int kListId = 2054;

host::BrokerData Positions(int rows) {
  host::BrokerData data;
  host::BrokerAccount account;
  account.account.m_strBrokerID = "9A95";
  account.account.m_strAccount = "0123456";
  account.account.m_nAccountType = 65;
  account.account.m_strSubAccount = "1";
  account.maintenanceRatio = "187";
  for (int i = 0; i < rows; ++i) {
    char code[16];
    std::snprintf(code, sizeof code, "%05d", 10000 + i);
    CBaseOrder_StorageStockInfo r;
    r.m_strStockNo = code;
    r.m_nCashYesterday = 1000 + i % 7 * 500;
    r.m_nCashToday = r.m_nCashYesterday + 500;
    r.m_nCashOther = r.m_nCashYesterday;
    r.m_nCashDealBuy = 500;
    account.domestic.push_back(r);
    host::QuoteSymbol& q = data.quotes[{16, code}];
    q.name = "台積電";
    const double price = 50.0 + i % 500;
    const double change = (i % 3 - 1) * 1.5;
    q.items = {{125, price}, {184, change}, {185, change / price * 100},
               {132, price + 5}, {133, price - 5}, {453, 20250320}};
    data.boardLots[code] = 1000;
  }
  data.accounts.push_back(account);
  data.latencyMs = 300;
  return data;
}

void BM_PositionsFill(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  benchscene::ModuleScene scene("JqzFinanceStockUnoffsetView", Positions(rows));
  headless::AdvanceTime(300 + 2000);
  const HWND list = scene.Control(kListId);
  if (::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) != rows) {
    state.SkipWithError("the first fill did not give every row");
    return;
  }
  OrderDataNotice notice;
  notice.m_strKey = "9A95";
  notice.m_strAccount = "0123456";
  notice.m_nAccountType = 65;
  for (auto _ : state) {
    ::SendMessageA(scene.view->GetSafeHwnd(), WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_UNOFFSET,
                   reinterpret_cast<LPARAM>(&notice));
    headless::AdvanceTime(2000);
    benchmark::DoNotOptimize(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  }
  benchscene::PerRow(state, rows);
}

BENCHMARK(BM_PositionsFill)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
