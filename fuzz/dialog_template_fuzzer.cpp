// Binary dialog templates over arbitrary bytes: the parser never reads past the
// template, and a template it accepts makes a dialog (or fails cleanly) that goes
// again without leaving a window behind.
#include <windows.h>

#include <cstring>
#include <vector>

#include "dialog_template_parser.h"
#include "fuzz_support.h"

namespace {

INT_PTR CALLBACK dialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Templates are DWORD-aligned in resources; an exact-size copy keeps ASan's bounds.
  std::vector<DWORD> aligned((size + sizeof(DWORD) - 1) / sizeof(DWORD));
  if (size) std::memcpy(aligned.data(), data, size);
  const void* bytes = size ? static_cast<const void*>(aligned.data()) : data;

  headless::detail::ParsedTemplate parsed;
  if (!headless::detail::ParseDialogTemplate(bytes, size, &parsed)) return 0;
  for (const auto& item : parsed.items)
    if (item.className.kind == headless::detail::TemplateName::Kind::kOrdinal)
      (void)headless::detail::PredefinedClassName(item.className.ordinal);

  // Dialogs with a menu or an own class look for resources this process has not got.
  HWND dialog = CreateDialogIndirectParamA(nullptr, static_cast<LPCDLGTEMPLATEA>(bytes), nullptr,
                                           dialogProc, 0);
  if (dialog) {
    DestroyWindow(dialog);
    if (IsWindow(dialog)) qzfuzz::Fail("dialog survived DestroyWindow");
  }
  return 0;
}
