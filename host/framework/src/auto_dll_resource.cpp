#include "CAutoDllResource.h"

CAutoDllResource::CAutoDllResource()
    : CAutoDllResource(AfxGetModuleHandleOf(__builtin_return_address(0))) {}

CAutoDllResource::CAutoDllResource(HINSTANCE hModuleResource)
    : m_hCurrentResource(AfxGetResourceHandle()), m_hModuleResource(hModuleResource) {
  if (m_hModuleResource) AfxSetResourceHandle(m_hModuleResource);
}

CAutoDllResource::~CAutoDllResource() {
  if (m_hModuleResource) AfxSetResourceHandle(m_hCurrentResource);
}
