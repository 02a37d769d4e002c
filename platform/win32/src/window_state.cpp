// Window state and geometry: visibility, enabling, text, position, painting, focus.
#include <algorithm>
#include <cstring>

#include "backend.h"
#include "gdi.h"

using namespace headless::detail;

namespace {

// Copies a text without leaving half of a double-byte character at the end.
int copyText(const std::string& text, LPSTR buf, int max) {
  if (!buf || max <= 0) return 0;
  int n = std::min<int>(static_cast<int>(text.size()), max - 1);
  if (n < static_cast<int>(text.size())) {
    int i = 0;
    while (i < n) {
      int step = IsDBCSLeadByte(static_cast<BYTE>(text[i])) ? 2 : 1;
      if (i + step > n) break;
      i += step;
    }
    n = i;
  }
  std::memcpy(buf, text.data(), n);
  buf[n] = '\0';
  return n;
}

void setVisibleFlag(Window* w, bool visible) {
  if (visible)
    w->style |= WS_VISIBLE;
  else
    w->style &= ~WS_VISIBLE;
}

RECT parentClientRect(const Window& w) {
  if (Window* p = Find(w.parent))
    return RECT{0, 0, p->client.right - p->client.left, p->client.bottom - p->client.top};
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void placeAt(HWND hwnd, const RECT& r, UINT extraFlags) {
  SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | extraFlags);
}

void invalidate(Window* w, const RECT* r) {
  RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  RECT add = r ? *r : client;
  if (w->updatePending)
    UnionRect(&w->updateRect, &w->updateRect, &add);
  else
    w->updateRect = add;
  w->updatePending = true;
}

void redraw(HWND hwnd, const RECT* r, UINT flags) {
  Window* w = Find(hwnd);
  if (!w) return;
  if (flags & RDW_INVALIDATE) invalidate(w, r);
  if (flags & RDW_VALIDATE) w->updatePending = false;
  if (flags & RDW_UPDATENOW) UpdateWindow(hwnd);
  if ((flags & RDW_ALLCHILDREN) && (w = Find(hwnd)) != nullptr) {
    std::vector<HWND> kids = w->children;
    for (HWND k : kids) redraw(k, nullptr, flags);
  }
}

}  // namespace

