// CView and a minimal CFrameWnd whose panes hold the host's views.
#pragma once

#include <vector>

#include "afxwnd.h"

class CFrameWnd;
class CView;

struct CCreateContext {
  CRuntimeClass* m_pNewViewClass = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST 0xE9FF

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
 public:
  CView();
  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
  virtual void OnInitialUpdate();
  virtual void OnDraw(CDC* pDC);
  CFrameWnd* GetParentFrame() const;

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PostNcDestroy() override;  // a view deletes itself with its window, leaving its pane
  afx_msg void OnPaint();

  HWND m_hWndFrame;  // the frame whose pane holds this view

  DECLARE_MESSAGE_MAP()
};

// A top-level window whose client area holds views, either one at a time
// (tabs: only the active pane is shown) or stacked in rows. In rows a pane may keep
// a size of its own (SetPaneSize); the others share what is left.
class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  enum PaneLayout { paneTabs, paneRows };

  CFrameWnd();
  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
              DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
              CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
              CCreateContext* pContext = nullptr);
  // Creates a view of the class in a new pane, lays the panes out and, unless
  // bInitialUpdate is FALSE (the caller restores the view first and then calls it),
  // calls the view's OnInitialUpdate; nullptr when the class cannot be made into a view.
  CView* CreateView(CCreateContext* pContext, UINT nID = 0, BOOL bInitialUpdate = TRUE);
  // Commands go to the active view first, then to the frame.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
  const std::vector<CView*>& GetPanes() const { return m_panes; }
  CView* GetActiveView() const { return m_pActiveView; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  void SetPaneLayout(PaneLayout layout);
  // The pane's own size in rows: cx 0 takes the client width, cy 0 a share of the
  // height that the sized panes leave. Lays the panes out again.
  void SetPaneSize(CView* pView, int cx, int cy);
  CSize GetPaneSize(CView* pView) const;
  void RecalcLayout(BOOL bNotify = TRUE);
  // A view whose window is gone leaves its pane.
  void RemovePane(CView* pView);

  static const RECT rectDefault;

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PostNcDestroy() override;  // a frame deletes itself with its window
  afx_msg void OnSize(UINT nType, int cx, int cy);

  std::vector<CView*> m_panes;
  std::vector<CSize> m_paneSizes;  // per pane, as SetPaneSize gave it
  CView* m_pActiveView;
  PaneLayout m_layout;

  DECLARE_MESSAGE_MAP()
};

// Shows the wait cursor for its lifetime.
class CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  void Restore();
};

// How many waits are showing the wait cursor now, and how many began in all.
int AfxGetWaitCursorDepth();
int AfxGetWaitCursorCount();
