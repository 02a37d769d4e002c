// A plain window class that stands in for a control in the framework tests:
// it counts the messages its own procedure sees and tells its parent when it
// is "clicked" or "notifies", as a real control would.
#pragma once

#include <windows.h>

namespace afxtest {

constexpr const char* kTestControlClass = "AfxTestControl";

// Registers the class (once per platform reset).
void RegisterTestControl();
HWND CreateTestControl(HWND parent, int id, DWORD style = WS_CHILD | WS_VISIBLE);
// How many messages of this kind the control's own procedure has seen.
int OwnProcCount(HWND control, UINT message);
// WM_COMMAND(id, code) to the parent, from the control.
LRESULT NotifyCommand(HWND control, WORD code);
// WM_NOTIFY with the code to the parent, from the control.
LRESULT NotifyParent(HWND control, UINT code);

}  // namespace afxtest
