// A registered window class whose procedure records every message it sees,
// for the conformance tests of windows, messages and timers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testwin {

struct Seen {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

// Every message seen by windows of the recording class, in order.
std::vector<Seen>& Log();
// The messages of one window, optionally only those in `interesting`.
std::vector<UINT> MessagesOf(HWND hwnd, const std::vector<UINT>& interesting = {});
void ClearLog();

const char* RecordingClass();  // registers on first use after each reset
HWND CreateTopLevel(const char* title = "top", DWORD style = WS_OVERLAPPEDWINDOW);
HWND CreateChild(HWND parent, int id, DWORD style = WS_CHILD | WS_VISIBLE,
                 RECT r = RECT{10, 10, 110, 60});

}  // namespace testwin
