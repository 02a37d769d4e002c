// What a window that owns CListCtrlExH lists hears from them: the keys that
// reach a list and its vertical scrolling, so that it can keep several lists
// side by side in step.
#pragma once

#include <afxwin.h>

class CListCtrlExHOwner {
 public:
  virtual ~CListCtrlExHOwner() = default;
  // Every WM_KEYDOWN that reaches list nListNo; the list does nothing else with it.
  virtual void OnListKeyDown(int nListNo, UINT nChar) = 0;
  // After list nListNo has scrolled vertically (wheel, scroll bar, ScrollByKey).
  virtual void OnListVScroll(int nListNo, UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) = 0;
};
