#include "CStaticEx.h"

IMPLEMENT_DYNAMIC(CStaticEx, CStatic)

CStaticEx::CStaticEx() : m_clrText(::GetSysColor(COLOR_WINDOWTEXT)), m_clrBk(CLR_NONE) {}
CStaticEx::~CStaticEx() = default;

void CStaticEx::SetTextColor(COLORREF clr) {
  m_clrText = clr;
  if (::IsWindow(m_hWnd)) Invalidate();
}

void CStaticEx::SetBkColor(COLORREF clr) {
  m_clrBk = clr;
  m_brBk.DeleteObject();
  if (clr != CLR_NONE) m_brBk.CreateSolidBrush(clr);
  if (::IsWindow(m_hWnd)) Invalidate();
}

// The parent hands the static's colour request back here.
BOOL CStaticEx::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_CTLCOLORSTATIC) return CStatic::OnChildNotify(message, wParam, lParam, pResult);
  HDC dc = reinterpret_cast<HDC>(wParam);
  ::SetTextColor(dc, m_clrText);
  HBRUSH brush;
  if (m_clrBk == CLR_NONE) {
    ::SetBkMode(dc, TRANSPARENT);
    brush = ::GetSysColorBrush(COLOR_BTNFACE);
  } else {
    ::SetBkColor(dc, m_clrBk);
    brush = static_cast<HBRUSH>(m_brBk.m_hObject);
  }
  if (pResult) *pResult = reinterpret_cast<LRESULT>(brush);
  return TRUE;
}
