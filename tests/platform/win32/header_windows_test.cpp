// Conformance tests of the header control where the headless backend once
// differed from Win32: the item a change notice describes, the display order,
// and owner-drawn items.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "test_support.h"

using ::testing::ElementsAre;

namespace {

constexpr UINT kWideOffset = HDN_ITEMCHANGINGA - HDN_ITEMCHANGINGW;

// What the parent saw of one header notice, copied while it was valid.
struct Seen {
  UINT code;  // the ANSI form
  int item;
  bool hasItem;
  UINT mask;
  int cxy;
  int fmt;
  std::string text;
};

std::vector<Seen>& seen() {
  static std::vector<Seen> log;
  return log;
}
std::vector<DRAWITEMSTRUCT>& draws() {
  static std::vector<DRAWITEMSTRUCT> log;
  return log;
}
LRESULT& changingAnswer() {
  static LRESULT answer = 0;
  return answer;
}

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY) {
    auto* nm = reinterpret_cast<NMHEADERA*>(lParam);
    UINT code = nm->hdr.code;
    // Only header notices carry an NMHEADER (Win32 sends custom draw notices too).
    if (code > HDN_FIRST || code <= HDN_FIRST - 100) return 0;
    bool wide = code <= HDN_ITEMCHANGINGW && code >= HDN_TRACKW;
    Seen s{wide ? code + kWideOffset : code, nm->iItem, nm->pitem != nullptr, 0, 0, 0, {}};
    if (nm->pitem) {
      s.mask = nm->pitem->mask;
      s.cxy = nm->pitem->cxy;
      s.fmt = nm->pitem->fmt;
      if ((s.mask & HDI_TEXT) && nm->pitem->pszText && !wide) s.text = nm->pitem->pszText;
    }
    seen().push_back(s);
    return s.code == HDN_ITEMCHANGINGA ? changingAnswer() : 0;
  }
  if (msg == WM_DRAWITEM) {
    draws().push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class HeaderWindowsTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    seen().clear();
    draws().clear();
    changingAnswer() = 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = parentProc;
    wc.hInstance = testsupport::Instance();
    wc.lpszClassName = "QzHeaderWindowsParent";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
    parent = CreateWindowExA(0, wc.lpszClassName, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr,
                             nullptr, testsupport::Instance(), nullptr);
    header = CreateWindowExA(0, WC_HEADERA, "", WS_CHILD | WS_VISIBLE | HDS_BUTTONS, 0, 0, 300, 24, parent,
                             reinterpret_cast<HMENU>(5), testsupport::Instance(), nullptr);
    const int widths[] = {50, 60, 70};
    for (int i = 0; i < 3; ++i) insert(i, widths[i]);
    seen().clear();
  }
  void TearDown() override {
    DestroyWindow(parent);
    UnregisterClassA("QzHeaderWindowsParent", testsupport::Instance());
    PlatformTest::TearDown();
  }
  int insert(int index, int width, int order = -1) {
    HDITEMA hdi{};
    hdi.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM;
    hdi.cxy = width;
    hdi.pszText = const_cast<char*>("Col");
    hdi.fmt = HDF_LEFT | HDF_STRING;
    hdi.lParam = 100 + index;
    if (order >= 0) {
      hdi.mask |= HDI_ORDER;
      hdi.iOrder = order;
    }
    return static_cast<int>(SendMessageA(header, HDM_INSERTITEMA, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(&hdi)));
  }
  RECT rect(int index) {
    RECT r{};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  std::vector<int> order() {
    std::vector<int> out(static_cast<size_t>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)), -1);
    if (!SendMessageA(header, HDM_GETORDERARRAY, out.size(), reinterpret_cast<LPARAM>(out.data()))) out.clear();
    return out;
  }
  std::vector<Seen> notices(UINT code) {
    std::vector<Seen> out;
    for (const Seen& s : seen())
      if (s.code == code) out.push_back(s);
    return out;
  }

  HWND parent = nullptr;
  HWND header = nullptr;
};

