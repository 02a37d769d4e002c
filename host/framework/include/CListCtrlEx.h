// CListCtrlEx: the host's report list. Lines are inserted from separated texts and
// keep their insertion index as item data (also through sorting); cells can have their
// own text, background and border colours, and a cell can be special: type 4 is a
// clickable text (an action) whose click sends UM_LISTEX_SPECIALCLICK with the text to
// the parent. Columns align by the alignment text, one letter per column. A click on a
// column header sorts when sorting is on; after a sort the parent may be asked to
// renumber the lines (UM_LISTEX_RESETDATANO).
#pragma once

#include <afxcmn.h>

#include <vector>

// To the parent when a special cell of type 4 is clicked: wParam the line,
// lParam the cell's text (LPCTSTR, valid during the call).
#define UM_LISTEX_SPECIALCLICK 0x1644
// To the parent after a sort when m_bySendResetDatano is 1: wParam points to the sort
// column (int), lParam is the list (CListCtrl*).
#define UM_LISTEX_RESETDATANO 0x1647

#define LISTEX_SPECIAL_NONE 0
#define LISTEX_SPECIAL_CLICKTEXT 4

class CListCtrlEx : public CListCtrl {
  DECLARE_DYNAMIC(CListCtrlEx)
 public:
  CListCtrlEx();
  ~CListCtrlEx() override;

  // Inserts a line at nLine from the first nLength bytes of strText split at
  // lpszSeparator: the first part is the item, the others its cells. Item data: nLine.
  // nColor, when not 0, is the line's text colour. Returns the line's index, -1 on
  // failure.
  int InsertLineText(int nLine, const CString& strText, int nLength, LPCTSTR lpszSeparator,
                     COLORREF nColor);
  // Item data of a line inserted here is its insertion index.
  int InsertItem(int nItem, LPCTSTR lpszItem);
  virtual BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
  virtual BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage,
                       UINT nState, UINT nStateMask, LPARAM lParam);

  // Special cells: the type and the texts it shows (type 4: the first text is the
  // action; further texts share the cell, each clickable on its part of the cell).
  BOOL SetCellSpecialType(int nItem, int nSubItem, int nType, const std::vector<CString>& texts);
  int GetCellSpecialType(int nItem, int nSubItem) const;
  // Makes the cell plain again; with bResetColors its colours go too.
  BOOL bCancelSpecialType(int nItem, int nSubItem, bool bResetColors);

  // Per-cell colours; CLR_NONE (the default) uses the list's.
  BOOL SetCellTextColor(int nItem, int nSubItem, COLORREF clr);
  BOOL SetCellBkColor(int nItem, int nSubItem, COLORREF clr);
  BOOL SetCellBorderColor(int nItem, int nSubItem, COLORREF clr);
  COLORREF GetCellTextColor(int nItem, int nSubItem) const;
  COLORREF GetCellBkColor(int nItem, int nSubItem) const;
  COLORREF GetCellBorderColor(int nItem, int nSubItem) const;

  // Cell borders between all cells.
  void SetBorderLine(bool bBorder);
  bool GetBorderLine() const { return m_bBorderLine; }
  // Sorting by a header click.
  void EnableSort(bool bEnable) { m_bSortEnabled = bEnable; }
  // Sorts by m_nSortColumn: state 1 ascending, 2 descending (0 none). Cells that read as
  // numbers (thousands separators allowed) compare by value, before texts.
  void vDoSort();
  // Alternate line shading (0 none).
  void SetAlternateColor(COLORREF clr) { m_clrAlternate = clr; }

  CString m_strAlign;       // alignment letters, one per column: 'L', 'C', 'R'
  int m_nSortColumn;        // -1: none
  int m_nSortState;         // 0 none, 1 ascending, 2 descending
  BYTE m_bySendResetDatano;  // 1: a sort asks the parent to renumber (UM_LISTEX_RESETDATANO)

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  struct Cell {
    int nType = LISTEX_SPECIAL_NONE;
    std::vector<CString> texts;
    COLORREF clrText = CLR_NONE;
    COLORREF clrBk = CLR_NONE;
    COLORREF clrBorder = CLR_NONE;
  };
  struct Line {
    std::vector<Cell> cells;
    COLORREF clrText = CLR_NONE;
  };

  Cell* pCell(int nItem, int nSubItem, bool bCreate);
  const Cell* pCell(int nItem, int nSubItem) const;
  char cAlignOf(int nSubItem) const;
  afx_msg BOOL OnClick(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg BOOL OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);

  std::vector<Line> m_lines;  // kept parallel to the list's lines
  bool m_bBorderLine;
  bool m_bSortEnabled;
  COLORREF m_clrAlternate;

  DECLARE_MESSAGE_MAP()
};
