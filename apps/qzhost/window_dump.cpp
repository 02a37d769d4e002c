#include "window_dump.h"

#include <afxcmn.h>
#include <commctrl.h>

#include <cstdio>

#include <headless/headless.h>

#include "CListCtrlEx.h"
#include "host/broker.h"

namespace qzhost {
namespace {

std::string Utf8(const std::string& cp950) { return host::ToUtf8(CString(cp950)); }

int ColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  if (!header) return 0;
  LRESULT n = SendMessageA(header, HDM_GETITEMCOUNT, 0, 0);
  return n > 0 ? static_cast<int>(n) : 0;
}

// The whole cell text: a text that fills the buffer is read again into a larger one.
std::string ItemText(HWND list, int row, int column) {
  std::string buf(1024, '\0');
  for (;;) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buf.data();
    item.cchTextMax = static_cast<int>(buf.size());
    const LRESULT n = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                   reinterpret_cast<LPARAM>(&item));
    if (n < static_cast<LRESULT>(buf.size()) - 2 || buf.size() >= (1u << 24)) break;
    buf.assign(buf.size() * 4, '\0');
  }
  buf.resize(std::char_traits<char>::length(buf.c_str()));
  return Utf8(buf);
}

std::string Hex(COLORREF c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

// The colours the host's list gives single cells (null for a cell in the list's own);
// nothing for other lists or when no cell is coloured.
nlohmann::json CellColours(HWND list, int rows, int columns) {
  auto* ex = DYNAMIC_DOWNCAST(CListCtrlEx, CWnd::FromHandlePermanent(list));
  if (!ex) return nullptr;
  nlohmann::json all = nlohmann::json::array();
  bool any = false;
  for (int r = 0; r < rows; ++r) {
    nlohmann::json row = nlohmann::json::array();
    for (int c = 0; c < columns; ++c) {
      nlohmann::json cell = nullptr;
      COLORREF text = ex->GetCellTextColor(r, c), back = ex->GetCellBkColor(r, c);
      if (text != CLR_NONE) cell["text"] = Hex(text);
      if (back != CLR_NONE) cell["background"] = Hex(back);
      any = any || !cell.is_null();
      row.push_back(cell);
    }
    all.push_back(row);
  }
  return any ? all : nlohmann::json(nullptr);
}

// Captions the list's header painted across more than one of its items: the group captions
// an owner-drawn header shows above its columns. The header paints afresh first.
nlohmann::json HeaderGroups(HWND list) {
  nlohmann::json groups = nlohmann::json::array();
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  if (!header) return groups;
  InvalidateRect(header, nullptr, TRUE);
  UpdateWindow(header);
  std::vector<RECT> items(static_cast<size_t>(ColumnCount(list)));
  for (size_t i = 0; i < items.size(); ++i) {
    SendMessageA(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&items[i]));
  }
  for (const auto& t : headless::PaintedTexts(header)) {
    int first = -1, last = -1;
    for (size_t i = 0; i < items.size(); ++i) {
      if (first < 0 && items[i].left == t.rect.left) first = static_cast<int>(i);
      if (items[i].right == t.rect.right) last = static_cast<int>(i);
    }
    if (first >= 0 && last > first) groups.push_back({{"first", first}, {"last", last}, {"caption", Utf8(t.text)}});
  }
  return groups;
}

}  // namespace

std::string FrameState(HWND frame) {
  if (IsIconic(frame)) return "minimized";
  if (IsZoomed(frame)) return "maximized";
  return IsWindowVisible(frame) ? "normal" : "hidden";
}

std::string WindowClass(HWND hwnd) {
  char buf[256] = {};
  GetClassNameA(hwnd, buf, sizeof buf);
  return buf;
}

std::string WindowTextUtf8(HWND hwnd) {
  int n = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
  GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(std::char_traits<char>::length(text.c_str()));
  return Utf8(text);
}

