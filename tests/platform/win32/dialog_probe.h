// A recording dialog procedure and a recording control class for the dialog
// conformance tests, and a few helpers to make and measure dialogs.
#pragma once

#include <windows.h>

#include <templates/dialog_template.h>

#include <functional>
#include <vector>

namespace testdlg {

struct Seen {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

// Every message the recording procedure and the probe controls saw, in order.
std::vector<Seen>& Log();
// Only the messages in `interesting`.
std::vector<Seen> Filtered(const std::vector<UINT>& interesting);
// The WM_COMMAND messages with code 0 (BN_CLICKED, or IDOK and IDCANCEL from the
// keyboard) that reached `dialog`'s procedure; the controls' other notifications
// (EN_SETFOCUS, ...) are left out.
std::vector<Seen> Commands(HWND dialog);

// Answers what the recording procedure sees; without one, WM_INITDIALOG gives
// TRUE and everything else FALSE.
using Handler = std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)>;
void SetHandler(Handler handler);
INT_PTR CALLBACK RecordingDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A control class that records its messages into the same log.
const char* ProbeClass();

// Clears the log and the handler; each test starts with this.
void Clear();

HWND Create(const templates::DialogTemplate& t, HWND parent = nullptr, LPARAM param = 0);
// A plain top-level window to own or hold dialogs.
HWND CreateOwner();
// A control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
// Where MapDialogRect puts a control of the template at r: origin and size
// converted separately, as the dialog manager converts them.
RECT Expected(HWND dialog, templates::DluRect r);
// Sends a key to `target` through the dialog's keyboard interface.
BOOL Key(HWND dialog, HWND target, WPARAM vk);

}  // namespace testdlg
