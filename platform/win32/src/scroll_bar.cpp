// The standard scroll bars of a window (SB_HORZ, SB_VERT) and their state.
#include <algorithm>
#include <map>

#include "backend.h"

using namespace headless::detail;

namespace {

struct Bar {
  int min = 0;
  int max = 0;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  bool set = false;
};

std::map<std::pair<HWND, int>, Bar>& bars() {
  static std::map<std::pair<HWND, int>, Bar> b;
  return b;
}

const ResetHook resetBars([] { bars().clear(); });

DWORD styleBit(int bar) { return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL; }

// Adds or removes the scroll bar from the frame, which resizes the client area.
void showBar(HWND hwnd, int bar, bool show) {
  Window* w = Find(hwnd);
  if (!w) return;
  DWORD bit = styleBit(bar);
  if (((w->style & bit) != 0) == show) return;
  if (show)
    w->style |= bit;
  else
    w->style &= ~bit;
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int maxPos(const Bar& b) {
  return std::max(b.min, b.max - std::max(static_cast<int>(b.page) - 1, 0));
}

bool validBar(int bar) { return bar == SB_HORZ || bar == SB_VERT; }

}  // namespace

namespace headless::detail {
// What the thumb shows while a person drags it (SIF_TRACKPOS).
void SetScrollTrackPos(HWND hwnd, int bar, int pos) { bars()[{hwnd, bar}].trackPos = pos; }
}  // namespace headless::detail

extern "C" {

int WINAPI SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO si, BOOL) {
  if (!FindOrFail(hwnd) || !si || !validBar(bar)) return 0;
  Bar& b = bars()[{hwnd, bar}];
  b.set = true;
  if (si->fMask & SIF_RANGE) {
    b.min = si->nMin;
    b.max = std::max(si->nMax, si->nMin);
  }
  if (si->fMask & SIF_PAGE) b.page = si->nPage;
  UINT span = static_cast<UINT>(b.max - b.min + 1);
  if (b.page > span) b.page = span;
  if (si->fMask & SIF_POS) b.pos = si->nPos;
  b.pos = std::clamp(b.pos, b.min, maxPos(b));
  // Outside a drag the thumb shows the position itself.
  b.trackPos = b.pos;
  if (si->fMask & (SIF_RANGE | SIF_PAGE)) {
    // A bar with nothing to scroll disappears unless it was asked to stay disabled.
    bool needed = b.max > b.min && b.page < span;
    if (needed || (si->fMask & SIF_DISABLENOSCROLL))
      showBar(hwnd, bar, true);
    else
      showBar(hwnd, bar, false);
  }
  return b.pos;
}

BOOL WINAPI GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO si) {
  Window* w = FindOrFail(hwnd);
  if (!w || !si || !validBar(bar)) return FALSE;
  auto it = bars().find({hwnd, bar});
  if (it == bars().end() && !(w->style & styleBit(bar))) return FALSE;
  Bar b = it == bars().end() ? Bar{} : it->second;
  if (si->fMask & SIF_RANGE) si->nMin = b.min, si->nMax = b.max;
  if (si->fMask & SIF_PAGE) si->nPage = b.page;
  if (si->fMask & SIF_POS) si->nPos = b.pos;
  if (si->fMask & SIF_TRACKPOS) si->nTrackPos = b.trackPos;
  return TRUE;
}

int WINAPI SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  if (!FindOrFail(hwnd) || !validBar(bar)) return 0;
  int old = bars()[{hwnd, bar}].pos;
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, pos, 0};
  SetScrollInfo(hwnd, bar, &si, redraw);
  return old;
}

int WINAPI GetScrollPos(HWND hwnd, int bar) {
  if (!FindOrFail(hwnd) || !validBar(bar)) return 0;
  auto it = bars().find({hwnd, bar});
  return it == bars().end() ? 0 : it->second.pos;
}

BOOL WINAPI SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw) {
  if (!FindOrFail(hwnd) || !validBar(bar)) return FALSE;
  if (max - min > 0x7FFF'FFFF || max < min) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  SCROLLINFO si{sizeof si, SIF_RANGE, min, max, 0, 0, 0};
  SetScrollInfo(hwnd, bar, &si, redraw);
  return TRUE;
}

BOOL WINAPI GetScrollRange(HWND hwnd, int bar, LPINT min, LPINT max) {
  if (!min || !max) return FALSE;
  *min = *max = 0;
  if (!FindOrFail(hwnd) || !validBar(bar)) return FALSE;
  auto it = bars().find({hwnd, bar});
  if (it != bars().end()) *min = it->second.min, *max = it->second.max;
  return TRUE;
}

BOOL WINAPI ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  if (!FindOrFail(hwnd)) return FALSE;
  if (bar == SB_HORZ || bar == SB_BOTH) showBar(hwnd, SB_HORZ, show != FALSE);
  if (bar == SB_VERT || bar == SB_BOTH) showBar(hwnd, SB_VERT, show != FALSE);
  return TRUE;
}

BOOL WINAPI EnableScrollBar(HWND hwnd, UINT, UINT) { return FindOrFail(hwnd) ? TRUE : FALSE; }

}  // extern "C"
