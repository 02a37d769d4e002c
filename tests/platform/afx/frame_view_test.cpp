// CFrameWnd and CView: views created by runtime class in panes, their layout,
// command routing through the active view, and their lifetime with the frame.
#include <afxwin.h>

#include "test_support.h"

namespace {

int g_liveViews = 0;
int g_initialUpdates = 0;

class QuoteView : public CView {
  DECLARE_DYNCREATE(QuoteView)
 public:
  QuoteView() { ++g_liveViews; }
  ~QuoteView() override { --g_liveViews; }
  int refreshes = 0;
  CSize lastSize;
  void OnInitialUpdate() override { ++g_initialUpdates; }

 protected:
  afx_msg void OnRefresh() { ++refreshes; }
  afx_msg void OnSize(UINT, int cx, int cy) { lastSize = CSize(cx, cy); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(QuoteView, CView)
BEGIN_MESSAGE_MAP(QuoteView, CView)
  ON_COMMAND(500, OnRefresh)
  ON_WM_SIZE()
END_MESSAGE_MAP()

class NotAView : public CObject {
  DECLARE_DYNCREATE(NotAView)
};
IMPLEMENT_DYNCREATE(NotAView, CObject)

class MainFrame : public CFrameWnd {
 public:
  int frameCommands = 0;

 protected:
  afx_msg void OnFrameCommand() { ++frameCommands; }
  afx_msg void OnRefresh() { ++frameCommands; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MainFrame, CFrameWnd)
  ON_COMMAND(501, OnFrameCommand)
  ON_COMMAND(500, OnRefresh)
END_MESSAGE_MAP()

class FrameViewTest : public testsupport::PlatformTest {};

TEST_F(FrameViewTest, ViewsByClassNameFillPanesAndGoWithTheFrame) {
  g_liveViews = g_initialUpdates = 0;
  auto* frame = new MainFrame;
  ASSERT_TRUE(frame->Create(nullptr, "主視窗", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 480)));

  CCreateContext ctx;
  ctx.m_pNewViewClass = CRuntimeClass::FromName("QuoteView");
  auto* first = static_cast<QuoteView*>(frame->CreateView(&ctx));
  auto* second = static_cast<QuoteView*>(frame->CreateView(&ctx));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(ctx.m_pLastView, second);
  EXPECT_EQ(g_initialUpdates, 2);
  EXPECT_EQ(frame->GetPanes().size(), 2u);
  EXPECT_EQ(first->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(second->GetDlgCtrlID(), AFX_IDW_PANE_FIRST + 1);
  EXPECT_EQ(first->GetParentFrame(), frame);

  // Tabs: the active view fills the client area; the others are hidden.
  CRect client, pane;
  frame->GetClientRect(&client);
  first->GetClientRect(&pane);
  EXPECT_EQ(pane.Size(), client.Size());
  EXPECT_TRUE(first->IsWindowVisible());
  EXPECT_FALSE(second->IsWindowVisible());
  frame->SetActiveView(second);
  EXPECT_FALSE(first->IsWindowVisible());
  EXPECT_TRUE(second->IsWindowVisible());

  // Rows: stacked, each visible; resizing the frame lays them out again.
  frame->SetPaneLayout(CFrameWnd::paneRows);
  frame->MoveWindow(0, 0, 800, 600);
  frame->GetClientRect(&client);
  CRect r1, r2;
  first->GetWindowRect(&r1);
  second->GetWindowRect(&r2);
  EXPECT_TRUE(first->IsWindowVisible());
  EXPECT_EQ(r1.Width(), client.Width());
  EXPECT_EQ(r1.Height() + r2.Height(), client.Height());
  EXPECT_EQ(r1.bottom, r2.top);

  // Commands: the active view first, then the frame.
  frame->SendMessage(WM_COMMAND, 500, 0);
  frame->SendMessage(WM_COMMAND, 501, 0);
  EXPECT_EQ(second->refreshes, 1);
  EXPECT_EQ(first->refreshes, 0);
  EXPECT_EQ(frame->frameCommands, 1);

  // A view destroyed alone leaves its pane.
  second->DestroyWindow();
  EXPECT_EQ(g_liveViews, 1);
  EXPECT_EQ(frame->GetPanes().size(), 1u);
  EXPECT_EQ(frame->GetActiveView(), first);

  // Not a view: no pane.
  ctx.m_pNewViewClass = RUNTIME_CLASS(NotAView);
  EXPECT_EQ(frame->CreateView(&ctx), nullptr);
  ctx.m_pNewViewClass = nullptr;
  EXPECT_EQ(frame->CreateView(&ctx), nullptr);
  EXPECT_EQ(frame->CreateView(nullptr), nullptr);

  // The frame deletes itself and its views with its window.
  frame->DestroyWindow();
  EXPECT_EQ(g_liveViews, 0);
}

TEST_F(FrameViewTest, SizedPanesKeepTheirSizeInRowsAndTheRestShare) {
  g_liveViews = g_initialUpdates = 0;
  auto* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "主視窗", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700)));
  frame->SetPaneLayout(CFrameWnd::paneRows);
  CCreateContext ctx;
  ctx.m_pNewViewClass = RUNTIME_CLASS(QuoteView);
  // The caller restores the view before its initial update.
  auto* top = static_cast<QuoteView*>(frame->CreateView(&ctx, 0, FALSE));
  auto* middle = static_cast<QuoteView*>(frame->CreateView(&ctx, 0, FALSE));
  auto* bottom = static_cast<QuoteView*>(frame->CreateView(&ctx));
  ASSERT_TRUE(top && middle && bottom);
  EXPECT_EQ(g_initialUpdates, 1);

  frame->SetPaneSize(top, 500, 200);
  frame->SetPaneSize(middle, 0, 150);
  EXPECT_EQ(frame->GetPaneSize(top), CSize(500, 200));
  CRect client, r1, r2, r3;
  frame->GetClientRect(&client);
  frame->ClientToScreen(&client);
  top->GetWindowRect(&r1);
  middle->GetWindowRect(&r2);
  bottom->GetWindowRect(&r3);
  EXPECT_EQ(r1, CRect(client.left, client.top, client.left + 500, client.top + 200));
  EXPECT_EQ(r2, CRect(client.left, r1.bottom, client.right, r1.bottom + 150));
  EXPECT_EQ(r3, CRect(client.left, r2.bottom, client.right, client.bottom));

  // A pane resized alone: its view hears the new size.
  frame->SetPaneSize(top, 640, 260);
  EXPECT_EQ(top->lastSize, CSize(640, 260));
  middle->GetWindowRect(&r2);
  EXPECT_EQ(r2.top, client.top + 260);

  // A pane that goes leaves no size behind for the next one.
  middle->DestroyWindow();
  EXPECT_EQ(frame->GetPaneSize(bottom), CSize(0, 0));
  EXPECT_EQ(frame->GetPaneSize(middle), CSize(0, 0));
  bottom->GetWindowRect(&r3);
  EXPECT_EQ(r3.top, client.top + 260);
  EXPECT_EQ(r3.bottom, client.bottom);
  frame->DestroyWindow();
  EXPECT_EQ(g_liveViews, 0);
}

}  // namespace
