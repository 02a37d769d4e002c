// List view input and notices: clicks select and tell the parent (NM_CLICK,
// NM_DBLCLK), keys move the focus, header notices are handed on to the parent.
#include <algorithm>
#include <vector>

#include "list_view.h"

namespace headless::detail::lv {

namespace {

constexpr int kTipBufferSize = 1024;

LRESULT activate(HWND hwnd, UINT code, int item, int subItem, POINT pt, WPARAM keys) {
  NMITEMACTIVATE nm{};
  nm.iItem = item;
  nm.iSubItem = subItem;
  nm.ptAction = pt;
  if (State* s = StateOf(hwnd); s && ValidItem(*s, item)) nm.lParam = s->rows[static_cast<size_t>(item)].param;
  if (keys & MK_SHIFT) nm.uKeyFlags |= 0x0004;    // LVKF_SHIFT
  if (keys & MK_CONTROL) nm.uKeyFlags |= 0x0002;  // LVKF_CONTROL
  return Notify(hwnd, nm.hdr, code);
}

// Makes one item the selected and focused one, as a plain click does.
void selectOnly(HWND hwnd, int item) {
  State* s = StateOf(hwnd);
  if (!s) return;
  for (int i = 0; s && s->selectedCount > 0 && i < static_cast<int>(s->rows.size()); ++i) {
    if (i != item && (s->rows[static_cast<size_t>(i)].state & LVIS_SELECTED))
      SetItemState(hwnd, *s, i, 0, LVIS_SELECTED);
    s = StateOf(hwnd);
  }
  if (s && ValidItem(*s, item)) {
    SetItemState(hwnd, *s, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if ((s = StateOf(hwnd)) != nullptr) s->selectionMark = item;
  }
}

void clickSelect(HWND hwnd, State& s, int item, WPARAM keys) {
  if (item < 0) {
    if (!(keys & (MK_CONTROL | MK_SHIFT))) selectOnly(hwnd, -1);
    return;
  }
  if ((keys & MK_CONTROL) && !(GetWindowLongA(hwnd, GWL_STYLE) & LVS_SINGLESEL)) {
    UINT now = s.rows[static_cast<size_t>(item)].state & LVIS_SELECTED;
    SetItemState(hwnd, s, item, (now ? 0 : LVIS_SELECTED) | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return;
  }
  selectOnly(hwnd, item);
}

// Asks the parent for the tip of the item under the mouse (LVS_EX_INFOTIP).
void infoTip(HWND hwnd, State& s, int item) {
  if (item == s.hoverItem) return;
  s.hoverItem = item;
  if (!(s.exStyle & LVS_EX_INFOTIP) || !ValidItem(s, item)) return;
  std::vector<char> buffer(kTipBufferSize, '\0');
  NMLVGETINFOTIPA tip{};
  const std::string_view text = ItemText(s, item, 0);
  RECT label;
  GetItemRect(s, item, 0, LVIR_LABEL, &label, false);
  // A label that does not fit hands its whole text over; one that fits asks for more.
  bool truncated = TextWidth(hwnd, s, text) > label.right - label.left;
  tip.dwFlags = truncated ? 0 : LVGIT_UNFOLDED;
  if (truncated) lstrcpynA(buffer.data(), text.data(), kTipBufferSize);
  tip.pszText = buffer.data();
  tip.cchTextMax = kTipBufferSize;
  tip.iItem = item;
  tip.iSubItem = 0;
  tip.lParam = s.rows[static_cast<size_t>(item)].param;
  Notify(hwnd, tip.hdr, LVN_GETINFOTIPA);
}

}  // namespace

LRESULT OnMouse(HWND hwnd, State& s, UINT msg, WPARAM wParam, LPARAM lParam) {
  POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  LVHITTESTINFO ht{pt, 0, -1, 0, 0};
  int item = HitTest(hwnd, s, &ht, false, true);
  // Notices name the row under the point even outside column 0's label, as
  // Win32 fills NMITEMACTIVATE from a sub-item hit test that does not select.
  LVHITTESTINFO sub{pt, 0, -1, 0, 0};
  const int row = HitTest(hwnd, s, &sub, true, false);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (GetFocus() != hwnd) SetFocus(hwnd);
      State* st = StateOf(hwnd);
      if (!st) return 0;
      clickSelect(hwnd, *st, item, wParam);
      if ((st = StateOf(hwnd)) == nullptr) return 0;
      st->buttonDown = msg == WM_LBUTTONDOWN;
      if (msg == WM_LBUTTONDBLCLK) activate(hwnd, NM_DBLCLK, row, sub.iSubItem, pt, wParam);
      return 0;
    }
    case WM_LBUTTONUP:
      // The click is told when the button comes up over the list, as Wine does.
      if (s.buttonDown) {
        s.buttonDown = false;
        activate(hwnd, NM_CLICK, row, sub.iSubItem, pt, wParam);
      }
      return 0;
    case WM_RBUTTONDOWN:
      if (GetFocus() != hwnd) SetFocus(hwnd);
      if (State* st = StateOf(hwnd); st && item >= 0 && !(st->rows[static_cast<size_t>(item)].state & LVIS_SELECTED))
        clickSelect(hwnd, *st, item, 0);
      return 0;
    case WM_RBUTTONUP:
      activate(hwnd, NM_RCLICK, row, sub.iSubItem, pt, wParam);
      return 0;
    case WM_MOUSEMOVE:
      infoTip(hwnd, s, item);
      return 0;
    default:
      return 0;
  }
}

LRESULT OnKey(HWND hwnd, State& s, WPARAM vk) {
  int count = static_cast<int>(s.rows.size());
  if (count == 0) return 0;
  int page = std::max(1, CountPerPage(hwnd, s));
  int from = s.focused;
  int to = from;
  switch (vk) {
    case VK_UP: to = from < 0 ? 0 : from - 1; break;
    case VK_DOWN: to = from + 1; break;
    case VK_PRIOR: to = from - page; break;
    case VK_NEXT: to = from + page; break;
    case VK_HOME: to = 0; break;
    case VK_END: to = count - 1; break;
    case VK_LEFT: OnHScroll(hwnd, s, SB_LINELEFT); return 0;
    case VK_RIGHT: OnHScroll(hwnd, s, SB_LINERIGHT); return 0;
    default: return 0;
  }
  to = std::clamp(to, 0, count - 1);
  selectOnly(hwnd, to);
  if (State* st = StateOf(hwnd)) EnsureVisible(hwnd, *st, to, false);
  return 0;
}

LRESULT OnHeaderNotify(HWND hwnd, State& s, NMHDR* hdr) {
  // Wide and ANSI codes lie 20 apart; both mean the same here.
  UINT code = hdr->code;
  UINT ansi = (code <= HDN_ITEMCHANGINGW && code >= HDN_TRACKW) ? code + (HDN_ITEMCHANGINGA - HDN_ITEMCHANGINGW) : code;
  auto* nm = reinterpret_cast<NMHEADERA*>(hdr);
  HWND parent = GetParent(hwnd);
  auto forward = [&] {
    return parent ? SendMessageA(parent, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr)) : 0;
  };
  switch (ansi) {
    case HDN_ITEMCLICKA: {
      NMLISTVIEW lv{};
      lv.iItem = -1;
      lv.iSubItem = nm->iItem;
      Notify(hwnd, lv.hdr, LVN_COLUMNCLICK);
      return 0;
    }
    case HDN_ITEMCHANGEDA: {
      LRESULT r = forward();
      if (State* st = StateOf(hwnd)) {
        SyncColumnWidth(hwnd, *st, nm->iItem);
        UpdateScrollBars(hwnd, *st);
        InvalidateList(hwnd);
      }
      return r;
    }
    case HDN_DIVIDERDBLCLICKA: {
      // Unless the parent handles it, a double click fits the column to its texts.
      LRESULT r = forward();
      if (!r)
        if (State* st = StateOf(hwnd)) SetColumnWidth(hwnd, *st, nm->iItem, LVSCW_AUTOSIZE);
      return r;
    }
    default:
      (void)s;
      return forward();
  }
}

}  // namespace headless::detail::lv
