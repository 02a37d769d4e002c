// GDI wrappers: each object wraps one handle; FromHandle gives a temporary
// wrapper for a handle that no object owns.
#pragma once

#include <windows.h>

#include "afxobject.h"
#include "afxtypes.h"

class CGdiObject : public CObject {
  DECLARE_DYNAMIC(CGdiObject)
 public:
  CGdiObject() : m_hObject(nullptr) {}
  ~CGdiObject() override;
  HGDIOBJ m_hObject;
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  operator HGDIOBJ() const { return m_hObject; }
  static CGdiObject* FromHandle(HGDIOBJ hObject);
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();
};

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)
 public:
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  static CFont* FromHandle(HFONT hFont);
};

class CDC : public CObject {
  DECLARE_DYNAMIC(CDC)
 public:
  CDC() : m_hDC(nullptr), m_hAttribDC(nullptr) {}
  ~CDC() override;
  HDC m_hDC;
  HDC m_hAttribDC;
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  static CDC* FromHandle(HDC hDC);
  BOOL Attach(HDC hDC);
  HDC Detach();
};

// Drops the temporary wrappers made by FromHandle (the framework's idle clean-up).
void AfxDeleteTempMap();
