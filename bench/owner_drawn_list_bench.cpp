// The module's owner-drawn list at the size of its grids: 41 columns with a
// grouped header. One page of 40 rows painted, against the same page of a
// plain report list (the ratio is reported), and scrolling line by line
// through every row, whose cost per row must not grow with the row count.
#include <benchmark/benchmark.h>

#include <afxwin.h>

#include <CListCtrlExH.h>

#include <time.h>

#include <memory>
#include <string>
#include <vector>

#include "headless/headless.h"

namespace {

constexpr int kColumns = 41;
constexpr int kPageRows = 40;
constexpr int kRowHeight = 20;

class Owner : public CWnd, public CListCtrlExHOwner {
 public:
  void OnListKeyDown(int, UINT) override {}
  void OnListVScroll(int, UINT, UINT, CScrollBar*) override { ++scrolls; }
  int scrolls = 0;
};

struct Scene {
  explicit Scene(int rows, bool ownerDrawn) {
    headless::Reset();
    owner.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 1600, 1100, nullptr, nullptr);
    CListCtrl* target = ownerDrawn ? static_cast<CListCtrl*>(&list) : &plain;
    target->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 1500, 1000), &owner, 1);
    for (int c = 0; c < kColumns; ++c) {
      const std::string caption = "欄" + std::to_string(c);
      const int format = c < 3 ? LVCFMT_LEFT : LVCFMT_RIGHT;
      if (ownerDrawn) {
        list.InsertColumn(c, caption.c_str(), format, 36);
        if (c >= 3) list.MarkGroupedColumn(c);
      } else {
        plain.InsertColumn(c, caption.c_str(), format, 36);
      }
    }
    if (ownerDrawn) {
      list.m_pOwner = &owner;
      list.m_nListNo = 1;
      for (int g = 3; g + 1 < kColumns; g += 2) list.AddHeaderGroup(g, g + 1, "群組");
      list.SetRowHeight(kRowHeight);
    }
    target->SetItemCount(rows);
    for (int r = 0; r < rows; ++r) {
      const int item = target->InsertItem(r, ("股票" + std::to_string(2330 + r)).c_str());
      for (int c = 1; c < kColumns; ++c)
        target->SetItemText(item, c, std::to_string((r * 37 + c * 11) % 100000).c_str());
    }
    if (ownerDrawn) {
      list.ResetChecks(rows, false);
      list.m_nScrollUnit = list.GetRowHeight();
    }
    // Exactly one page of rows below the header.
    CRect row;
    target->GetItemRect(0, &row, LVIR_BOUNDS);
    CRect client, window;
    target->GetClientRect(&client);
    target->GetWindowRect(&window);
    target->MoveWindow(0, 0, 1500,
                       row.top + kPageRows * row.Height() + (window.Height() - client.Height()));
    window_ = target->m_hWnd;
  }
  ~Scene() { headless::Reset(); }

  void paint() {
    ::InvalidateRect(window_, nullptr, TRUE);
    ::UpdateWindow(window_);
  }

  Owner owner;
  CListCtrlExH list;
  CListCtrl plain;
  HWND window_ = nullptr;
};

// <chrono> cannot be built with CP950 literals; the monotonic clock directly.
double now() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double secondsPerPaint(Scene& scene, int times) {
  const double start = now();
  for (int i = 0; i < times; ++i) scene.paint();
  return (now() - start) / times;
}

void BM_PaintOwnerDrawnPage(benchmark::State& state) {
  double plainSeconds = 0;
  {
    Scene plain(1000, false);
    plain.paint();
    plainSeconds = secondsPerPaint(plain, 20);
  }
  Scene scene(1000, true);
  scene.list.EnsureVisible(500, FALSE);
  state.counters["rows_per_page"] = scene.list.GetCountPerPage();
  double total = 0;
  for (auto _ : state) {
    const double start = now();
    scene.paint();
    total += now() - start;
  }
  state.counters["vs_plain_list"] = total / static_cast<double>(state.iterations()) / plainSeconds;
}
BENCHMARK(BM_PaintOwnerDrawnPage)->Unit(benchmark::kMillisecond);

// From the top to the last page by SB_LINEDOWN through the list's own handler
// (and the owner's hook), the list repainted after every page of lines.
void BM_ScrollLineByLine(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  Scene scene(rows, true);
  const int steps = rows - scene.list.GetCountPerPage();
  for (auto _ : state) {
    state.PauseTiming();
    scene.list.EnsureVisible(0, FALSE);
    scene.paint();
    state.ResumeTiming();
    for (int i = 1; i <= steps; ++i) {
      scene.list.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
      if (i % kPageRows == 0) scene.list.UpdateWindow();
    }
    scene.list.UpdateWindow();
  }
  if (scene.list.GetTopIndex() != steps || scene.owner.scrolls < steps)
    state.SkipWithError("the list did not reach its last page line by line");
  state.counters["per_row"] = benchmark::Counter(
      steps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.SetComplexityN(rows);
}
BENCHMARK(BM_ScrollLineByLine)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
