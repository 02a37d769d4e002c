// Creating the module's dialogs from their binary templates for the template
// tests, and measuring their controls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace restest {

// A dialog template's rectangle in dialog units: left, top, width, height.
struct Dlu {
  int x, y, cx, cy;
};

// A visible top-level window wide enough for every module dialog.
HWND CreateHost();
// The dialog of template `id` with a procedure that does nothing, child of
// (or owned by) `parent`; no DLGINIT data applied.
HWND CreateModuleDialog(UINT id, HWND parent);

std::string ClassOf(HWND hwnd);
std::string TextOf(HWND hwnd);
// The control's window rectangle in its dialog's client coordinates.
RECT RectInDialog(HWND control);
// Where the dialog manager puts a control at `r`: origin and size converted
// separately with the dialog's base units.
RECT Expected(HWND dialog, Dlu r);
// The entries of a combo box, in order.
std::vector<std::string> ComboEntries(HWND combo);

class ModuleDialogTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    host = CreateHost();
  }
  HWND host = nullptr;
};

}  // namespace restest
