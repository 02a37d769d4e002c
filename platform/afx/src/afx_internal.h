// Internal links between the framework's source files.
#pragma once

#include <windows.h>

class CWnd;

namespace afx_internal {

// Drops the runtime classes whose code lives in the library.
void RemoveClassesOf(HINSTANCE hModule);

}  // namespace afx_internal
