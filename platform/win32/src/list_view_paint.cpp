// List view painting: owner-drawn rows through WM_DRAWITEM to the parent, or the
// default look of cells, selection and grid lines.
#include <algorithm>

#include "gdi.h"
#include "list_view.h"

namespace headless::detail::lv {

namespace {

constexpr int kCellMargin = 6;

void fill(HDC hdc, const RECT& r, COLORREF c) {
  HBRUSH b = CreateSolidBrush(c);
  FillRect(hdc, &r, b);
  DeleteObject(b);
}

void drawOwnerRows(HWND hwnd, State& s, HDC hdc, int first, int last) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  bool focus = GetFocus() == hwnd;
  UINT id = static_cast<UINT>(GetDlgCtrlID(hwnd));
  for (int i = first; i < last; ++i) {
    State* st = StateOf(hwnd);
    if (!st || !ValidItem(*st, i)) return;
    const Row& row = st->rows[static_cast<size_t>(i)];
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTVIEW;
    dis.CtlID = id;
    dis.itemID = static_cast<UINT>(i);
    dis.itemAction = ODA_DRAWENTIRE;
    if (row.state & LVIS_SELECTED) dis.itemState |= ODS_SELECTED;
    if (focus && (row.state & LVIS_FOCUSED)) dis.itemState |= ODS_FOCUS;
    dis.hwndItem = hwnd;
    dis.hDC = hdc;
    GetItemRect(*st, i, 0, LVIR_BOUNDS, &dis.rcItem, false);
    dis.itemData = static_cast<ULONG_PTR>(row.param);
    int saved = SaveDC(hdc);
    SendMessageA(parent, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&dis));
    RestoreDC(hdc, saved);
  }
  (void)s;
}

void drawRows(HWND hwnd, State& s, HDC hdc, int first, int last, const RECT& client) {
  bool focus = GetFocus() == hwnd;
  bool showSel = focus || (GetWindowLongA(hwnd, GWL_STYLE) & LVS_SHOWSELALWAYS);
  bool fullRow = (s.exStyle & LVS_EX_FULLROWSELECT) != 0;
  SelectObject(hdc, FontOf(s));
  SetBkMode(hdc, TRANSPARENT);
  const int columns = static_cast<int>(s.columns.size());
  for (int i = first; i < last; ++i) {
    const Row& row = s.rows[static_cast<size_t>(i)];
    bool selected = showSel && (row.state & LVIS_SELECTED);
    COLORREF selBk = SysColor(focus ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    COLORREF selText = SysColor(focus ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    RECT bounds;
    GetItemRect(s, i, 0, LVIR_BOUNDS, &bounds, false);
    if (selected && fullRow) fill(hdc, bounds, selBk);
    for (int c = 0; c < columns; ++c) {
      RECT cell;
      GetItemRect(s, i, c, c == 0 ? LVIR_LABEL : LVIR_BOUNDS, &cell, true);
      if (cell.right <= client.left || cell.left >= client.right) continue;
      const std::string_view text = ItemText(s, i, c);
      bool highlight = selected && (fullRow || c == 0);
      if (selected && !fullRow && c == 0) fill(hdc, cell, selBk);
      else if (!highlight && s.textBk != CLR_NONE && s.textBk != s.bk) fill(hdc, cell, s.textBk);
      if (text.empty()) continue;
      SetTextColor(hdc, highlight ? selText : s.text);
      int align = c == 0 ? LVCFMT_LEFT : s.columns[static_cast<size_t>(c)].fmt & LVCFMT_JUSTIFYMASK;
      UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                    (align == LVCFMT_RIGHT ? DT_RIGHT : align == LVCFMT_CENTER ? DT_CENTER : DT_LEFT);
      RECT t{cell.left + (c == 0 ? kCellMargin - 2 : kCellMargin), cell.top, cell.right - kCellMargin,
             cell.bottom};
      DrawTextA(hdc, text.data(), static_cast<int>(text.size()), &t, format);
    }
    if (focus && (row.state & LVIS_FOCUSED)) {
      RECT f = fullRow ? bounds : RECT{};
      if (!fullRow) GetItemRect(s, i, 0, LVIR_LABEL, &f, false);
      DrawFocusRect(hdc, &f);
    }
  }
}

void drawGrid(State& s, HDC hdc, const RECT& client) {
  HBRUSH line = GetSysColorBrush(COLOR_BTNFACE);
  int h = std::max(1, s.rowHeight);
  for (int y = s.headerHeight + h - 1; y < client.bottom; y += h) {
    RECT r{client.left, y, std::min<LONG>(client.right, TotalWidth(s) - s.scrollX), y + 1};
    FillRect(hdc, &r, line);
  }
  for (int c = 0; c < static_cast<int>(s.columns.size()); ++c) {
    int x = ColumnLeft(s, c + 1) - 1;
    RECT r{x, s.headerHeight, x + 1, client.bottom};
    FillRect(hdc, &r, line);
  }
}

}  // namespace

HFONT FontOf(const State& s) {
  return s.font && GetObjectType(s.font) == OBJ_FONT ? s.font
                                                      : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Paint(HWND hwnd, State& s, HDC hdc) {
  RECT client;
  GetClientRect(hwnd, &client);
  int page = CountPerPage(hwnd, s);
  int first = s.top;
  // One more row than fits, for the partly shown one at the bottom.
  int last = std::min(static_cast<int>(s.rows.size()), s.top + page + 1);
  int saved = SaveDC(hdc);
  IntersectClipRect(hdc, client.left, s.headerHeight, client.right, client.bottom);
  if (GetWindowLongA(hwnd, GWL_STYLE) & LVS_OWNERDRAWFIXED)
    drawOwnerRows(hwnd, s, hdc, first, last);
  else
    drawRows(hwnd, s, hdc, first, last, client);
  if (State* st = StateOf(hwnd); st && (st->exStyle & LVS_EX_GRIDLINES)) drawGrid(*st, hdc, client);
  RestoreDC(hdc, saved);
}

}  // namespace headless::detail::lv
