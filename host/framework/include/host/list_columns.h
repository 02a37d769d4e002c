// The column count of a list view, asked of its header by handle (the framework's
// GetHeaderCtrl wraps the header in an object of another class).
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace host {

inline HWND ListHeader(HWND list) {
  return reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
}

inline int ListColumnCount(HWND list) {
  const HWND header = ListHeader(list);
  return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

}  // namespace host
