#include "recording_window.h"

#include <algorithm>

#include "test_support.h"

namespace testwin {
namespace {

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Log().push_back(Seen{hwnd, msg, wParam, lParam});
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

std::vector<Seen>& Log() {
  static std::vector<Seen> log;
  return log;
}

void ClearLog() { Log().clear(); }

std::vector<UINT> MessagesOf(HWND hwnd, const std::vector<UINT>& interesting) {
  std::vector<UINT> out;
  for (const auto& s : Log()) {
    if (s.hwnd != hwnd) continue;
    if (!interesting.empty() &&
        std::find(interesting.begin(), interesting.end(), s.msg) == interesting.end())
      continue;
    out.push_back(s.msg);
  }
  return out;
}

const char* RecordingClass() {
  static const char* name = "QzRecordingWindow";
  WNDCLASSA existing;
  if (!GetClassInfoA(testsupport::Instance(), name, &existing)) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = testsupport::Instance();
    wc.lpszClassName = name;
    RegisterClassA(&wc);
  }
  return name;
}

HWND CreateTopLevel(const char* title, DWORD style) {
  return CreateWindowExA(0, RecordingClass(), title, style, 50, 40, 400, 300, nullptr, nullptr,
                         testsupport::Instance(), nullptr);
}

HWND CreateChild(HWND parent, int id, DWORD style, RECT r) {
  return CreateWindowExA(0, RecordingClass(), "child", style, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         testsupport::Instance(), nullptr);
}

}  // namespace testwin
