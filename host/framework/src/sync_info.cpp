#include "CSyncInfo.h"

#include "host/view_registry.h"

CSyncInfo& CSyncInfo::GetSettingCFG() {
  static CSyncInfo info;
  return info;
}

CWnd* CSyncInfo::CApi_GetActiveFrameWnd() const {
  if (m_hActiveFrame && IsWindow(m_hActiveFrame)) return CWnd::FromHandle(m_hActiveFrame);
  for (const host::RegisteredView& view : host::RegisteredViews()) {
    CWnd* wnd = CWnd::FromHandlePermanent(view.hwnd);
    auto* pView = dynamic_cast<CView*>(wnd);
    if (pView && pView->GetParentFrame()) return pView->GetParentFrame();
  }
  return nullptr;
}

void CSyncInfo::CApi_SetActiveFrameWnd(CWnd* pFrame) {
  m_hActiveFrame = pFrame ? pFrame->GetSafeHwnd() : nullptr;
}
