// Actions on particular controls, through the parts a person would touch.
#include <windows.h>

#include <commctrl.h>

#include "input/input.h"
#include "input_detail.h"

namespace input {

using namespace detail;

bool ClickButton(HWND button) { return Click(button); }

bool ChooseComboEntry(HWND combo, int index) {
  if (!IsWindow(combo) || index < 0) return false;
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  if (count == CB_ERR || index >= count) return false;
  if (!IsWindowEnabled(combo)) return false;
  SetFocus(combo);
  if (!SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(combo, &info) || !info.hwndList) return false;
  RECT item{};
  if (SendMessageA(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item)) == LB_ERR)
    return false;
  return Click(info.hwndList, Centre(item));
}

bool ChooseComboEntry(HWND combo, const char* text) {
  if (!IsWindow(combo) || !text) return false;
  const LRESULT index =
      SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  if (index == CB_ERR) return false;
  return ChooseComboEntry(combo, static_cast<int>(index));
}

namespace {

// The centre of a list cell in the list's client area, scrolled into view.
bool listCellPoint(HWND list, int item, int subItem, POINT* at) {
  if (!IsWindow(list) || item < 0 || subItem < 0) return false;
  if (item >= SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) return false;
  // The cell rectangle does not tell a column that does not exist: ask the header.
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  if (!header || subItem >= SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) return false;
  SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
  RECT cell{};
  cell.top = subItem;
  cell.left = subItem == 0 ? LVIR_LABEL : LVIR_BOUNDS;
  if (!SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(item),
                    reinterpret_cast<LPARAM>(&cell)))
    return false;
  RECT client{};
  GetClientRect(list, &client);
  *at = Centre(cell);
  return PtInRect(&client, *at) != FALSE;
}

// A point on the divider at the right edge of a header item.
bool dividerPoint(HWND header, int item, POINT* at) {
  RECT r{};
  if (!IsWindow(header) || item < 0 ||
      !SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r)))
    return false;
  *at = POINT{r.right - 1, (r.top + r.bottom) / 2};
  return true;
}

}  // namespace

bool ClickListCell(HWND list, int item, int subItem) {
  POINT at{};
  return listCellPoint(list, item, subItem, &at) && Click(list, at);
}

bool DoubleClickListCell(HWND list, int item, int subItem) {
  POINT at{};
  return listCellPoint(list, item, subItem, &at) && DoubleClick(list, at);
}

bool DragHeaderDivider(HWND header, int item, int dx) {
  POINT from{};
  if (!dividerPoint(header, item, &from)) return false;
  return Drag(header, from, POINT{from.x + dx, from.y});
}

bool DoubleClickHeaderDivider(HWND header, int item) {
  POINT at{};
  return dividerPoint(header, item, &at) && DoubleClick(header, at);
}

}  // namespace input
