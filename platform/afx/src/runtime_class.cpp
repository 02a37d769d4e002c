#include "afxobject.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "afx_internal.h"
#include "afxmodule.h"

namespace {

struct Registered {
  CRuntimeClass* cls;
  HINSTANCE module;
};

// Never destroyed: libraries may leave the registry while the program exits.
std::vector<Registered>& registry() {
  static auto* classes = new std::vector<Registered>;
  return *classes;
}

}  // namespace

CRuntimeClass* CObject::GetThisClass() {
  static CRuntimeClass rc = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr};
  return &rc;
}
CRuntimeClass* CObject::GetRuntimeClass() const { return CObject::GetThisClass(); }
static const AFX_CLASSINIT _init_CObject(CObject::GetThisClass());

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
  return GetRuntimeClass()->IsDerivedFrom(pClass);
}

CObject* CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  if (!base) return FALSE;
  for (const CRuntimeClass* c = this; c; c = c->m_pfnGetBaseClass ? c->m_pfnGetBaseClass() : nullptr)
    if (c == base) return TRUE;
  return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
  if (!lpszClassName || IS_INTRESOURCE(lpszClassName)) return nullptr;
  for (const Registered& r : registry())
    if (std::strcmp(r.cls->m_lpszClassName, lpszClassName) == 0) return r.cls;
  return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
  CRuntimeClass* cls = FromName(lpszClassName);
  return cls ? cls->CreateObject() : nullptr;
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* cls) : m_pClass(cls) {
  if (cls) registry().push_back(Registered{cls, AfxGetModuleHandleOf(cls)});
}

AFX_CLASSINIT::~AFX_CLASSINIT() {
  auto& r = registry();
  r.erase(std::remove_if(r.begin(), r.end(), [this](const Registered& e) { return e.cls == m_pClass; }),
          r.end());
}

namespace afx_internal {

void RemoveClassesOf(HINSTANCE hModule) {
  if (!hModule) return;
  auto& r = registry();
  r.erase(std::remove_if(r.begin(), r.end(), [hModule](const Registered& e) { return e.module == hModule; }),
          r.end());
}

}  // namespace afx_internal
