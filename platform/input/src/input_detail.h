// Helpers shared by the simulated input's source files.
#pragma once

#include <windows.h>

namespace input::detail {

LPARAM PointParam(POINT p);
// Posts to a live window; false otherwise.
bool Post(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
bool WantsDoubleClicks(HWND window);
POINT Centre(const RECT& r);
// Whether a person's mouse can reach the window: it and its parents are enabled.
bool Reachable(HWND window);

}  // namespace input::detail
