#include "host/view_registry.h"

#include <algorithm>

namespace host {
namespace {

std::vector<RegisteredView>& Views() {
  static std::vector<RegisteredView> views;
  return views;
}

void DropDestroyed() {
  auto& views = Views();
  std::erase_if(views, [](const RegisteredView& v) { return !IsWindow(v.hwnd); });
}

}  // namespace

void RegisterView(HWND hwnd, ViewKind kind, ViewHooks hooks) {
  if (!IsWindow(hwnd)) return;
  DropDestroyed();
  auto& views = Views();
  auto it = std::find_if(views.begin(), views.end(),
                         [hwnd](const RegisteredView& v) { return v.hwnd == hwnd; });
  if (it != views.end()) {
    it->kind = kind;
    it->hooks = std::move(hooks);
    return;
  }
  views.push_back({hwnd, kind, std::move(hooks)});
}

void UnregisterView(HWND hwnd) {
  std::erase_if(Views(), [hwnd](const RegisteredView& v) { return v.hwnd == hwnd; });
}

void UnregisterAllViews() { Views().clear(); }

std::vector<RegisteredView> RegisteredViews() {
  DropDestroyed();
  return Views();
}

}  // namespace host
