#include <algorithm>

#include "afxframe.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_SIZE()
END_MESSAGE_MAP()

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

CFrameWnd::CFrameWnd() : m_pActiveView(nullptr), m_layout(paneTabs) {}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass) cs.lpszClass = AfxRegisterFrameworkClass("AfxFrameOrView", CS_DBLCLKS, COLOR_WINDOW);
  cs.dwExStyle |= WS_EX_CLIENTEDGE;
  return cs.lpszClass != nullptr;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR, DWORD dwExStyle, CCreateContext* pContext) {
  const bool byDefault = rect.left == CW_USEDEFAULT;
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle,
                  byDefault ? CW_USEDEFAULT : rect.left, byDefault ? CW_USEDEFAULT : rect.top,
                  byDefault ? CW_USEDEFAULT : rect.right - rect.left,
                  byDefault ? CW_USEDEFAULT : rect.bottom - rect.top,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr, pContext);
}

CView* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID, BOOL bInitialUpdate) {
  if (!m_hWnd || !pContext || !pContext->m_pNewViewClass) return nullptr;
  CObject* object = pContext->m_pNewViewClass->CreateObject();
  if (!object) return nullptr;
  CView* view = DYNAMIC_DOWNCAST(CView, object);
  if (!view) {
    delete object;
    return nullptr;
  }
  if (!nID) nID = AFX_IDW_PANE_FIRST + static_cast<UINT>(m_panes.size());
  pContext->m_pCurrentFrame = this;
  // A view that fails to be created has deleted itself.
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_CLIPSIBLINGS, RECT{0, 0, 0, 0}, this, nID, pContext))
    return nullptr;
  m_panes.push_back(view);
  m_paneSizes.emplace_back(0, 0);
  pContext->m_pLastView = view;
  if (!m_pActiveView) m_pActiveView = view;
  RecalcLayout();
  if (bInitialUpdate) view->OnInitialUpdate();
  return view;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL) {
  if (pViewNew && std::find(m_panes.begin(), m_panes.end(), pViewNew) == m_panes.end()) return;
  m_pActiveView = pViewNew;
  RecalcLayout();
}

void CFrameWnd::SetPaneLayout(PaneLayout layout) {
  m_layout = layout;
  RecalcLayout();
}

void CFrameWnd::SetPaneSize(CView* pView, int cx, int cy) {
  auto it = std::find(m_panes.begin(), m_panes.end(), pView);
  if (it == m_panes.end()) return;
  m_paneSizes[static_cast<size_t>(it - m_panes.begin())] = CSize(std::max(cx, 0), std::max(cy, 0));
  RecalcLayout();
}

CSize CFrameWnd::GetPaneSize(CView* pView) const {
  auto it = std::find(m_panes.begin(), m_panes.end(), pView);
  if (it == m_panes.end()) return CSize(0, 0);
  return m_paneSizes[static_cast<size_t>(it - m_panes.begin())];
}

void CFrameWnd::RecalcLayout(BOOL) {
  if (!m_hWnd) return;
  RECT client{};
  GetClientRect(&client);
  const int n = static_cast<int>(m_panes.size());
  const int width = client.right - client.left;
  // Rows: the sized panes keep their heights; the others share the rest evenly.
  int fixedHeight = 0, shared = 0;
  for (const CSize& size : m_paneSizes) {
    fixedHeight += size.cy;
    if (!size.cy) ++shared;
  }
  const int rest = std::max(0, static_cast<int>(client.bottom - client.top) - fixedHeight);
  int top = client.top, sharedSoFar = 0;
  for (int i = 0; i < n; ++i) {
    CView* view = m_panes[static_cast<size_t>(i)];
    const CSize& size = m_paneSizes[static_cast<size_t>(i)];
    if (m_layout == paneTabs) {
      view->MoveWindow(&client, FALSE);
      view->ShowWindow(view == m_pActiveView ? SW_SHOW : SW_HIDE);
    } else {
      int height = size.cy;
      if (!height) {
        height = rest * (sharedSoFar + 1) / shared - rest * sharedSoFar / shared;
        ++sharedSoFar;
      }
      view->MoveWindow(client.left, top, size.cx ? size.cx : width, height, FALSE);
      view->ShowWindow(SW_SHOW);
      top += height;
    }
  }
}

void CFrameWnd::RemovePane(CView* pView) {
  auto it = std::find(m_panes.begin(), m_panes.end(), pView);
  if (it == m_panes.end()) return;
  m_paneSizes.erase(m_paneSizes.begin() + (it - m_panes.begin()));
  m_panes.erase(it);
  if (m_pActiveView == pView) m_pActiveView = m_panes.empty() ? nullptr : m_panes.front();
  if (m_hWnd && IsWindow(m_hWnd)) RecalcLayout();
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) {
  if (m_pActiveView && m_pActiveView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  RecalcLayout();
}

void CFrameWnd::PostNcDestroy() { delete this; }
