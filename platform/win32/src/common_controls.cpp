// The common controls' set-up call. Their classes exist from the start here, so
// it only checks its argument as Win32 does.
#include <commctrl.h>

extern "C" {

void WINAPI InitCommonControls(void) {}

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
  return icc && icc->dwSize == sizeof(INITCOMMONCONTROLSEX) ? TRUE : FALSE;
}

}  // extern "C"
