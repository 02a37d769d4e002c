#include "dialog_host.h"

#include <module_resources.h>

namespace restest {
namespace {

INT_PTR CALLBACK QuietDlgProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

HWND CreateHost() {
  static const char* const kClass = "QzModuleDialogHost";
  WNDCLASSA existing;
  if (!GetClassInfoA(testsupport::Instance(), kClass, &existing)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = testsupport::Instance();
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
  }
  return CreateWindowExA(0, kClass, "host", WS_POPUP | WS_VISIBLE, 0, 0, 1100, 400, nullptr,
                         nullptr, testsupport::Instance(), nullptr);
}

HWND CreateModuleDialog(UINT id, HWND parent) {
  const DLGTEMPLATE* t = qzres::DialogTemplateOf(id);
  if (!t) return nullptr;
  return CreateDialogIndirectParamA(testsupport::Instance(), t, parent, QuietDlgProc, 0);
}

std::string ClassOf(HWND hwnd) {
  char name[64] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string TextOf(HWND hwnd) {
  char text[512] = "";
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

RECT RectInDialog(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT Expected(HWND dialog, Dlu r) {
  RECT px{r.x, r.y, r.cx, r.cy};
  MapDialogRect(dialog, &px);
  return RECT{px.left, px.top, px.left + px.right, px.top + px.bottom};
}

std::vector<std::string> ComboEntries(HWND combo) {
  std::vector<std::string> out;
  const LRESULT n = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    char text[256] = "";
    if (SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) >= LRESULT{sizeof text})
      continue;
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    out.emplace_back(text);
  }
  return out;
}

}  // namespace restest
