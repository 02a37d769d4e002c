// Headless drawing: text through pango (colour, alignment, prefixes, CJK and
// bad CP950), pictures of windows, and a reference picture of a small scene.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "headless/screenshot.h"
#include "list_parent.h"
#include "test_support.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool empty() const { return right < 0; }
};

class HeadlessDrawingTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    dc = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    bitmap = CreateCompatibleBitmap(screen, kW, kH);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bitmap);
    clear();
    LOGFONTA lf{};
    lf.lfHeight = -24;
    font = CreateFontIndirectA(&lf);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteObject(font);
    DeleteDC(dc);
    PlatformTest::TearDown();
  }
  void clear() {
    RECT all{0, 0, kW, kH};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  // Where anything other than white was drawn.
  Box ink() {
    Box b;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        if (GetPixel(dc, x, y) != kWhite) {
          b.left = std::min(b.left, x), b.right = std::max(b.right, x);
          b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
        }
    return b;
  }
  int width(const char* text) {
    SIZE s{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &s);
    return s.cx;
  }
  static constexpr int kW = 240;
  static constexpr int kH = 60;
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HFONT font = nullptr;
  HGDIOBJ old = nullptr;
};

TEST_F(HeadlessDrawingTest, TextTakesTheTextColour) {
  SetTextColor(dc, RGB(200, 0, 0));
  RECT r{0, 0, kW, kH};
  DrawTextA(dc, "IIII", -1, &r, DT_LEFT | DT_SINGLELINE);
  bool exact = false, foreign = false;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      COLORREF c = GetPixel(dc, x, y);
      exact = exact || c == RGB(200, 0, 0);
      // Anti-aliased edges only mix the text colour with white.
      foreign = foreign || (c != kWhite && GetGValue(c) != GetBValue(c));
    }
  EXPECT_TRUE(exact);
  EXPECT_FALSE(foreign);
}

