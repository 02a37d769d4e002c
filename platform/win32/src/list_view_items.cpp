// List view items: rows of sub-item texts, item data and state, with the notices
// Win32 sends when they change.
#include <algorithm>
#include <cstring>

#include "list_view.h"

namespace headless::detail::lv {

namespace {

bool setText(Row& r, int subItem, const char* text, size_t columns) {
  // A callback text is asked for at drawing time in Win32; here it stays empty.
  const std::string_view t = (text && text != LPSTR_TEXTCALLBACKA) ? std::string_view(text) : std::string_view();
  return r.texts.Set(static_cast<size_t>(subItem), t, columns);
}

// Copies a text into a caller's buffer without overrunning it or splitting a
// double-byte character; gives the bytes copied.
int copyOut(std::string_view text, LPSTR buf, int max) {
  if (!buf || max <= 0) return 0;
  int n = std::min<int>(static_cast<int>(text.size()), max - 1);
  int i = 0;
  while (i < n) {
    int step = IsDBCSLeadByte(static_cast<BYTE>(text[static_cast<size_t>(i)])) ? 2 : 1;
    if (i + step > n) break;
    i += step;
  }
  std::memcpy(buf, text.data(), static_cast<size_t>(i));
  buf[i] = '\0';
  return i;
}

LRESULT itemNotice(HWND hwnd, UINT code, int item, UINT newState, UINT oldState, UINT changed,
                   LPARAM param) {
  NMLISTVIEW nm{};
  nm.iItem = item;
  nm.iSubItem = 0;
  nm.uNewState = newState;
  nm.uOldState = oldState;
  nm.uChanged = changed;
  nm.lParam = param;
  return Notify(hwnd, nm.hdr, code);
}

void countSelection(State& s, UINT oldState, UINT newState) {
  if ((oldState ^ newState) & LVIS_SELECTED) s.selectedCount += (newState & LVIS_SELECTED) ? 1 : -1;
}

// Changes one item's state bits, asking first and telling after, as Win32 does.
bool changeState(HWND hwnd, int item, UINT state, UINT mask) {
  State* s = StateOf(hwnd);
  if (!s || !ValidItem(*s, item)) return false;
  Row& r = s->rows[static_cast<size_t>(item)];
  UINT old = r.state;
  UINT now = (old & ~mask) | (state & mask);
  if (now == old) return true;
  if (itemNotice(hwnd, LVN_ITEMCHANGING, item, now, old, LVIF_STATE, r.param)) return false;
  if ((s = StateOf(hwnd)) == nullptr || !ValidItem(*s, item)) return false;
  Row& row = s->rows[static_cast<size_t>(item)];
  // Only one item has the focus.
  if ((now & LVIS_FOCUSED) && s->focused != item) {
    int previous = s->focused;
    s->focused = item;
    if (ValidItem(*s, previous) && previous != item) changeState(hwnd, previous, 0, LVIS_FOCUSED);
    if ((s = StateOf(hwnd)) == nullptr) return false;
  } else if (!(now & LVIS_FOCUSED) && s->focused == item) {
    s->focused = -1;
  }
  Row& target = s->rows[static_cast<size_t>(item)];
  (void)row;
  countSelection(*s, target.state, now);
  target.state = now;
  InvalidateItem(hwnd, *s, item);
  itemNotice(hwnd, LVN_ITEMCHANGED, item, now, old, LVIF_STATE, target.param);
  return true;
}

void deselectOthers(HWND hwnd, int keep) {
  State* s = StateOf(hwnd);
  if (!s || s->selectedCount == 0) return;
  for (int i = 0; i < static_cast<int>(s->rows.size()) && s->selectedCount > 0; ++i) {
    if (i == keep || !(s->rows[static_cast<size_t>(i)].state & LVIS_SELECTED)) continue;
    changeState(hwnd, i, 0, LVIS_SELECTED);
    if ((s = StateOf(hwnd)) == nullptr) return;
  }
}

}  // namespace

std::string_view ItemText(const State& s, int item, int subItem) {
  if (!ValidItem(s, item) || subItem < 0) return std::string_view("", 0);
  return s.rows[static_cast<size_t>(item)].texts.Get(static_cast<size_t>(subItem));
}

LRESULT InsertItem(HWND hwnd, State& s, const LVITEMA* item) {
  if (!item || item->iSubItem != 0 || item->iItem < 0) return -1;
  int count = static_cast<int>(s.rows.size());
  int index = std::min(item->iItem, count);
  Row row;
  if ((item->mask & LVIF_TEXT) && !setText(row, 0, item->pszText, s.columns.size())) return -1;
  if (item->mask & LVIF_PARAM) row.param = item->lParam;
  // A new item takes the whole state given; Win32 ignores stateMask here.
  UINT state = (item->mask & LVIF_STATE) ? item->state : 0;
  DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
  if (style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
    // Sorted lists place the item by its text.
    bool descending = style & LVS_SORTDESCENDING;
    const std::string_view t = row.texts.Get(0);
    auto pos = std::upper_bound(s.rows.begin(), s.rows.end(), t, [&](std::string_view a, const Row& b) {
      int c = lstrcmpiA(a.data(), b.texts.Get(0).data());
      return descending ? c > 0 : c < 0;
    });
    index = static_cast<int>(pos - s.rows.begin());
  }
  s.rows.insert(s.rows.begin() + index, std::move(row));
  if (s.focused >= index) ++s.focused;
  if (s.selectionMark >= index) ++s.selectionMark;
  itemNotice(hwnd, LVN_INSERTITEM, index, 0, 0, 0, item->lParam);
  if (state) changeState(hwnd, index, state, state);
  if (State* st = StateOf(hwnd)) {
    UpdateScrollBars(hwnd, *st);
    InvalidateList(hwnd);
  }
  return index;
}

BOOL SetItem(HWND hwnd, State& s, const LVITEMA* item) {
  if (!item || !ValidItem(s, item->iItem) || item->iSubItem < 0) return FALSE;
  int index = item->iItem;
  if (item->iSubItem > 0) {
    if (item->iSubItem >= static_cast<int>(s.columns.size())) return FALSE;
    // A sub-item has text (and an image) only; item data and the rest belong to the item.
    if (item->mask & ~static_cast<UINT>(LVIF_TEXT | LVIF_IMAGE | LVIF_STATE)) return FALSE;
    if ((item->mask & LVIF_TEXT) &&
        !setText(s.rows[static_cast<size_t>(index)], item->iSubItem, item->pszText, s.columns.size()))
      return FALSE;
    InvalidateItem(hwnd, s, index);
    return TRUE;
  }
  UINT changed = item->mask & (LVIF_TEXT | LVIF_PARAM);
  if (changed) {
    Row& r = s.rows[static_cast<size_t>(index)];
    if (itemNotice(hwnd, LVN_ITEMCHANGING, index, r.state, r.state, changed, r.param)) return FALSE;
    State* st = StateOf(hwnd);
    if (!st || !ValidItem(*st, index)) return FALSE;
    Row& row = st->rows[static_cast<size_t>(index)];
    if ((item->mask & LVIF_TEXT) && !setText(row, 0, item->pszText, st->columns.size())) return FALSE;
    if (item->mask & LVIF_PARAM) row.param = item->lParam;
    itemNotice(hwnd, LVN_ITEMCHANGED, index, row.state, row.state, changed, row.param);
    if ((st = StateOf(hwnd)) != nullptr) InvalidateItem(hwnd, *st, index);
  }
  if (item->mask & LVIF_STATE) return SetItemState(hwnd, s, index, item->state, item->stateMask);
  return TRUE;
}

BOOL GetItem(const State& s, LVITEMA* item) {
  if (!item || !ValidItem(s, item->iItem) || item->iSubItem < 0) return FALSE;
  const Row& r = s.rows[static_cast<size_t>(item->iItem)];
  if (item->mask & LVIF_TEXT) copyOut(ItemText(s, item->iItem, item->iSubItem), item->pszText, item->cchTextMax);
  if (item->mask & LVIF_PARAM) item->lParam = r.param;
  if (item->mask & LVIF_STATE) item->state = r.state & item->stateMask;
  if (item->mask & LVIF_IMAGE) item->iImage = 0;
  if (item->mask & LVIF_INDENT) item->iIndent = 0;
  return TRUE;
}

int GetItemText(const State& s, int item, LVITEMA* lvi) {
  if (!lvi || !ValidItem(s, item) || lvi->iSubItem < 0) return 0;
  return copyOut(ItemText(s, item, lvi->iSubItem), lvi->pszText, lvi->cchTextMax);
}

BOOL DeleteItem(HWND hwnd, State& s, int item) {
  if (!ValidItem(s, item)) return FALSE;
  itemNotice(hwnd, LVN_DELETEITEM, item, 0, 0, 0, s.rows[static_cast<size_t>(item)].param);
  State* st = StateOf(hwnd);
  if (!st || !ValidItem(*st, item)) return FALSE;
  if (st->rows[static_cast<size_t>(item)].state & LVIS_SELECTED) --st->selectedCount;
  st->rows.erase(st->rows.begin() + item);
  if (st->focused == item)
    st->focused = -1;
  else if (st->focused > item)
    --st->focused;
  if (st->selectionMark == item)
    st->selectionMark = -1;
  else if (st->selectionMark > item)
    --st->selectionMark;
  UpdateScrollBars(hwnd, *st);
  InvalidateList(hwnd);
  return TRUE;
}

namespace {

// LVN_DELETEALLITEMS, then (unless the parent says it wants no more) an
// LVN_DELETEITEM for each item from the last to the first, as Win32 sends them.
void noticeDeleteAll(HWND hwnd) {
  if (itemNotice(hwnd, LVN_DELETEALLITEMS, -1, 0, 0, 0, 0)) return;
  State* st = StateOf(hwnd);
  for (int i = st ? static_cast<int>(st->rows.size()) - 1 : -1; i >= 0; --i) {
    itemNotice(hwnd, LVN_DELETEITEM, i, 0, 0, 0, st->rows[static_cast<size_t>(i)].param);
    if ((st = StateOf(hwnd)) == nullptr) return;
    i = std::min(i, static_cast<int>(st->rows.size()));
  }
}

}  // namespace

void NotifyDestroyed(HWND hwnd, State& s) {
  // Programs free their item data here.
  if (s.rows.empty()) return;
  noticeDeleteAll(hwnd);
  if (State* st = StateOf(hwnd)) {
    st->rows.clear();
    st->focused = st->selectionMark = -1;
    st->selectedCount = 0;
  }
}

BOOL DeleteAllItems(HWND hwnd, State& s) {
  if (s.rows.empty()) return TRUE;
  noticeDeleteAll(hwnd);
  State* st = StateOf(hwnd);
  if (!st) return FALSE;
  st->rows.clear();
  st->focused = st->selectionMark = -1;
  st->selectedCount = 0;
  st->top = 0;
  Layout(hwnd, *st);
  InvalidateList(hwnd);
  return TRUE;
}

BOOL SetItemState(HWND hwnd, State& s, int item, UINT state, UINT mask) {
  if (item == -1) {
    // Every item. Only one item can have the focus, nor can every item of a
    // single-selection list be selected: both fail and change nothing.
    if (state & mask & LVIS_FOCUSED) return FALSE;
    if ((GetWindowLongA(hwnd, GWL_STYLE) & LVS_SINGLESEL) && (state & mask & LVIS_SELECTED)) return FALSE;
    for (int i = 0; i < static_cast<int>(s.rows.size()); ++i) {
      changeState(hwnd, i, state, mask);
      State* st = StateOf(hwnd);
      if (!st) return FALSE;
      if (i + 1 >= static_cast<int>(st->rows.size())) break;
    }
    return TRUE;
  }
  if (!ValidItem(s, item)) return FALSE;
  if ((state & mask & LVIS_SELECTED) && (GetWindowLongA(hwnd, GWL_STYLE) & LVS_SINGLESEL))
    deselectOthers(hwnd, item);
  return changeState(hwnd, item, state, mask) ? TRUE : FALSE;
}

int GetNextItem(const State& s, int start, UINT flags) {
  int count = static_cast<int>(s.rows.size());
  UINT want = 0;
  if (flags & LVNI_FOCUSED) want |= LVIS_FOCUSED;
  if (flags & LVNI_SELECTED) want |= LVIS_SELECTED;
  auto matches = [&](int i) { return (s.rows[static_cast<size_t>(i)].state & want) == want; };
  if (flags & LVNI_ABOVE) {
    for (int i = std::min(start, count) - 1; i >= 0; --i)
      if (matches(i)) return i;
    return -1;
  }
  if (want & LVIS_FOCUSED) {
    // The focused item is known without a search.
    int f = s.focused;
    return ValidItem(s, f) && f > start && matches(f) ? f : -1;
  }
  if ((want & LVIS_SELECTED) && s.selectedCount == 0) return -1;
  for (int i = std::max(start + 1, 0); i < count; ++i)
    if (matches(i)) return i;
  return -1;
}

BOOL SortItems(HWND hwnd, State& s, PFNLVCOMPARE compare, LPARAM param) {
  if (!compare) return FALSE;
  std::stable_sort(s.rows.begin(), s.rows.end(),
                   [&](const Row& a, const Row& b) { return compare(a.param, b.param, param) < 0; });
  State* st = StateOf(hwnd);
  if (!st) return FALSE;
  st->focused = -1;
  for (int i = 0; i < static_cast<int>(st->rows.size()); ++i)
    if (st->rows[static_cast<size_t>(i)].state & LVIS_FOCUSED) st->focused = i;
  InvalidateList(hwnd);
  return TRUE;
}

}  // namespace headless::detail::lv
