// The Static class: labels, frames and images. Only SS_NOTIFY statics take clicks.
#include "backend.h"

using namespace headless::detail;

namespace {

struct StaticState : ControlState {
  HFONT font = nullptr;
  HANDLE image = nullptr;
};

bool showsImage(DWORD style) {
  const DWORD type = style & SS_TYPEMASK;
  return type == SS_ICON || type == SS_BITMAP;
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  StaticState* s = EnsureControl<StaticState>(hwnd);
  Window* w = Find(hwnd);
  if (!s || !w) return 0;
  const bool notify = (w->style & SS_NOTIFY) != 0;
  switch (msg) {
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_NCHITTEST:
      return notify ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONDOWN:
      if (notify) NotifyParent(hwnd, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (notify) NotifyParent(hwnd, STN_DBLCLK);
      return 0;
    case WM_SETTEXT:
      // An image static takes its image by name; the name is not a text to keep.
      if (!showsImage(w->style)) DefWindowProcA(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case WM_SETFONT:
    case WM_GETFONT: {
      LRESULT result = 0;
      FontMessage(hwnd, &s->font, msg, wParam, lParam, &result);
      return result;
    }
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case STM_SETICON:
    case STM_SETIMAGE: {
      HANDLE old = s->image;
      s->image = reinterpret_cast<HANDLE>(msg == STM_SETICON ? wParam : lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON:
    case STM_GETIMAGE:
      return reinterpret_cast<LRESULT>(s->image);
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

const SystemClass staticClass("Static", StaticProc, CS_DBLCLKS, static_cast<int>(sizeof(void*)));

}  // namespace
