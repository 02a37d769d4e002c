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

}  // namespace input
