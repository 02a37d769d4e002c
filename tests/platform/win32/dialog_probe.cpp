#include "dialog_probe.h"

#include <algorithm>

#include "test_support.h"

namespace testdlg {
namespace {

Handler& handler() {
  static Handler h;
  return h;
}

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Log().push_back(Seen{hwnd, msg, wParam, lParam});
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

const char* registered(const char* name, WNDPROC proc) {
  WNDCLASSA existing;
  if (!GetClassInfoA(testsupport::Instance(), name, &existing)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = testsupport::Instance();
    wc.lpszClassName = name;
    RegisterClassA(&wc);
  }
  return name;
}

}  // namespace

std::vector<Seen>& Log() {
  static std::vector<Seen> log;
  return log;
}

std::vector<Seen> Filtered(const std::vector<UINT>& interesting) {
  std::vector<Seen> out;
  for (const Seen& s : Log())
    if (std::find(interesting.begin(), interesting.end(), s.msg) != interesting.end())
      out.push_back(s);
  return out;
}

std::vector<Seen> Commands(HWND dialog) {
  std::vector<Seen> out;
  for (const Seen& s : Log())
    if (s.hwnd == dialog && s.msg == WM_COMMAND && HIWORD(s.wParam) == BN_CLICKED)
      out.push_back(s);
  return out;
}

void SetHandler(Handler h) { handler() = std::move(h); }

INT_PTR CALLBACK RecordingDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Log().push_back(Seen{hwnd, msg, wParam, lParam});
  if (handler()) return handler()(hwnd, msg, wParam, lParam);
  return msg == WM_INITDIALOG ? TRUE : FALSE;
}

const char* ProbeClass() { return registered("QzProbe", ProbeProc); }

void Clear() {
  Log().clear();
  handler() = nullptr;
}

HWND Create(const templates::DialogTemplate& t, HWND parent, LPARAM param) {
  return CreateDialogIndirectParamA(testsupport::Instance(), t.Get(), parent, RecordingDlgProc,
                                    param);
}

HWND CreateOwner() {
  return CreateWindowExA(0, registered("QzDialogOwner", OwnerProc), "owner",
                         WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 500, 400, nullptr, nullptr,
                         testsupport::Instance(), nullptr);
}

RECT RectInParent(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT Expected(HWND dialog, templates::DluRect r) {
  RECT px{r.x, r.y, r.cx, r.cy};
  MapDialogRect(dialog, &px);
  return RECT{px.left, px.top, px.left + px.right, px.top + px.bottom};
}

BOOL Key(HWND dialog, HWND target, WPARAM vk) {
  MSG msg{target, WM_KEYDOWN, vk, 1, 0, {0, 0}};
  return IsDialogMessageA(dialog, &msg);
}

}  // namespace testdlg
