// The module library's start-up: its place in the framework's chain of extension
// libraries, its resources and the window messages it registers.
#pragma once

#include <afxwin.h>

class JqzOrderBaseDlg;

// The library's own instance handle (its resources), null until it is loaded.
HINSTANCE QzGetStockExtInstance();

// Creates a view's dialog from this library's template, with the library's resources
// selected, as a child of the dialog's parent, and shows it; false when it could not be
// created.
bool QzCreateModuleDialog(JqzOrderBaseDlg& dlg, UINT nIDTemplate);

// "QZMSG_SENDCHANGEACCOUNT": a sync group's account changed (wParam the group,
// lParam the sending view). Registered once when the library is loaded.
extern const UINT g_nQzMsgSendChangeAccount;
// "QZMSG_SENDORDER": registered for the host's sake; nothing here handles it.
extern const UINT g_nQzMsgSendOrder;
