// Conformance tests of the header control: items, layout, and what a person's
// divider drags and double clicks do, refused or allowed by the parent.
#include <windows.h>
#include <commctrl.h>

#include "list_parent.h"
#include "test_support.h"

using testlist::Log;

namespace {

class HeaderTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    parent = testlist::CreateParent();
  }
  void makeHeader() {
    header = CreateWindowExA(0, WC_HEADERA, "", WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_FULLDRAG, 0, 0,
                             300, 24, parent, reinterpret_cast<HMENU>(5), testsupport::Instance(), nullptr);
    int widths[] = {50, 60, 70};
    for (int i = 0; i < 3; ++i) {
      HDITEMA hdi{};
      hdi.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
      hdi.cxy = widths[i];
      hdi.pszText = const_cast<char*>("Col");
      hdi.fmt = HDF_LEFT | HDF_STRING;
      SendMessageA(header, HDM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&hdi));
    }
  }
  void makeList() {
    list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200, parent,
                           reinterpret_cast<HMENU>(6), testsupport::Instance(), nullptr);
    const char* texts[] = {"A", "B"};
    for (int i = 0; i < 2; ++i) {
      LVCOLUMNA c{LVCF_TEXT | LVCF_WIDTH, 0, 50, const_cast<char*>(texts[i]), 0, 0, 0, 0, 0, 0, 0};
      SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
    }
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<char*>("a rather long first cell");
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  }
  int width(int i) {
    HDITEMA hdi{};
    hdi.mask = HDI_WIDTH;
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&hdi));
    return hdi.cxy;
  }
  void drag(int from, int to) {
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from, 5));
    SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from + to) / 2, 5));
    SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, 5));
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(to, 5));
  }
  void doubleClick(int x) {
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
    SendMessageA(header, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
  }
  HWND parent = nullptr;
  HWND header = nullptr;
  HWND list = nullptr;
};

TEST_F(HeaderTest, ItemsAndTheirRectangles) {
  makeHeader();
  EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 3);
  RECT r{};
  ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r)));
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.right, 110);
  EXPECT_FALSE(SendMessageA(header, HDM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r)));
  char buf[3] = {};
  HDITEMA hdi{};
  hdi.mask = HDI_TEXT;
  hdi.pszText = buf;
  hdi.cchTextMax = sizeof buf;
  ASSERT_TRUE(SendMessageA(header, HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&hdi)));
  EXPECT_STREQ(buf, "Co");
  hdi.mask = HDI_WIDTH;
  hdi.cxy = 90;
  EXPECT_TRUE(SendMessageA(header, HDM_SETITEMA, 2, reinterpret_cast<LPARAM>(&hdi)));
  EXPECT_EQ(width(2), 90);
  EXPECT_FALSE(SendMessageA(header, HDM_SETITEMA, 3, reinterpret_cast<LPARAM>(&hdi)));
  EXPECT_FALSE(SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&hdi)));
  EXPECT_TRUE(SendMessageA(header, HDM_DELETEITEM, 0, 0));
  EXPECT_FALSE(SendMessageA(header, HDM_DELETEITEM, 5, 0));
  EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(HeaderTest, LayoutTakesTheHeadersHeightOffTheTop) {
  makeHeader();
  RECT area{0, 10, 300, 200};
  WINDOWPOS wp{};
  HDLAYOUT layout{&area, &wp};
  ASSERT_TRUE(SendMessageA(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
  EXPECT_GT(wp.cy, 0);
  EXPECT_EQ(wp.y, 10);
  EXPECT_EQ(wp.cx, 300);
  EXPECT_EQ(area.top, 10 + wp.cy);
}

TEST_F(HeaderTest, DraggingADividerChangesTheWidthAndTellsTheParent) {
  makeHeader();
  drag(50, 80);
  EXPECT_EQ(width(0), 80);
  auto begin = testlist::HeaderNotices(HDN_BEGINTRACKA);
  auto end = testlist::HeaderNotices(HDN_ENDTRACKA);
  ASSERT_EQ(begin.size(), 1u);
  ASSERT_EQ(end.size(), 1u);
  EXPECT_EQ(begin[0].item, 0);
  EXPECT_EQ(begin[0].from, header);
  EXPECT_FALSE(testlist::HeaderNotices(HDN_ITEMCHANGEDA).empty());
  EXPECT_EQ(testlist::HeaderNotices(HDN_ITEMCHANGEDA).back().width, 80);
}

TEST_F(HeaderTest, AParentAnsweringBeginTrackStopsTheDrag) {
  makeHeader();
  testlist::AnswerHeader(HDN_BEGINTRACKA, TRUE);
  drag(110, 150);
  EXPECT_EQ(width(1), 60);
  EXPECT_TRUE(testlist::HeaderNotices(HDN_ENDTRACKA).empty());
  EXPECT_TRUE(testlist::HeaderNotices(HDN_ITEMCHANGEDA).empty());
}

TEST_F(HeaderTest, DoubleClickingADividerIsTold) {
  makeHeader();
  doubleClick(110);
  auto dbl = testlist::HeaderNotices(HDN_DIVIDERDBLCLICKA);
  ASSERT_EQ(dbl.size(), 1u);
  EXPECT_EQ(dbl[0].item, 1);
  EXPECT_EQ(width(1), 60);
}

TEST_F(HeaderTest, AListsParentCanRefuseEveryResize) {
  QZ_HEADLESS_ONLY("Wine's list view does not pass HDN_BEGINTRACK on to its parent");
  makeList();
  for (UINT code : {HDN_BEGINTRACKA, HDN_ENDTRACKA, HDN_DIVIDERDBLCLICKA, HDN_ITEMCHANGEDA})
    testlist::AnswerHeader(code, TRUE);
  drag(50, 90);
  doubleClick(50);
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 50);
  EXPECT_EQ(width(0), 50);
  // The double click's first press grabs the divider too.
  EXPECT_EQ(testlist::HeaderNotices(HDN_BEGINTRACKA).size(), 2u);
  EXPECT_EQ(testlist::HeaderNotices(HDN_DIVIDERDBLCLICKA).size(), 1u);
}

TEST_F(HeaderTest, AListFollowsItsHeaderWhenTheParentAllows) {
  makeList();
  drag(50, 70);
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 70);
  RECT r{};
  r.top = 1;
  r.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.left, 70);
  // A double click fits the column to its longest text.
  doubleClick(70);
  EXPECT_GT(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 70);
}

}  // namespace
