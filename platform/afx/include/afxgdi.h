// GDI wrappers: each object wraps one handle; FromHandle gives a temporary
// wrapper for a handle that no object owns. Each method is one GDI call, kept
// inline so the wrappers cost nothing where they are not used.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "afxobject.h"
#include "afxtypes.h"
#include "afxwnd.h"

namespace afx_detail {
// Temporary wrappers, one per handle and kind, released by AfxDeleteTempMap.
CObject* LookupTempGdi(const void* handle, int kind);
void StoreTempGdi(const void* handle, int kind, CObject* wrapper, void (*release)(CObject*));
template <class T, int Kind, class H>
T* TempGdi(H handle) {
  if (!handle) return nullptr;
  if (CObject* o = LookupTempGdi(handle, Kind)) return static_cast<T*>(o);
  T* wrapper = new T;
  wrapper->Attach(handle);
  StoreTempGdi(handle, Kind, wrapper, [](CObject* o) {
    T* w = static_cast<T*>(o);
    w->Detach();
    delete w;
  });
  return wrapper;
}
}  // namespace afx_detail

class CGdiObject : public CObject {
 public:
  CGdiObject() : m_hObject(nullptr) {}
  ~CGdiObject() override { DeleteObject(); }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  HGDIOBJ m_hObject;
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  operator HGDIOBJ() const { return m_hObject; }
  static CGdiObject* FromHandle(HGDIOBJ hObject) { return afx_detail::TempGdi<CGdiObject, 0>(hObject); }
  BOOL Attach(HGDIOBJ hObject) {
    if (!hObject) return FALSE;
    m_hObject = hObject;
    return TRUE;
  }
  HGDIOBJ Detach() {
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
  }
  BOOL DeleteObject() {
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
  }
  int GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectA(m_hObject, nCount, lpObject); }
  BOOL CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }
};

class CFont : public CGdiObject {
 public:
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  static CFont* FromHandle(HFONT hFont) { return afx_detail::TempGdi<CFont, 1>(hFont); }
  BOOL CreateFontIndirect(const LOGFONT* lpLogFont) {
    return lpLogFont ? Attach(::CreateFontIndirectA(lpLogFont)) : FALSE;
  }
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                  BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                  BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                  LPCTSTR lpszFacename) {
    LOGFONT lf{nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
               cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, {}};
    if (lpszFacename) std::strncpy(lf.lfFaceName, lpszFacename, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
  }
  // The size in tenths of a point, converted with the device's vertical resolution
  // (the screen's when pDC is null).
  BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
  BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = nullptr);
  int GetLogFont(LOGFONT* pLogFont) const {
    return pLogFont ? ::GetObjectA(m_hObject, sizeof(LOGFONT), pLogFont) : 0;
  }
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
  static CBrush* FromHandle(HBRUSH hBrush) { return afx_detail::TempGdi<CBrush, 2>(hBrush); }
  BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
};

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
  static CPen* FromHandle(HPEN hPen) { return afx_detail::TempGdi<CPen, 3>(hPen); }
  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
  }
};

class CDC : public CObject {
 public:
  CDC() : m_hDC(nullptr), m_hAttribDC(nullptr) {}
  ~CDC() override {
    if (m_hDC) ::DeleteDC(Detach());
  }
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  HDC m_hDC;
  HDC m_hAttribDC;
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  static CDC* FromHandle(HDC hDC) { return afx_detail::TempGdi<CDC, 4>(hDC); }
  BOOL Attach(HDC hDC) {
    if (!hDC) return FALSE;
    m_hDC = m_hAttribDC = hDC;
    return TRUE;
  }
  HDC Detach() {
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return h;
  }

  BOOL CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)); }
  BOOL DeleteDC() { return m_hDC ? ::DeleteDC(Detach()) : FALSE; }
  int SaveDC() { return ::SaveDC(m_hDC); }
  BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }
  int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }

  CGdiObject* SelectObject(CGdiObject* pObject) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, pObject ? pObject->m_hObject : nullptr));
  }
  CFont* SelectObject(CFont* pFont) {
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, pFont ? pFont->m_hObject : nullptr)));
  }
  CBrush* SelectObject(CBrush* pBrush) {
    return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, pBrush ? pBrush->m_hObject : nullptr)));
  }
  CPen* SelectObject(CPen* pPen) {
    return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pPen ? pPen->m_hObject : nullptr)));
  }
  CGdiObject* SelectStockObject(int nIndex) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex)));
  }

  COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
  COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
  COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
  COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
  int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }

  BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount) {
    return ::TextOutA(m_hDC, x, y, lpszString, nCount);
  }
  BOOL TextOut(int x, int y, const CString& str) {
    return ::TextOutA(m_hDC, x, y, str, str.GetLength());
  }
  int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
    return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
  }
  int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
    return ::DrawTextA(m_hDC, str, str.GetLength(), lpRect, nFormat);
  }
  CSize GetTextExtent(LPCTSTR lpszString, int nCount) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
    return CSize(size);
  }
  CSize GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }

  void FillRect(LPCRECT lpRect, CBrush* pBrush) {
    ::FillRect(m_hDC, lpRect, pBrush ? static_cast<HBRUSH>(pBrush->m_hObject) : nullptr);
  }
  void FrameRect(LPCRECT lpRect, CBrush* pBrush) {
    ::FrameRect(m_hDC, lpRect, pBrush ? static_cast<HBRUSH>(pBrush->m_hObject) : nullptr);
  }
  // An opaque empty text fills without making a brush for every cell of a list; the
  // background colour is put back, so the DC is left as it was.
  void FillSolidRect(LPCRECT lpRect, COLORREF clr) {
    const COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
  }
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, clr);
  }
  CPoint MoveTo(int x, int y) {
    POINT old{0, 0};
    ::MoveToEx(m_hDC, x, y, &old);
    return CPoint(old);
  }
  CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
  BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
  BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
  BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
  BOOL Rectangle(LPCRECT lpRect) {
    return lpRect ? ::Rectangle(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
  }
};

// The device context of BeginPaint/EndPaint, for WM_PAINT.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr), m_ps{} {
    Attach(::BeginPaint(m_hWnd, &m_ps));
  }
  ~CPaintDC() override {
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
  }
  HWND m_hWnd;
  PAINTSTRUCT m_ps;
};

// The device context of a window's client area, from GetDC to ReleaseDC.
class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }
  ~CClientDC() override { ::ReleaseDC(m_hWnd, Detach()); }
  HWND m_hWnd;
};

inline BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
  if (!lpLogFont) return FALSE;
  HDC hDC = pDC ? pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC : ::GetDC(nullptr);
  LOGFONT lf = *lpLogFont;
  // lfHeight holds tenths of a point; 720 tenths make an inch.
  lf.lfHeight = -std::abs(MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lpLogFont->lfHeight, 720));
  if (!pDC) ::ReleaseDC(nullptr, hDC);
  return CreateFontIndirect(&lf);
}

inline BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
  LOGFONT lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = nPointSize;
  if (lpszFaceName) std::strncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
  return CreatePointFontIndirect(&lf, pDC);
}

inline void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}
inline CFont* CWnd::GetFont() const {
  return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
}
inline CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
inline int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }

// Drops the temporary wrappers made by FromHandle (the framework's idle clean-up).
void AfxDeleteTempMap();
