// Conformance tests of the list view where the headless backend once differed
// from Win32: item state on insertion, state for every item, sub-item data,
// the notices of a destroyed list, redraw, hit tests outside the cells, and
// column, item and view rectangles.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "test_support.h"

using ::testing::ElementsAre;

namespace {

struct Notice {
  UINT code;
  int item;
  LPARAM param;
};

struct ParentLog {
  std::vector<Notice> notices;
  int draws = 0;
  LRESULT deleteAllAnswer = 0;
};

ParentLog& log() {
  static ParentLog l;
  return l;
}

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->code <= LVN_FIRST && hdr->code > LVN_FIRST - 50) {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
      log().notices.push_back(Notice{hdr->code, nm->iItem, nm->lParam});
      if (hdr->code == LVN_DELETEALLITEMS) return log().deleteAllAnswer;
    }
    return 0;
  }
  if (msg == WM_DRAWITEM) {
    ++log().draws;
    return TRUE;
  }
  if (msg == WM_MEASUREITEM) return TRUE;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class ListViewWindowsTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    log() = ParentLog{};
    WNDCLASSA wc{};
    wc.lpfnWndProc = parentProc;
    wc.hInstance = testsupport::Instance();
    wc.lpszClassName = "QzListWindowsParent";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
    parent = CreateWindowExA(0, wc.lpszClassName, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 420, 320, nullptr,
                             nullptr, testsupport::Instance(), nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent);
    UnregisterClassA("QzListWindowsParent", testsupport::Instance());
    PlatformTest::TearDown();
  }

  HWND makeList(DWORD style = 0, int width = 300) {
    list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | style, 0, 0, width, 200,
                           parent, reinterpret_cast<HMENU>(7), testsupport::Instance(), nullptr);
    const int widths[] = {80, 60, 100};
    for (int i = 0; i < 3; ++i) {
      LVCOLUMNA c{LVCF_TEXT | LVCF_WIDTH, 0, widths[i], const_cast<char*>("Col"), 0, 0, 0, 0, 0, 0, 0};
      SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
    }
    return list;
  }
  int insert(int index, UINT mask, UINT state = 0, UINT stateMask = 0, LPARAM param = 0) {
    LVITEMA item{};
    item.mask = mask;
    item.iItem = index;
    item.pszText = const_cast<char*>("2330");
    item.state = state;
    item.stateMask = stateMask;
    item.lParam = param;
    return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  }
  void addRows(int n) {
    for (int i = 0; i < n; ++i) insert(i, LVIF_TEXT | LVIF_PARAM, 0, 0, 10 * (i + 1));
  }
  UINT state(int item, UINT mask) {
    return static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
  }
  LRESULT setState(int item, UINT st, UINT mask) {
    LVITEMA lvi{};
    lvi.state = st;
    lvi.stateMask = mask;
    return SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
  }
  RECT itemRect(int item, int code) {
    RECT r{};
    r.left = code;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  LVHITTESTINFO subItemHit(int x, int y, LRESULT* result) {
    LVHITTESTINFO ht{};
    ht.pt = POINT{x, y};
    *result = SendMessageA(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&ht));
    return ht;
  }
  std::vector<UINT> codes() {
    std::vector<UINT> out;
    for (const Notice& n : log().notices) out.push_back(n.code);
    return out;
  }

  HWND parent = nullptr;
  HWND list = nullptr;
};