TEST_F(HeadlessDrawingTest, AlignmentPlacesTheText) {
  RECT r{10, 0, 230, kH};
  DrawTextA(dc, "ABC", -1, &r, DT_LEFT | DT_SINGLELINE);
  Box left = ink();
  clear();
  DrawTextA(dc, "ABC", -1, &r, DT_RIGHT | DT_SINGLELINE);
  Box right = ink();
  clear();
  DrawTextA(dc, "ABC", -1, &r, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
  Box centre = ink();
  ASSERT_FALSE(left.empty());
  EXPECT_LE(std::abs(left.left - 10), 3);
  EXPECT_LE(std::abs(right.right - 229), 3);
  EXPECT_LE(std::abs((centre.left + centre.right) / 2 - 120), 3);
  EXPECT_GT(centre.top, left.top);  // centred vertically in the 60 pixels
  EXPECT_LE(std::abs((centre.top + centre.bottom) / 2 - 30), 6);
}

TEST_F(HeadlessDrawingTest, PrefixesAndLineBreaksAreFormatting) {
  EXPECT_EQ(width("AB"), width("AB"));
  RECT calc{0, 0, 200, 0};
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  EXPECT_EQ(DrawTextA(dc, "a\nb\r\nc", -1, &calc, DT_CALCRECT), 3 * tm.tmHeight);
  EXPECT_EQ(calc.bottom, 3 * tm.tmHeight);
  RECT one{0, 0, 200, 0};
  DrawTextA(dc, "A&&B", -1, &one, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(one.right, width("A&B"));
  DrawTextA(dc, "A&B", -1, &one, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(one.right, width("AB"));
  DrawTextA(dc, "A&B", -1, &one, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(one.right, width("A&B"));
  // The prefixed letter is underlined below the text.
  RECT r{0, 0, kW, kH};
  DrawTextA(dc, "&n", -1, &r, DT_SINGLELINE);
  Box underlined = ink();
  clear();
  DrawTextA(dc, "n", -1, &r, DT_SINGLELINE);
  EXPECT_GT(underlined.bottom, ink().bottom);
}

TEST_F(HeadlessDrawingTest, EllipsisAndClippingKeepTextInItsRectangle) {
  RECT r{0, 0, 60, kH};
  DrawTextA(dc, "a long long long text", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
  Box b = ink();
  ASSERT_FALSE(b.empty());
  EXPECT_LT(b.right, 60);
  clear();
  DrawTextA(dc, "a long long long text", -1, &r, DT_SINGLELINE);
  EXPECT_LT(ink().right, 60);
}

TEST_F(HeadlessDrawingTest, TraditionalChineseAndBadBytesBothDraw) {
  RECT r{0, 0, kW, kH};
  // Three ideographs are about three em wide.
  EXPECT_GE(width("台積電"), 3 * 22);
  EXPECT_LE(width("台積電"), 3 * 26);
  DrawTextA(dc, "台積電", -1, &r, DT_SINGLELINE);
  EXPECT_FALSE(ink().empty());
  clear();
  // A lead byte with no trail, a byte that starts nothing: a mark each, no crash.
  const char bad[] = {'A', static_cast<char>(0x81), ' ', static_cast<char>(0xFF), 'B', 0};
  EXPECT_GT(DrawTextA(dc, bad, -1, &r, DT_SINGLELINE), 0);
  EXPECT_GT(width(bad), width("A B"));
  EXPECT_TRUE(TextOutA(dc, 0, 0, bad, 5));
}

TEST_F(HeadlessDrawingTest, OpaqueTextFillsItsBackground) {
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(0, 200, 0));
  EXPECT_TRUE(TextOutA(dc, 5, 5, "x", 1));
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 200, 0));
  RECT r{100, 0, 140, 20};
  EXPECT_TRUE(ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr));
  EXPECT_EQ(GetPixel(dc, 139, 19), RGB(0, 200, 0));
  EXPECT_EQ(GetPixel(dc, 140, 19), kWhite);
}

class HeadlessListTest : public testsupport::PlatformTest {};

TEST_F(HeadlessListTest, DoubleByteTextIsNeverCutInHalf) {
  HWND parent = testlist::CreateParent();
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 200, 100,
                              parent, nullptr, nullptr, nullptr);
  LVCOLUMNA c{LVCF_WIDTH, 0, 80, nullptr, 0, 0, 0, 0, 0, 0, 0};
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&c));
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.pszText = const_cast<char*>("台積電");
  SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  char buf[8] = {};
  item.pszText = buf;
  item.cchTextMax = 4;
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item)), 2);
  EXPECT_STREQ(buf, "台");
}

TEST_F(HeadlessListTest, InfoTipsAreAskedForTheItemUnderTheMouse) {
  HWND parent = testlist::CreateParent();
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 200, 100,
                              parent, nullptr, nullptr, nullptr);
  LVCOLUMNA c{LVCF_WIDTH, 0, 80, nullptr, 0, 0, 0, 0, 0, 0, 0};
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&c));
  for (int i = 0; i < 2; ++i) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char*>("tip");
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  RECT r{};
  SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  SendMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(5, r.top + 1));
  EXPECT_TRUE(testlist::NoticesWithCode(LVN_GETINFOTIPA).empty());
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
  SendMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(5, 1 + r.top - (r.bottom - r.top)));
  SendMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(6, 1 + r.top - (r.bottom - r.top)));
  auto tips = testlist::NoticesWithCode(LVN_GETINFOTIPA);
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(tips[0].item, 0);
}

