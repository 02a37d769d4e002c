// Simulated input on report lists and their headers.
#include <windows.h>

#include <commctrl.h>
#include <input/input.h>

#include <gmock/gmock.h>

#include "../win32/list_parent.h"
#include "test_support.h"

namespace {

class ListInputTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    input::SetMessagePump(nullptr);
    parent = testlist::CreateParent();
    list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 120,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(5)),
                           testsupport::Instance(), nullptr);
    for (int c = 0; c < 3; ++c) {
      LVCOLUMNA col{};
      col.mask = LVCF_TEXT | LVCF_WIDTH;
      col.cx = 80;
      char name[] = "C0";
      name[1] = static_cast<char>('0' + c);
      col.pszText = name;
      SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    }
    for (int r = 0; r < 40; ++r) {
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = r;
      char text[] = "row";
      item.pszText = text;
      SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    testlist::Log().notices.clear();
  }

  HWND parent = nullptr;
  HWND list = nullptr;
};

}  // namespace

TEST_F(ListInputTest, ClickingACellReportsThatCellToTheParent) {
  ASSERT_TRUE(input::ClickListCell(list, 2, 1));
  auto clicks = testlist::NoticesWithCode(NM_CLICK);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].item, 2);
  EXPECT_EQ(clicks[0].subItem, 1);
}

TEST_F(ListInputTest, ARowBelowThePageIsScrolledIntoViewFirst) {
  ASSERT_TRUE(input::DoubleClickListCell(list, 35, 0));
  EXPECT_GT(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 0);
  auto doubles = testlist::NoticesWithCode(NM_DBLCLK);
  ASSERT_EQ(doubles.size(), 1u);
  EXPECT_EQ(doubles[0].item, 35);
}

TEST_F(ListInputTest, CellsThatDoNotExistAreNotClicked) {
  EXPECT_FALSE(input::ClickListCell(list, 40, 0));
  EXPECT_FALSE(input::ClickListCell(list, -1, 0));
  EXPECT_FALSE(input::ClickListCell(list, 0, 7));
  EXPECT_TRUE(testlist::NoticesWithCode(NM_CLICK).empty());
}

TEST_F(ListInputTest, DraggingADividerResizesTheColumn) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  ASSERT_TRUE(input::DragHeaderDivider(header, 1, 25));
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 105);
  EXPECT_FALSE(input::DragHeaderDivider(header, 9, 25));
}

TEST_F(ListInputTest, DoubleClickingADividerIsReported) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  ASSERT_TRUE(input::DoubleClickHeaderDivider(header, 0));
  EXPECT_FALSE(testlist::HeaderNotices(HDN_DIVIDERDBLCLICKA).empty());
}
