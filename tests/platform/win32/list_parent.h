// A parent window for list view and header tests: it records the notices and
// owner-draw messages its children send and answers them as a test asks.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <vector>

namespace testlist {

struct Notice {
  UINT code;
  HWND from;
  int item;      // iItem of the list or header notice
  int subItem;   // NMLISTVIEW / NMITEMACTIVATE
  UINT newState;
  UINT oldState;
  UINT changed;
  int width;     // NMHEADER with a width, else -1
};

struct ParentLog {
  std::vector<Notice> notices;
  std::vector<DRAWITEMSTRUCT> draws;
  int measures = 0;
  UINT measureHeight = 0;             // 0 leaves the list's own height
  std::map<UINT, LRESULT> answers;    // WM_NOTIFY results by code
};

ParentLog& Log();
HWND CreateParent(int width = 420, int height = 320);
// The header notice's code in either form equals the ANSI code given.
bool IsHeaderCode(UINT code, UINT ansi);
// Answers a header notice in both its forms.
void AnswerHeader(UINT ansi, LRESULT result);
std::vector<Notice> NoticesWithCode(UINT code);
std::vector<Notice> HeaderNotices(UINT ansi);

}  // namespace testlist
