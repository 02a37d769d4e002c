#include "JqzVirtualBaseView.h"

IMPLEMENT_DYNAMIC(JqzVirtualBaseView, CView)

JqzVirtualBaseView::JqzVirtualBaseView() : m_iViewType(0) {}
JqzVirtualBaseView::~JqzVirtualBaseView() = default;

// The hosted dialog covers the view; the view itself draws nothing.
void JqzVirtualBaseView::OnDraw(CDC* pDC) { (void)pDC; }

void JqzVirtualBaseView::vRecvMultiSymbolMemoryRecovery(const CMultiSymbolMemoryInfo* pInfo) {
  (void)pInfo;
}

int JqzVirtualBaseView::SaveViewInfo(JqzCfgIO2* pCfg, const CString& strLayout,
                                     const int& nViewIndex, const int& nExtra) {
  (void)pCfg, (void)strLayout, (void)nViewIndex, (void)nExtra;
  return 0;
}

int JqzVirtualBaseView::InitialViewInfo(JqzCfgIO2* pCfg, const CString& strLayout,
                                        const int& nViewIndex, const int& nExtra,
                                        const CString& strTitle) {
  (void)pCfg, (void)strLayout, (void)nViewIndex, (void)nExtra, (void)strTitle;
  return 0;
}
