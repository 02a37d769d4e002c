// Simulated input: what a person does at the screen, turned into the messages
// Windows would generate for it. Mouse and keyboard input is posted to the
// queue, as the system does, and the pump then runs what is due, so a call
// returns after the program has reacted. Hosts and tests use this; the module
// never does. Every function returns false, doing nothing, when its window is
// not a window or the target cannot be reached.
#pragma once

#include <windows.h>

#include <functional>

namespace input {

// Runs the program's message loop over what is already queued. The default
// gives each message to IsDialogMessageA of its dialog, as a plain Win32
// message loop with modeless dialogs does; a host with a framework installs
// its own. An empty function restores the default.
using MessagePump = std::function<void()>;
void SetMessagePump(MessagePump pump);
void PumpMessages();

// ---- Mouse -------------------------------------------------------------------------
// Left button pressed and released at a point of the window's client area.
bool Click(HWND window, POINT client);
// At the centre of the window's client area.
bool Click(HWND window);
// Two clicks in quick succession: the second press is WM_LBUTTONDBLCLK when the
// window's class asks for double clicks (CS_DBLCLKS).
bool DoubleClick(HWND window, POINT client);
bool RightClick(HWND window, POINT client);
// Wheel turned by notches (positive: away from the user) over a window;
// WM_MOUSEWHEEL goes to the window with the focus, or to this one if none has it.
bool TurnWheel(HWND window, POINT client, int notches);
// Button pressed at from, moved to to, released there.
bool Drag(HWND window, POINT from, POINT to);

// ---- Keyboard ---------------------------------------------------------------------
// A key pressed and released while the focus window has the keyboard.
bool PressKey(UINT virtualKey);
// Characters typed into a window (it gets the focus first). A double-byte
// character arrives as two WM_CHAR messages, lead byte first, as an ANSI
// window receives it.
bool TypeText(HWND window, const char* text);

// ---- Controls -----------------------------------------------------------------------
// A push button, check box or radio button clicked.
bool ClickButton(HWND button);
// The list of a combo box opened and the entry clicked, as a person picks it.
bool ChooseComboEntry(HWND combo, int index);
// The entry whose text matches exactly (ignoring case, as the combo searches).
bool ChooseComboEntry(HWND combo, const char* text);
// A report list's cell (item row, sub-item column) clicked, after scrolling the
// row into view as a person would; false when the cell is not on screen.
bool ClickListCell(HWND list, int item, int subItem);
bool DoubleClickListCell(HWND list, int item, int subItem);
// A header's divider (the right edge of an item) dragged by dx pixels, or double-clicked.
bool DragHeaderDivider(HWND header, int item, int dx);
bool DoubleClickHeaderDivider(HWND header, int item);

}  // namespace input
