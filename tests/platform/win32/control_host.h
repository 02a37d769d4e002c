// A parent window for the control conformance tests that records what its
// controls tell it (WM_COMMAND and WM_NOTIFY), as it was at the moment it came.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "test_support.h"

namespace testctl {

struct Note {
  UINT msg;  // WM_COMMAND or WM_NOTIFY
  HWND from;
  int id;
  UINT code;
  LRESULT check;  // BM_GETCHECK of a button at its BN_CLICKED
  HWND focus;     // the focus when the note came
  DWORD flags;    // of a DTN_DATETIMECHANGE
  SYSTEMTIME st;  // of a DTN_DATETIMECHANGE
};

std::vector<Note>& Notes();
// The notification codes `from` sent, in order.
std::vector<UINT> Codes(HWND from);
void Clear();

// A visible top-level window that records its notifications.
HWND Host();
HWND Create(HWND parent, const char* cls, const char* text, DWORD style, int id,
            RECT r = RECT{10, 10, 130, 34});

// A fresh platform with a recording host window and no notes.
class ControlTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    Clear();
    host = Host();
  }
  void TearDown() override {
    Clear();
    PlatformTest::TearDown();
  }
  HWND host = nullptr;
};

}  // namespace testctl
