// A report list of the size the module's grids reach: 10,000 rows of 41
// sub-items. Filling it, reading every cell back, and painting one page of
// 40 rows. The heap the list holds is reported as a counter (MB).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <commctrl.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "headless/headless.h"

namespace {

constexpr int kColumns = 41;
constexpr int kPageRows = 40;

HWND makeFrame() {
  // Reset drops the program's classes, so the class is registered each time.
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "BenchFrame";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassA(&wc);
  return CreateWindowExA(0, "BenchFrame", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1600, 900,
                         nullptr, nullptr, nullptr, nullptr);
}

HWND makeList(HWND frame) {
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 1500, 800,
                              frame, reinterpret_cast<HMENU>(1), nullptr, nullptr);
  for (int c = 0; c < kColumns; ++c) {
    char caption[16];
    std::snprintf(caption, sizeof caption, "欄%d", c);
    LVCOLUMNA col{LVCF_TEXT | LVCF_WIDTH | LVCF_FMT, c ? LVCFMT_RIGHT : LVCFMT_LEFT, 64, caption, 0, c, 0, 0, 0, 0, 0};
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
  }
  return list;
}

// The texts of a row, made once so the benchmark measures the list alone.
const std::vector<std::vector<std::string>>& cells(int rows) {
  static std::vector<std::vector<std::string>> t;
  if (static_cast<int>(t.size()) < rows) {
    t.resize(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
      t[static_cast<size_t>(r)].resize(kColumns);
      for (int c = 0; c < kColumns; ++c)
        t[static_cast<size_t>(r)][static_cast<size_t>(c)] =
            c == 0 ? "股票" + std::to_string(2330 + r) : std::to_string((r * 37 + c * 11) % 100000) + ".50";
    }
  }
  return t;
}

void fill(HWND list, int rows) {
  const auto& t = cells(rows);
  SendMessageA(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
  for (int r = 0; r < rows; ++r) {
    const auto& row = t[static_cast<size_t>(r)];
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = r;
    item.pszText = const_cast<char*>(row[0].c_str());
    item.lParam = r;
    int index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (int c = 1; c < kColumns; ++c) {
      LVITEMA sub{};
      sub.iSubItem = c;
      sub.pszText = const_cast<char*>(row[static_cast<size_t>(c)].c_str());
      SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
    }
  }
}

void BM_InsertRows(benchmark::State& state) {
  int rows = static_cast<int>(state.range(0));
  cells(rows);
  double heapMb = 0;
  for (auto _ : state) {
    state.PauseTiming();
    headless::Reset();
    HWND list = makeList(makeFrame());
    size_t before = mallinfo2().uordblks;
    state.ResumeTiming();
    fill(list, rows);
    state.PauseTiming();
    heapMb = static_cast<double>(mallinfo2().uordblks - before) / (1024.0 * 1024.0);
    DestroyWindow(GetParent(list));
    state.ResumeTiming();
  }
  state.counters["heap_MB"] = heapMb;
  state.SetComplexityN(rows);
}
BENCHMARK(BM_InsertRows)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_GetAllCellTexts(benchmark::State& state) {
  headless::Reset();
  HWND list = makeList(makeFrame());
  fill(list, 10000);
  char buf[64];
  for (auto _ : state) {
    size_t total = 0;
    for (int r = 0; r < 10000; ++r)
      for (int c = 0; c < kColumns; ++c) {
        LVITEMA item{};
        item.iSubItem = c;
        item.pszText = buf;
        item.cchTextMax = sizeof buf;
        total += static_cast<size_t>(SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item)));
      }
    benchmark::DoNotOptimize(total);
  }
  headless::Reset();
}
BENCHMARK(BM_GetAllCellTexts)->Unit(benchmark::kMillisecond);

// One full paint of a page of 40 rows, scrolled somewhere in the middle.
void BM_PaintPage(benchmark::State& state) {
  headless::Reset();
  HWND frame = makeFrame();
  HWND list = makeList(frame);
  fill(list, 10000);
  RECT item{};
  item.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  int rowHeight = item.bottom - item.top;
  RECT client;
  GetClientRect(list, &client);
  int header = item.top;
  // Height for exactly 40 rows below the header, plus the horizontal bar.
  RECT window;
  GetWindowRect(list, &window);
  int extra = (window.bottom - window.top) - client.bottom;
  MoveWindow(list, 0, 0, 1500, header + kPageRows * rowHeight + extra, TRUE);
  SendMessageA(list, LVM_ENSUREVISIBLE, 5000, FALSE);
  state.counters["rows_per_page"] = static_cast<double>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
  for (auto _ : state) {
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
  }
  headless::Reset();
}
BENCHMARK(BM_PaintPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
