// The host's report list on a real list view: lines from separated texts keep their
// insertion index, special cells report clicks to the parent with their text, cell
// colours follow their lines, and a header click sorts and asks for renumbering.
#include <afxwin.h>

#include <input/input.h>
#include <templates/dialog_template.h>

#include "CBaseOrderItemGroup.h"
#include "CListCtrlEx.h"
#include "ViewDataHelpers.h"
#include "host_fixture.h"

namespace {

constexpr int kListId = 100;

class ListParent : public CDialog {
 public:
  CListCtrlEx list;
  CBaseOrderItemGroup group;
  std::vector<std::pair<int, std::string>> clicks;
  std::vector<int> renumbered;

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, kListId, list); }
  afx_msg LRESULT OnSpecialClick(WPARAM wParam, LPARAM lParam) {
    CString text;
    text.Format("%s", reinterpret_cast<LPCTSTR>(lParam));
    clicks.emplace_back(static_cast<int>(wParam), text.str());
    return 0;
  }
  afx_msg LRESULT OnResetDatano(WPARAM wParam, LPARAM lParam) {
    renumbered.push_back(*reinterpret_cast<int*>(wParam));
    g_vResetDatano(reinterpret_cast<CListCtrl*>(lParam), *reinterpret_cast<int*>(wParam), &group);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ListParent, CDialog)
  ON_MESSAGE(UM_LISTEX_SPECIALCLICK, OnSpecialClick)
  ON_MESSAGE(UM_LISTEX_RESETDATANO, OnResetDatano)
END_MESSAGE_MAP()

class ListCtrlExTest : public hosttest::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    tmpl_ = templates::DialogTemplate("", WS_POPUP | WS_VISIBLE, {0, 0, 300, 160});
    tmpl_.SetFont(9, "Tahoma");
    tmpl_.Add(templates::DialogItem("SysListView32", "", kListId,
                                    WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS,
                                    {0, 0, 300, 160}));
    ASSERT_TRUE(parent_.CreateIndirect(tmpl_.Get(), nullptr));
    parent_.UpdateData(FALSE);
    CListCtrlEx& list = parent_.list;
    ASSERT_TRUE(::IsWindow(list.GetSafeHwnd()));
    list.InsertColumn(0, "序號", LVCFMT_CENTER, 40);
    list.InsertColumn(1, "代號", LVCFMT_LEFT, 60);
    list.InsertColumn(2, "數量", LVCFMT_RIGHT, 70);
    list.InsertColumn(3, "動作", LVCFMT_CENTER, 80);
    for (const char* key : {"IDS_ORDER-ITEM_DATACOUNT", "IDS_ORDER-ITEM_STOCKCODE"})
      parent_.group.bAddItem(key);
    parent_.group.vAddDisplayTitle("IDS_ORDER-ITEM_DATACOUNT", 40);
    parent_.group.vAddDisplayTitle("IDS_ORDER-ITEM_STOCKCODE", 60);
  }
  void TearDown() override {
    if (::IsWindow(parent_.GetSafeHwnd())) parent_.DestroyWindow();
    HostTest::TearDown();
  }
  std::vector<std::string> Column(int col) {
    std::vector<std::string> out;
    for (int i = 0; i < parent_.list.GetItemCount(); ++i) out.push_back(parent_.list.GetItemText(i, col).str());
    return out;
  }

  templates::DialogTemplate tmpl_;
  ListParent parent_;
};

TEST_F(ListCtrlExTest, LinesSplitAtTheSeparatorAndKeepTheirInsertionIndex) {
  CListCtrlEx& list = parent_.list;
  EXPECT_EQ(list.InsertLineText(0, "1\t2330\t1,000\t--", -1, "\t", 0), 0);
  EXPECT_EQ(list.InsertLineText(1, "2\t2317\t500\t--\tignored", -1, "\t", 0), 1);
  // Only the given length counts.
  EXPECT_EQ(list.InsertLineText(2, "3\t1101\t20\tcut here", 10, "\t", 0), 2);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"2330", "2317", "1101"}));
  EXPECT_EQ(list.GetItemText(2, 2), "20");
  EXPECT_EQ(list.GetItemText(2, 3), "");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list.GetItemData(i), static_cast<DWORD_PTR>(i));
  EXPECT_EQ(list.InsertLineText(-1, "x", -1, "\t", 0), -1);
}

