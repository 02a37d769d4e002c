#include "afxframe.h"
#include "afxgdi.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CView::CView() : m_hWndFrame(nullptr) {}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass) cs.lpszClass = AfxRegisterFrameworkClass("AfxFrameOrView", CS_DBLCLKS, COLOR_WINDOW);
  return cs.lpszClass != nullptr;
}

BOOL CView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                   CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  m_hWndFrame = pParentWnd ? pParentWnd->m_hWnd : nullptr;
  return CWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext);
}

void CView::OnInitialUpdate() {}
void CView::OnDraw(CDC*) {}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnDraw(&dc);
}

CFrameWnd* CView::GetParentFrame() const {
  for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h))
    if (CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(h))) return frame;
  return nullptr;
}

void CView::PostNcDestroy() {
  if (CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(m_hWndFrame)))
    frame->RemovePane(this);
  delete this;
}
