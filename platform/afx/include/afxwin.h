// The application framework: windows, dialogs, views, controls and GDI wrappers.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "afx.h"
#include "afxgdi.h"
#include "afxmodule.h"
#include "afxtypes.h"
#include "afxwnd.h"
#include "afxdialog.h"
#include "afxframe.h"
#include "afxstdctrl.h"
#include "afxcmn.h"
#include "afxtime.h"
