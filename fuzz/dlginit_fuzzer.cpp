// DLGINIT data over arbitrary bytes, sent to a dialog of the module with its combo
// boxes: nothing is read past the data, and a malformed entry stops the run cleanly.
#include <windows.h>

#include "fuzz_support.h"
#include "module_resources.h"
#include "templates/dialog_template.h"

namespace {

INT_PTR CALLBACK dialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The module's dialogs are child windows of a view.
  static HWND parent = [] {
    HWND view = CreateWindowExA(0, "STATIC", "view", WS_POPUP, 0, 0, 1100, 400, nullptr,
                                nullptr, nullptr, nullptr);
    return view;
  }();
  for (UINT id : qzres::kDialogIds) {
    if (!qzres::DlgInitOf(id)) continue;
    HWND dialog = CreateDialogIndirectParamA(nullptr, qzres::DialogTemplateOf(id), parent,
                                             dialogProc, 0);
    if (!dialog) qzfuzz::Fail("the module's dialog was not created");
    templates::ExecuteDlgInit(dialog, data, size);
    DestroyWindow(dialog);
  }
  return 0;
}