TEST_F(HeaderWindowsTest, EveryItemChangeIsDescribedToTheParent) {
  HDITEMA hdi{};
  hdi.mask = HDI_TEXT | HDI_FORMAT;
  hdi.pszText = const_cast<char*>("Price");
  hdi.fmt = HDF_RIGHT | HDF_STRING;
  ASSERT_TRUE(SendMessageA(header, HDM_SETITEMA, 1, reinterpret_cast<LPARAM>(&hdi)));
  for (UINT code : {HDN_ITEMCHANGINGA, HDN_ITEMCHANGEDA}) {
    auto n = notices(code);
    ASSERT_EQ(n.size(), 1u) << code;
    EXPECT_EQ(n[0].item, 1);
    ASSERT_TRUE(n[0].hasItem) << "a parent reading pitem->mask must find an item";
    EXPECT_EQ(n[0].mask & (HDI_TEXT | HDI_FORMAT), static_cast<UINT>(HDI_TEXT | HDI_FORMAT));
    EXPECT_EQ(n[0].mask & HDI_WIDTH, 0u);
    EXPECT_EQ(n[0].fmt & HDF_JUSTIFYMASK, HDF_RIGHT);
    EXPECT_EQ(n[0].text, "Price");
  }

  // A width change carries the new width; a refused change keeps the old one.
  seen().clear();
  hdi.mask = HDI_WIDTH;
  hdi.cxy = 90;
  ASSERT_TRUE(SendMessageA(header, HDM_SETITEMA, 2, reinterpret_cast<LPARAM>(&hdi)));
  ASSERT_EQ(notices(HDN_ITEMCHANGEDA).size(), 1u);
  EXPECT_EQ(notices(HDN_ITEMCHANGEDA)[0].cxy, 90);
  changingAnswer() = TRUE;
  hdi.cxy = 20;
  EXPECT_FALSE(SendMessageA(header, HDM_SETITEMA, 2, reinterpret_cast<LPARAM>(&hdi)));
  EXPECT_EQ(rect(2).right - rect(2).left, 90);
  EXPECT_EQ(notices(HDN_ITEMCHANGEDA).size(), 1u);
}

TEST_F(HeaderWindowsTest, TheDisplayOrderPlacesTheItems) {
  EXPECT_THAT(order(), ElementsAre(0, 1, 2));
  int arranged[] = {2, 0, 1};
  ASSERT_TRUE(SendMessageA(header, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(arranged)));
  EXPECT_THAT(order(), ElementsAre(2, 0, 1));
  EXPECT_EQ(rect(2).left, 0);
  EXPECT_EQ(rect(2).right, 70);
  EXPECT_EQ(rect(0).left, 70);
  EXPECT_EQ(rect(1).left, 120);
  HDITEMA hdi{};
  hdi.mask = HDI_ORDER;
  ASSERT_TRUE(SendMessageA(header, HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&hdi)));
  EXPECT_EQ(hdi.iOrder, 1);
  // An array that does not hold every item is refused.
  EXPECT_FALSE(SendMessageA(header, HDM_SETORDERARRAY, 2, reinterpret_cast<LPARAM>(arranged)));
  int small[2] = {};
  EXPECT_FALSE(SendMessageA(header, HDM_GETORDERARRAY, 2, reinterpret_cast<LPARAM>(small)));

  // HDI_ORDER moves one item; a new item can be placed anywhere.
  hdi.iOrder = 2;
  ASSERT_TRUE(SendMessageA(header, HDM_SETITEMA, 2, reinterpret_cast<LPARAM>(&hdi)));
  EXPECT_THAT(order(), ElementsAre(0, 1, 2));
  EXPECT_EQ(insert(3, 40, 0), 3);
  EXPECT_THAT(order(), ElementsAre(3, 0, 1, 2));
  EXPECT_EQ(rect(0).left, 40);
  ASSERT_TRUE(SendMessageA(header, HDM_DELETEITEM, 0, 0));
  EXPECT_THAT(order(), ElementsAre(2, 0, 1));
  EXPECT_EQ(rect(0).left, 40);
}

TEST_F(HeaderWindowsTest, AnOwnerDrawnItemIsPaintedByTheParent) {
  HDITEMA hdi{};
  hdi.mask = HDI_FORMAT;
  hdi.fmt = HDF_OWNERDRAW;
  ASSERT_TRUE(SendMessageA(header, HDM_SETITEMA, 1, reinterpret_cast<LPARAM>(&hdi)));
  InvalidateRect(header, nullptr, TRUE);
  UpdateWindow(header);
  ASSERT_EQ(draws().size(), 1u);
  const DRAWITEMSTRUCT& d = draws()[0];
  EXPECT_EQ(d.CtlType, static_cast<UINT>(ODT_HEADER));
  EXPECT_EQ(d.CtlID, 5u);
  EXPECT_EQ(d.itemID, 1u);
  EXPECT_EQ(d.itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
  EXPECT_EQ(d.hwndItem, header);
  EXPECT_EQ(d.itemData, static_cast<ULONG_PTR>(101));
  RECT r = rect(1);
  EXPECT_GE(d.rcItem.left, r.left);
  EXPECT_LE(d.rcItem.right, r.right);
  EXPECT_GT(d.rcItem.right, d.rcItem.left);
}

}  // namespace
