// Wrappers of the standard controls on the real controls: created through the
// framework (and so subclassed), driven by their members, notifying the parent's map.
#include <afxwin.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace {

constexpr int IDC_CHECK = 10;
constexpr int IDC_COMBO = 11;
constexpr int IDC_EDIT = 12;

class Panel : public CWnd {
 public:
  std::vector<std::string> log;
  CButton m_check;
  CComboBox m_combo;
  CEdit m_edit;
  int m_index = -1;
  CString m_text;
  int m_checked = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_CBIndex(pDX, IDC_COMBO, m_index);
    DDX_Text(pDX, IDC_EDIT, m_text);
    DDX_Check(pDX, IDC_CHECK, m_checked);
  }
  afx_msg void OnCheck() { log.push_back("check " + std::to_string(m_check.GetCheck())); }
  afx_msg void OnComboChange() { log.push_back("combo " + std::to_string(m_combo.GetCurSel())); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Panel, CWnd)
  ON_BN_CLICKED(IDC_CHECK, OnCheck)
  ON_CBN_SELCHANGE(IDC_COMBO, OnComboChange)
END_MESSAGE_MAP()

class StandardControlTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    testsupport::PlatformTest::SetUp();
    WNDCLASSA wc{};
    if (!GetClassInfoA(nullptr, "Button", &wc) || !GetClassInfoA(nullptr, "ComboBox", &wc) ||
        !GetClassInfoA(nullptr, "Edit", &wc))
      GTEST_SKIP() << "the standard controls are not there yet";
    ASSERT_TRUE(panel.CreateEx(0, nullptr, "panel", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    ASSERT_TRUE(panel.m_check.Create("提醒", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(5, 5, 100, 25),
                                     &panel, IDC_CHECK));
    ASSERT_TRUE(panel.m_combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(5, 30, 150, 200), &panel,
                                     IDC_COMBO));
    ASSERT_TRUE(panel.m_edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(5, 60, 150, 80), &panel,
                                    IDC_EDIT));
  }
  Panel panel;
};

TEST_F(StandardControlTest, CreatedControlsBelongToTheirObjects) {
  EXPECT_EQ(CWnd::FromHandlePermanent(panel.m_check.m_hWnd), &panel.m_check);
  EXPECT_EQ(panel.GetDlgItem(IDC_COMBO), &panel.m_combo);
  CString caption;
  panel.m_check.GetWindowText(caption);
  EXPECT_EQ(caption, "提醒");
}

TEST_F(StandardControlTest, ButtonClicksReachTheParentsMap) {
  panel.m_check.Click();
  EXPECT_EQ(panel.m_check.GetCheck(), BST_CHECKED);
  panel.m_check.SetCheck(BST_UNCHECKED);
  EXPECT_EQ(panel.m_check.GetCheck(), BST_UNCHECKED);
  EXPECT_EQ(panel.log, (std::vector<std::string>{"check 1"}));
}

TEST_F(StandardControlTest, ComboMembersAndDataExchange) {
  EXPECT_EQ(panel.m_combo.AddString("元大"), 0);
  EXPECT_EQ(panel.m_combo.AddString("Fubon"), 1);
  EXPECT_EQ(panel.m_combo.InsertString(0, "永豐"), 0);
  EXPECT_EQ(panel.m_combo.GetCount(), 3);
  EXPECT_EQ(panel.m_combo.FindStringExact(-1, "fubon"), 2);  // without case
  EXPECT_EQ(panel.m_combo.FindStringExact(-1, "nothing"), CB_ERR);
  CString text;
  panel.m_combo.GetLBText(1, text);
  EXPECT_EQ(text, "元大");
  EXPECT_EQ(panel.m_combo.GetLBTextLen(1), 4);
  EXPECT_NE(panel.m_combo.SetItemData(2, 42), CB_ERR);
  EXPECT_EQ(panel.m_combo.GetItemData(2), 42u);
  EXPECT_EQ(panel.m_combo.SetCurSel(5), CB_ERR);
  panel.m_combo.GetLBText(7, text);
  EXPECT_TRUE(text.IsEmpty());

  panel.m_index = 2;
  panel.m_text = "100";
  panel.m_checked = BST_CHECKED;
  ASSERT_TRUE(panel.UpdateData(FALSE));
  EXPECT_EQ(panel.m_combo.GetCurSel(), 2);
  EXPECT_EQ(panel.m_check.GetCheck(), BST_CHECKED);
  panel.m_edit.SetWindowText("250");
  panel.m_combo.SetCurSel(0);
  ASSERT_TRUE(panel.UpdateData(TRUE));
  EXPECT_EQ(panel.m_index, 0);
  EXPECT_EQ(panel.m_text, "250");
}

TEST_F(StandardControlTest, EditSelectionAndLimit) {
  panel.m_edit.SetWindowText("12345");
  panel.m_edit.SetSel(1, 3);
  const DWORD sel = panel.m_edit.GetSel();
  EXPECT_EQ(LOWORD(sel), 1);
  EXPECT_EQ(HIWORD(sel), 3);
  panel.m_edit.ReplaceSel("x");
  CString text;
  panel.m_edit.GetWindowText(text);
  EXPECT_EQ(text, "1x45");
  panel.m_edit.SetLimitText(8);
  EXPECT_EQ(panel.m_edit.GetLimitText(), 8u);
}

}  // namespace