TEST_F(ListCtrlExTest, AClickOnASpecialCellReachesTheParentWithItsText) {
  CListCtrlEx& list = parent_.list;
  list.InsertLineText(0, "1\t2330\t1,000\t", -1, "\t", 0);
  list.InsertLineText(1, "2\t2317\t500\t", -1, "\t", 0);
  ASSERT_TRUE(list.SetCellSpecialType(1, 3, LISTEX_SPECIAL_CLICKTEXT, {"出清"}));
  EXPECT_EQ(list.GetItemText(1, 3), "出清");
  EXPECT_EQ(list.GetCellSpecialType(1, 3), LISTEX_SPECIAL_CLICKTEXT);

  ASSERT_TRUE(input::ClickListCell(list.GetSafeHwnd(), 1, 3));
  ASSERT_EQ(parent_.clicks.size(), 1u);
  EXPECT_EQ(parent_.clicks[0].first, 1);
  EXPECT_EQ(parent_.clicks[0].second, "出清");
  // The clicked line is the selected one, so the parent knows the row.
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);

  // Plain cells and cancelled special cells report nothing.
  input::ClickListCell(list.GetSafeHwnd(), 0, 3);
  input::ClickListCell(list.GetSafeHwnd(), 1, 1);
  ASSERT_TRUE(list.bCancelSpecialType(1, 3, true));
  input::ClickListCell(list.GetSafeHwnd(), 1, 3);
  EXPECT_EQ(parent_.clicks.size(), 1u);
  EXPECT_FALSE(list.SetCellSpecialType(5, 3, LISTEX_SPECIAL_CLICKTEXT, {"x"}));
  EXPECT_FALSE(list.SetCellSpecialType(0, 9, LISTEX_SPECIAL_CLICKTEXT, {"x"}));
}

TEST_F(ListCtrlExTest, CellAttributesMoveWithTheirLines) {
  CListCtrlEx& list = parent_.list;
  list.InsertLineText(0, "1\tA\t1", -1, "\t", 0);
  list.InsertLineText(1, "2\tB\t2", -1, "\t", 0);
  list.SetCellTextColor(1, 2, RGB(255, 0, 0));
  list.SetCellBkColor(1, 2, 0xFFFF00);
  list.SetCellBorderColor(1, 2, RGB(0, 151, 0));
  // A line inserted above pushes the coloured cell down; deleting it brings it back.
  list.InsertLineText(0, "0\tZ\t0", -1, "\t", 0);
  EXPECT_EQ(list.GetCellTextColor(2, 2), RGB(255, 0, 0));
  EXPECT_EQ(list.GetCellTextColor(1, 2), CLR_NONE);
  list.DeleteItem(0);
  EXPECT_EQ(list.GetCellBkColor(1, 2), 0xFFFF00u);
  EXPECT_EQ(list.GetCellBorderColor(1, 2), RGB(0, 151, 0));
  // Cancelling with colours clears them; without, keeps them.
  list.bCancelSpecialType(1, 2, false);
  EXPECT_EQ(list.GetCellTextColor(1, 2), RGB(255, 0, 0));
  list.bCancelSpecialType(1, 2, true);
  EXPECT_EQ(list.GetCellTextColor(1, 2), CLR_NONE);
  list.DeleteAllItems();
  EXPECT_EQ(list.GetCellTextColor(0, 2), CLR_NONE);
  EXPECT_FALSE(list.SetCellTextColor(0, 2, 0));
}

TEST_F(ListCtrlExTest, SortingKeepsItemDataAndAsksTheParentToRenumber) {
  CListCtrlEx& list = parent_.list;
  list.InsertLineText(0, "1\t2330\t1,000\t", -1, "\t", 0);
  list.InsertLineText(1, "2\t2317\t500\t", -1, "\t", 0);
  list.InsertLineText(2, "3\t1101\t20,000\t", -1, "\t", 0);
  list.SetCellTextColor(2, 2, RGB(255, 0, 0));
  list.m_bySendResetDatano = 1;
  list.EnableSort(true);

  // Click the quantity header: numbers compare by value, with thousands separators.
  const HWND header = reinterpret_cast<HWND>(list.SendMessage(LVM_GETHEADER));
  ASSERT_NE(header, nullptr);
  CRect item;
  ASSERT_TRUE(::SendMessageA(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item)));
  ASSERT_TRUE(input::Click(header, item.CenterPoint()));
  EXPECT_EQ(list.m_nSortColumn, 2);
  EXPECT_EQ(list.m_nSortState, 1);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"500", "1,000", "20,000"}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"2317", "2330", "1101"}));
  EXPECT_EQ(list.GetItemData(0), 1u);
  EXPECT_EQ(list.GetItemData(2), 2u);
  EXPECT_EQ(list.GetCellTextColor(2, 2), RGB(255, 0, 0));
  // The parent renumbered the lines through the item group.
  EXPECT_EQ(parent_.renumbered, std::vector<int>{2});
  EXPECT_EQ(Column(0), (std::vector<std::string>{"1", "2", "3"}));

  // Again: descending.
  input::Click(header, item.CenterPoint());
  EXPECT_EQ(list.m_nSortState, 2);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"1101", "2330", "2317"}));
  EXPECT_EQ(list.GetCellTextColor(0, 2), RGB(255, 0, 0));

  // Without sorting, a header click changes nothing.
  list.EnableSort(false);
  input::Click(header, item.CenterPoint());
  EXPECT_EQ(list.m_nSortState, 2);
  EXPECT_EQ(parent_.renumbered.size(), 2u);
}

}  // namespace
