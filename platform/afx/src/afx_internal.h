// Internal links between the framework's source files.
#pragma once

#include <windows.h>

class CWnd;

namespace afx_internal {

// Drops the runtime classes whose code lives in the library.
void RemoveClassesOf(HINSTANCE hModule);
// Forgets the message entries found so far (a library's maps go with it).
void ForgetMessageEntries();
// Brings back the classes RemoveClassesOf took from a library that joins again.
void RestoreClassesOf(HINSTANCE hModule);

// Keeps a message as the one being handled while a handler runs outside WindowProc.
void PushCurrentMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void PopCurrentMessage();

}  // namespace afx_internal
