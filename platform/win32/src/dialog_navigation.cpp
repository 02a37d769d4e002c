// Moving through a dialog's controls (tab order and groups) and the helpers
// that check buttons by id.
#include "backend.h"

using namespace headless::detail;

namespace {

LONG_PTR styleOf(HWND hwnd) { return GetWindowLongPtrA(hwnd, GWL_STYLE); }
LONG_PTR exStyleOf(HWND hwnd) { return GetWindowLongPtrA(hwnd, GWL_EXSTYLE); }

bool visibleAndEnabled(HWND hwnd) {
  return (styleOf(hwnd) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

// A nested dialog (WS_EX_CONTROLPARENT) that takes part in its parent's tab order.
bool isControlParent(HWND hwnd) {
  return (exStyleOf(hwnd) & WS_EX_CONTROLPARENT) && visibleAndEnabled(hwnd);
}

HWND nextTabItem(HWND root, HWND dialog, HWND control, bool previous) {
  const UINT step = previous ? GW_HWNDPREV : GW_HWNDNEXT;
  HWND child = nullptr;
  if (!control) {
    child = GetWindow(dialog, GW_CHILD);
    if (previous && child) child = GetWindow(child, GW_HWNDLAST);
  } else if (IsChild(root, control)) {
    child = GetWindow(control, step);
    if (!child) {
      if (GetParent(control) != root)
        child = GetWindow(GetParent(control), step);
      else
        child = GetWindow(control, previous ? GW_HWNDLAST : GW_HWNDFIRST);
    }
  }
  for (; child; child = GetWindow(child, step)) {
    if (isControlParent(child)) {
      if (HWND found = nextTabItem(root, child, nullptr, previous)) return found;
    } else if ((styleOf(child) & WS_TABSTOP) && visibleAndEnabled(child)) {
      return child;
    }
  }
  HWND found = nullptr;
  if (control) {
    for (HWND parent = GetParent(control); parent && parent != root; parent = GetParent(parent))
      if ((found = nextTabItem(root, GetParent(parent), parent, previous)) != nullptr) break;
    if (!found) found = nextTabItem(root, root, nullptr, previous);
  }
  return found ? found : control;
}

// Whether hwnd lies inside dialog, at any depth.
bool inside(HWND dialog, HWND hwnd) {
  for (HWND p = GetParent(hwnd); p; p = GetParent(p))
    if (p == dialog) return true;
  return false;
}

void checkRange(HWND parent, int first, int last, int checked) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (id >= first && id <= last)
      SendMessageA(child, BM_SETCHECK, id == checked ? BST_CHECKED : BST_UNCHECKED, 0);
    checkRange(child, first, last, checked);
  }
}

}  // namespace

extern "C" {

HWND WINAPI GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  if (!FindOrFail(dialog)) return nullptr;
  if (control && !FindOrFail(control)) return nullptr;
  if (control == dialog) control = nullptr;
  // Windows gives nothing for "the one before the first".
  if (!control && previous) return nullptr;
  return nextTabItem(dialog, dialog, control, previous != FALSE);
}

// Walks forward round the dialog: a group runs from a WS_GROUP control to the
// next one, and the walk wraps once to stay within the group.
HWND WINAPI GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  if (!FindOrFail(dialog)) return nullptr;
  if (control && !FindOrFail(control)) return nullptr;
  if (control == dialog) control = nullptr;
  if (!control && previous) return nullptr;
  if (control) {
    if (!inside(dialog, control)) return nullptr;
  } else {
    if ((control = GetWindow(dialog, GW_CHILD)) == nullptr) return nullptr;
    if (visibleAndEnabled(control)) return control;
  }

  HWND result = control;
  HWND hwnd = control;
  HWND lastGroup = nullptr;
  bool looped = false;
  bool skipping = false;
  for (;;) {
    HWND next = GetWindow(hwnd, GW_HWNDNEXT);
    while (!next) {
      if (GetParent(hwnd) == dialog) {
        if (looped) return result;
        looped = true;
        next = GetWindow(dialog, GW_CHILD);
      } else {
        hwnd = GetParent(hwnd);
        next = GetWindow(hwnd, GW_HWNDNEXT);
      }
    }
    hwnd = next;
    // Down the leading edge of nested dialogs.
    while (isControlParent(hwnd) && (next = GetWindow(hwnd, GW_CHILD)) != nullptr) hwnd = next;

    if (styleOf(hwnd) & WS_GROUP) {
      lastGroup = hwnd;
      skipping = true;
    }
    if (hwnd == control) {
      if (!skipping || lastGroup == hwnd) break;
      hwnd = lastGroup;
      skipping = false;
      looped = false;
    }
    if (!skipping && visibleAndEnabled(hwnd)) {
      result = hwnd;
      if (!previous) break;
    }
  }
  return result;
}

BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check) {
  // Only forwards BM_SETCHECK: a missing control is no failure.
  if (HWND button = GetDlgItem(dialog, id)) SendMessageA(button, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  return button ? static_cast<UINT>(SendMessageA(button, BM_GETCHECK, 0, 0)) : 0;
}

BOOL WINAPI CheckRadioButton(HWND dialog, int first, int last, int checked) {
  if (!FindOrFail(dialog)) return FALSE;
  checkRange(dialog, first, last, checked);
  return TRUE;
}

}  // extern "C"
