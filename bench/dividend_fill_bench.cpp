// The dividend dialog filling its list in mode 1 from an answer of n records: the
// answer notice reaches the view as the back-end sends it, and the dialog fetches
// the result, builds every line through its display section, adds the totals and
// fits the columns. Reported per record, with the growth in n.
#include <benchmark/benchmark.h>

#include <headless/headless.h>

#include <cstdio>

#include "DividendResults.h"
#include "OrderDataNotice.h"
#include "module_scene.h"

namespace {

AccountType benchAccount() {
  AccountType a;
  a.m_strBrokerID = "9A95";
  a.m_strAccount = "0123456";
  a.m_strName = "林美玲";
  a.m_nAccountType = 65;
  a.m_strSubAccount = "1";
  a.m_strCertID = "CA0123456";
  return a;
}

host::BrokerData brokerWith(int records) {
  host::BrokerAccount account;
  account.account = benchAccount();
  static const char* const names[] = {"台積電", "鴻海", "長榮", "國泰金", "大立光"};
  for (int i = 0; i < records; ++i) {
    CBaseOrder_StockDividendInfo r;
    char text[16];
    std::snprintf(text, sizeof text, "2024%02d%02d", 1 + i % 12, 1 + i % 28);
    r.m_strDividendDate = text;
    r.m_strStockName = names[i % 5];
    std::snprintf(text, sizeof text, "%d", 1101 + i % 900);
    r.m_strNameSuffix = text;
    r.m_strType = i % 3 ? "1" : "2";
    r.m_dDividendRate = 0.5 + (i % 40) * 0.25;
    r.m_dKeepQty = 1000.0 * (1 + i % 30);
    r.m_dCashDividend = i % 3 ? 1250.5 * (1 + i % 17) : 0;
    r.m_strCashPayDate = "20240711";
    r.m_dStockQty = i % 3 ? 0 : 20.0 * (1 + i % 9);
    r.m_strStockPayDate = "20240820";
    r.m_strDDate = r.m_strDividendDate;
    r.m_strSource = "盈餘";
    account.dividends.push_back(r);
  }
  host::BrokerData data;
  data.accounts.push_back(account);
  data.latencyMs = 1;
  return data;
}

// A terminal with one dividend view that has answered once.
struct Scene {
  explicit Scene(int records)
      : terminal("JqzStockDividendCalcView", brokerWith(records), 1200) {
    headless::AdvanceTime(10);
    notice.m_strKey = "9A95";
    notice.m_strAccount = "0123456";
    notice.m_nAccountType = 65;
  }
  void answer() {
    ::SendMessageA(terminal.view->GetSafeHwnd(), WM_ORDER_REFRESHDATA,
                   ORDERDATA_NOTIFY_DIVIDENDCALC, reinterpret_cast<LPARAM>(&notice));
  }
  int rows() const {
    return static_cast<int>(::SendMessageA(terminal.Control(2724), LVM_GETITEMCOUNT, 0, 0));
  }

  benchscene::ModuleScene terminal;
  OrderDataNotice notice;
};

void BM_FillModeOne(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  Scene scene(records);
  if (scene.rows() != records + 2) {
    state.SkipWithError("the first answer did not fill the list");
    return;
  }
  for (auto _ : state) scene.answer();
  state.SetComplexityN(records);
  state.counters["per_record"] = benchmark::Counter(
      records, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FillModeOne)
    ->Arg(625)
    ->Arg(1250)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The module's own share of a line: the item values of mode 1 and the line text, without
// the list.
void BM_LineTextsModeOne(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  Scene scene(records);
  const host::BrokerData data = brokerWith(records);
  CBaseOrderItemGroup group;
  qzdividend::vLoadSection(group, qzdividend::strSectionOf(1));
  size_t bytes = 0;
  for (auto _ : state) {
    int row = 0;
    for (const auto& record : data.accounts[0].dividends) {
      qzdividend::vSetRowItems(group, record, row++, 1);
      bytes += static_cast<size_t>(group.strGetDisplayLineText().GetLength());
    }
  }
  benchmark::DoNotOptimize(bytes);
  state.counters["per_record"] = benchmark::Counter(
      records, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LineTextsModeOne)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