TEST_F(ListViewWindowsTest, ANewItemTakesItsWholeStateWhateverTheMask) {
  makeList();
  ASSERT_EQ(insert(0, LVIF_STATE, LVIS_SELECTED, 0), 0);
  EXPECT_EQ(state(0, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
  ASSERT_EQ(insert(1, LVIF_STATE, LVIS_FOCUSED, 0), 1);
  EXPECT_EQ(state(1, LVIS_FOCUSED), static_cast<UINT>(LVIS_FOCUSED));
  ASSERT_EQ(insert(2, LVIF_STATE, LVIS_CUT, LVIS_FOCUSED), 2);
  EXPECT_EQ(state(2, LVIS_CUT | LVIS_FOCUSED), static_cast<UINT>(LVIS_CUT));
  // Without LVIF_STATE the state is not read.
  ASSERT_EQ(insert(3, LVIF_TEXT, LVIS_SELECTED, LVIS_SELECTED), 3);
  EXPECT_EQ(state(3, LVIS_SELECTED), 0u);
}

TEST_F(ListViewWindowsTest, EveryItemAtOnceCannotTakeWhatOnlyOneMayHave) {
  makeList(LVS_SINGLESEL);
  addRows(3);
  EXPECT_FALSE(setState(-1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
  EXPECT_FALSE(setState(-1, LVIS_FOCUSED, LVIS_FOCUSED));
  EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), -1);
  // Clearing every item is allowed; so is selecting one.
  EXPECT_TRUE(setState(1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_TRUE(setState(-1, 0, LVIS_SELECTED));
  EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);

  DestroyWindow(list);
  makeList();
  addRows(3);
  EXPECT_TRUE(setState(-1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 3);
}

TEST_F(ListViewWindowsTest, ASubItemHasTextButNoItemData) {
  makeList();
  addRows(1);
  LVITEMA set{};
  set.mask = LVIF_PARAM;
  set.iItem = 0;
  set.iSubItem = 1;
  set.lParam = 99;
  EXPECT_FALSE(SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set)));
  set.mask = LVIF_TEXT | LVIF_PARAM;
  set.pszText = const_cast<char*>("600");
  EXPECT_FALSE(SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set)));
  set.mask = LVIF_TEXT;
  EXPECT_TRUE(SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set)));
  // Asked of a sub-item, the item data is the item's.
  LVITEMA get{};
  get.mask = LVIF_PARAM;
  get.iItem = 0;
  get.iSubItem = 1;
  ASSERT_TRUE(SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
  EXPECT_EQ(get.lParam, 10);
}

TEST_F(ListViewWindowsTest, ADestroyedListTellsOfEveryItemItHeld) {
  makeList();
  addRows(3);
  log().notices.clear();
  DestroyWindow(list);
  ASSERT_THAT(codes(), ElementsAre(LVN_DELETEALLITEMS, LVN_DELETEITEM, LVN_DELETEITEM, LVN_DELETEITEM));
  EXPECT_EQ(log().notices[0].item, -1);
  std::vector<LPARAM> params;
  for (size_t i = 1; i < log().notices.size(); ++i) params.push_back(log().notices[i].param);
  std::sort(params.begin(), params.end());
  EXPECT_THAT(params, ElementsAre(10, 20, 30));

  // A parent answering LVN_DELETEALLITEMS wants no notice per item, also on LVM_DELETEALLITEMS.
  makeList();
  addRows(2);
  log().notices.clear();
  log().deleteAllAnswer = TRUE;
  EXPECT_TRUE(SendMessageA(list, LVM_DELETEALLITEMS, 0, 0));
  addRows(2);
  DestroyWindow(list);
  std::vector<UINT> deletes;
  for (UINT c : codes())
    if (c == LVN_DELETEALLITEMS || c == LVN_DELETEITEM) deletes.push_back(c);
  EXPECT_THAT(deletes, ElementsAre(LVN_DELETEALLITEMS, LVN_DELETEALLITEMS));
}

TEST_F(ListViewWindowsTest, RedrawOffStopsPaintingButKeepsTheListVisible) {
  makeList(LVS_OWNERDRAWFIXED);
  addRows(3);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  EXPECT_NE(GetWindowLongA(list, GWL_STYLE) & WS_VISIBLE, 0);
  EXPECT_TRUE(IsWindowVisible(list));
  log().draws = 0;
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
  EXPECT_EQ(log().draws, 0);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  UpdateWindow(list);
  EXPECT_EQ(log().draws, 3);
}

