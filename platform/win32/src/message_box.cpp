// Message boxes, answered by the installed responder instead of a person.
#include <vector>

#include "backend.h"

using namespace headless::detail;

namespace {

struct Modal {
  headless::MessageBoxResponder messageBox;
  headless::DialogResponder dialog;
  std::vector<headless::MessageBoxCall> log;
};

Modal& modal() {
  static Modal m;
  return m;
}

const ResetHook resetModal([] { modal() = Modal{}; });

std::vector<int> buttonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE:
      return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default:
      return {IDOK};
  }
}

}  // namespace

namespace headless::detail {
DialogResponder& DialogResponderSlot() { return modal().dialog; }
}  // namespace headless::detail

extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (owner && !FindOrFail(owner)) return 0;
  headless::MessageBoxCall call{owner, text ? text : "", caption ? caption : "Error", type, 0};
  const std::vector<int> buttons = buttonsOf(type);
  size_t def = (type & MB_DEFMASK) >> 8;
  int result = buttons[def < buttons.size() ? def : 0];
  if (modal().messageBox) {
    int answer = modal().messageBox(call);
    for (int b : buttons)
      if (answer == b) result = answer;  // an answer the box has no button for is not taken
  }
  call.result = result;
  modal().log.push_back(call);
  return result;
}

namespace headless {

void SetMessageBoxResponder(MessageBoxResponder responder) {
  modal().messageBox = std::move(responder);
}
const std::vector<MessageBoxCall>& MessageBoxLog() { return modal().log; }
void ClearMessageBoxLog() { modal().log.clear(); }
void SetDialogResponder(DialogResponder responder) { modal().dialog = std::move(responder); }

}  // namespace headless
