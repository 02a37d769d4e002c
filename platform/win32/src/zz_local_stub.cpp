#include <windows.h>
extern "C" BOOL WINAPI GetComboBoxInfo(HWND, PCOMBOBOXINFO) { return FALSE; }
