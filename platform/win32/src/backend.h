// Internal records of the headless backend, shared by its source files.
// Nothing outside platform/win32/src includes this.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace headless::detail {

// Per-window state of a built-in control class (button, combo box, ...).
struct ControlState {
  virtual ~ControlState() = default;
};

struct WindowClass {
  std::string name;  // as registered
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int clsExtra = 0;
  int wndExtra = 0;
  HINSTANCE instance = nullptr;
  HBRUSH background = nullptr;
  bool system = false;
};

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> cls;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND parent = nullptr;  // WS_CHILD windows
  HWND owner = nullptr;   // top-level windows
  std::vector<HWND> children;  // z-order, topmost first
  std::string text;
  RECT rect{};        // window rectangle in the parent's client coordinates (screen for top-level)
  RECT client{};      // client rectangle relative to the window rectangle's origin
  RECT restoreRect{};  // before minimise or maximise
  UINT_PTR id = 0;
  LONG_PTR userData = 0;
  HINSTANCE instance = nullptr;
  std::vector<unsigned char> extra;  // cbWndExtra bytes
  bool destroying = false;
  bool restoreToMaximized = false;
  bool updatePending = false;
  bool needSize = false;  // an overlapped window hears its size on its first ShowWindow
  RECT updateRect{};
  std::unique_ptr<ControlState> control;
  // Texts drawn into the window since its last BeginPaint (client coordinates, CP950).
  std::vector<std::pair<RECT, std::string>> painted;
};

// nullptr for a handle that is not (or no longer) a window.
Window* Find(HWND hwnd);
// Sets ERROR_INVALID_WINDOW_HANDLE when the handle is not a window.
Window* FindOrFail(HWND hwnd);
std::vector<HWND> AllWindows();

template <class T>
T* Control(HWND hwnd) {
  Window* w = Find(hwnd);
  ControlState* c = w ? w->control.get() : nullptr;
  if (!c) return nullptr;
  // Every message to a control asks for its state: the exact class is the common answer
  // (one type_info object is the same class; distinct objects fall back to the cast).
  if (&typeid(*c) == &typeid(T)) return static_cast<T*>(c);
  return dynamic_cast<T*>(c);
}
template <class T>
T* EnsureControl(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return nullptr;
  if (!w->control) w->control = std::make_unique<T>();
  return dynamic_cast<T*>(w->control.get());
}

// A class that exists before the program registers any (Button, Static, ...).
struct SystemClass {
  SystemClass(const char* name, WNDPROC proc, UINT style, int wndExtra);
};

// WM_SETFONT and WM_GETFONT as a standard control answers them, keeping the
// font in *font; false when msg is neither.
bool FontMessage(HWND hwnd, HFONT* font, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

// WM_SIZE and WM_MOVE with the window's present client size and position.
void SendSizeAndMove(HWND hwnd);

// Tells the parent of a control what happened: WM_COMMAND(MAKEWPARAM(id, code), hwnd).
void NotifyParent(HWND control, WORD code);
// Screen position of the client area's origin.
POINT ClientOrigin(const Window& w);
// Height and average width of the dialog font, for dialog units.
SIZE BaseUnitsForFont(const char* face, int pointSize);

// Called by Reset after the windows are gone, so each part can drop its state.
struct ResetHook {
  explicit ResetHook(std::function<void()> hook);
};

// Internal parts of the message queue used by timers and dialogs.
void PurgeQueue(HWND hwnd);
void KillTimersOf(HWND hwnd);
void ResetClock();
// A due timer, turned into its WM_TIMER message (and rescheduled) when remove is set.
bool TakeDueTimer(HWND filter, MSG* msg, bool remove);
// The time of the earliest timer, or false when there is none.
bool NextTimerDue(std::uint64_t* due);
void SetNow(std::uint64_t ms);

// WM_NCCALCSIZE after a size or frame change, and DefWindowProc's answer to it.
void RecalcClient(HWND hwnd);
LRESULT DefNcCalcSize(HWND hwnd, LPARAM lParam);
// The window that has the keyboard focus.
HWND& FocusSlot();
// A window proc call's flags that Win32 adds to WM_WINDOWPOSCHANGED.
constexpr UINT kSwpNoClientSize = 0x0800;
constexpr UINT kSwpNoClientMove = 0x1000;

}  // namespace headless::detail

#include "headless/headless.h"

namespace headless::detail {
// The responder that answers modal dialogs (empty when none is installed).
DialogResponder& DialogResponderSlot();
}  // namespace headless::detail

namespace headless::detail {
// What the thumb of a window's scroll bar shows while a person drags it.
void SetScrollTrackPos(HWND hwnd, int bar, int pos);
}  // namespace headless::detail
