// The Button class: push buttons, check boxes, radio buttons and group boxes.
#include <set>

#include "backend.h"

using namespace headless::detail;

namespace {

struct ButtonState : ControlState {
  UINT state = BST_UNCHECKED;  // BST_* bits
  bool pressing = false;       // a mouse press or the space bar is down on the button
  HFONT font = nullptr;
};

UINT maxCheck(UINT type) {
  switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return BST_CHECKED;
    case BS_3STATE:
    case BS_AUTO3STATE:
      return BST_INDETERMINATE;
    default:
      return BST_UNCHECKED;
  }
}

LRESULT dlgCodeOf(UINT type) {
  switch (type) {
    case BS_USERBUTTON:
    case BS_PUSHBUTTON:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON:
      return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX:
      return DLGC_STATIC;
    default:
      return DLGC_BUTTON;
  }
}

// Checks `button` and unchecks every other radio button of its group, walking
// the group as the dialog manager does (from a WS_GROUP control to the next).
void checkInGroup(HWND button) {
  HWND parent = GetParent(button);
  std::set<HWND> seen;
  for (HWND sibling = button; sibling && seen.insert(sibling).second && IsWindow(button);
       sibling = GetNextDlgGroupItem(parent, sibling, FALSE)) {
    if (SendMessageA(sibling, WM_GETDLGCODE, 0, 0) == (DLGC_BUTTON | DLGC_RADIOBUTTON))
      SendMessageA(sibling, BM_SETCHECK, sibling == button ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

// The end of a click (mouse up, or space bar up): auto buttons change and the parent hears of it.
void release(HWND hwnd, ButtonState* s, UINT type, bool byKey, LPARAM lParam) {
  if (!s->pressing) return;
  s->pressing = false;
  if (!(s->state & BST_PUSHED)) return;
  SendMessageA(hwnd, BM_SETSTATE, FALSE, 0);
  RECT client{};
  GetClientRect(hwnd, &client);
  const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (!byKey && !PtInRect(&client, pt)) return;
  if ((s = Control<ButtonState>(hwnd)) == nullptr) return;
  switch (type) {
    case BS_AUTOCHECKBOX:
      SendMessageA(hwnd, BM_SETCHECK, (s->state & BST_CHECKED) ? BST_UNCHECKED : BST_CHECKED, 0);
      break;
    case BS_AUTORADIOBUTTON:
      checkInGroup(hwnd);
      break;
    case BS_AUTO3STATE:
      SendMessageA(hwnd, BM_SETCHECK, (s->state & BST_INDETERMINATE) ? 0 : (s->state & 3) + 1, 0);
      break;
    default:
      break;
  }
  if (IsWindow(hwnd)) NotifyParent(hwnd, BN_CLICKED);
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ButtonState* s = EnsureControl<ButtonState>(hwnd);
  Window* w = Find(hwnd);
  if (!s || !w) return 0;
  const UINT type = w->style & BS_TYPEMASK;
  switch (msg) {
    case WM_CREATE:
      if (type == BS_USERBUTTON) w->style = (w->style & ~BS_TYPEMASK) | BS_PUSHBUTTON;
      s->state = BST_UNCHECKED;
      return 0;
    case WM_GETDLGCODE:
      return dlgCodeOf(type);
    case WM_SETFONT:
    case WM_GETFONT: {
      LRESULT result = 0;
      FontMessage(hwnd, &s->font, msg, wParam, lParam, &result);
      return result;
    }
    case WM_SETTEXT:
      DefWindowProcA(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) {
        SendMessageA(hwnd, BM_SETSTATE, TRUE, 0);
        if ((s = Control<ButtonState>(hwnd)) != nullptr) s->pressing = true;
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      if ((w->style & BS_NOTIFY) || type == BS_RADIOBUTTON || type == BS_USERBUTTON ||
          type == BS_OWNERDRAW) {
        NotifyParent(hwnd, BN_DBLCLK);
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      if ((s = Control<ButtonState>(hwnd)) == nullptr) return 0;
      s->pressing = true;
      SendMessageA(hwnd, BM_SETSTATE, TRUE, 0);
      return 0;
    case WM_KEYUP:
      if (wParam != VK_SPACE) return 0;
      release(hwnd, s, type, true, lParam);
      return 0;
    case WM_LBUTTONUP:
      release(hwnd, s, type, false, lParam);
      return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      if (s->pressing) {
        s->pressing = false;
        if (s->state & BST_PUSHED) SendMessageA(hwnd, BM_SETSTATE, FALSE, 0);
      }
      return 0;
    case WM_SETFOCUS:
      s->state |= BST_FOCUS;
      InvalidateRect(hwnd, nullptr, FALSE);
      if (w->style & BS_NOTIFY) NotifyParent(hwnd, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      s->state &= ~BST_FOCUS;
      s->pressing = false;
      InvalidateRect(hwnd, nullptr, FALSE);
      if (w->style & BS_NOTIFY) NotifyParent(hwnd, BN_KILLFOCUS);
      return 0;
    case WM_NCHITTEST:
      if (type == BS_GROUPBOX) return HTTRANSPARENT;
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    case BM_CLICK:
      // The press and release are sent straight to the button, so even a disabled
      // one is clicked: only a person's input stops at a disabled window.
      SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
      SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
      return 0;
    case BM_GETCHECK:
      return s->state & (BST_CHECKED | BST_INDETERMINATE);
    case BM_SETCHECK: {
      UINT check = static_cast<UINT>(wParam);
      if (check > maxCheck(type)) check = maxCheck(type);
      // A radio button is a tab stop exactly while it is checked.
      if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
        if (check)
          w->style |= WS_TABSTOP;
        else
          w->style &= ~WS_TABSTOP;
      }
      if ((s->state & 3) != check) {
        s->state = (s->state & ~3u) | check;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    }
    case BM_GETSTATE:
      return s->state;
    case BM_SETSTATE:
      if (wParam)
        s->state |= BST_PUSHED;
      else
        s->state &= ~BST_PUSHED;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case BM_SETSTYLE:
      // Only the type changes, without WM_STYLECHANGING, as Win32 does it.
      w->style = (w->style & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

const SystemClass buttonClass("Button", ButtonProc, CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW,
                              static_cast<int>(sizeof(void*)));

}  // namespace
