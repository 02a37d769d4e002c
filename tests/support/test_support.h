// What the platform tests need that differs between targets: letting time
// pass, pumping messages and answering modal UI. One implementation per target
// (headless here; real Win32 runs a message loop), so the same tests run on both.
#pragma once

#include <windows.h>

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

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetPlatform(); }
  void TearDown() override { ResetPlatform(); }
};

}  // namespace testsupport
