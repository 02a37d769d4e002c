// CAutoDllResource: selects a library's resources for the guard's scope, so that
// templates are looked up there first; the previous resource handle comes back when
// the guard goes, also when an exception passes.
#pragma once

#include <afxwin.h>

class CAutoDllResource {
 public:
  // The resources of the library (or program) whose code calls this: the caller's module.
  CAutoDllResource();
  explicit CAutoDllResource(HINSTANCE hModuleResource);
  ~CAutoDllResource();
  CAutoDllResource(const CAutoDllResource&) = delete;
  CAutoDllResource& operator=(const CAutoDllResource&) = delete;

  HINSTANCE m_hCurrentResource;  // the handle selected before the guard
  HINSTANCE m_hModuleResource;   // the handle the guard selected
};
