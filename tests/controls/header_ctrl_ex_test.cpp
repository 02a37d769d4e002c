// The embedded header: its height, its gradient and group captions read back
// by pixel, and dividers that neither drag nor double-click.
#include <input/input.h>

#include <algorithm>

#include "list_fixture.h"

namespace ctltest {
namespace {

COLORREF Shade(int r, int g, int b, int step, int y) {
  return RGB(std::max(0, r - step * y), std::max(0, g - step * y), std::max(0, b - step * y));
}

class HeaderTest : public ListTest {
 protected:
  CRect ItemRect(int i) {
    CRect rc;
    list.m_header.GetItemRect(i, &rc);
    return rc;
  }
  int HeaderHeight() {
    CRect rc;
    list.m_header.GetClientRect(&rc);
    return rc.Height();
  }
};

TEST_F(HeaderTest, TheHeaderIsTwiceItsNaturalHeightAndTheRowsStartBelowIt) {
  MakeList(list, 1, {60, 60});
  AddRows(list, 2);
  CListCtrl plain;
  ASSERT_TRUE(
      plain.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(350, 0, 650, 200), &owner, 300));
  plain.InsertColumn(0, "H0", LVCFMT_LEFT, 60);
  plain.InsertItem(0, "r0");
  CRect natural;
  plain.GetHeaderCtrl()->GetClientRect(&natural);
  ASSERT_GT(natural.Height(), 0);
  EXPECT_EQ(HeaderHeight(), 2 * natural.Height());
  CRect row;
  list.GetItemRect(0, &row, LVIR_BOUNDS);
  EXPECT_EQ(row.top, HeaderHeight());
  plain.DestroyWindow();
}

TEST_F(HeaderTest, TheGradientDarkensByTheStepPerPixelRowDownToZero) {
  MakeList(list, 1, {120, 120});
  const int h = HeaderHeight();
  const CRect col = ItemRect(1);
  for (int y = 0; y < h; ++y)
    EXPECT_EQ(Pixel(list.m_header.m_hWnd, col.left + 2, y), Shade(255, 255, 255, 2, y)) << y;

  list.SetHeaderGradient(30, 20, 10, 3);
  const Capture cap = Grab(list.m_header.m_hWnd);
  for (int y = 0; y < h; ++y) EXPECT_EQ(cap.At(col.left + 2, y), Shade(30, 20, 10, 3, y)) << y;
  // The strip right of the last column has the same gradient.
  EXPECT_EQ(cap.At(col.right + 5, 4), Shade(30, 20, 10, 3, 4));
}

TEST_F(HeaderTest, AGroupSpansItsColumnsInTheUpperHalf) {
  MakeList(list, 1, {40, 40, 40, 40, 150});
  list.SetHeaderGradient(240, 200, 160, 2);
  for (int c = 2; c <= 4; ++c) list.MarkGroupedColumn(c);
  EXPECT_FALSE(list.AddHeaderGroup(3, 2, "G"));
  EXPECT_FALSE(list.AddHeaderGroup(2, 5, "G"));
  ASSERT_TRUE(list.AddHeaderGroup(2, 4, "GROUP"));
  const int h = HeaderHeight();
  const int half = h / 2;
  const CRect c0 = ItemRect(0), c2 = ItemRect(2), c3 = ItemRect(3), c4 = ItemRect(4);
  const Capture cap = Grab(list.m_header.m_hWnd);

  // The group's gradient runs across the columns' dividers in the upper half.
  EXPECT_EQ(cap.At(c3.left, 1), Shade(240, 200, 160, 2, 1));
  EXPECT_EQ(cap.At(c4.left, half - 2), Shade(240, 200, 160, 2, half - 2));
  // A grouped column's gradient starts again just above the middle ...
  EXPECT_EQ(cap.At(c3.left + 2, half + 1), Shade(240, 200, 160, 2, 2));
  // ... an ungrouped one runs the whole height.
  EXPECT_EQ(cap.At(c0.left + 2, half + 1), Shade(240, 200, 160, 2, half + 1));
  // The group's caption is in the upper half, the grouped columns' own in the lower.
  EXPECT_GT(cap.DarkIn(CRect(c2.left, 0, c4.right, half)), 0);
  EXPECT_GT(cap.DarkIn(CRect(c3.left + 1, half, c3.right, h)), 0);

  list.ClearHeaderGroups();
  const Capture plain = Grab(list.m_header.m_hWnd);
  EXPECT_EQ(plain.At(c3.left + 2, half + 1), Shade(240, 200, 160, 2, half + 1));
  EXPECT_EQ(plain.DarkIn(CRect(c3.left + 1, 0, c3.right, 4)), 0);
}

// Asked as a printer or an exporter asks: by its registered name, through the window only.
TEST_F(HeaderTest, TheGroupOverAColumnIsToldToWhoeverAsksByName) {
  MakeList(list, 1, {40, 40, 40, 40, 40});
  const UINT ask = ::RegisterWindowMessageA("QzHeaderGroupCaption");
  ASSERT_NE(ask, 0u);
  const HWND header = list.m_header.m_hWnd;
  auto groupOver = [&](int column, int room, std::string* caption, LPARAM* span) {
    char text[64] = "untouched";
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_LPARAM;
    item.pszText = text;
    item.cchTextMax = room;
    item.lParam = -1;
    const LRESULT length = ::SendMessageA(header, ask, static_cast<WPARAM>(column),
                                          reinterpret_cast<LPARAM>(&item));
    *caption = text;
    *span = item.lParam;
    return length;
  };
  std::string caption;
  LPARAM span = 0;
  EXPECT_EQ(groupOver(2, 64, &caption, &span), 0);
  EXPECT_EQ(caption, "untouched");

  ASSERT_TRUE(list.AddHeaderGroup(1, 3, "\xbf\xc4\xb8\xea"));  // two double-byte characters
  EXPECT_EQ(groupOver(2, 64, &caption, &span), 4);
  EXPECT_EQ(caption, "\xbf\xc4\xb8\xea");
  EXPECT_EQ(span, MAKELPARAM(1, 3));
  EXPECT_EQ(groupOver(0, 64, &caption, &span), 0);
  EXPECT_EQ(groupOver(4, 64, &caption, &span), 0);
  // A buffer too small takes whole characters only.
  EXPECT_EQ(groupOver(1, 4, &caption, &span), 4);
  EXPECT_EQ(caption, "\xbf\xc4");

  list.ClearHeaderGroups();
  EXPECT_EQ(groupOver(2, 64, &caption, &span), 0);
}

TEST_F(HeaderTest, DividersDoNotMove) {
  MakeList(list, 1, {60, 70, 80});
  AddRows(list, 3);
  ASSERT_TRUE(input::DragHeaderDivider(list.m_header.m_hWnd, 1, 40));
  ASSERT_TRUE(input::DragHeaderDivider(list.m_header.m_hWnd, 0, -20));
  ASSERT_TRUE(input::DoubleClickHeaderDivider(list.m_header.m_hWnd, 2));
  EXPECT_EQ(list.GetColumnWidth(0), 60);
  EXPECT_EQ(list.GetColumnWidth(1), 70);
  EXPECT_EQ(list.GetColumnWidth(2), 80);
  EXPECT_EQ(ItemRect(1).Width(), 70);
  CRect cell;
  list.GetSubItemRect(0, 2, LVIR_BOUNDS, cell);
  EXPECT_EQ(cell.Width(), 80);
}

}  // namespace
}  // namespace ctltest