// A small scene: a captioned window with a list of Chinese captions and rows.
HWND scene() {
  HWND frame = testlist::CreateParent(320, 180);
  SetWindowLongA(frame, GWL_STYLE, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU);
  SetWindowPos(frame, nullptr, 0, 0, 320, 180, SWP_NOZORDER | SWP_FRAMECHANGED);
  SetWindowTextA(frame, "庫存 Inventory");
  RECT rc;
  GetClientRect(frame, &rc);
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 8, 8,
                              rc.right - 16, rc.bottom - 16, frame, reinterpret_cast<HMENU>(1), nullptr, nullptr);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  const char* captions[] = {"代號", "名稱", "現價", "庫存股數"};
  const int widths[] = {60, 80, 60, 90};
  for (int i = 0; i < 4; ++i) {
    LVCOLUMNA c{LVCF_TEXT | LVCF_WIDTH | LVCF_FMT, i >= 2 ? LVCFMT_RIGHT : LVCFMT_LEFT, widths[i],
                const_cast<char*>(captions[i]), 0, 0, 0, 0, 0, 0, 0};
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
  }
  const char* rows[][4] = {{"2330", "台積電", "1,085", "2,000"},
                           {"2317", "鴻海", "203.5", "5,000"},
                           {"2454", "聯發科", "1,320", "300"},
                           {"2412", "中華電", "125.0", "10,000"}};
  for (int r = 0; r < 4; ++r) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = r;
    item.pszText = const_cast<char*>(rows[r][0]);
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (int c = 1; c < 4; ++c) {
      LVITEMA sub{};
      sub.iSubItem = c;
      sub.pszText = const_cast<char*>(rows[r][c]);
      SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&sub));
    }
  }
  SetFocus(list);
  LVITEMA sel{};
  sel.state = sel.stateMask = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&sel));
  return frame;
}

TEST_F(HeadlessListTest, ASceneMatchesItsReferencePicture) {
  HWND frame = scene();
  headless::Image now = headless::RenderWindow(frame);
  ASSERT_EQ(now.width, 320);
  ASSERT_EQ(now.height, 180);
  std::filesystem::path reference = std::filesystem::path(QZ_PLATFORM_TEST_DATA) / "list_scene.png";
  if (std::getenv("QZ_UPDATE_REFERENCE")) {
    ASSERT_TRUE(headless::SavePng(now, reference.c_str()));
  }
  headless::Image ref = headless::LoadPng(reference.c_str());
  ASSERT_EQ(ref.width, now.width) << "missing reference " << reference;
  ASSERT_EQ(ref.height, now.height);
  // Glyphs may differ a little between font versions; fills may not.
  int differing = 0;
  for (int y = 0; y < now.height; ++y)
    for (int x = 0; x < now.width; ++x) {
      COLORREF a = now.At(x, y), b = ref.At(x, y);
      int d = std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                        std::abs(GetBValue(a) - GetBValue(b))});
      if (d > 48) ++differing;
    }
  EXPECT_LT(differing, now.width * now.height / 100);
  // The caption bar, the list's background and the selected row are exact.
  EXPECT_EQ(now.At(100, 5), GetSysColor(COLOR_ACTIVECAPTION));
  HWND list = GetDlgItem(frame, 1);
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  POINT inRow{row.right - 3, (row.top + row.bottom) / 2};
  MapWindowPoints(list, frame, &inRow, 1);
  RECT frameRect, clientOrigin{0, 0, 0, 0};
  GetWindowRect(frame, &frameRect);
  POINT o{0, 0};
  ClientToScreen(frame, &o);
  EXPECT_EQ(now.At(inRow.x + o.x - frameRect.left, inRow.y + o.y - frameRect.top), GetSysColor(COLOR_HIGHLIGHT));
  (void)clientOrigin;
}

TEST_F(HeadlessListTest, PicturesGoToPngFilesAndBack) {
  HWND frame = scene();
  std::string path = (std::filesystem::temp_directory_path() / "qz_list_scene.png").string();
  ASSERT_TRUE(headless::RenderWindowToPng(frame, path.c_str()));
  headless::Image back = headless::LoadPng(path.c_str());
  headless::Image now = headless::RenderWindow(GetDlgItem(frame, 1));
  EXPECT_EQ(back.width, 320);
  EXPECT_FALSE(now.empty());
  EXPECT_LT(now.width, 320);
  std::remove(path.c_str());
  EXPECT_TRUE(headless::RenderWindow(reinterpret_cast<HWND>(0x1234)).empty());
  EXPECT_FALSE(headless::RenderWindowToPng(reinterpret_cast<HWND>(0x1234), path.c_str()));
  EXPECT_TRUE(headless::LoadPng("/nonexistent/file.png").empty());
}

}  // namespace
