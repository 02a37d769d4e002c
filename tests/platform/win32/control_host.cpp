#include "control_host.h"

#include "test_support.h"

namespace testctl {
namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && lParam) {
    HWND from = reinterpret_cast<HWND>(lParam);
    Note n{msg, from, LOWORD(wParam), HIWORD(wParam), 0, GetFocus(), 0, {}};
    if (HIWORD(wParam) == BN_CLICKED) n.check = SendMessageA(from, BM_GETCHECK, 0, 0);
    Notes().push_back(n);
  } else if (msg == WM_NOTIFY && lParam) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    Note n{msg, hdr->hwndFrom, static_cast<int>(hdr->idFrom), hdr->code, 0, GetFocus(), 0, {}};
    if (hdr->code == DTN_DATETIMECHANGE) {
      const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(lParam);
      n.flags = change->dwFlags;
      n.st = change->st;
    }
    Notes().push_back(n);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

const char* hostClass() {
  static const char* name = "QzControlHost";
  WNDCLASSA existing;
  if (!GetClassInfoA(testsupport::Instance(), name, &existing)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = testsupport::Instance();
    wc.lpszClassName = name;
    RegisterClassA(&wc);
  }
  return name;
}

}  // namespace

std::vector<Note>& Notes() {
  static std::vector<Note> notes;
  return notes;
}

std::vector<UINT> Codes(HWND from) {
  std::vector<UINT> out;
  for (const Note& n : Notes())
    if (n.from == from) out.push_back(n.code);
  return out;
}

void Clear() { Notes().clear(); }

HWND Host() {
  return CreateWindowExA(0, hostClass(), "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 50, 480,
                         360, nullptr, nullptr, testsupport::Instance(), nullptr);
}

HWND Create(HWND parent, const char* cls, const char* text, DWORD style, int id, RECT r) {
  return CreateWindowExA(0, cls, text, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         testsupport::Instance(), nullptr);
}

}  // namespace testctl
