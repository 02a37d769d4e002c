// List view geometry: the header's place, row height, item and cell rectangles,
// hit tests, and scrolling by rows (vertical) and pixels (horizontal).
#include <algorithm>
#include <cstring>

#include "gdi.h"
#include "list_view.h"

namespace headless::detail::lv {

namespace {

constexpr int kLabelMargin = 2;  // the label starts this far into column 0
constexpr int kWheelLines = 3;   // SPI_GETWHEELSCROLLLINES' default
constexpr int kLabelPadding = 12;       // room after a label's text
constexpr int kEmptySelectWidth = 80;   // what a label without text selects

RECT clientRect(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  return rc;
}

int maxTop(HWND hwnd, const State& s) {
  return std::max(0, static_cast<int>(s.rows.size()) - CountPerPage(hwnd, s));
}

int maxScrollX(HWND hwnd, const State& s) {
  return std::max(0, TotalWidth(s) - static_cast<int>(clientRect(hwnd).right));
}

void placeHeader(HWND hwnd, State& s) {
  if (!s.header) return;
  RECT rc = clientRect(hwnd);
  s.headerClient = rc;
  s.headerScrollX = s.scrollX;
  WINDOWPOS wp{};
  HDLAYOUT layout{&rc, &wp};
  if (!SendMessageA(s.header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout))) return;
  if (GetWindowLongA(hwnd, GWL_STYLE) & LVS_NOCOLUMNHEADER) wp.cy = 0;
  s.headerHeight = wp.cy;
  // The header scrolls sideways with the rows.
  SetWindowPos(s.header, nullptr, wp.x - s.scrollX, wp.y, wp.cx + s.scrollX, wp.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

int trackPos(HWND hwnd, int bar) {
  SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
  GetScrollInfo(hwnd, bar, &si);
  return si.nTrackPos;
}

}  // namespace

void MeasureRows(HWND hwnd, State& s) {
  HDC hdc = GetDC(hwnd);
  TEXTMETRICA tm{};
  if (hdc) {
    SelectObject(hdc, FontOf(s));
    GetTextMetricsA(hdc, &tm);
    ReleaseDC(hwnd, hdc);
  }
  int height = tm.tmHeight + 2 + ((s.exStyle & LVS_EX_GRIDLINES) ? 1 : 0);
  if (GetWindowLongA(hwnd, GWL_STYLE) & LVS_OWNERDRAWFIXED) {
    MEASUREITEMSTRUCT mis{ODT_LISTVIEW, static_cast<UINT>(GetDlgCtrlID(hwnd)), 0, 0,
                          static_cast<UINT>(height), 0};
    if (HWND parent = GetParent(hwnd))
      SendMessageA(parent, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
    if (static_cast<int>(mis.itemHeight) > 0) height = static_cast<int>(mis.itemHeight);
  }
  if (State* st = StateOf(hwnd)) st->rowHeight = std::max(1, height);
}

void Layout(HWND hwnd, State& s) {
  if (s.inLayout) return;
  s.inLayout = true;
  placeHeader(hwnd, s);
  s.inLayout = false;
  UpdateScrollBars(hwnd, s);
}

void UpdateScrollBars(HWND hwnd, State& s) {
  // As the system's list does, a list with redraw off updates its scroll bars when
  // redraw comes back on (that lays it out again).
  if (s.inLayout || !s.redraw) return;
  s.inLayout = true;
  bool noScroll = (GetWindowLongA(hwnd, GWL_STYLE) & LVS_NOSCROLL) != 0;
  // Showing one bar narrows the client area, which may call for the other.
  for (int pass = 0; pass < 3; ++pass) {
    RECT before = clientRect(hwnd);
    s.top = std::clamp(s.top, 0, maxTop(hwnd, s));
    s.scrollX = std::clamp(s.scrollX, 0, maxScrollX(hwnd, s));
    if (noScroll) break;
    SCROLLINFO v{sizeof v, SIF_RANGE | SIF_PAGE | SIF_POS, 0,
                 std::max(0, static_cast<int>(s.rows.size()) - 1),
                 static_cast<UINT>(CountPerPage(hwnd, s)), s.top, 0};
    if (std::memcmp(&v, &s.lastV, sizeof v) != 0) SetScrollInfo(hwnd, SB_VERT, &v, TRUE);
    s.lastV = v;
    RECT rc = clientRect(hwnd);
    SCROLLINFO h{sizeof h, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, TotalWidth(s) - 1),
                 static_cast<UINT>(std::max<LONG>(rc.right, 0)), s.scrollX, 0};
    if (std::memcmp(&h, &s.lastH, sizeof h) != 0) SetScrollInfo(hwnd, SB_HORZ, &h, TRUE);
    s.lastH = h;
    RECT after = clientRect(hwnd);
    if (EqualRect(&before, &after)) break;
  }
  s.inLayout = false;
  // Adding or removing rows leaves the header where it is unless a scroll bar came or went.
  RECT rc = clientRect(hwnd);
  if (!EqualRect(&rc, &s.headerClient) || s.scrollX != s.headerScrollX) placeHeader(hwnd, s);
}

void InvalidateItem(HWND hwnd, const State& s, int item) {
  // Redraw off: turning it on again repaints the whole list.
  if (!s.redraw) return;
  int y = s.headerHeight + (item - s.top) * s.rowHeight;
  RECT rc = clientRect(hwnd);
  if (y + s.rowHeight <= s.headerHeight || y >= rc.bottom) return;
  RECT r{rc.left, y, rc.right, y + s.rowHeight};
  InvalidateRect(hwnd, &r, TRUE);
}

void InvalidateList(HWND hwnd) {
  if (State* s = StateOf(hwnd); s && !s->redraw) return;
  InvalidateRect(hwnd, nullptr, TRUE);
}

int TotalWidth(const State& s) {
  int w = 0;
  for (const Column& c : s.columns) w += c.width;
  return w;
}

int ColumnLeft(const State& s, int index) {
  int x = -s.scrollX;
  for (int i = 0; i < index && i < static_cast<int>(s.columns.size()); ++i)
    x += s.columns[static_cast<size_t>(i)].width;
  return x;
}

int CountPerPage(HWND hwnd, const State& s) {
  int height = static_cast<int>(clientRect(hwnd).bottom) - s.headerHeight;
  return std::max(0, height / std::max(1, s.rowHeight));
}

BOOL GetItemRect(const State& s, int item, int subItem, int code, RECT* r, bool subItemForm) {
  if (!r || subItem < 0) return FALSE;
  if (subItem > 0 && subItem >= static_cast<int>(s.columns.size())) return FALSE;
  if (code < LVIR_BOUNDS || code > LVIR_SELECTBOUNDS) return FALSE;
  int top = s.headerHeight + (item - s.top) * s.rowHeight;
  int bottom = top + s.rowHeight;
  int left = -s.scrollX;
  if (subItem > 0) {
    // A cell is found for any row, even one that does not exist: row -1 is the
    // strip just above the first row, under the header item.
    if (!subItemForm || code == LVIR_SELECTBOUNDS) return FALSE;
    int x = ColumnLeft(s, subItem);
    int w = s.columns[static_cast<size_t>(subItem)].width;
    *r = code == LVIR_ICON ? RECT{x, top, x, bottom} : RECT{x, top, x + w, bottom};
    return TRUE;
  }
  if (!ValidItem(s, item)) return FALSE;
  int col0 = s.columns.empty() ? 0 : s.columns[0].width;
  RECT label{left + kLabelMargin, top, std::max(left + kLabelMargin, left + col0), bottom};
  switch (code) {
    case LVIR_BOUNDS:
      // A sub-item rectangle of sub-item 0 is the whole row, as LVM_GETITEMRECT's is.
      *r = RECT{left, top, left + TotalWidth(s), bottom};
      return TRUE;
    case LVIR_ICON:
      *r = RECT{label.left, top, label.left, bottom};
      return TRUE;
    default:
      // The label; the selection bounds start there too (SelectBounds narrows them).
      *r = label;
      return TRUE;
  }
}

BOOL SelectBounds(HWND hwnd, const State& s, int item, RECT* r) {
  if (!r || !ValidItem(s, item)) return FALSE;
  if (s.exStyle & LVS_EX_FULLROWSELECT) return GetItemRect(s, item, 0, LVIR_BOUNDS, r, false);
  GetItemRect(s, item, 0, LVIR_LABEL, r, false);
  if (GetWindowLongA(hwnd, GWL_STYLE) & LVS_OWNERDRAWFIXED) return TRUE;
  // The label's text and its trailing padding, or a fixed width for no text.
  const std::string_view text = ItemText(s, item, 0);
  int width = text.empty() ? kEmptySelectWidth : TextWidth(hwnd, s, text) + kLabelPadding;
  r->right = std::min<LONG>(r->right, r->left + width);
  return TRUE;
}

namespace {

int columnAt(const State& s, int x) {
  for (int c = 0, left = -s.scrollX; c < static_cast<int>(s.columns.size()); ++c) {
    int w = s.columns[static_cast<size_t>(c)].width;
    if (x >= left && x < left + w) return c;
    left += w;
  }
  return -1;
}

// The row a sub-item hit test finds, as Win32's list finds it: a point over the
// header is read as if the rows began at the top of the list, and rows are
// counted with a division that truncates toward zero.
int subItemRow(const State& s, POINT pt) {
  const int h = std::max(1, s.rowHeight);
  const bool overHeader = pt.y >= 0 && pt.y < s.headerHeight;
  const int originY = s.headerHeight - s.top * h;
  const int row = (pt.y - originY) / h;
  const int inRow = (overHeader ? pt.y + s.headerHeight : pt.y) - row * h - originY;
  return row >= 0 && inRow >= 0 && inRow < h ? row : -1;
}

}  // namespace

int HitTest(HWND hwnd, const State& s, LVHITTESTINFO* ht, bool subItem, bool forSelection) {
  if (!ht) return -1;
  RECT rc = clientRect(hwnd);
  ht->flags = 0;
  ht->iItem = -1;
  // LVM_HITTEST leaves iSubItem alone: callers may pass a shorter structure.
  if (subItem) ht->iSubItem = 0;
  POINT pt = ht->pt;
  int column = columnAt(s, pt.x);
  if (subItem) {
    // Left of the list only once it is scrolled; above it is read as over the rows.
    if (pt.x < 0 && -s.scrollX < pt.x) ht->flags |= LVHT_TOLEFT;
    int y = pt.y >= 0 && pt.y < s.headerHeight ? pt.y + s.headerHeight : pt.y;
    if (y >= rc.bottom) ht->flags |= LVHT_BELOW;
    // Outside every column there is nothing to find, not even a sub-item.
    ht->iSubItem = column;
    if (column < 0) {
      ht->flags = LVHT_NOWHERE;
      return -1;
    }
  } else {
    if (pt.x < 0) ht->flags |= LVHT_TOLEFT;
    if (pt.x >= rc.right) ht->flags |= LVHT_TORIGHT;
    if (pt.y < s.headerHeight) ht->flags |= LVHT_ABOVE;
    if (pt.y >= rc.bottom) ht->flags |= LVHT_BELOW;
  }
  if (ht->flags) return -1;
  int row = subItem ? subItemRow(s, pt) : s.top + (pt.y - s.headerHeight) / std::max(1, s.rowHeight);
  if (!ValidItem(s, row) || column < 0) {
    ht->flags = LVHT_NOWHERE;
    return -1;
  }
  if (forSelection && column > 0) {
    // Outside column 0 a row is hit only where it is selected as a whole.
    bool fullRow = (s.exStyle & LVS_EX_FULLROWSELECT) ||
                   (GetWindowLongA(hwnd, GWL_STYLE) & LVS_OWNERDRAWFIXED);
    if (!fullRow) {
      ht->flags = LVHT_NOWHERE;
      return -1;
    }
  }
  ht->iItem = row;
  ht->flags = column == 0 && pt.x < ColumnLeft(s, 0) + kLabelMargin ? LVHT_ONITEMICON
                                                                    : LVHT_ONITEMLABEL;
  return row;
}

BOOL GetViewRect(RECT* r) {
  if (!r) return FALSE;
  // Win32 gives report view an empty view rectangle.
  *r = RECT{0, 0, 0, 0};
  return TRUE;
}

void ScrollRowsTo(HWND hwnd, State& s, int top) {
  top = std::clamp(top, 0, maxTop(hwnd, s));
  if (top == s.top) return;
  s.top = top;
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, top, 0};
  SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
  InvalidateList(hwnd);
}

void ScrollXTo(HWND hwnd, State& s, int x) {
  x = std::clamp(x, 0, maxScrollX(hwnd, s));
  if (x == s.scrollX) return;
  s.scrollX = x;
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, x, 0};
  SetScrollInfo(hwnd, SB_HORZ, &si, TRUE);
  placeHeader(hwnd, s);
  InvalidateList(hwnd);
}

