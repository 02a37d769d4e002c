// The inventory dialog's fill, driven as the host drives it: one account of 1,000 and of
// 10,000 holdings from its data notice to both lists filled, and all-accounts mode with
// 10 accounts of 1,000 holdings each from the last account's notice. Alongside, the bare
// baseline: the same cell texts formatted into plain strings without any window. At the
// end the ratios of CPU times are printed: fill / baseline, and 10,000 rows / 1,000 rows.
#include <benchmark/benchmark.h>

#include <headless/headless.h>

#include <cstdio>
#include <map>
#include <string>

#include <CommonUtilities.h>
#include <InventoryCells.h>
#include <OrderDataNotice.h>

#include "module_scene.h"
#include "ratio_reporter.h"

namespace {

// The dialog's controls: the two lists and the account selector.
constexpr int IDC_LIST_MAIN = 2217;
constexpr int IDC_LIST_NAME = 2712;
constexpr int IDC_COMBO_ACCOUNT = 2183;

AccountType MakeAccount(int index) {
  AccountType a;
  a.m_strBrokerID = "9A95";
  a.m_strAccount.Format("%07d", 1000000 + index);
  a.m_nAccountType = 65;
  a.m_strSubAccount = "1";
  return a;
}

CBaseOrder_StorageStockInfo Holding(int i) {
  char code[16];
  std::snprintf(code, sizeof code, "%05d", 10000 + i);
  CBaseOrder_StorageStockInfo r;
  r.m_strStockNo = code;
  r.m_nCashYesterday = 1000 + i % 7 * 500;
  r.m_nCashToday = r.m_nCashYesterday + 250;
  r.m_nCashOrderBuy = r.m_nCashDealBuy = 250;
  r.m_nMarginYesterday = r.m_nMarginToday = i % 3 * 1000;
  r.m_nShortYesterday = r.m_nShortToday = i % 5 * 1000;
  r.m_nLendYesterday = r.m_nLendToday = i % 4 * 1000;
  return r;
}

host::BrokerData Inventory(int accounts, int rows) {
  host::BrokerData data;
  for (int i = 0; i < rows; ++i) {
    const CBaseOrder_StorageStockInfo r = Holding(i);
    data.quotes[{16, r.m_strStockNo.str()}].name = "台積電";
    data.boardLots[r.m_strStockNo.str()] = 1000;
  }
  for (int a = 0; a < accounts; ++a) {
    host::BrokerAccount account;
    account.account = MakeAccount(a);
    for (int i = 0; i < rows; ++i) account.domestic.push_back(Holding(i));
    data.accounts.push_back(account);
  }
  data.latencyMs = 300;
  return data;
}

const std::vector<std::pair<std::string, std::string>> kInventoryDialog = {
    {"USE_NEWSTOCKUNOFFSET", "1"}};

bool Filled(const benchscene::ModuleScene& scene, int rows) {
  return ::SendMessageA(scene.Control(IDC_LIST_MAIN), LVM_GETITEMCOUNT, 0, 0) == rows &&
         ::SendMessageA(scene.Control(IDC_LIST_NAME), LVM_GETITEMCOUNT, 0, 0) == rows;
}

void BM_InventoryFill(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  benchscene::ModuleScene scene("JqzFinanceStockUnoffsetView", Inventory(1, rows), 1000,
                                kInventoryDialog);
  headless::AdvanceTime(300);
  if (!Filled(scene, rows)) {
    state.SkipWithError("the first fill did not give every row");
    return;
  }
  for (auto _ : state) {
    scene.NotifyHoldingsChanged(MakeAccount(0));
    benchmark::DoNotOptimize(Filled(scene, rows));
  }
  benchscene::PerRow(state, rows);
}

void BM_InventoryAllAccounts(benchmark::State& state) {
  const int accounts = 10, each = 1000, rows = accounts * each;
  benchscene::ModuleScene scene("JqzFinanceStockUnoffsetView", Inventory(accounts, each), 1000,
                                kInventoryDialog);
  headless::AdvanceTime(300);
  HWND combo = scene.Control(IDC_COMBO_ACCOUNT);
  const CString all = s_LangGetLangString("IDS_ORDER-COMMON_ALL_ACCOUNT") + "(" +
                      s_LangGetLangString("IDS_ORDER-COMMON_STOCK_SHORT") + ")";
  const LRESULT index = ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(all.GetString()));
  ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageA(::GetParent(combo), WM_COMMAND, MAKEWPARAM(IDC_COMBO_ACCOUNT, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  headless::AdvanceTime(300);
  if (!Filled(scene, rows)) {
    state.SkipWithError("all-accounts mode did not show every account's rows");
    return;
  }
  // Every account has answered; the last one's notice refetches and shows them all.
  for (auto _ : state) {
    scene.NotifyHoldingsChanged(MakeAccount(accounts - 1));
    benchmark::DoNotOptimize(Filled(scene, rows));
  }
  benchscene::PerRow(state, rows);
}

void BM_BareBaseline(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  std::vector<CBaseOrder_StorageStockInfo> records;
  for (int i = 0; i < rows; ++i) records.push_back(Holding(i));
  for (auto _ : state) {
    std::map<CString, std::vector<CString>> out;
    for (const auto& r : records) {
      CString name;
      name.Format("%s(%s)", "台積電", r.m_strStockNo.GetString());
      out[r.m_strStockNo] = inventory::DSCells(r, name, 1000);
    }
    benchmark::DoNotOptimize(out.size());
  }
  benchscene::PerRow(state, rows);
}

BENCHMARK(BM_BareBaseline)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InventoryFill)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InventoryAllAccounts)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchscene::Initialize(&argc, argv);
  benchscene::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  reporter.Ratio("fill / baseline, 1,000 rows", "BM_InventoryFill/1000", "BM_BareBaseline/1000", 4);
  reporter.Ratio("fill / baseline, 10,000 rows", "BM_InventoryFill/10000", "BM_BareBaseline/10000", 4);
  reporter.Ratio("all accounts / baseline, 10 x 1,000 rows", "BM_InventoryAllAccounts",
        "BM_BareBaseline/10000", 4);
  reporter.Ratio("fill 10,000 / fill 1,000 rows", "BM_InventoryFill/10000", "BM_InventoryFill/1000",
        12);
  return 0;
}
