// The framework's core without windows: CObject and runtime classes, CString,
// CTime, and the extension-module chain.
#pragma once

#include <windows.h>

#include "afxobject.h"
#include "afxstr.h"
#include "afxtime.h"
#include "afxmodule.h"
