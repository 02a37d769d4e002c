// Control wrappers send one message each; these tests check how the members
// that do more than pass their arguments pack them, against a window that
// answers as the control would. Owner-drawn wrappers draw through reflection.
#include <afxwin.h>

#include <cstring>
#include <string>
#include <vector>

#include "test_control.h"
#include "test_support.h"

namespace {

struct Seen {
  UINT message;
  WPARAM wParam;
  LVITEM item;
  RECT rect;
};
std::vector<Seen> g_seen;
std::string g_itemText;  // what the fake list answers for any cell

LRESULT CALLBACK fakeListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Seen s{msg, wParam, {}, {}};
  switch (msg) {
    case LVM_SETITEMSTATE:
    case LVM_SETITEMTEXT:
    case LVM_SETITEM:
    case LVM_INSERTITEM:
      s.item = *reinterpret_cast<LVITEM*>(lParam);
      g_seen.push_back(s);
      return msg == LVM_INSERTITEM ? 3 : TRUE;
    case LVM_GETITEM: {
      auto* item = reinterpret_cast<LVITEM*>(lParam);
      if (item->mask & LVIF_PARAM) item->lParam = 0x1234 + item->iItem;
      return TRUE;
    }
    case LVM_GETITEMTEXT: {
      auto* item = reinterpret_cast<LVITEM*>(lParam);
      const int n = std::min(static_cast<int>(g_itemText.size()), item->cchTextMax - 1);
      std::memcpy(item->pszText, g_itemText.data(), static_cast<size_t>(n));
      item->pszText[n] = '\0';
      return n;
    }
    case LVM_GETITEMRECT:
    case LVM_GETSUBITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      s.rect = *r;
      g_seen.push_back(s);
      *r = RECT{1, 2, 3, 4};
      return TRUE;
    }
    case LVM_HITTEST: {
      auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
      info->flags = LVHT_ONITEMLABEL;
      return info->pt.y / 10;
    }
    case CB_GETLBTEXTLEN:
      return wParam == 0 ? static_cast<LRESULT>(g_itemText.size()) : CB_ERR;
    case CB_GETLBTEXT:
      std::strcpy(reinterpret_cast<char*>(lParam), g_itemText.c_str());
      return static_cast<LRESULT>(g_itemText.size());
    case LVM_SCROLL:
    case LVM_GETNEXTITEM:
    case LVM_ENSUREVISIBLE:
    case LVM_SETBKCOLOR:
    case LVM_SETITEMCOUNT:
    case DTM_SETSYSTEMTIME:
    case DTM_SETRANGE:
      s.rect = RECT{static_cast<LONG>(lParam), 0, 0, 0};
      if (msg == DTM_SETRANGE) {
        auto* range = reinterpret_cast<SYSTEMTIME*>(lParam);
        s.rect = RECT{range[0].wYear, range[1].wYear, 0, 0};
      }
      g_seen.push_back(s);
      return TRUE;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

class ControlWrapperTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    testsupport::PlatformTest::SetUp();
    g_seen.clear();
    WNDCLASSA wc{};
    wc.lpfnWndProc = fakeListProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "AfxFakeList";
    RegisterClassA(&wc);
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    ASSERT_TRUE(list.SubclassWindow(fake(7)));
  }
  HWND fake(int id) {
    return CreateWindowExA(0, "AfxFakeList", "", WS_CHILD, 0, 0, 100, 100, parent.m_hWnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                           nullptr);
  }
  CWnd parent;
  CListCtrl list;
};