extern "C" {

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = Find(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
      return TRUE;
    }
    case WM_NCCALCSIZE:
      return DefNcCalcSize(hwnd, lParam);
    case WM_SETTEXT:
      w->text = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
      return TRUE;
    case WM_GETTEXT:
      return copyText(w->text, reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!wp) return 0;
      if (!(wp->flags & kSwpNoClientMove))
        SendMessageA(hwnd, WM_MOVE, 0,
                     MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
      if (!(wp->flags & kSwpNoClientSize) && (w = Find(hwnd)) != nullptr) {
        WPARAM kind = (w->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                      : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                 : SIZE_RESTORED;
        SendMessageA(hwnd, WM_SIZE, kind,
                     MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
      }
      return 0;
    }
    case WM_SETREDRAW:
      // Win32 keeps redraw off by clearing WS_VISIBLE without hiding the window.
      if (wParam) {
        w->style |= WS_VISIBLE;
      } else {
        w->updatePending = false;
        w->style &= ~WS_VISIBLE;
      }
      return 0;
    case WM_PAINT:
      DefPaint(hwnd);
      return 0;
    case WM_ERASEBKGND:
      return DefEraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return DefCtlColor(msg, reinterpret_cast<HDC>(wParam));
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_NCHITTEST:
      return 1;  // HTCLIENT
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
      // Child windows hand these on to their parent.
      if ((w->style & WS_CHILD) && w->parent) return SendMessageA(w->parent, msg, wParam, lParam);
      return 0;
    default:
      return 0;
  }
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  return proc(hwnd, msg, wParam, lParam);
}

BOOL WINAPI ShowWindow(HWND hwnd, int cmd) {
  Window* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  const BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
  auto show = [&](bool visible) {
    Window* cur = Find(hwnd);
    if (!cur || (((cur->style & WS_VISIBLE) != 0) == visible)) return;
    SendMessageA(hwnd, WM_SHOWWINDOW, visible ? TRUE : FALSE, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOSIZE | SWP_NOMOVE |
                     SWP_NOZORDER | SWP_NOACTIVATE);
  };
  switch (cmd) {
    case SW_HIDE:
      show(false);
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
      if (!(w->style & WS_MINIMIZE)) {
        w->restoreToMaximized = (w->style & WS_MAXIMIZE) != 0;
        if (!(w->style & WS_MAXIMIZE)) w->restoreRect = w->rect;
        w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
        RECT r = w->parent ? RECT{w->rect.left, w->rect.top, w->rect.left + 160, w->rect.top + 28}
                           : RECT{-32000, -32000, -32000 + 160, -32000 + 28};
        show(true);
        placeAt(hwnd, r, 0);
      } else {
        show(true);
      }
      break;
    case SW_SHOWMAXIMIZED:
      if (!(w->style & WS_MAXIMIZE)) {
        if (!(w->style & WS_MINIMIZE)) w->restoreRect = w->rect;
        w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
        RECT r = parentClientRect(*w);
        show(true);
        placeAt(hwnd, r, 0);
      } else {
        show(true);
      }
      break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
      if (w->style & WS_MINIMIZE) {
        w->style &= ~WS_MINIMIZE;
        if (w->restoreToMaximized) {
          w->style |= WS_MAXIMIZE;
          RECT r = parentClientRect(*w);
          show(true);
          placeAt(hwnd, r, 0);
          break;
        }
        show(true);
        placeAt(hwnd, w->restoreRect, 0);
      } else if (w->style & WS_MAXIMIZE) {
        w->style &= ~WS_MAXIMIZE;
        show(true);
        placeAt(hwnd, w->restoreRect, 0);
      } else {
        show(true);
      }
      break;
    default:  // SW_SHOW, SW_SHOWNA, SW_SHOWNOACTIVATE and the rest
      show(true);
      break;
  }
  return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return FALSE;
  while (w) {
    if (!(w->style & WS_VISIBLE)) return FALSE;
    if (!(w->style & WS_CHILD)) break;
    w = Find(w->parent);
  }
  return TRUE;
}

BOOL WINAPI IsIconic(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL WINAPI IsZoomed(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
  Window* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  const BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
  if (enable && wasDisabled) {
    w->style &= ~WS_DISABLED;
    SendMessageA(hwnd, WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    SendMessageA(hwnd, WM_CANCELMODE, 0, 0);
    if ((w = Find(hwnd)) == nullptr) return FALSE;
    w->style |= WS_DISABLED;
    HWND focus = FocusSlot();
    if (focus && (focus == hwnd || IsChild(hwnd, focus))) SetFocus(nullptr);
    SendMessageA(hwnd, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (!FindOrFail(hwnd)) return FALSE;
  return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE
                                                                                        : FALSE;
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR buf, int max) {
  if (buf && max > 0) buf[0] = '\0';
  if (!FindOrFail(hwnd) || !buf || max <= 0) return 0;
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(max),
                                       reinterpret_cast<LPARAM>(buf)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd) {
  if (!FindOrFail(hwnd)) return 0;
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI SetDlgItemTextA(HWND dlg, int id, LPCSTR text) {
  HWND item = GetDlgItem(dlg, id);
  return item ? SetWindowTextA(item, text) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND dlg, int id, LPSTR buf, int max) {
  if (buf && max > 0) buf[0] = '\0';
  HWND item = GetDlgItem(dlg, id);
  return item ? static_cast<UINT>(GetWindowTextA(item, buf, max)) : 0;
}

LRESULT WINAPI SendDlgItemMessageA(HWND dlg, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(dlg, id);
  return item ? SendMessageA(item, msg, wParam, lParam) : 0;
}

BOOL WINAPI SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
  Window* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  WINDOWPOS wp{hwnd, after, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) wp.x = w->rect.left, wp.y = w->rect.top;
  if (flags & SWP_NOSIZE) wp.cx = w->rect.right - w->rect.left, wp.cy = w->rect.bottom - w->rect.top;
  wp.cx = std::max(wp.cx, 0);
  wp.cy = std::max(wp.cy, 0);
  const bool visible = (w->style & WS_VISIBLE) != 0;
  if ((wp.flags & SWP_SHOWWINDOW) && visible) wp.flags &= ~SWP_SHOWWINDOW;
  if ((wp.flags & SWP_HIDEWINDOW) && !visible) wp.flags &= ~SWP_HIDEWINDOW;
  if (!(wp.flags & SWP_NOSENDCHANGING))
    SendMessageA(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
  if ((w = Find(hwnd)) == nullptr) return FALSE;
  wp.cx = std::max(wp.cx, 0);
  wp.cy = std::max(wp.cy, 0);

  const RECT oldRect = w->rect;
  const RECT oldClient = w->client;
  RECT newRect{wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy};
  const bool sized = (newRect.right - newRect.left) != (oldRect.right - oldRect.left) ||
                     (newRect.bottom - newRect.top) != (oldRect.bottom - oldRect.top);
  w->rect = newRect;
  if (sized || (wp.flags & SWP_FRAMECHANGED)) {
    RecalcClient(hwnd);
    if ((w = Find(hwnd)) == nullptr) return FALSE;
  }
  if (!(wp.flags & SWP_NOZORDER) && w->parent) {
    if (Window* p = Find(w->parent)) {
      auto& c = p->children;
      c.erase(std::remove(c.begin(), c.end(), hwnd), c.end());
      if (wp.hwndInsertAfter == HWND_BOTTOM) {
        c.push_back(hwnd);
      } else {
        auto it = std::find(c.begin(), c.end(), wp.hwndInsertAfter);
        c.insert(it == c.end() ? c.begin() : it + 1, hwnd);
      }
    }
  }
  if (wp.flags & SWP_SHOWWINDOW) setVisibleFlag(w, true);
  if (wp.flags & SWP_HIDEWINDOW) setVisibleFlag(w, false);

  POINT oldOrigin{oldRect.left + oldClient.left, oldRect.top + oldClient.top};
  POINT newOrigin{w->rect.left + w->client.left, w->rect.top + w->client.top};
  bool clientSized = (oldClient.right - oldClient.left) != (w->client.right - w->client.left) ||
                     (oldClient.bottom - oldClient.top) != (w->client.bottom - w->client.top);
  if (oldOrigin.x == newOrigin.x && oldOrigin.y == newOrigin.y) wp.flags |= kSwpNoClientMove;
  if (!clientSized && !(wp.flags & SWP_FRAMECHANGED)) wp.flags |= kSwpNoClientSize;
  if ((sized || (wp.flags & SWP_SHOWWINDOW)) && !(wp.flags & SWP_NOREDRAW)) invalidate(w, nullptr);
  SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  return TRUE;
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT r) {
  Window* w = FindOrFail(hwnd);
  if (!w || !r) return FALSE;
  *r = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT r) {
  Window* w = FindOrFail(hwnd);
  if (!w || !r) return FALSE;
  POINT o{0, 0};
  if (Window* p = Find(w->parent)) o = ClientOrigin(*p);
  *r = RECT{w->rect.left + o.x, w->rect.top + o.y, w->rect.right + o.x, w->rect.bottom + o.y};
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT p) {
  Window* w = FindOrFail(hwnd);
  if (!w || !p) return FALSE;
  POINT o = ClientOrigin(*w);
  p->x -= o.x;
  p->y -= o.y;
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT p) {
  Window* w = FindOrFail(hwnd);
  if (!w || !p) return FALSE;
  POINT o = ClientOrigin(*w);
  p->x += o.x;
  p->y += o.y;
  return TRUE;
}

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT a{0, 0}, b{0, 0};
  if (from) {
    Window* w = FindOrFail(from);
    if (!w) return 0;
    a = ClientOrigin(*w);
  }
  if (to) {
    Window* w = FindOrFail(to);
    if (!w) return 0;
    b = ClientOrigin(*w);
  }
  LONG dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) points[i].x += dx, points[i].y += dy;
  SetLastError(0);
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* r, BOOL) {
  if (!hwnd) {
    for (HWND h : AllWindows())
      if (Window* w = Find(h)) invalidate(w, nullptr);
    return TRUE;
  }
  Window* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  invalidate(w, r);
  return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT*) {
  Window* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  w->updatePending = false;
  return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT r, BOOL) {
  Window* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  if (r) *r = w->updatePending ? w->updateRect : RECT{0, 0, 0, 0};
  return w->updatePending ? TRUE : FALSE;
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
  Window* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  if (w->updatePending && IsWindowVisible(hwnd)) {
    SendMessageA(hwnd, WM_PAINT, 0, 0);
    // A window proc that never validates would be painted forever; once is enough here.
    if ((w = Find(hwnd)) != nullptr) w->updatePending = false;
  }
  return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hwnd, const RECT* r, HRGN, UINT flags) {
  if (!hwnd) {
    for (HWND h : AllWindows())
      if (Window* w = Find(h); w && !w->parent) redraw(h, r, flags);
    return TRUE;
  }
  if (!FindOrFail(hwnd)) return FALSE;
  redraw(hwnd, r, flags);
  return TRUE;
}

HWND WINAPI SetFocus(HWND hwnd) {
  HWND& focus = FocusSlot();
  HWND previous = focus;
  if (hwnd) {
    if (!FindOrFail(hwnd)) return nullptr;
    if (hwnd == focus) return previous;
    // Win32 refuses the focus when the window or an ancestor is disabled or minimised.
    for (Window* w = Find(hwnd); w; w = (w->style & WS_CHILD) ? Find(w->parent) : nullptr)
      if (w->style & (WS_MINIMIZE | WS_DISABLED)) return nullptr;
  } else if (!focus) {
    return nullptr;
  }
  if (previous && Find(previous)) {
    SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (focus != previous) return previous;  // the handler moved the focus itself
  }
  focus = hwnd;
  if (hwnd && Find(hwnd))
    SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return previous;
}

HWND WINAPI GetFocus(void) { return Find(FocusSlot()) ? FocusSlot() : nullptr; }

HWND WINAPI GetActiveWindow(void) {
  HWND f = GetFocus();
  return f ? GetAncestor(f, GA_ROOT) : nullptr;
}

int WINAPI GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return 1920;
    case SM_CYSCREEN:
      return 1080;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      return 17;
    case SM_CYCAPTION:
      return 23;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    default:
      return 0;
  }
}

}  // extern "C"
