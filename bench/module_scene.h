// A terminal in miniature for the module's benchmarks: a fresh platform and host in a
// home folder of its own, the simulated broker with the given data, the module library
// loaded as the host loads it, and one logged-in view of the named class in a frame.
#pragma once

#include <afxwin.h>
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "JqzOrderBaseView.h"
#include "host/broker.h"

namespace benchscene {

class ModuleScene {
 public:
  // Aborts when the module or the view cannot be made: a benchmark without them
  // measures nothing.
  // orderSettings: keys of OrderCfg.ini [ORDER_SETTING] written before the view is made.
  ModuleScene(const char* viewClass, host::BrokerData data, int frameWidth = 1000,
              const std::vector<std::pair<std::string, std::string>>& orderSettings = {});
  ~ModuleScene();
  ModuleScene(const ModuleScene&) = delete;
  ModuleScene& operator=(const ModuleScene&) = delete;

  // The hosted dialog's control.
  HWND Control(int id) const;
  // The back-end's notice that the account's holdings changed, as the host sends it.
  void NotifyHoldingsChanged(const AccountType& account) const;

  CFrameWnd* frame = nullptr;
  JqzOrderBaseView* view = nullptr;

 private:
  std::string home_;
};

// Reports the time per row alongside the benchmark's time.
inline void PerRow(benchmark::State& state, int rows) {
  state.counters["per_row"] =
      benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

}  // namespace benchscene