TEST_F(ListViewWindowsTest, HitTestsAnswerOutsideTheCellsAsWin32Does) {
  makeList(0, 200);  // narrower than its 240 pixels of columns
  addRows(3);
  RECT row0 = itemRect(0, LVIR_BOUNDS);
  RECT row2 = itemRect(2, LVIR_BOUNDS);
  const int h = row0.bottom - row0.top;
  const int mid = (row0.top + row0.bottom) / 2;
  RECT client;
  GetClientRect(list, &client);
  ASSERT_LT(client.right + 5, 240);

  // LVM_HITTEST never writes iSubItem, hit or miss.
  LVHITTESTINFO ht{};
  ht.pt = POINT{10, mid};
  ht.iSubItem = 77;
  EXPECT_EQ(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht)), 0);
  EXPECT_EQ(ht.iSubItem, 77);
  ht.pt = POINT{-1, mid};
  EXPECT_EQ(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht)), -1);
  EXPECT_EQ(ht.iSubItem, 77);
  EXPECT_EQ(ht.flags, static_cast<UINT>(LVHT_TOLEFT));

  LRESULT r = 0;
  // Left of column 0: no cell at all.
  ht = subItemHit(-1, mid, &r);
  EXPECT_EQ(r, -1);
  EXPECT_EQ(ht.iItem, -1);
  EXPECT_EQ(ht.iSubItem, -1);
  EXPECT_EQ(ht.flags, static_cast<UINT>(LVHT_NOWHERE));
  // Right of the client area but inside the last column: the cell.
  ht = subItemHit(client.right + 5, mid, &r);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(ht.iSubItem, 2);
  EXPECT_EQ(ht.flags, static_cast<UINT>(LVHT_ONITEMLABEL));
  // Right of every column: nothing.
  ht = subItemHit(250, mid, &r);
  EXPECT_EQ(r, -1);
  EXPECT_EQ(ht.iSubItem, -1);
  EXPECT_EQ(ht.flags, static_cast<UINT>(LVHT_NOWHERE));
  // Over the header, half a row down: read as the first row.
  ht = subItemHit(100, h / 2, &r);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(ht.iItem, 0);
  EXPECT_EQ(ht.iSubItem, 1);
  EXPECT_EQ(ht.flags, static_cast<UINT>(LVHT_ONITEMLABEL));
  // Below the last row: no item, but the column is named.
  ht = subItemHit(100, row2.bottom + 1, &r);
  EXPECT_EQ(r, -1);
  EXPECT_EQ(ht.iItem, -1);
  EXPECT_EQ(ht.iSubItem, 1);
  EXPECT_EQ(ht.flags, static_cast<UINT>(LVHT_NOWHERE));
}

TEST_F(ListViewWindowsTest, ColumnCellAndViewRectanglesAreWin32s) {
  makeList();
  addRows(2);
  // A column inserted without a width is 10 pixels wide.
  LVCOLUMNA bare{};
  ASSERT_EQ(SendMessageA(list, LVM_INSERTCOLUMNA, 3, reinterpret_cast<LPARAM>(&bare)), 3);
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 3, 0), 10);

  // The selection bounds start at the label, after its 2-pixel margin.
  RECT sel = itemRect(0, LVIR_SELECTBOUNDS);
  RECT label = itemRect(0, LVIR_LABEL);
  EXPECT_EQ(sel.left, 2);
  EXPECT_EQ(sel.left, label.left);
  EXPECT_GT(sel.right, sel.left);
  EXPECT_LE(sel.right, 80);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  sel = itemRect(0, LVIR_SELECTBOUNDS);
  RECT bounds = itemRect(0, LVIR_BOUNDS);
  EXPECT_TRUE(EqualRect(&sel, &bounds));

  // Item -1 of a sub-item is the strip above the first row, under its header item.
  RECT cell{};
  cell.top = 1;
  cell.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&cell)));
  EXPECT_EQ(cell.left, 80);
  EXPECT_EQ(cell.right, 140);
  EXPECT_EQ(cell.bottom, bounds.top);
  EXPECT_EQ(cell.bottom - cell.top, bounds.bottom - bounds.top);
  cell.top = 0;
  cell.left = LVIR_BOUNDS;
  EXPECT_FALSE(SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&cell)));

  // Report view has an empty view rectangle.
  RECT view{-1, -1, -1, -1};
  ASSERT_TRUE(SendMessageA(list, LVM_GETVIEWRECT, 0, reinterpret_cast<LPARAM>(&view)));
  EXPECT_EQ(view.top, 0);
  EXPECT_EQ(view.right, 0);
  EXPECT_EQ(view.bottom, 0);
}

}  // namespace