BOOL EnsureVisible(HWND hwnd, State& s, int item, bool partialOk) {
  if (!ValidItem(s, item)) return FALSE;
  int page = CountPerPage(hwnd, s);
  if (item < s.top) {
    ScrollRowsTo(hwnd, s, item);
  } else if (item >= s.top + page) {
    int height = static_cast<int>(clientRect(hwnd).bottom) - s.headerHeight;
    bool partlyShown = (item - s.top) * s.rowHeight < height;
    if (!(partialOk && partlyShown)) ScrollRowsTo(hwnd, s, item - std::max(page, 1) + 1);
  }
  return TRUE;
}

BOOL Scroll(HWND hwnd, State& s, int dx, int dy) {
  // Vertical scrolling goes by whole rows, rounded to the nearest.
  int h = std::max(1, s.rowHeight);
  int rows = dy >= 0 ? (dy + h / 2) / h : -((-dy + h / 2) / h);
  if (rows) ScrollRowsTo(hwnd, s, s.top + rows);
  if (dx) ScrollXTo(hwnd, s, s.scrollX + dx);
  return TRUE;
}

void OnVScroll(HWND hwnd, State& s, int code) {
  int page = std::max(1, CountPerPage(hwnd, s));
  switch (code) {
    case SB_LINEUP: ScrollRowsTo(hwnd, s, s.top - 1); break;
    case SB_LINEDOWN: ScrollRowsTo(hwnd, s, s.top + 1); break;
    case SB_PAGEUP: ScrollRowsTo(hwnd, s, s.top - page); break;
    case SB_PAGEDOWN: ScrollRowsTo(hwnd, s, s.top + page); break;
    case SB_TOP: ScrollRowsTo(hwnd, s, 0); break;
    case SB_BOTTOM: ScrollRowsTo(hwnd, s, maxTop(hwnd, s)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollRowsTo(hwnd, s, trackPos(hwnd, SB_VERT)); break;
    default: break;
  }
}

void OnHScroll(HWND hwnd, State& s, int code) {
  int line = 8;
  if (HDC hdc = GetDC(hwnd)) {
    SelectObject(hdc, FontOf(s));
    TEXTMETRICA tm{};
    if (GetTextMetricsA(hdc, &tm)) line = std::max<int>(1, tm.tmAveCharWidth);
    ReleaseDC(hwnd, hdc);
  }
  int page = std::max<int>(1, clientRect(hwnd).right);
  switch (code) {
    case SB_LINELEFT: ScrollXTo(hwnd, s, s.scrollX - line); break;
    case SB_LINERIGHT: ScrollXTo(hwnd, s, s.scrollX + line); break;
    case SB_PAGELEFT: ScrollXTo(hwnd, s, s.scrollX - page); break;
    case SB_PAGERIGHT: ScrollXTo(hwnd, s, s.scrollX + page); break;
    case SB_LEFT: ScrollXTo(hwnd, s, 0); break;
    case SB_RIGHT: ScrollXTo(hwnd, s, maxScrollX(hwnd, s)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollXTo(hwnd, s, trackPos(hwnd, SB_HORZ)); break;
    default: break;
  }
}

void OnWheel(HWND hwnd, State& s, int delta) {
  // Three rows a notch; smaller turns add up until they make a row.
  s.wheelRemainder += delta;
  int rows = s.wheelRemainder * kWheelLines / WHEEL_DELTA;
  s.wheelRemainder -= rows * WHEEL_DELTA / kWheelLines;
  if (rows) ScrollRowsTo(hwnd, s, s.top - rows);
}

}  // namespace headless::detail::lv
