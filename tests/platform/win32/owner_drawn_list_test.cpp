// Conformance tests of what a list that paints its own rows and header relies
// on: a style made owner-drawn after creation, rows measured again when the
// list is told its position changed, a subclassed header that paints itself
// and sets its own height through HDM_LAYOUT, scrolling by pixels and the
// scroll position in rows.
#include <windows.h>
#include <commctrl.h>

#include "list_parent.h"
#include "test_support.h"

using testlist::Log;

namespace {

constexpr COLORREF kHeaderFill = RGB(10, 120, 200);
WNDPROC g_headerProc = nullptr;
int g_headerScale = 1;

// A header that doubles (or more) its natural height and paints itself in one colour.
LRESULT CALLBACK TallHeaderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == HDM_LAYOUT) {
    const LRESULT r = CallWindowProcA(g_headerProc, hwnd, msg, wParam, lParam);
    auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
    layout->pwpos->cy *= g_headerScale;
    layout->prc->top = layout->pwpos->cy;
    return r;
  }
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    HBRUSH brush = CreateSolidBrush(kHeaderFill);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return CallWindowProcA(g_headerProc, hwnd, msg, wParam, lParam);
}

class OwnerDrawnListTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    parent = testlist::CreateParent();
    Log() = testlist::ParentLog{};
    list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200,
                           parent, reinterpret_cast<HMENU>(7), testsupport::Instance(), nullptr);
    for (int i = 0; i < 2; ++i) {
      LVCOLUMNA c{LVCF_TEXT | LVCF_WIDTH, 0, 80, const_cast<char*>("C"), 0, 0, 0, 0, 0, 0, 0};
      SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
    }
    for (int i = 0; i < 40; ++i) {
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = const_cast<char*>("row");
      SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
  }
  void TearDown() override {
    g_headerProc = nullptr;
    PlatformTest::TearDown();
  }
  // Owner-drawn from now on, as a framework class makes a list it subclasses.
  void makeOwnerDrawn() {
    SetWindowLongA(list, GWL_STYLE, GetWindowLongA(list, GWL_STYLE) | LVS_OWNERDRAWFIXED);
  }
  // What the list is sent when a program tells it its position changed.
  void tellPositionChanged() {
    RECT rc;
    GetWindowRect(list, &rc);
    WINDOWPOS pos{};
    pos.hwnd = list;
    pos.cx = rc.right - rc.left;
    pos.cy = rc.bottom - rc.top;
    pos.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    SendMessageA(list, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  }
  RECT rowRect(int item, int code = LVIR_BOUNDS) {
    RECT r{};
    r.left = code;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  RECT cellRect(int item, int sub, int code) {
    RECT r{};
    r.top = sub;
    r.left = code;
    SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  int top() { return static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)); }
  int rowHeight() {
    RECT r = rowRect(0);
    return r.bottom - r.top;
  }
  COLORREF pixel(HWND window, int x, int y) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
  }
  HWND header() { return reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)); }
  int headerHeight() {
    RECT rc;
    GetWindowRect(header(), &rc);
    return rc.bottom - rc.top;
  }

  HWND parent = nullptr;
  HWND list = nullptr;
};

TEST_F(OwnerDrawnListTest, AListMadeOwnerDrawnIsMeasuredWhenToldItsPositionChanged) {
  makeOwnerDrawn();
  Log().measureHeight = 27;
  const int before = Log().measures;
  tellPositionChanged();
  EXPECT_GT(Log().measures, before);
  EXPECT_EQ(rowHeight(), 27);

  // A measure that leaves the height alone keeps the list's own.
  Log().measureHeight = 0;
  tellPositionChanged();
  EXPECT_GT(rowHeight(), 0);
}

TEST_F(OwnerDrawnListTest, EachVisibleRowIsDrawnWholeWithItsSelection) {
  makeOwnerDrawn();
  LVITEMA state{};
  state.state = state.stateMask = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  Log().draws.clear();
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
  ASSERT_FALSE(Log().draws.empty());
  for (const DRAWITEMSTRUCT& d : Log().draws) {
    EXPECT_EQ(d.CtlType, static_cast<UINT>(ODT_LISTVIEW));
    EXPECT_EQ(d.itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ((d.itemState & ODS_SELECTED) != 0, d.itemID == 1) << d.itemID;
  }
}

TEST_F(OwnerDrawnListTest, LabelAndBoundsOfCells) {
  makeOwnerDrawn();
  const RECT bounds = rowRect(3);
  const RECT sub = cellRect(3, 1, LVIR_BOUNDS);
  EXPECT_EQ(sub.left, bounds.left + 80);
  EXPECT_EQ(sub.right, sub.left + 80);
  EXPECT_EQ(sub.top, bounds.top);
  EXPECT_EQ(sub.bottom, bounds.bottom);
  const RECT label = cellRect(3, 1, LVIR_LABEL);
  EXPECT_EQ(label.top, sub.top);
  EXPECT_EQ(label.bottom, sub.bottom);
  EXPECT_GE(label.left, sub.left);
  EXPECT_LE(label.right, sub.right);
  const RECT first = cellRect(3, 0, LVIR_LABEL);
  EXPECT_GE(first.left, bounds.left);
  EXPECT_LE(first.right, bounds.left + 80);
}

TEST_F(OwnerDrawnListTest, ASubclassedHeaderSetsItsHeightAndPaintsItself) {
  const int natural = headerHeight();
  ASSERT_GT(natural, 0);
  g_headerScale = 2;
  g_headerProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(header(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TallHeaderProc)));
  // The list lays its header out again when its size changes.
  SetWindowPos(list, nullptr, 0, 0, 300, 210, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(headerHeight(), 2 * natural);
  EXPECT_EQ(rowRect(0).top, 2 * natural);
  EXPECT_EQ(pixel(header(), 5, 2 * natural - 2), kHeaderFill);
  RECT client;
  GetClientRect(header(), &client);
  EXPECT_EQ(pixel(header(), client.right - 2, 1), kHeaderFill);
}

TEST_F(OwnerDrawnListTest, ScrollingByPixelsMovesWholeRowsAndThePositionCountsRows) {
  makeOwnerDrawn();
  Log().measureHeight = 20;
  tellPositionChanged();
  ASSERT_EQ(rowHeight(), 20);
  EXPECT_TRUE(SendMessageA(list, LVM_SCROLL, 0, 3 * 20));
  EXPECT_EQ(top(), 3);
  EXPECT_EQ(GetScrollPos(list, SB_VERT), 3);
  // Without a drag, the track position is the position.
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS | SIF_POS;
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &si));
  EXPECT_EQ(si.nTrackPos, 3);
  EXPECT_TRUE(SendMessageA(list, LVM_SCROLL, 0, -2 * 20));
  EXPECT_EQ(top(), 1);
  const int page = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_GT(page, 0);
  SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
  EXPECT_EQ(top(), 1 + page);
}

}  // namespace
