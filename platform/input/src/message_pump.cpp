// The message loop that runs after each simulated action.
#include <cstring>

#include "input/input.h"

namespace input {
namespace {

MessagePump& customPump() {
  static MessagePump pump;
  return pump;
}

bool isDialog(HWND hwnd) {
  char name[16] = {};
  return hwnd && GetClassNameA(hwnd, name, sizeof name) > 0 && std::strcmp(name, "#32770") == 0;
}

// Generous: a program that keeps posting to itself must not hang the caller.
constexpr int kMaxMessages = 100000;

void defaultPump() {
  MSG msg;
  for (int n = 0; n < kMaxMessages && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the program's own loop
      return;
    }
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (isDialog(root) && IsDialogMessageA(root, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

void SetMessagePump(MessagePump pump) { customPump() = std::move(pump); }

void PumpMessages() {
  if (customPump())
    customPump()();
  else
    defaultPump();
}

}  // namespace input
