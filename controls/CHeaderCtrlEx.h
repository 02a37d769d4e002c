// The header of CListCtrlExH: painted as a vertical colour gradient, taller
// than its natural height, with an optional second row of group captions
// over several columns, and dividers that do not move.
//
// Whoever prints or exports the list asks for the groups with the registered
// message "QzHeaderGroupCaption": wParam is a column, lParam an HDITEMA whose
// pszText/cchTextMax receive the caption of the group over that column (HDI_TEXT)
// and whose lParam receives MAKELPARAM(first, last column) of that group
// (HDI_LPARAM). The result is the caption's length, 0 when no group covers it.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include <map>
#include <string>
#include <vector>

class CHeaderCtrlEx : public CHeaderCtrl {
 public:
  struct HeaderGroup {
    int nFirstCol;
    int nLastCol;
    CString strCaption;
  };

  CHeaderCtrlEx();
  ~CHeaderCtrlEx() override;

  std::vector<CString> m_captions;  // by column index
  CString m_strAlign;               // one of L, C, R per column index
  int m_nStartR;
  int m_nStartG;
  int m_nStartB;
  int m_nStep;
  float m_fHeightScale;
  COLORREF m_clrText;
  CFont m_font;
  std::vector<HeaderGroup> m_groups;
  std::map<int, CString> m_groupedCols;  // caption in the lower half
  bool m_bGrouped;

  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 protected:
  afx_msg void OnPaint();
  afx_msg LRESULT OnLayout(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGroupCaption(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  void FillGradient(CDC& dc, const CRect& rc) const;
  void DrawCaption(CDC& dc, CRect rc, const CString& caption);
};
