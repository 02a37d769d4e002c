// Placeholder until dialogs land.
#include "backend.h"

extern "C" BOOL WINAPI IsDialogMessageA(HWND, LPMSG) { return FALSE; }
