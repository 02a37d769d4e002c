// CSyncInfo: the terminal's shared state that views reach through a singleton: the
// active frame window (where orders handed over from a view are opened).
#pragma once

#include <afxwin.h>

class CSyncInfo {
 public:
  static CSyncInfo& GetSettingCFG();

  // The frame the terminal set as active; without one, the frame of the first live
  // host view; null when there is none.
  CWnd* CApi_GetActiveFrameWnd() const;
  void CApi_SetActiveFrameWnd(CWnd* pFrame);

 private:
  CSyncInfo() = default;
  HWND m_hActiveFrame = nullptr;
};
