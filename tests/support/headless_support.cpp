// Test support on the headless backend: time is the virtual clock.
#include <headless/headless.h>

#include "test_support.h"

namespace testsupport {

void ResetPlatform() { headless::Reset(); }
void Wait(DWORD ms) { headless::AdvanceTime(ms); }
void Pump() { headless::PumpMessages(); }
HINSTANCE Instance() { return GetModuleHandleA(nullptr); }
bool Headless() { return true; }
// The headless backend names files by their bytes.
std::filesystem::path AnsiPath(const std::string& ansi) { return std::filesystem::path(ansi); }

void AnswerDialogs(std::function<INT_PTR(HWND)> answer) {
  headless::SetDialogResponder(std::move(answer));
}

void AnswerMessageBoxes(
    std::function<int(const std::string& text, const std::string& caption, UINT type)> answer) {
  if (!answer) {
    headless::SetMessageBoxResponder(nullptr);
    return;
  }
  headless::SetMessageBoxResponder([answer](const headless::MessageBoxCall& call) {
    return answer(call.text, call.caption, call.type);
  });
}

std::vector<ShownMessageBox> MessageBoxesShown() {
  std::vector<ShownMessageBox> out;
  for (const auto& c : headless::MessageBoxLog())
    out.push_back(ShownMessageBox{c.text, c.caption, c.type, c.result});
  return out;
}

}  // namespace testsupport
