// A window that owns CListCtrlExH lists as a dialog would: it records the cell
// messages, keys and scrolls the lists hand it, and reads what they painted.
#pragma once

#include <afxwin.h>

#include <CListCtrlExH.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace ctltest {

struct CellMessage {
  UINT message;
  int row;
  int col;
  int reserved;
  std::string text;
};

struct ScrollReport {
  int listNo;
  UINT code;
  UINT pos;
};

class ListOwner : public CWnd, public CListCtrlExHOwner {
 public:
  std::vector<CellMessage> cells;
  std::vector<std::pair<int, UINT>> keys;
  std::vector<ScrollReport> scrolls;
  // When set, the lists mirror each other as the inventory dialog keeps them.
  CListCtrlExH* mirror[2] = {nullptr, nullptr};

  void OnListKeyDown(int nListNo, UINT nChar) override;
  void OnListVScroll(int nListNo, UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;

 protected:
  afx_msg LRESULT OnCellClick(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCellDblClk(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

class ListTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A report list of the owner at (x, 0), numbered no, with columns of these widths.
  void MakeList(CListCtrlExH& list, int no, const std::vector<int>& widths, int x = 0,
                int height = 300, int format = LVCFMT_LEFT);
  // Rows "r0", "r1", ... in column 0 and "c<col>" in the others when withText.
  static void AddRows(CListCtrlExH& list, int count, bool withText = true);

  // What the window shows at a point of its client area, freshly painted.
  static COLORREF Pixel(HWND window, int x, int y);
  // Freshly paints the window and gives a copy of its client area to read.
  struct Capture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    // Dark pixels (text) inside the rectangle.
    int DarkIn(const RECT& r) const;
    // Leftmost and rightmost column holding a dark pixel in the rectangle, -1 if none.
    int FirstDarkX(const RECT& r) const;
    int LastDarkX(const RECT& r) const;
  };
  static Capture Grab(HWND window);

  static CRect Label(CListCtrlExH& list, int row, int col);

  ListOwner owner;
  CListCtrlExH list;
};

}  // namespace ctltest
