// What the platform tests need that differs between targets: letting time
// pass, pumping messages and answering modal UI. One implementation per target
// (headless here; real Win32 runs a message loop), so the same tests run on both.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace testsupport {

// A fresh platform: no windows, no timers, an empty queue.
void ResetPlatform();
// Lets ms milliseconds pass, dispatching timers and posted messages.
void Wait(DWORD ms);
// Dispatches what is already in the queue.
void Pump();
HINSTANCE Instance();

// Answers modal dialogs (after WM_INITDIALOG) and message boxes.
void AnswerDialogs(std::function<INT_PTR(HWND)> answer);
void AnswerMessageBoxes(std::function<int(const std::string& text, const std::string& caption, UINT type)> answer);
struct ShownMessageBox {
  std::string text;
  std::string caption;
  UINT type;
  int result;
};
std::vector<ShownMessageBox> MessageBoxesShown();

// True on the headless backend, false on real Win32 (and Wine).
bool Headless();

// A path named by ANSI (code page 950) bytes, as std::filesystem must be given
// it on this target: Win32 reads such bytes in the ANSI code page.
std::filesystem::path AnsiPath(const std::string& ansi);

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetPlatform(); }
  void TearDown() override { ResetPlatform(); }
};

}  // namespace testsupport

// A test of Win32 behaviour that Wine is known to give differently, where the
// module does not depend on the difference: it runs on the headless target
// only. Every use is listed with its reason in docs/conformance.md.
#define QZ_HEADLESS_ONLY(reason)                                              \
  do {                                                                        \
    if (!::testsupport::Headless()) GTEST_SKIP() << "headless only: " reason; \
  } while (0)
