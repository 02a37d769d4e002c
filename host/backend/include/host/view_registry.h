// The views that receive the back-end's notices. The host's view bases (or the terminal)
// register each view window when it is created and unregister it when it goes; the
// back-end then posts order-data messages to every registered window and hands quote
// answers to the holdings views through their hook.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

class CMultiSymbolMemoryInfo;

namespace host {

enum class ViewKind {
  kHoldings,  // stock holdings views: also receive quote-memory answers
  kDividend,  // dividend views
  kOther,
};

struct ViewHooks {
  // Called with the answer of a quote-memory request; the record lives for the call only.
  std::function<void(const CMultiSymbolMemoryInfo*)> memoryRecovery;
};

struct RegisteredView {
  HWND hwnd = nullptr;
  ViewKind kind = ViewKind::kOther;
  ViewHooks hooks;
};

// Registering a window again replaces its kind and hooks. A window that is destroyed
// without unregistering is dropped at the next delivery.
void RegisterView(HWND hwnd, ViewKind kind, ViewHooks hooks = {});
void UnregisterView(HWND hwnd);
// Forgets every view (with a reset of the broker).
void UnregisterAllViews();
// The registered windows that still exist, in registration order.
std::vector<RegisteredView> RegisteredViews();

}  // namespace host
