// The ComboBox class and its drop-down list ("ComboLBox"). The items live in the
// combo box; the list window shows them while dropped and takes clicks.
#include <algorithm>
#include <string>
#include <vector>

#include "backend.h"
#include "dbcs_text.h"

using namespace headless::detail;

namespace {

// Without font metrics every item is this high, and the selection field
// this high plus its border.
constexpr int kItemHeight = 16;
constexpr int kFieldBorder = 3;
constexpr int kEditId = 1001;
constexpr int kListId = 1000;

struct Item {
  std::string text;
  ULONG_PTR data = 0;
};

struct ComboState : ControlState {
  std::vector<Item> items;
  int sel = -1;
  int top = 0;
  bool dropped = false;
  bool focused = false;
  HWND owner = nullptr;  // told of everything, as the parent at creation
  HWND edit = nullptr;   // CBS_DROPDOWN and CBS_SIMPLE
  HWND list = nullptr;
  int itemHeight = kItemHeight;
  int listHeight = 0;  // the height given at creation, for the dropped list
  int droppedWidth = 0;
  HFONT font = nullptr;
};

struct ListState : ControlState {
  HWND combo = nullptr;
  int pressed = -1;
};

ComboState* stateOf(HWND combo) { return Control<ComboState>(combo); }

DWORD comboType(HWND combo) {
  Window* w = Find(combo);
  return w ? (w->style & 3) : 0;
}

int count(const ComboState* s) { return static_cast<int>(s->items.size()); }
bool inRange(const ComboState* s, WPARAM index) {
  const INT i = static_cast<INT>(index);
  return i >= 0 && i < count(s);
}

void notify(HWND combo, WORD code) {
  ComboState* s = stateOf(combo);
  if (!s || !s->owner) return;
  SendMessageA(s->owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(combo)), code),
               reinterpret_cast<LPARAM>(combo));
}

// Shows the selected item in the edit field of a combo box that has one.
void updateEdit(HWND combo) {
  ComboState* s = stateOf(combo);
  if (!s) return;
  if (s->edit) {
    const std::string text = s->sel >= 0 ? s->items[s->sel].text : std::string();
    HWND edit = s->edit;
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(edit, EM_SETSEL, 0, -1);
  }
  InvalidateRect(combo, nullptr, TRUE);
}

void select(HWND combo, int index) {
  ComboState* s = stateOf(combo);
  if (!s) return;
  s->sel = (index >= 0 && index < count(s)) ? index : -1;
  if (s->sel >= 0 && s->list) {
    // Keep the selection in view in the list.
    const int page = std::max(1, s->listHeight / s->itemHeight);
    if (s->sel < s->top) s->top = s->sel;
    if (s->sel >= s->top + page) s->top = s->sel - page + 1;
  }
  updateEdit(combo);
  if (s->list) InvalidateRect(s->list, nullptr, TRUE);
}

int findString(const ComboState* s, WPARAM start, LPARAM text, bool exact) {
  if (!text) return CB_ERR;
  const std::string wanted = reinterpret_cast<LPCSTR>(text);
  const int n = count(s);
  if (wanted.empty() || n == 0) return CB_ERR;
  // The search begins after `start` and wraps round; -1 searches from the top.
  int first = static_cast<INT>(start) + 1;
  if (first < 0 || first >= n) first = 0;
  for (int k = 0; k < n; ++k) {
    const int i = (first + k) % n;
    const std::string& item = s->items[i].text;
    if (exact ? EqualNoCase(item, wanted) : StartsWithNoCase(item, wanted)) return i;
  }
  return CB_ERR;
}

// Where a new item goes in a sorted combo box: before the first item that does
// not sort before it, comparing without case as the list does.
int sortedPosition(const ComboState* s, const std::string& text) {
  auto it = std::lower_bound(s->items.begin(), s->items.end(), text,
                             [](const Item& item, const std::string& t) {
                               return lstrcmpiA(item.text.c_str(), t.c_str()) < 0;
                             });
  return static_cast<int>(it - s->items.begin());
}

