// The inventory's market value recomputed when the quote service has answered the
// grid's three memory requests: one account of 1,000 and of 10,000 holdings, from the
// last answer to both lists redrawn with the new values and the total. Alongside, the
// bare baseline: the same prices looked up, values computed and texts formatted into
// plain strings without any window. The ratios of CPU times are printed at the end.
#include <benchmark/benchmark.h>

#include <headless/headless.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include <CSymbolInfo.h>
#include <OrderDataNotice.h>
#include <ViewDataHelpers.h>

#include "module_scene.h"
#include "ratio_reporter.h"

namespace {

constexpr int IDC_LIST_MAIN = 2217;
constexpr int IDC_BTN_MARKETVALUE = 2411;

AccountType MakeAccount() {
  AccountType a;
  a.m_strBrokerID = "9A95";
  a.m_strAccount = "1000000";
  a.m_nAccountType = 65;
  a.m_strSubAccount = "1";
  return a;
}

std::string Code(int i) {
  char code[16];
  std::snprintf(code, sizeof code, "%05d", 10000 + i);
  return code;
}

host::BrokerData Inventory(int rows) {
  host::BrokerData data;
  host::BrokerAccount account;
  account.account = MakeAccount();
  for (int i = 0; i < rows; ++i) {
    CBaseOrder_StorageStockInfo r;
    r.m_strStockNo = Code(i).c_str();
    r.m_nCashYesterday = r.m_nCashToday = 1000 + i % 7 * 250;
    r.m_nMarginToday = i % 3 * 1000;
    account.domestic.push_back(r);
    auto& quote = data.quotes[{16, Code(i)}];
    quote.name = "台積電";
    if (i % 5) quote.items[125] = 10.0 + i % 100 * 0.35;
    quote.items[129] = 12.5;
  }
  data.accounts.push_back(account);
  data.latencyMs = 300;
  data.quoteLatencyMs = 100;
  return data;
}

void BM_MarketValueRecompute(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  benchscene::ModuleScene scene("JqzFinanceStockUnoffsetView", Inventory(rows), 1000,
                                {{"USE_NEWSTOCKUNOFFSET", "1"}});
  headless::AdvanceTime(300);
  std::vector<BYTE> requests;
  host::Broker::Instance().SetEventSink([&](const nlohmann::json& e) {
    if (e.value("event", "") == "memoryRequest") requests.push_back(e["request"].get<BYTE>());
  });
  HWND button = scene.Control(IDC_BTN_MARKETVALUE);
  ::SendMessageA(::GetParent(button), WM_COMMAND, MAKEWPARAM(IDC_BTN_MARKETVALUE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  headless::AdvanceTime(300);
  if (::SendMessageA(scene.Control(IDC_LIST_MAIN), LVM_GETITEMCOUNT, 0, 0) != rows + 1) {
    state.SkipWithError("market value did not show every holding and the total");
    return;
  }
  for (auto _ : state) {
    // A fresh inventory answer asks the quote memory again; its answers are timed.
    state.PauseTiming();
    requests.clear();
    scene.NotifyHoldingsChanged(MakeAccount());
    std::vector<CMultiSymbolMemoryInfo> answers(requests.size());
    for (size_t i = 0; i < requests.size(); ++i) answers[i].m_byReqNo = requests[i];
    state.ResumeTiming();
    for (const CMultiSymbolMemoryInfo& answer : answers)
      scene.view->vRecvMultiSymbolMemoryRecovery(&answer);
    benchmark::DoNotOptimize(::SendMessageA(scene.Control(IDC_LIST_MAIN), LVM_GETITEMCOUNT, 0, 0));
  }
  host::Broker::Instance().SetEventSink({});
  benchscene::PerRow(state, rows);
}

void BM_BareBaseline(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const host::BrokerData data = Inventory(rows);
  const auto& holdings = data.accounts[0].domestic;
  for (auto _ : state) {
    std::map<CString, std::string> out;
    double total = 0;
    for (const auto& r : holdings) {
      double price = 0;
      for (WORD item : {WORD{125}, WORD{455}, WORD{129}}) {
        const auto& quote = data.quotes.at({16, r.m_strStockNo.str()});
        auto it = quote.items.find(item);
        if (it != quote.items.end() && it->second > 0) {
          price = it->second;
          break;
        }
      }
      const double quantity = static_cast<double>(r.m_nCashToday) + r.m_nMarginToday;
      char text[128];
      std::snprintf(text, sizeof text, "%.0f\t%.2f\t%.1f", quantity, price, quantity * price);
      total += std::atof(text);
      out[r.m_strStockNo] = text;
    }
    benchmark::DoNotOptimize(total);
    benchmark::DoNotOptimize(out.size());
  }
  benchscene::PerRow(state, rows);
}

BENCHMARK(BM_BareBaseline)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarketValueRecompute)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchscene::Initialize(&argc, argv);
  benchscene::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  reporter.Ratio("recompute / baseline, 1,000 holdings", "BM_MarketValueRecompute/1000",
        "BM_BareBaseline/1000", 4);
  reporter.Ratio("recompute / baseline, 10,000 holdings", "BM_MarketValueRecompute/10000",
        "BM_BareBaseline/10000", 4);
  reporter.Ratio("recompute 10,000 / 1,000 holdings", "BM_MarketValueRecompute/10000",
        "BM_MarketValueRecompute/1000", 12);
  return 0;
}
