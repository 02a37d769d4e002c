#include "window_dump.h"

#include <commctrl.h>

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

}  // namespace

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
    j["groups"] = nlohmann::json::array();  // the standard list draws no header groups
  }
  nlohmann::json children = nlohmann::json::array();
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(DumpWindow(child, relativeTo));
  }
  if (!children.empty()) j["children"] = children;
  return j;
}

}  // namespace qzhost