int insert(HWND combo, int index, LPARAM text) {
  ComboState* s = stateOf(combo);
  if (!s) return CB_ERR;
  Item item{text ? reinterpret_cast<LPCSTR>(text) : "", 0};
  s->items.insert(s->items.begin() + index, std::move(item));
  if (s->sel >= index) ++s->sel;
  if (s->list) InvalidateRect(s->list, nullptr, TRUE);
  return index;
}

RECT listRectOnScreen(HWND combo, const ComboState* s) {
  RECT r{};
  GetWindowRect(combo, &r);
  const int rows = std::max(1, std::min(count(s), std::max(1, s->listHeight / s->itemHeight)));
  const int width = std::max<int>(s->droppedWidth, r.right - r.left);
  return RECT{r.left, r.bottom, r.left + width, r.bottom + rows * s->itemHeight + 2};
}

void dropDown(HWND combo) {
  notify(combo, CBN_DROPDOWN);
  ComboState* s = stateOf(combo);
  if (!s || s->dropped) return;
  s->dropped = true;
  if (s->list) {
    const RECT r = listRectOnScreen(combo, s);
    SetWindowPos(s->list, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  InvalidateRect(combo, nullptr, TRUE);
}

// Closes the list. Win32 reports the end of a selection each time, dropped or not.
void rollUp(HWND combo, bool ok) {
  notify(combo, ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
  ComboState* s = stateOf(combo);
  if (!s || !s->dropped || comboType(combo) == CBS_SIMPLE) return;
  s->dropped = false;
  if (s->list) ShowWindow(s->list, SW_HIDE);
  InvalidateRect(combo, nullptr, TRUE);
  notify(combo, CBN_CLOSEUP);
}

// A person chose an item with the keyboard or in the list.
void choose(HWND combo, int index, bool closeList) {
  ComboState* s = stateOf(combo);
  if (!s || index < 0 || index >= count(s)) return;
  const bool changed = index != s->sel;
  if (changed) select(combo, index);
  if (closeList) rollUp(combo, true);
  if (changed && IsWindow(combo)) notify(combo, CBN_SELCHANGE);
}

void setFocused(HWND combo) {
  ComboState* s = stateOf(combo);
  if (!s || s->focused) return;
  InvalidateRect(combo, nullptr, TRUE);
  notify(combo, CBN_SETFOCUS);
  if ((s = stateOf(combo)) != nullptr) s->focused = true;
}

void killFocused(HWND combo) {
  ComboState* s = stateOf(combo);
  if (!s || !s->focused) return;
  rollUp(combo, false);
  if (!IsWindow(combo)) return;
  notify(combo, CBN_KILLFOCUS);
  if ((s = stateOf(combo)) != nullptr) s->focused = false;
  InvalidateRect(combo, nullptr, TRUE);
}

void keyDown(HWND combo, ComboState* s, WPARAM vk) {
  const DWORD type = comboType(combo);
  if ((vk == VK_RETURN || vk == VK_ESCAPE) && s->dropped) {
    rollUp(combo, vk == VK_RETURN);
    return;
  }
  if (vk == VK_F4) {
    if (s->dropped)
      rollUp(combo, true);
    else
      dropDown(combo);
    return;
  }
  const int n = count(s);
  if (n == 0) return;
  const int page = std::max(1, s->listHeight / s->itemHeight - 1);
  int next = s->sel;
  switch (vk) {
    case VK_UP:
    case VK_LEFT:
      next = s->sel < 0 ? 0 : std::max(0, s->sel - 1);
      break;
    case VK_DOWN:
    case VK_RIGHT:
      next = s->sel < 0 ? 0 : std::min(n - 1, s->sel + 1);
      break;
    case VK_HOME:
      next = 0;
      break;
    case VK_END:
      next = n - 1;
      break;
    case VK_PRIOR:
      next = std::max(0, (s->sel < 0 ? 0 : s->sel) - page);
      break;
    case VK_NEXT:
      next = std::min(n - 1, (s->sel < 0 ? 0 : s->sel) + page);
      break;
    default:
      return;
  }
  if (type != CBS_DROPDOWNLIST && (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_HOME || vk == VK_END))
    return;  // those keys belong to the edit field
  // While the list is open the keys only move the selection; closed, each one completes a choice.
  // Either way the key is reported as a choice, even at the end of the list where nothing moves.
  if (next != s->sel) select(combo, next);
  if (!s->dropped) rollUp(combo, true);
  if (IsWindow(combo)) notify(combo, CBN_SELCHANGE);
}

LRESULT getText(HWND combo, ComboState* s, WPARAM max, LPARAM buf) {
  if (s->edit) return SendMessageA(s->edit, WM_GETTEXT, max, buf);
  if (!max || !buf) return 0;
  if (s->sel < 0) {
    *reinterpret_cast<LPSTR>(buf) = '\0';
    return 0;
  }
  (void)combo;
  return CopyOut(s->items[s->sel].text, reinterpret_cast<LPSTR>(buf), static_cast<int>(max));
}

void create(HWND combo, const CREATESTRUCTA* cs) {
  ComboState* s = stateOf(combo);
  Window* w = Find(combo);
  if (!s || !w || !cs) return;
  s->owner = cs->hwndParent;
  const DWORD type = w->style & 3;
  const int width = cs->cx;
  const int fieldHeight = s->itemHeight + 2 * kFieldBorder;
  if (type == CBS_SIMPLE) {
    s->listHeight = std::max(0, cs->cy - fieldHeight);
  } else {
    // The height given is the dropped list's; the window itself is the selection field.
    s->listHeight = std::max(s->itemHeight, cs->cy - fieldHeight);
    SetWindowPos(combo, nullptr, 0, 0, width, fieldHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  const HINSTANCE instance = cs->hInstance;
  if (type != CBS_DROPDOWNLIST) {
    DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    if (w->style & CBS_AUTOHSCROLL) editStyle |= ES_AUTOHSCROLL;
    s->edit = CreateWindowExA(0, "Edit", nullptr, editStyle, 0, 0,
                              width - GetSystemMetrics(SM_CXVSCROLL), fieldHeight, combo,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditId)), instance,
                              nullptr);
  }
  if ((s = stateOf(combo)) == nullptr) return;
  DWORD listStyle = WS_BORDER | LBS_NOTIFY | LBS_HASSTRINGS;
  DWORD listExStyle = 0;
  HWND listParent = combo;
  if (type == CBS_SIMPLE) {
    listStyle |= WS_CHILD | WS_VISIBLE;
  } else {
    listStyle |= WS_POPUP;
    listExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  }
  if (cs->style & WS_VSCROLL) listStyle |= WS_VSCROLL;
  HWND list = CreateWindowExA(listExStyle, "ComboLBox", nullptr, listStyle, 0,
                              type == CBS_SIMPLE ? fieldHeight : 0, width,
                              std::max(s->listHeight, s->itemHeight), listParent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)), instance,
                              nullptr);
  if ((s = stateOf(combo)) == nullptr) return;
  s->list = list;
  if (ListState* ls = EnsureControl<ListState>(list)) ls->combo = combo;
}

LRESULT CALLBACK ComboProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ComboState* s = EnsureControl<ComboState>(hwnd);
  Window* w = Find(hwnd);
  if (!s || !w) return 0;
  const DWORD type = w->style & 3;
  switch (msg) {
    case WM_NCCREATE:
      // Scroll bars and borders are the dropped list's; the box itself has none.
      w->style &= ~static_cast<DWORD>(WS_BORDER | WS_HSCROLL | WS_VSCROLL);
      w->exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_CREATE:
      create(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam));
      return 0;
    case WM_NCDESTROY:
      if (IsWindow(s->list) && comboType(hwnd) != CBS_SIMPLE) DestroyWindow(s->list);
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
      const MSG* m = reinterpret_cast<const MSG*>(lParam);
      if (m && m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE) &&
          s->dropped)
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (s->edit) SendMessageA(s->edit, WM_SETFONT, wParam, lParam);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s->font);
    case WM_SETFOCUS:
      if (s->edit)
        SetFocus(s->edit);
      else
        setFocused(hwnd);
      return 0;
    case WM_KILLFOCUS: {
      HWND to = reinterpret_cast<HWND>(wParam);
      if (!to || (to != s->edit && to != s->list)) killFocused(hwnd);
      return 0;
    }
    case WM_COMMAND:
      // From the edit field.
      if (s->edit && reinterpret_cast<HWND>(lParam) == s->edit) {
        switch (HIWORD(wParam)) {
          case EN_SETFOCUS:
            setFocused(hwnd);
            break;
          case EN_KILLFOCUS: {
            HWND focus = GetFocus();
            if (!focus || (focus != hwnd && focus != s->list)) killFocused(hwnd);
            break;
          }
          case EN_CHANGE:
            notify(hwnd, CBN_EDITCHANGE);
            break;
          case EN_UPDATE:
            notify(hwnd, CBN_EDITUPDATE);
            break;
          default:
            break;
        }
      }
      return 0;
    case WM_ENABLE:
      if (s->edit) EnableWindow(s->edit, static_cast<BOOL>(wParam));
      if (s->list) EnableWindow(s->list, static_cast<BOOL>(wParam));
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!s->focused) SetFocus(hwnd);
      if ((s = stateOf(hwnd)) == nullptr || !s->focused) return 0;
      RECT client{};
      GetClientRect(hwnd, &client);
      const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const bool onButton = pt.x >= client.right - GetSystemMetrics(SM_CXVSCROLL);
      if (type == CBS_DROPDOWNLIST || (type == CBS_DROPDOWN && onButton)) {
        if (s->dropped)
          rollUp(hwnd, true);
        else
          dropDown(hwnd);
      }
      return 0;
    }
    case WM_KEYDOWN:
      keyDown(hwnd, s, wParam);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_DOWN || wParam == VK_UP) {
        if (s->dropped)
          rollUp(hwnd, true);
        else
          dropDown(hwnd);
        return 0;
      }
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_CHAR:
      if (s->edit) return SendMessageA(s->edit, msg, wParam, lParam);
      if (static_cast<unsigned char>(wParam) >= ' ') {
        // A typed character picks the next item that begins with it.
        const char text[2] = {static_cast<char>(wParam), '\0'};
        const int found = findString(s, static_cast<WPARAM>(s->sel), reinterpret_cast<LPARAM>(text), false);
        if (found >= 0 && found != s->sel) choose(hwnd, found, !s->dropped);
      }
      return 0;
    case WM_GETTEXT:
      return getText(hwnd, s, wParam, lParam);
    case WM_GETTEXTLENGTH:
      if (s->edit) return SendMessageA(s->edit, msg, wParam, lParam);
      return s->sel >= 0 ? static_cast<LRESULT>(s->items[s->sel].text.size()) : 0;
    case WM_SETTEXT:
    case WM_CLEAR:
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
      // A drop-down list has no text of its own to set or edit.
      if (s->edit) return SendMessageA(s->edit, msg, wParam, lParam);
      return CB_ERR;
    case CB_ADDSTRING: {
      const std::string text = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
      return insert(hwnd, (w->style & CBS_SORT) ? sortedPosition(s, text) : count(s), lParam);
    }
    case CB_INSERTSTRING: {
      INT index = static_cast<INT>(wParam);
      if (index == -1) index = count(s);
      if (index < 0 || index > count(s)) return CB_ERR;
      return insert(hwnd, index, lParam);
    }
    case CB_DELETESTRING: {
      if (!inRange(s, wParam)) return CB_ERR;
      const int index = static_cast<INT>(wParam);
      s->items.erase(s->items.begin() + index);
      if (s->sel == index)
        s->sel = -1;
      else if (s->sel > index)
        --s->sel;
      s->top = std::min(s->top, std::max(0, count(s) - 1));
      InvalidateRect(hwnd, nullptr, TRUE);
      if (s->list) InvalidateRect(s->list, nullptr, TRUE);
      return count(s);
    }
    case CB_RESETCONTENT:
      s->items.clear();
      s->sel = -1;
      s->top = 0;
      if (s->edit) SendMessageA(s->edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
      InvalidateRect(hwnd, nullptr, TRUE);
      return CB_OKAY;
    case CB_GETCOUNT:
      return count(s);
    case CB_SETCURSEL:
      // No notification: only a person's choice is reported. An index past the end
      // fails and keeps the selection; only -1 clears it.
      if (!inRange(s, wParam)) {
        if (static_cast<INT>(wParam) == -1) select(hwnd, -1);
        return CB_ERR;
      }
      select(hwnd, static_cast<INT>(wParam));
      return static_cast<INT>(wParam);
    case CB_GETCURSEL:
      return s->sel;
    case CB_GETLBTEXT:
      if (!inRange(s, wParam) || !lParam) return CB_ERR;
      {
        const std::string& text = s->items[static_cast<INT>(wParam)].text;
        std::copy(text.begin(), text.end(), reinterpret_cast<LPSTR>(lParam));
        reinterpret_cast<LPSTR>(lParam)[text.size()] = '\0';
        return static_cast<LRESULT>(text.size());
      }
    case CB_GETLBTEXTLEN:
      if (!inRange(s, wParam)) return CB_ERR;
      return static_cast<LRESULT>(s->items[static_cast<INT>(wParam)].text.size());
    case CB_SETITEMDATA:
      if (!inRange(s, wParam)) return CB_ERR;
      s->items[static_cast<INT>(wParam)].data = static_cast<ULONG_PTR>(lParam);
      return TRUE;
    case CB_GETITEMDATA:
      if (!inRange(s, wParam)) return CB_ERR;
      return static_cast<LRESULT>(s->items[static_cast<INT>(wParam)].data);
    case CB_FINDSTRING:
      return findString(s, wParam, lParam, false);
    case CB_FINDSTRINGEXACT:
      return findString(s, wParam, lParam, true);
    case CB_SELECTSTRING: {
      const int found = findString(s, wParam, lParam, false);
      if (found >= 0) select(hwnd, found);
      return found;
    }
    case CB_SHOWDROPDOWN:
      if (type != CBS_SIMPLE) {
        if (wParam && !s->dropped)
          dropDown(hwnd);
        else if (!wParam && s->dropped)
          rollUp(hwnd, false);
      }
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return s->dropped ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT: {
      if (!lParam) return CB_ERR;
      *reinterpret_cast<RECT*>(lParam) = listRectOnScreen(hwnd, s);
      return CB_OKAY;
    }
    case CB_SETDROPPEDWIDTH:
      if (type == CBS_SIMPLE || static_cast<INT>(wParam) >= 32768) return CB_ERR;
      s->droppedWidth = std::max(0, static_cast<INT>(wParam));
      [[fallthrough]];
    case CB_GETDROPPEDWIDTH: {
      if (s->droppedWidth) return s->droppedWidth;
      RECT r{};
      GetWindowRect(hwnd, &r);
      return r.right - r.left;
    }
    case CB_GETITEMHEIGHT:
      if (static_cast<INT>(wParam) == -1) return s->itemHeight + 2 * kFieldBorder - 2;
      return s->itemHeight;
    case CB_SETITEMHEIGHT:
      if (static_cast<INT>(lParam) <= 0 || lParam > 255) return CB_ERR;
      if (static_cast<INT>(wParam) != -1) s->itemHeight = static_cast<int>(lParam);
      return CB_OKAY;
    case CB_GETEDITSEL:
      if (!s->edit) return CB_ERR;
      return SendMessageA(s->edit, EM_GETSEL, wParam, lParam);
    case CB_SETEDITSEL:
      if (!s->edit) return CB_ERR;
      SendMessageA(s->edit, EM_SETSEL, static_cast<WPARAM>(static_cast<INT>(static_cast<short>(LOWORD(lParam)))),
                   static_cast<LPARAM>(static_cast<short>(HIWORD(lParam))));
      return TRUE;
    case CB_LIMITTEXT:
      if (s->edit) return SendMessageA(s->edit, EM_LIMITTEXT, wParam, lParam);
      return TRUE;
    case CB_GETCOMBOBOXINFO: {
      auto* info = reinterpret_cast<COMBOBOXINFO*>(lParam);
      if (!info || info->cbSize < sizeof(COMBOBOXINFO)) return FALSE;
      RECT client{};
      GetClientRect(hwnd, &client);
      const int button = type == CBS_SIMPLE ? 0 : GetSystemMetrics(SM_CXVSCROLL);
      info->rcItem = RECT{kFieldBorder, kFieldBorder, client.right - button - kFieldBorder,
                          client.bottom - kFieldBorder};
      info->rcButton = RECT{client.right - button, 0, client.right, client.bottom};
      info->stateButton = type == CBS_SIMPLE ? STATE_SYSTEM_INVISIBLE
                                             : (s->dropped ? STATE_SYSTEM_PRESSED : 0);
      info->hwndCombo = hwnd;
      info->hwndItem = s->edit;
      info->hwndList = s->list;
      return TRUE;
    }
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

// ---- The list --------------------------------------------------------------------------
int itemAt(const ComboState* s, LPARAM lParam) {
  const int y = static_cast<short>(HIWORD(lParam));
  if (y < 0) return -1;
  const int i = s->top + y / s->itemHeight;
  return i < count(s) ? i : -1;
}

LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ListState* ls = EnsureControl<ListState>(hwnd);
  if (!ls) return 0;
  HWND combo = ls->combo;
  ComboState* s = stateOf(combo);
  if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_LBUTTONDOWN:
      ls->pressed = itemAt(s, lParam);
      return 0;
    case WM_LBUTTONUP: {
      const int item = itemAt(s, lParam);
      ls->pressed = -1;
      RECT client{};
      GetClientRect(hwnd, &client);
      const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (item >= 0 && PtInRect(&client, pt))
        choose(combo, item, comboType(combo) != CBS_SIMPLE);
      else if (!PtInRect(&client, pt))
        rollUp(combo, false);
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      if (comboType(combo) == CBS_SIMPLE) notify(combo, CBN_DBLCLK);
      return 0;
    case WM_KEYDOWN:
    case WM_CHAR:
      return SendMessageA(combo, msg, wParam, lParam);
    case LB_GETCOUNT:
      return count(s);
    case LB_GETCURSEL:
      return s->sel;
    case LB_GETTOPINDEX:
      return s->top;
    case LB_GETITEMHEIGHT:
      return s->itemHeight;
    case LB_GETTEXT:
      return SendMessageA(combo, CB_GETLBTEXT, wParam, lParam);
    case LB_GETTEXTLEN:
      return SendMessageA(combo, CB_GETLBTEXTLEN, wParam, lParam);
    case LB_GETITEMDATA:
      return SendMessageA(combo, CB_GETITEMDATA, wParam, lParam);
    case LB_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (!r || !inRange(s, wParam)) return LB_ERR;
      RECT client{};
      GetClientRect(hwnd, &client);
      const int y = (static_cast<INT>(wParam) - s->top) * s->itemHeight;
      *r = RECT{0, y, client.right, y + s->itemHeight};
      return LB_OKAY;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

const SystemClass comboClass("ComboBox", ComboProc, CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW,
                             static_cast<int>(sizeof(void*)));
const SystemClass listClass("ComboLBox", ListProc, CS_DBLCLKS | CS_SAVEBITS,
                            static_cast<int>(sizeof(void*)));

}  // namespace

extern "C" {

BOOL WINAPI GetComboBoxInfo(HWND combo, PCOMBOBOXINFO info) {
  if (!FindOrFail(combo)) return FALSE;
  return SendMessageA(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(info)) ? TRUE : FALSE;
}

}  // extern "C"
