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

// Classes of libraries that left the chain while their image stayed mapped; they come
// back when the library joins again, as a reloaded image would register them anew.
std::vector<Registered>& parked() {
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
  for (auto* list : {&registry(), &parked()}) {
    list->erase(std::remove_if(list->begin(), list->end(),
                               [this](const Registered& e) { return e.cls == m_pClass; }),
                list->end());
  }
}

namespace afx_internal {

void RemoveClassesOf(HINSTANCE hModule) {
  if (!hModule) return;
  auto& r = registry();
  auto gone = std::stable_partition(r.begin(), r.end(),
                                    [hModule](const Registered& e) { return e.module != hModule; });
  parked().insert(parked().end(), gone, r.end());
  r.erase(gone, r.end());
}

void RestoreClassesOf(HINSTANCE hModule) {
  if (!hModule) return;
  auto& p = parked();
  auto back = std::stable_partition(p.begin(), p.end(),
                                    [hModule](const Registered& e) { return e.module != hModule; });
  registry().insert(registry().end(), back, p.end());
  p.erase(back, p.end());
}

}  // namespace afx_internal
