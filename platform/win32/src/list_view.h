// Internal records of the list view (SysListView32, report view), shared by its
// source files: columns, items, geometry and scrolling, painting, notifications.
#pragma once

#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

#include "backend.h"
#include "list_view_row_texts.h"

namespace headless::detail::lv {

struct Column {
  int fmt = LVCFMT_LEFT;
  int width = 0;
  std::string text;
  int subItem = 0;
};

// One row: its texts by sub-item (grown on demand), so every access is constant time.
struct Row {
  RowTexts texts;
  LPARAM param = 0;
  UINT state = 0;
};

struct State : ControlState {
  std::vector<Column> columns;
  std::vector<Row> rows;
  HWND header = nullptr;
  HFONT font = nullptr;  // null: the default GUI font
  COLORREF bk = 0;
  COLORREF text = 0;
  COLORREF textBk = 0;
  DWORD exStyle = 0;
  int top = 0;      // first visible row
  int scrollX = 0;  // pixels scrolled to the right
  int rowHeight = 16;
  int headerHeight = 0;
  int focused = -1;
  int selectionMark = -1;
  int selectedCount = 0;
  int wheelRemainder = 0;
  bool inLayout = false;
  bool redraw = true;  // WM_SETREDRAW: while off, scroll bars and header wait for it
  SCROLLINFO lastV{}, lastH{};  // what the scroll bars were last given
  // What the header was last placed for: the client area and the horizontal scroll.
  RECT headerClient{};
  int headerScrollX = -1;
  // A click in progress: the button went down on the list.
  bool buttonDown = false;
  // The item under the mouse, for info tips.
  int hoverItem = -1;
};

State* StateOf(HWND hwnd);
bool ValidItem(const State& s, int item);
LRESULT Notify(HWND hwnd, NMHDR& hdr, UINT code);

// ---- Columns (list_view_columns.cpp) ----
LRESULT InsertColumn(HWND hwnd, State& s, int index, const LVCOLUMNA* col);
BOOL DeleteColumn(HWND hwnd, State& s, int index);
BOOL GetColumn(const State& s, int index, LVCOLUMNA* col);
BOOL SetColumn(HWND hwnd, State& s, int index, const LVCOLUMNA* col);
BOOL SetColumnWidth(HWND hwnd, State& s, int index, int width);
// After the header changed a width by itself (a person dragging a divider).
void SyncColumnWidth(HWND hwnd, State& s, int index);
int TextWidth(HWND hwnd, const State& s, std::string_view text);

// ---- Items (list_view_items.cpp) ----
// Followed by a NUL (data() is a C string); valid until the row changes.
std::string_view ItemText(const State& s, int item, int subItem);
LRESULT InsertItem(HWND hwnd, State& s, const LVITEMA* item);
BOOL SetItem(HWND hwnd, State& s, const LVITEMA* item);
BOOL GetItem(const State& s, LVITEMA* item);
int GetItemText(const State& s, int item, LVITEMA* lvi);
BOOL DeleteItem(HWND hwnd, State& s, int item);
BOOL DeleteAllItems(HWND hwnd, State& s);
// Tells the parent that every item goes, as the list is destroyed.
void NotifyDestroyed(HWND hwnd, State& s);
// Changes the state bits under mask of one item (or all, for -1), with notices.
BOOL SetItemState(HWND hwnd, State& s, int item, UINT state, UINT mask);
int GetNextItem(const State& s, int start, UINT flags);
BOOL SortItems(HWND hwnd, State& s, PFNLVCOMPARE compare, LPARAM param);

// ---- Geometry and scrolling (list_view_geometry.cpp) ----
void MeasureRows(HWND hwnd, State& s);
// Places the header and sets the scroll bars for the current size and contents.
void Layout(HWND hwnd, State& s);
// Only the scroll bars, after items come or go.
void UpdateScrollBars(HWND hwnd, State& s);
// Invalidates a row when it can be seen; rows out of sight cost nothing.
void InvalidateItem(HWND hwnd, const State& s, int item);
// The whole list, unless redraw is off (turning it on repaints everything).
void InvalidateList(HWND hwnd);
int TotalWidth(const State& s);
int ColumnLeft(const State& s, int index);  // in client coordinates
int CountPerPage(HWND hwnd, const State& s);
BOOL GetItemRect(const State& s, int item, int subItem, int code, RECT* r, bool subItemForm);
// LVIR_SELECTBOUNDS of an item: its label as far as the text reaches.
BOOL SelectBounds(HWND hwnd, const State& s, int item, RECT* r);
int HitTest(HWND hwnd, const State& s, LVHITTESTINFO* ht, bool subItem, bool forSelection);
// LVM_GETVIEWRECT: report view has no view rectangle of its own.
BOOL GetViewRect(RECT* r);
BOOL EnsureVisible(HWND hwnd, State& s, int item, bool partialOk);
void ScrollRowsTo(HWND hwnd, State& s, int top);
void ScrollXTo(HWND hwnd, State& s, int x);
BOOL Scroll(HWND hwnd, State& s, int dx, int dy);
void OnVScroll(HWND hwnd, State& s, int code);
void OnHScroll(HWND hwnd, State& s, int code);
void OnWheel(HWND hwnd, State& s, int delta);

// ---- Painting (list_view_paint.cpp) ----
void Paint(HWND hwnd, State& s, HDC hdc);
HFONT FontOf(const State& s);

// ---- Mouse, keys and notices (list_view_notify.cpp) ----
LRESULT OnMouse(HWND hwnd, State& s, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT OnKey(HWND hwnd, State& s, WPARAM vk);
LRESULT OnHeaderNotify(HWND hwnd, State& s, NMHDR* hdr);

}  // namespace headless::detail::lv
