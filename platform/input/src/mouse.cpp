// Mouse actions: the button and wheel messages Windows posts for them.
#include "input/input.h"
#include "input_detail.h"

namespace input {
namespace detail {

LPARAM PointParam(POINT p) {
  return MAKELPARAM(static_cast<WORD>(static_cast<short>(p.x)),
                    static_cast<WORD>(static_cast<short>(p.y)));
}

bool Post(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return IsWindow(window) && PostMessageA(window, msg, wParam, lParam);
}

bool WantsDoubleClicks(HWND window) {
  return (GetClassLongPtrA(window, GCL_STYLE) & CS_DBLCLKS) != 0;
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Nor one inside a disabled parent (a modal dialog's owner, say).
bool Reachable(HWND window) {
  for (HWND w = window; w; w = GetParent(w)) {
    if (!IsWindowEnabled(w)) return false;
    if (!(GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD)) break;
  }
  return IsWindow(window) != FALSE;
}

}  // namespace detail

using namespace detail;

namespace {

// The pointer moved onto the point, a button pressed and released there.
void moveAndPress(HWND window, LPARAM at, UINT down, UINT up, WPARAM buttons) {
  Post(window, WM_MOUSEMOVE, 0, at);
  Post(window, down, buttons, at);
  Post(window, up, 0, at);
}

}  // namespace

bool Click(HWND window, POINT client) {
  if (!Reachable(window)) return false;
  moveAndPress(window, PointParam(client), WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
  PumpMessages();
  return true;
}

bool Click(HWND window) {
  RECT r{};
  if (!GetClientRect(window, &r)) return false;
  return Click(window, Centre(r));
}

bool DoubleClick(HWND window, POINT client) {
  if (!Reachable(window)) return false;
  const LPARAM at = PointParam(client);
  moveAndPress(window, at, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
  Post(window, WantsDoubleClicks(window) ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, at);
  Post(window, WM_LBUTTONUP, 0, at);
  PumpMessages();
  return true;
}

bool RightClick(HWND window, POINT client) {
  if (!Reachable(window)) return false;
  // DefWindowProc turns the release into WM_CONTEXTMENU.
  moveAndPress(window, PointParam(client), WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  PumpMessages();
  return true;
}

bool TurnWheel(HWND window, POINT client, int notches) {
  if (!IsWindow(window) || notches == 0) return false;
  HWND target = GetFocus();
  if (!target) target = window;
  POINT screen = client;
  ClientToScreen(window, &screen);
  const WPARAM delta = static_cast<WORD>(static_cast<short>(notches * WHEEL_DELTA));
  Post(target, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), PointParam(screen));
  PumpMessages();
  return true;
}

bool Drag(HWND window, POINT from, POINT to) {
  if (!Reachable(window)) return false;
  Post(window, WM_MOUSEMOVE, 0, PointParam(from));
  Post(window, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(from));
  Post(window, WM_MOUSEMOVE, MK_LBUTTON, PointParam(to));
  Post(window, WM_LBUTTONUP, 0, PointParam(to));
  PumpMessages();
  return true;
}

}  // namespace input
