// Keyboard actions: key strokes to the focus window, typed characters.
#include <cstring>

#include "input/input.h"
#include "input_detail.h"

namespace input {

using namespace detail;

namespace {

// Repeat count 1; bit 30 (previous state) and 31 (transition) set on release.
constexpr LPARAM kKeyDown = 0x00000001;
constexpr LPARAM kKeyUp = static_cast<LPARAM>(0xC0000001u);

}  // namespace

bool PressKey(UINT virtualKey) {
  HWND focus = GetFocus();
  if (!focus) return false;
  // Pumped in between, so that the character TranslateMessage makes of the
  // press arrives before the release, as with a real keyboard.
  Post(focus, WM_KEYDOWN, virtualKey, kKeyDown);
  PumpMessages();
  // The press may have moved the focus (Tab): the release goes where it is now.
  if (HWND now = GetFocus()) focus = now;
  Post(focus, WM_KEYUP, virtualKey, kKeyUp);
  PumpMessages();
  return true;
}

bool TypeText(HWND window, const char* text) {
  if (!IsWindow(window) || !text) return false;
  if (GetFocus() != window) SetFocus(window);
  // Characters go where the focus is, which the window may have passed on.
  HWND target = GetFocus();
  if (!target) return false;
  for (const char* p = text; *p; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    Post(target, WM_CHAR, byte, kKeyDown);
    if (IsDBCSLeadByte(byte) && p[1]) {
      ++p;
      Post(target, WM_CHAR, static_cast<unsigned char>(*p), kKeyDown);
    }
  }
  PumpMessages();
  return true;
}

}  // namespace input
