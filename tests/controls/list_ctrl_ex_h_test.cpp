// The owner-drawn list through its real message paths: painting read back by
// pixel, clicks and keys from simulated input, and the owner's messages.
#include <input/input.h>

#include <cstring>
#include <string>

#include "list_fixture.h"

namespace ctltest {
namespace {

constexpr COLORREF kEven = RGB(198, 216, 253);
constexpr COLORREF kOdd = RGB(219, 230, 253);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// ---- Rows -------------------------------------------------------------------------------

TEST_F(ListTest, RowsAreBandedAndASelectedRowIsHighlighted) {
  MakeList(list, 1, {80, 80, 80});
  list.SetCheckColumn(false);
  AddRows(list, 3);
  list.SetItemText(0, 2, "");
  list.SetItemText(1, 2, "");
  list.SetItemText(2, 2, "");
  list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
  for (int row = 0; row < 3; ++row) {
    const CRect cell = Label(list, row, 2);
    const COLORREF want = row == 2 ? GetSysColor(COLOR_HIGHLIGHT) : row == 1 ? kOdd : kEven;
    EXPECT_EQ(Pixel(list.m_hWnd, cell.CenterPoint().x, cell.CenterPoint().y), want) << row;
    // Column 0 is filled 2 pixels further left than its label.
    const CRect first = Label(list, row, 0);
    EXPECT_EQ(Pixel(list.m_hWnd, first.left - 2, first.top + 1), want) << row;
  }
}

TEST_F(ListTest, CellTextFollowsTheAlignmentLetterOfItsColumn) {
  MakeList(list, 1, {});
  list.SetCheckColumn(false);
  list.InsertColumn(0, "L", LVCFMT_LEFT, 120);
  list.InsertColumn(1, "R", LVCFMT_RIGHT, 120);
  list.InsertColumn(2, "C", LVCFMT_CENTER, 120);
  list.InsertColumn(3, "?", LVCFMT_JUSTIFYMASK, 120);
  EXPECT_STREQ(list.m_header.m_strAlign, "LRCL");
  list.InsertItem(0, "WW");
  for (int c = 1; c < 4; ++c) list.SetItemText(0, c, "WW");
  const Capture cap = Grab(list.m_hWnd);
  auto middle = [&](int col) { return Label(list, 0, col).CenterPoint().x; };
  EXPECT_LT(cap.LastDarkX(Label(list, 0, 0)), middle(0));
  EXPECT_GT(cap.FirstDarkX(Label(list, 0, 1)), middle(1));
  EXPECT_LT(cap.FirstDarkX(Label(list, 0, 2)), middle(2));
  EXPECT_GT(cap.LastDarkX(Label(list, 0, 2)), middle(2));
  EXPECT_LT(cap.LastDarkX(Label(list, 0, 3)), middle(3));

  // Deleting a column takes its caption and letter along; an unknown one is refused.
  EXPECT_FALSE(list.DeleteColumn(4));
  EXPECT_EQ(list.m_header.GetItemCount(), 4);
  EXPECT_TRUE(list.DeleteColumn(1));
  EXPECT_STREQ(list.m_header.m_strAlign, "LCL");
  ASSERT_EQ(list.m_header.m_captions.size(), 3u);
  EXPECT_STREQ(list.m_header.m_captions[1], "C");
}

TEST_F(ListTest, AnAmpersandInACellIsDrawnAsItself) {
  MakeList(list, 1, {200});
  list.SetCheckColumn(false);
  list.InsertItem(0, "&&&&&&");
  list.InsertItem(1, "&&&");
  const Capture cap = Grab(list.m_hWnd);
  const int six = cap.LastDarkX(Label(list, 0, 0)) - cap.FirstDarkX(Label(list, 0, 0));
  const int three = cap.LastDarkX(Label(list, 1, 0)) - cap.FirstDarkX(Label(list, 1, 0));
  ASSERT_GT(three, 0);
  // Taken as prefixes, six would draw as three and three as one or two.
  EXPECT_GT(six, three * 3 / 2);
}

TEST_F(ListTest, TheOwnerFixesTheRowHeight) {
  MakeList(list, 1, {60, 60});
  AddRows(list, 1);
  EXPECT_EQ(list.GetRowHeight(), 0);  // no second row to measure
  AddRows(list, 2);
  list.SetRowHeight(31);
  EXPECT_EQ(list.GetRowHeight(), 31);
  CRect r0, r1;
  list.GetItemRect(0, &r0, LVIR_BOUNDS);
  list.GetItemRect(1, &r1, LVIR_BOUNDS);
  EXPECT_EQ(r1.top - r0.top, 31);
}

// ---- The check box ------------------------------------------------------------------

class CheckBoxTest : public ListTest {
 protected:
  void SetUp() override {
    ListTest::SetUp();
    MakeList(list, 1, {60, 80});
    list.SetRowHeight(24);
  }
  // Left and top of the box after its left edge moved in, for a row's cell.
  static POINT BoxOrigin(const CRect& cell, bool withText) {
    const int side = (cell.bottom - 4) - (cell.top + 4);
    const int left = withText ? cell.left + 1 : cell.left - 1 + (cell.Width() / 2 - side / 2);
    return POINT{left + 1, cell.top + 4};
  }
  static std::vector<POINT> Tick(POINT o) {
    std::vector<POINT> points;
    int x = o.x + 9, y = o.y + 3;
    for (int i = 0; i < 4; ++i, --x, ++y)
      for (int k = 0; k < 3; ++k) points.push_back({x, y + k});
    for (int i = 0; i < 3; ++i, --x, --y)
      for (int k = 0; k < 3; ++k) points.push_back({x, y + k});
    return points;
  }
};

TEST_F(CheckBoxTest, ACheckedRowShowsTheTickAtItsPixels) {
  AddRows(list, 2, false);
  list.ResetChecks(2, false);
  int col = -1;
  const CRect cell = Label(list, 1, 0);
  ASSERT_EQ(list.HitTestCell(cell.CenterPoint(), &col), 1);
  input::Click(list.m_hWnd, cell.CenterPoint());
  ASSERT_TRUE(list.IsChecked(1));

  const Capture cap = Grab(list.m_hWnd);
  const POINT o = BoxOrigin(cell, false);
  int left = cap.width, right = -1, lowest = -1, lowestX = -1;
  for (POINT p : Tick(o)) {
    EXPECT_EQ(cap.At(p.x, p.y), kBlack) << p.x - o.x << "," << p.y - o.y;
    left = std::min<int>(left, p.x), right = std::max<int>(right, p.x);
    if (p.y > lowest) lowest = p.y, lowestX = p.x;
  }
  EXPECT_EQ(right - left + 1, 7);
  EXPECT_EQ(lowestX, o.x + 5);
  // Around the tick the box is white; its sunken edge starts one pixel in.
  EXPECT_EQ(cap.At(o.x + 9, o.y + 2), kWhite);
  EXPECT_EQ(cap.At(o.x + 6, o.y + 10), kWhite);
  EXPECT_EQ(cap.At(o.x - 1, o.y + 6), kWhite);
  EXPECT_EQ(cap.At(o.x, o.y + 6), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(cap.At(o.x + 1, o.y + 6), GetSysColor(COLOR_3DDKSHADOW));
  // Around the box, the row's band.
  EXPECT_EQ(cap.At(o.x - 3, o.y + 6), kOdd);
  EXPECT_EQ(cap.At(o.x + 4, cell.top + 1), kOdd);

  // Row 0 is not checked: the same places are white.
  const POINT o0 = BoxOrigin(Label(list, 0, 0), false);
  for (POINT p : Tick(o0)) EXPECT_EQ(cap.At(p.x, p.y), kWhite);
  EXPECT_EQ(cap.At(o0.x - 3, o0.y + 6), kEven);
}

TEST_F(CheckBoxTest, WithTextTheBoxSitsAtTheLeftAndASelectedRowIsHighlighted) {
  AddRows(list, 1);
  list.ResetChecks(1, true);
  list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  const CRect cell = Label(list, 0, 0);
  const Capture cap = Grab(list.m_hWnd);
  const POINT o = BoxOrigin(cell, true);
  for (POINT p : Tick(o)) EXPECT_EQ(cap.At(p.x, p.y), kBlack);
  EXPECT_EQ(cap.At(cell.left, cell.top + 1), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(cap.At(o.x - 1, o.y + 6), kWhite);
}

TEST_F(CheckBoxTest, OnlyAClickInColumnZeroFlipsTheRowsBit) {
  AddRows(list, 8);
  list.ResetChecks(6, false);
  ASSERT_TRUE(input::ClickListCell(list.m_hWnd, 5, 0));
  ASSERT_EQ(owner.cells.size(), 1u);
  EXPECT_EQ(owner.cells[0].message, static_cast<UINT>(UM_LISTEXH_CELLCLICK));
  EXPECT_EQ(owner.cells[0].row, 5);
  EXPECT_EQ(owner.cells[0].col, 0);
  EXPECT_EQ(owner.cells[0].reserved, 0);
  EXPECT_EQ(owner.cells[0].text, "r5");
  EXPECT_TRUE(list.IsChecked(5));
  ASSERT_TRUE(input::ClickListCell(list.m_hWnd, 5, 0));
  EXPECT_FALSE(list.IsChecked(5));
  ASSERT_TRUE(input::ClickListCell(list.m_hWnd, 5, 1));
  EXPECT_EQ(owner.cells.back().col, 1);
  EXPECT_EQ(owner.cells.back().text, "c1");
  EXPECT_FALSE(list.IsChecked(5));
  // A click neither selects nor focuses a row by itself.
  EXPECT_EQ(list.GetSelectedCount(), 0u);

  // Row 7 lies beyond the check bits: it reads unchecked and a click leaves the bits alone.
  ASSERT_TRUE(input::ClickListCell(list.m_hWnd, 7, 0));
  EXPECT_EQ(owner.cells.back().row, 7);
  EXPECT_FALSE(list.IsChecked(7));
  EXPECT_EQ(list.m_checks.size(), 6u);
  EXPECT_FALSE(list.IsChecked(-1));
}

TEST_F(CheckBoxTest, AClickBelowTheLastRowSendsNothing) {
  AddRows(list, 3);
  list.ResetChecks(3, true);
  CRect last;
  list.GetItemRect(2, &last, LVIR_BOUNDS);
  input::Click(list.m_hWnd, POINT{10, last.bottom + 10});
  input::DoubleClick(list.m_hWnd, POINT{10, last.bottom + 10});
  EXPECT_TRUE(owner.cells.empty());
  for (int r = 0; r < 3; ++r) EXPECT_TRUE(list.IsChecked(r));
}

TEST_F(CheckBoxTest, ABoundaryBelongsToTheLeftColumnAndADoubleClickIsReported) {
  AddRows(list, 2);
  CRect bounds;
  list.GetItemRect(1, &bounds, LVIR_BOUNDS);
  const int y = (bounds.top + bounds.bottom) / 2;
  input::Click(list.m_hWnd, POINT{bounds.left + 60, y});
  ASSERT_EQ(owner.cells.size(), 1u);
  EXPECT_EQ(owner.cells[0].col, 0);
  input::Click(list.m_hWnd, POINT{bounds.left + 61, y});
  EXPECT_EQ(owner.cells.back().col, 1);

  owner.cells.clear();
  ASSERT_TRUE(input::DoubleClickListCell(list.m_hWnd, 1, 1));
  ASSERT_FALSE(owner.cells.empty());
  EXPECT_EQ(owner.cells.back().message, static_cast<UINT>(UM_LISTEXH_CELLDBLCLK));
  EXPECT_EQ(owner.cells.back().row, 1);
  EXPECT_EQ(owner.cells.back().text, "c1");
}

// ---- Texts ---------------------------------------------------------------------------

TEST_F(ListTest, ALongDoubleByteTextIsCutOnACharacterBoundary) {
  MakeList(list, 1, {120, 120});
  AddRows(list, 1);
  std::string odd = "a", even;
  for (int i = 0; i < 200; ++i) odd += "股", even += "股";
  list.SetItemText(0, 0, odd.c_str());
  list.SetItemText(0, 1, even.c_str());
  ASSERT_TRUE(input::ClickListCell(list.m_hWnd, 0, 0));
  ASSERT_TRUE(input::ClickListCell(list.m_hWnd, 0, 1));
  ASSERT_EQ(owner.cells.size(), 2u);
  // 259 bytes fit "a" and 129 characters; 258 bytes 129 characters.
  EXPECT_EQ(owner.cells[0].text, odd.substr(0, 259));
  EXPECT_EQ(owner.cells[1].text.size(), 258u);
  EXPECT_EQ(owner.cells[1].text, even.substr(0, 258));
  // Drawn from a 256-byte buffer without harm.
  EXPECT_GT(Grab(list.m_hWnd).DarkIn(Label(list, 0, 1)), 0);
}

TEST_F(ListTest, SetRowTextSkipsRunsOfDelimiters) {
  MakeList(list, 1, {60, 60, 60});
  AddRows(list, 5);
  list.SetRowText(3, ";A;;B;", ";");
  EXPECT_STREQ(list.GetItemText(3, 0), "A");
  EXPECT_STREQ(list.GetItemText(3, 1), "B");
  EXPECT_STREQ(list.GetItemText(3, 2), "c2");
  EXPECT_EQ(list.GetItemCount(), 5);

  // An empty row gets a new item; a trail byte equal to a delimiter does not split.
  list.SetRowText(5, "許|功", "|\\");
  ASSERT_EQ(list.GetItemCount(), 6);
  EXPECT_STREQ(list.GetItemText(5, 0), "許");
  EXPECT_STREQ(list.GetItemText(5, 1), "功");
  EXPECT_STREQ(list.GetItemText(5, 2), "");

  // A row whose first cell is empty is written, not pushed down by a new one.
  list.SetItemText(1, 0, "");
  list.SetRowText(1, "X,Y", ",");
  EXPECT_EQ(list.GetItemCount(), 6);
  EXPECT_STREQ(list.GetItemText(1, 0), "X");
  EXPECT_STREQ(list.GetItemText(1, 1), "Y");
  EXPECT_STREQ(list.GetItemText(2, 0), "r2");
}

TEST_F(ListTest, InfoTipsAreAlwaysEmpty) {
  MakeList(list, 1, {60});
  AddRows(list, 1);
  char callers[32] = "caller";
  NMLVGETINFOTIPA tip{};
  tip.hdr = {list.m_hWnd, 101, LVN_GETINFOTIPA};
  tip.pszText = callers;
  tip.cchTextMax = sizeof callers;
  auto notify = [&] { return owner.SendMessage(WM_NOTIFY, 101, reinterpret_cast<LPARAM>(&tip)); };
  notify();
  EXPECT_STREQ(callers, "caller");
  list.EnableInfoTip(true);
  EXPECT_EQ(notify(), 0);
  EXPECT_STREQ(callers, "");
  tip.dwFlags = LVGIT_UNFOLDED;
  std::strcpy(callers, "caller");
  EXPECT_EQ(notify(), 0);
  EXPECT_STREQ(callers, "caller");
  ASSERT_NE(tip.pszText, callers);
  EXPECT_STREQ(tip.pszText, "");
  EXPECT_EQ(tip.cchTextMax, 256);
}

// ---- Keys, wheel and scrolling ---------------------------------------------------------

TEST_F(ListTest, KeysGoToTheOwnerAlone) {
  MakeList(list, 2, {60});
  AddRows(list, 50);
  list.SetFocus();
  ASSERT_TRUE(input::PressKey(VK_DOWN));
  ASSERT_TRUE(input::PressKey(VK_NEXT));
  ASSERT_EQ(owner.keys.size(), 2u);
  EXPECT_EQ(owner.keys[0], std::make_pair(2, static_cast<UINT>(VK_DOWN)));
  EXPECT_EQ(owner.keys[1], std::make_pair(2, static_cast<UINT>(VK_NEXT)));
  EXPECT_EQ(list.GetTopIndex(), 0);
  EXPECT_EQ(list.GetSelectedCount(), 0u);
}

TEST_F(ListTest, TheWheelIsReportedAsOneLine) {
  MakeList(list, 1, {60});
  AddRows(list, 100);
  list.EnsureVisible(60, FALSE);
  const int top = list.GetTopIndex();
  list.SetFocus();
  ASSERT_TRUE(input::TurnWheel(list.m_hWnd, POINT{20, 60}, 2));
  ASSERT_EQ(owner.scrolls.size(), 1u);
  EXPECT_EQ(owner.scrolls[0].listNo, 1);
  EXPECT_EQ(owner.scrolls[0].code, static_cast<UINT>(SB_LINEUP));
  EXPECT_EQ(owner.scrolls[0].pos, static_cast<UINT>(top));  // read before the list moved
  EXPECT_LT(list.GetTopIndex(), top);
  ASSERT_TRUE(input::TurnWheel(list.m_hWnd, POINT{20, 60}, -1));
  ASSERT_EQ(owner.scrolls.size(), 2u);
  EXPECT_EQ(owner.scrolls[1].code, static_cast<UINT>(SB_LINEDOWN));
}

TEST_F(ListTest, TheScrollBarIsReportedWithItsPosition) {
  MakeList(list, 1, {60});
  AddRows(list, 100);
  list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
  const int top = list.GetTopIndex();
  EXPECT_GT(top, 0);
  list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 77), 0);
  EXPECT_EQ(list.GetTopIndex(), top + 1);
  ASSERT_EQ(owner.scrolls.size(), 2u);
  EXPECT_EQ(owner.scrolls[0].code, static_cast<UINT>(SB_PAGEDOWN));
  EXPECT_EQ(owner.scrolls[1].code, static_cast<UINT>(SB_LINEDOWN));
  EXPECT_EQ(owner.scrolls[1].pos, static_cast<UINT>(top));  // the bar's position, not 77
}

TEST_F(ListTest, TwoListsScrollAsOne) {
  CListCtrlExH names;
  MakeList(list, 1, {60, 60});
  MakeList(names, 2, {60, 60}, 350);
  AddRows(list, 200);
  AddRows(names, 200);
  list.SetRowHeight(20);
  names.SetRowHeight(20);
  list.m_nScrollUnit = list.GetRowHeight();
  names.m_nScrollUnit = names.GetRowHeight();
  owner.mirror[0] = &list;
  owner.mirror[1] = &names;
  list.SetFocus();
  ASSERT_TRUE(input::PressKey(VK_NEXT));
  const int page = list.GetTopIndex();
  EXPECT_GT(page, 1);
  EXPECT_EQ(names.GetTopIndex(), page);
  ASSERT_TRUE(input::PressKey(VK_DOWN));
  EXPECT_EQ(list.GetTopIndex(), page + 1);
  EXPECT_EQ(names.GetTopIndex(), page + 1);
  ASSERT_TRUE(input::TurnWheel(list.m_hWnd, POINT{20, 80}, -1));
  EXPECT_GT(list.GetTopIndex(), page + 1);
  EXPECT_EQ(names.GetTopIndex(), list.GetTopIndex());

  names.SetFocus();
  ASSERT_TRUE(input::PressKey(VK_UP));
  EXPECT_EQ(list.GetTopIndex(), names.GetTopIndex());
  ASSERT_TRUE(input::PressKey(VK_PRIOR));
  EXPECT_EQ(names.GetTopIndex(), list.GetTopIndex());
  names.DestroyWindow();
}

}  // namespace
}  // namespace ctltest