TEST_F(ControlWrapperTest, ListMembersPackTheirArguments) {
  EXPECT_EQ(list.InsertItem(0, "台積電"), 3);
  ASSERT_EQ(g_seen.size(), 1u);
  EXPECT_EQ(g_seen[0].item.mask, static_cast<UINT>(LVIF_TEXT));
  list.SetItemText(3, 2, "600");
  EXPECT_EQ(g_seen[1].wParam, 3u);
  EXPECT_EQ(g_seen[1].item.iSubItem, 2);
  list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(g_seen[2].wParam, 4u);
  EXPECT_EQ(g_seen[2].item.state, static_cast<UINT>(LVIS_SELECTED));
  EXPECT_EQ(g_seen[2].item.stateMask, static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
  list.SetItemData(5, 99);
  EXPECT_EQ(g_seen[3].item.mask, static_cast<UINT>(LVIF_PARAM));
  EXPECT_EQ(g_seen[3].item.iItem, 5);
  EXPECT_EQ(g_seen[3].item.lParam, 99);
  EXPECT_EQ(list.GetItemData(2), 0x1236u);

  CRect r;
  EXPECT_TRUE(list.GetItemRect(6, &r, LVIR_LABEL));
  EXPECT_EQ(g_seen[4].rect.left, LVIR_LABEL);  // the area code travels in the rectangle
  EXPECT_EQ(r, CRect(1, 2, 3, 4));
  EXPECT_TRUE(list.GetSubItemRect(6, 3, LVIR_BOUNDS, r));
  EXPECT_EQ(g_seen[5].rect.top, 3);
  EXPECT_EQ(g_seen[5].rect.left, LVIR_BOUNDS);

  UINT flags = 0;
  EXPECT_EQ(list.HitTest(CPoint(5, 47), &flags), 4);
  EXPECT_EQ(flags, static_cast<UINT>(LVHT_ONITEMLABEL));

  list.Scroll(CSize(0, -36));
  EXPECT_EQ(g_seen[6].message, static_cast<UINT>(LVM_SCROLL));
  EXPECT_EQ(g_seen[6].rect.left, -36);
  list.GetNextItem(-1, LVNI_SELECTED);
  EXPECT_EQ(g_seen[7].wParam, static_cast<WPARAM>(-1));
  EXPECT_EQ(g_seen[7].rect.left, LVNI_SELECTED);
  list.SetItemCount(1000);
  EXPECT_EQ(g_seen.back().wParam, 1000u);
  list.SetBkColor(RGB(1, 2, 3));
  EXPECT_EQ(static_cast<COLORREF>(g_seen.back().rect.left), RGB(1, 2, 3));
}

TEST_F(ControlWrapperTest, TextsOfAnyLengthComeBackWhole) {
  g_itemText = std::string(1000, 'x') + "末";
  CString text = list.GetItemText(0, 1);
  EXPECT_EQ(text.GetLength(), 1002);
  EXPECT_EQ(text.Right(2), "末");
  char small[5];
  EXPECT_EQ(list.GetItemText(0, 1, small, 5), 4);
  EXPECT_STREQ(small, "xxxx");
  EXPECT_EQ(list.GetItemText(0, 1, nullptr, 5), 0);

  CComboBox combo;  // the fake answers combo messages too
  ASSERT_TRUE(combo.SubclassWindow(fake(10)));
  g_itemText = "元大";
  CString item;
  combo.GetLBText(0, item);
  EXPECT_EQ(item, "元大");
  combo.GetLBText(9, item);
  EXPECT_TRUE(item.IsEmpty());
}

TEST_F(ControlWrapperTest, DatePickerTimesAndRanges) {
  CDateTimeCtrl pickerObject;
  ASSERT_TRUE(pickerObject.SubclassWindow(fake(11)));
  CDateTimeCtrl* picker = &pickerObject;
  picker->SetTime(static_cast<const SYSTEMTIME*>(nullptr));
  EXPECT_EQ(g_seen.back().wParam, static_cast<WPARAM>(GDT_NONE));
  picker->SetTime(CTime(2024, 5, 6, 0, 0, 0));
  EXPECT_EQ(g_seen.back().wParam, static_cast<WPARAM>(GDT_VALID));
  CTime lo(2020, 1, 1, 0, 0, 0), hi(2030, 1, 1, 0, 0, 0);
  picker->SetRange(&lo, &hi);
  EXPECT_EQ(g_seen.back().wParam, static_cast<WPARAM>(GDTR_MIN | GDTR_MAX));
  EXPECT_EQ(g_seen.back().rect.left, 2020);
  EXPECT_EQ(g_seen.back().rect.top, 2030);
  picker->SetRange(nullptr, &hi);
  EXPECT_EQ(g_seen.back().wParam, static_cast<WPARAM>(GDTR_MAX));
}

class OwnerDrawnButton : public CButton {
 public:
  int draws = 0;
  UINT lastItem = 0;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override {
    ++draws;
    lastItem = lpDrawItemStruct->itemID;
  }
};

TEST_F(ControlWrapperTest, OwnerDrawnControlsDrawThemselves) {
  OwnerDrawnButton button;
  ASSERT_TRUE(button.SubclassWindow(afxtest::CreateTestControl(parent.m_hWnd, 8)));
  DRAWITEMSTRUCT dis{ODT_BUTTON, 8, 0, ODA_DRAWENTIRE, 0, button.m_hWnd, nullptr, {0, 0, 5, 5}, 0};
  EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, 8, reinterpret_cast<LPARAM>(&dis)), 0);
  EXPECT_EQ(button.draws, 1);

  struct OwnerList : CListCtrl {
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override { ++draws; }
  } ownerList;
  ASSERT_TRUE(ownerList.SubclassWindow(afxtest::CreateTestControl(parent.m_hWnd, 9)));
  DRAWITEMSTRUCT row{ODT_LISTVIEW, 9, 12, ODA_DRAWENTIRE, 0, ownerList.m_hWnd, nullptr, {0, 0, 5, 5}, 0};
  parent.SendMessage(WM_DRAWITEM, 9, reinterpret_cast<LPARAM>(&row));
  EXPECT_EQ(ownerList.draws, 1);
  // A menu item is not a control's.
  DRAWITEMSTRUCT menu{ODT_MENU, 0, 1, ODA_DRAWENTIRE, 0, ownerList.m_hWnd, nullptr, {0, 0, 5, 5}, 0};
  parent.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&menu));
  EXPECT_EQ(ownerList.draws, 1);
}

}  // namespace