ListContent ReadList(HWND list) {
  ListContent c;
  int columns = ColumnCount(list);
  for (int i = 0; i < columns; ++i) {
    char buf[256] = {};
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT;
    col.pszText = buf;
    col.cchTextMax = sizeof buf;
    SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
    c.columns.push_back(Utf8(buf));
  }
  LRESULT rows = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
  for (int r = 0; r < rows; ++r) {
    std::vector<std::string> cells;
    for (int i = 0; i < columns; ++i) cells.push_back(ItemText(list, r, i));
    c.rows.push_back(cells);
  }
  return c;
}

HWND FindControl(HWND root, int id) {
  for (HWND child = GetWindow(root, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == id) return child;
    if (HWND deeper = FindControl(child, id)) return deeper;
  }
  return nullptr;
}

nlohmann::json DumpWindow(HWND hwnd, HWND relativeTo) {
  nlohmann::json j;
  std::string cls = WindowClass(hwnd);
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  MapWindowPoints(nullptr, relativeTo, reinterpret_cast<POINT*>(&rc), 2);
  j["id"] = GetDlgCtrlID(hwnd);
  j["class"] = cls;
  j["text"] = WindowTextUtf8(hwnd);
  j["visible"] = IsWindowVisible(hwnd) != FALSE;
  j["enabled"] = IsWindowEnabled(hwnd) != FALSE;
  j["rect"] = {rc.left, rc.top, rc.right, rc.bottom};
  if (cls == "Button") {
    j["checked"] = static_cast<int>(SendMessageA(hwnd, BM_GETCHECK, 0, 0));
  } else if (cls == "ComboBox") {
    nlohmann::json items = nlohmann::json::array();
    LRESULT n = SendMessageA(hwnd, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) {
      // Entries of any length come whole.
      const LRESULT length = SendMessageA(hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
      std::string text(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
      if (length > 0)
        SendMessageA(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
      text.resize(std::char_traits<char>::length(text.c_str()));
      items.push_back(Utf8(text));
    }
    j["items"] = items;
    j["selected"] = static_cast<int>(SendMessageA(hwnd, CB_GETCURSEL, 0, 0));
  } else if (cls == WC_LISTVIEWA) {
    int columns = ColumnCount(hwnd);
    nlohmann::json cols = nlohmann::json::array();
    for (int i = 0; i < columns; ++i) {
      char buf[256] = {};
      LVCOLUMNA col{};
      col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
      col.pszText = buf;
      col.cchTextMax = sizeof buf;
      SendMessageA(hwnd, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
      cols.push_back({{"text", Utf8(buf)}, {"width", col.cx}, {"fmt", col.fmt}});
    }
    j["columns"] = cols;
    ListContent content = ReadList(hwnd);
    j["rows"] = content.rows;
    nlohmann::json checks = nlohmann::json::array();
    nlohmann::json selected = nlohmann::json::array();
    for (size_t r = 0; r < content.rows.size(); ++r) {
      LRESULT state = SendMessageA(hwnd, LVM_GETITEMSTATE, r, LVIS_STATEIMAGEMASK | LVIS_SELECTED);
      checks.push_back(((state & LVIS_STATEIMAGEMASK) >> 12) == 2);
      if (state & LVIS_SELECTED) selected.push_back(r);
    }
    j["checks"] = checks;
    j["selectedRows"] = selected;
    j["topIndex"] = static_cast<int>(SendMessageA(hwnd, LVM_GETTOPINDEX, 0, 0));
    nlohmann::json colours = CellColours(hwnd, static_cast<int>(content.rows.size()), columns);
    if (!colours.is_null()) j["cellColors"] = colours;
    j["groups"] = HeaderGroups(hwnd);
  }
  nlohmann::json children = nlohmann::json::array();
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(DumpWindow(child, relativeTo));
  }
  if (!children.empty()) j["children"] = children;
  return j;
}

}  // namespace qzhost
