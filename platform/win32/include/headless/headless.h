// Controls of the headless backend that have no Win32 counterpart: the
// virtual clock, the message pump, and the responders that stand in for a
// person at modal UI. Hosts and tests use this; the module never does.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace headless {

// ---- Virtual clock ----------------------------------------------------------
// Milliseconds since the clock was started at a local date-time. Nothing
// moves it but AdvanceTime (and GetMessageA waiting for a timer).
void SetLocalDateTime(const SYSTEMTIME& local);
// Minutes east of UTC for GetSystemTime; defaults to +480 (UTC+8).
void SetUtcOffsetMinutes(int minutes);
std::uint64_t Now();
// Moves the clock forward, dispatching every posted message and every timer
// that falls due, in time order.
void AdvanceTime(std::uint64_t ms);
// Dispatches everything already due, without moving the clock. Returns the
// number of messages dispatched.
std::size_t PumpMessages();

// Sees each message the pump takes before it is dispatched; returning true
// means it was handled (the framework's pre-translation installs one).
using PreTranslateHook = std::function<bool(MSG&)>;
void SetPreTranslateHook(PreTranslateHook hook);

// ---- Modal UI without a person -------------------------------------------------
struct MessageBoxCall {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
  int result;
};
// Gives the button pressed (IDOK, IDYES, ...); 0 takes the box's default button.
using MessageBoxResponder = std::function<int(const MessageBoxCall&)>;
void SetMessageBoxResponder(MessageBoxResponder responder);
// Every message box shown since the last clear, with the result it gave.
const std::vector<MessageBoxCall>& MessageBoxLog();
void ClearMessageBoxLog();

// Sees a modal dialog after WM_INITDIALOG. It may set controls and press
// buttons; if the dialog has ended by then, EndDialog's result is returned,
// otherwise the responder's own result ends it.
using DialogResponder = std::function<INT_PTR(HWND dialog)>;
void SetDialogResponder(DialogResponder responder);

// The window whose procedure handles the innermost message being delivered now
// (sent, or dispatched by the pump); nullptr between messages. Lets a host say
// which window an action came from.
HWND DeliveringWindow();

// A text the window drew: the rectangle given to DrawText (or where TextOut started,
// with the text's extent) in client coordinates, and the text in CP950.
struct PaintedText {
  RECT rect;
  std::string text;
};
// The texts drawn into the window since its last BeginPaint, in drawing order, so that
// a host can say what an owner-drawn control shows without reading pixels.
std::vector<PaintedText> PaintedTexts(HWND hwnd);

// ---- Whole-backend state ---------------------------------------------------------
// Destroys every window and timer, empties the queue, drops the classes the
// program registered, the responders and the log, and restarts the clock.
void Reset();
// Number of live windows (for leak checks in tests).
std::size_t WindowCount();
// Number of live GDI objects other than stock ones, and of device contexts not yet
// released or deleted (for leak checks in tests).
std::size_t GdiObjectCount();
std::size_t DeviceContextCount();

}  // namespace headless
