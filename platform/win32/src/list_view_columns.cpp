// List view columns: kept beside their header items, widths included.
#include <algorithm>

#include "gdi.h"
#include "list_view.h"

namespace headless::detail::lv {

namespace {

// Room that a cell's text leaves on its sides, as the default painting draws it.
constexpr int kAutosizePadding = 12;
constexpr int kDefaultWidth = 10;

// Win32 keeps a column's format as given but never aligns the first column's
// header other than left (nor its cells: see the painting).
int headerFormat(int index, int fmt) {
  int align = index == 0 ? LVCFMT_LEFT : fmt & LVCFMT_JUSTIFYMASK;
  return HDF_STRING | (align == LVCFMT_RIGHT ? HDF_RIGHT : align == LVCFMT_CENTER ? HDF_CENTER : HDF_LEFT);
}

bool validColumn(const State& s, int index) {
  return index >= 0 && index < static_cast<int>(s.columns.size());
}

}  // namespace

namespace {

int textWidthIn(HDC hdc, std::string_view text) {
  SIZE size{0, 0};
  GetTextExtentPoint32A(hdc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace

int TextWidth(HWND hwnd, const State& s, std::string_view text) {
  HDC hdc = GetDC(hwnd);
  if (!hdc) return 0;
  SelectObject(hdc, FontOf(s));
  const int width = textWidthIn(hdc, text);
  ReleaseDC(hwnd, hdc);
  return width;
}

LRESULT InsertColumn(HWND hwnd, State& s, int index, const LVCOLUMNA* col) {
  if (!col || index < 0) return -1;
  index = std::min(index, static_cast<int>(s.columns.size()));
  Column c;
  if (col->mask & LVCF_FMT) c.fmt = col->fmt;
  // Without a width Win32 gives the column 10 pixels.
  c.width = (col->mask & LVCF_WIDTH) ? std::max(0, col->cx) : kDefaultWidth;
  if ((col->mask & LVCF_TEXT) && col->pszText) c.text = col->pszText;
  c.subItem = (col->mask & LVCF_SUBITEM) ? col->iSubItem : index;
  s.columns.insert(s.columns.begin() + index, c);
  // Sub-items follow their columns, so later columns' texts move right.
  for (Row& r : s.rows)
    r.texts.InsertEmpty(static_cast<size_t>(index));
  if (s.header) {
    HDITEMA hdi{};
    hdi.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
    hdi.cxy = c.width;
    hdi.fmt = headerFormat(index, c.fmt);
    hdi.pszText = c.text.data();
    SendMessageA(s.header, HDM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hdi));
  }
  if (State* st = StateOf(hwnd)) {
    Layout(hwnd, *st);
    InvalidateList(hwnd);
  }
  return index;
}

BOOL DeleteColumn(HWND hwnd, State& s, int index) {
  if (!validColumn(s, index)) return FALSE;
  s.columns.erase(s.columns.begin() + index);
  for (Row& r : s.rows)
    r.texts.Erase(static_cast<size_t>(index));
  if (s.header) SendMessageA(s.header, HDM_DELETEITEM, static_cast<WPARAM>(index), 0);
  if (State* st = StateOf(hwnd)) {
    Layout(hwnd, *st);
    InvalidateList(hwnd);
  }
  return TRUE;
}

BOOL GetColumn(const State& s, int index, LVCOLUMNA* col) {
  if (!col || !validColumn(s, index)) return FALSE;
  const Column& c = s.columns[static_cast<size_t>(index)];
  if (col->mask & LVCF_FMT) col->fmt = c.fmt;
  if (col->mask & LVCF_WIDTH) col->cx = c.width;
  if ((col->mask & LVCF_TEXT) && col->pszText && col->cchTextMax > 0)
    lstrcpynA(col->pszText, c.text.c_str(), col->cchTextMax);
  if (col->mask & LVCF_SUBITEM) col->iSubItem = c.subItem;
  if (col->mask & LVCF_ORDER) col->iOrder = index;
  if (col->mask & LVCF_IMAGE) col->iImage = 0;
  return TRUE;
}

BOOL SetColumn(HWND hwnd, State& s, int index, const LVCOLUMNA* col) {
  if (!col || !validColumn(s, index)) return FALSE;
  Column& c = s.columns[static_cast<size_t>(index)];
  HDITEMA hdi{};
  if (col->mask & LVCF_FMT) {
    c.fmt = col->fmt;
    hdi.mask |= HDI_FORMAT;
    hdi.fmt = headerFormat(index, c.fmt);
  }
  if ((col->mask & LVCF_TEXT) && col->pszText) {
    c.text = col->pszText;
    hdi.mask |= HDI_TEXT;
    hdi.pszText = c.text.data();
  }
  if (col->mask & LVCF_SUBITEM) c.subItem = col->iSubItem;
  if (hdi.mask && s.header)
    SendMessageA(s.header, HDM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hdi));
  if (col->mask & LVCF_WIDTH) {
    if (State* st = StateOf(hwnd)) SetColumnWidth(hwnd, *st, index, col->cx);
  }
  InvalidateList(hwnd);
  return TRUE;
}

BOOL SetColumnWidth(HWND hwnd, State& s, int index, int width) {
  if (!validColumn(s, index)) return FALSE;
  if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
    // As Win32 does, every item's text is measured (in one DC).
    int widest = 0;
    if (HDC hdc = GetDC(hwnd)) {
      SelectObject(hdc, FontOf(s));
      for (int i = 0; i < static_cast<int>(s.rows.size()); ++i) {
        const std::string_view t = ItemText(s, i, index);
        if (!t.empty()) widest = std::max(widest, textWidthIn(hdc, t));
      }
      ReleaseDC(hwnd, hdc);
    }
    int auto_ = widest + kAutosizePadding + (index == 0 ? 2 : 0);
    if (width == LVSCW_AUTOSIZE_USEHEADER) {
      auto_ = std::max(auto_, TextWidth(hwnd, s, s.columns[static_cast<size_t>(index)].text) + kAutosizePadding);
      if (index == static_cast<int>(s.columns.size()) - 1) {
        // The last column takes what is left of the client area.
        RECT rc;
        GetClientRect(hwnd, &rc);
        auto_ = std::max(auto_, static_cast<int>(rc.right) - ColumnLeft(s, index));
      }
    }
    width = auto_;
  }
  width = std::max(0, width);
  if (s.header) {
    HDITEMA hdi{};
    hdi.mask = HDI_WIDTH;
    hdi.cxy = width;
    SendMessageA(s.header, HDM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hdi));
  } else {
    s.columns[static_cast<size_t>(index)].width = width;
  }
  if (State* st = StateOf(hwnd)) {
    SyncColumnWidth(hwnd, *st, index);
    Layout(hwnd, *st);
  }
  InvalidateList(hwnd);
  return TRUE;
}

void SyncColumnWidth(HWND hwnd, State& s, int index) {
  if (!validColumn(s, index) || !s.header) return;
  HDITEMA hdi{};
  hdi.mask = HDI_WIDTH;
  if (SendMessageA(s.header, HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hdi)))
    s.columns[static_cast<size_t>(index)].width = hdi.cxy;
  (void)hwnd;
}

}  // namespace headless::detail::lv
