// CStaticEx: a static text with its own text colour (and, optionally, background).
#pragma once

#include <afxwin.h>

class CStaticEx : public CStatic {
  DECLARE_DYNAMIC(CStaticEx)
 public:
  CStaticEx();
  ~CStaticEx() override;

  void SetTextColor(COLORREF clr);
  COLORREF GetTextColor() const { return m_clrText; }
  // CLR_NONE: transparent (the parent's background).
  void SetBkColor(COLORREF clr);
  COLORREF GetBkColor() const { return m_clrBk; }

  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 protected:
  COLORREF m_clrText;
  COLORREF m_clrBk;
  CBrush m_brBk;
};
