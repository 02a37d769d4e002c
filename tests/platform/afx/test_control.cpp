#include "test_control.h"

#include <map>
#include <utility>

namespace afxtest {

namespace {
std::map<std::pair<HWND, UINT>, int>& counts() {
  static std::map<std::pair<HWND, UINT>, int> c;
  return c;
}

LRESULT CALLBACK testControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ++counts()[{hwnd, msg}];
  if (msg == WM_USER + 7) return 77;  // a message only the control itself answers
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}
}  // namespace

void RegisterTestControl() {
  WNDCLASSA wc{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), kTestControlClass, &wc)) return;
  wc.lpfnWndProc = testControlProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kTestControlClass;
  RegisterClassA(&wc);
}

HWND CreateTestControl(HWND parent, int id, DWORD style) {
  RegisterTestControl();
  return CreateWindowExA(0, kTestControlClass, "", style, 0, 0, 50, 20, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                         nullptr);
}

int OwnProcCount(HWND control, UINT message) {
  auto it = counts().find({control, message});
  return it == counts().end() ? 0 : it->second;
}

LRESULT NotifyCommand(HWND control, WORD code) {
  return SendMessageA(GetParent(control), WM_COMMAND,
                      MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code),
                      reinterpret_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, UINT code) {
  NMHDR nm{control, static_cast<UINT_PTR>(GetDlgCtrlID(control)), code};
  return SendMessageA(GetParent(control), WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}

}  // namespace afxtest
