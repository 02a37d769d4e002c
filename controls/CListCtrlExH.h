// The module's report list: rows painted by the control in two alternating
// colours, an optional check box in column 0, a fixed row height, an embedded
// gradient header with group captions, and clicks, keys, wheel and scrolling
// handed to the owner so that two lists side by side scroll as one.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include <vector>

#include "CHeaderCtrlEx.h"
#include "ListCtrlExHOwner.h"

// Sent to the parent: wParam points to a LISTEXH_CELL, lParam to the cell's text.
#define UM_LISTEXH_CELLCLICK 0x1636
#define UM_LISTEXH_CELLDBLCLK 0x1635

struct LISTEXH_CELL {
  int nRow;
  int nCol;
  int nReserved;
};

class CListCtrlExH : public CListCtrl {
 public:
  static constexpr int kCellTextSize = 260;  // the buffers handed to the parent
  static constexpr int kDrawTextSize = 256;  // a cell's text as it is drawn

  CListCtrlExH();
  ~CListCtrlExH() override;

  int m_nScrollUnit;
  CListCtrlExHOwner* m_pOwner;
  int m_nListNo;
  CHeaderCtrlEx m_header;
  int m_nRowHeight;
  COLORREF m_clrText;
  COLORREF m_clrRowEven;
  COLORREF m_clrRowOdd;
  bool m_bInfoTip;
  CFont m_font;
  bool m_bCheckColumn;
  std::vector<bool> m_checks;

  // Also records the caption and alignment letter in the header, which
  // assumes columns are inserted left to right.
  int InsertColumn(int nCol, const char* lpszColumnHeading, int nFormat = LVCFMT_LEFT,
                   int nWidth = -1, int nSubItem = -1);
  BOOL DeleteColumn(int nCol);
  void SetRowHeight(int nHeight);
  int GetRowHeight();
  void SetListFont(CFont* pFont);
  void SetHeaderGradient(int nR, int nG, int nB, int nStep);
  void SetHeaderHeightScale(float fScale);
  void SetCheckColumn(bool bCheck);
  void EnableInfoTip(bool bEnable);
  void ResetChecks(int nCount, bool bValue);
  bool IsChecked(int nRow) const;
  void SetRowText(int nRow, const char* pszText, const char* pszDelimiters);
  bool AddHeaderGroup(int nFirstCol, int nLastCol, const CString& strCaption);
  void ClearHeaderGroups();
  void MarkGroupedColumn(int nCol);
  void ScrollByKey(UINT nVirtKey);
  void ScrollToTrackPos(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

  // Row under the point (client coordinates) and its column, or -1.
  int HitTestCell(CPoint point, int* pColumn);

  void PreSubclassWindow() override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  virtual void DrawCheckCell(int nItem, int nSubItem, CDC* pDC, CString strText,
                             const CRect& rcCell);

 protected:
  afx_msg void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnGetInfoTip(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnDeleteAllItems(NMHDR* pNMHDR, LRESULT* pResult);

  DECLARE_MESSAGE_MAP()

 private:
  int TrackPos();
  void SendCellMessage(UINT message, int nRow, int nCol, char* buffer);
  COLORREF RowColour(int nRow) const { return (nRow % 2) ? m_clrRowOdd : m_clrRowEven; }

  char m_szClickText[kCellTextSize];
  char m_szDblClkText[kCellTextSize];
  char m_szInfoTip[256];
};
