// Conformance tests of drawing: exact fills, lines without their end point,
// rectangles, edges in the system colours, objects and DCs, read back through
// memory DCs so that they run the same on Win32.
#include <windows.h>

#include "test_support.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

class GdiTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, 40, 30);
    old = SelectObject(dc, bitmap);
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    PlatformTest::TearDown();
  }
  void line(int x0, int y0, int x1, int y1, COLORREF c) {
    HPEN pen = CreatePen(PS_SOLID, 1, c);
    HGDIOBJ was = SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SelectObject(dc, was);
    DeleteObject(pen);
  }
  HDC screen = nullptr;
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
};

TEST_F(GdiTest, AFillCoversExactlyItsRectangle) {
  HBRUSH b = CreateSolidBrush(RGB(10, 20, 30));
  RECT r{2, 3, 7, 9};
  EXPECT_TRUE(FillRect(dc, &r, b));
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 10; ++x) {
      POINT p{x, y};
      EXPECT_EQ(GetPixel(dc, x, y), PtInRect(&r, p) ? RGB(10, 20, 30) : kBlack) << x << "," << y;
    }
  DeleteObject(b);
}

// Counts the pixels inside and outside r that are not black.
struct Lit {
  int inside = 0, outside = 0;
};
Lit LitPixels(HDC dc, const RECT& r) {
  Lit lit;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      if (GetPixel(dc, x, y) == kBlack) continue;
      POINT p{x, y};
      ++(PtInRect(&r, p) ? lit.inside : lit.outside);
    }
  return lit;
}

TEST_F(GdiTest, FillsAndTextStayInsideTheirClip) {
  const RECT all{0, 0, 40, 30};
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  HBRUSH black = CreateSolidBrush(kBlack);
  // The DC's own clip.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, 5, 6, 20, 15);
  FillRect(dc, &all, white);
  RestoreDC(dc, saved);  // pixels outside a clip do not read back
  Lit lit = LitPixels(dc, RECT{5, 6, 20, 15});
  EXPECT_EQ(lit.inside, 15 * 9);
  EXPECT_EQ(lit.outside, 0);
  // A text cut to its rectangle, unless told not to be.
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  const RECT box{2, 3, 12, 11};
  for (UINT format : {UINT{DT_LEFT}, UINT{DT_LEFT | DT_NOCLIP}}) {
    FillRect(dc, &all, black);
    RECT r = box;
    DrawTextA(dc, "WWWWWWWW", -1, &r, format);
    lit = LitPixels(dc, box);
    EXPECT_GT(lit.inside, 0) << format;
    if (format & DT_NOCLIP)
      EXPECT_GT(lit.outside, 0);
    else
      EXPECT_EQ(lit.outside, 0);
  }
  FillRect(dc, &all, black);
  ExtTextOutA(dc, box.left, box.top, ETO_CLIPPED, &box, "WWWWWWWW", 8, nullptr);
  lit = LitPixels(dc, box);
  EXPECT_GT(lit.inside, 0);
  EXPECT_EQ(lit.outside, 0);
  DeleteObject(white);
  DeleteObject(black);
}

TEST_F(GdiTest, SystemColourBrushesFillWithTheSystemColours) {
  RECT r{0, 0, 4, 4};
  FillRect(dc, &r, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  EXPECT_EQ(GetPixel(dc, 3, 3), GetSysColor(COLOR_WINDOW));
  FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
  EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_HIGHLIGHT));
  FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 3, 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 1, 1), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(GdiTest, LineToLeavesOutItsEndPoint) {
  line(1, 5, 10, 5, RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 1, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 9, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 10, 5), kBlack);
  EXPECT_EQ(GetPixel(dc, 0, 5), kBlack);
  line(20, 10, 20, 2, RGB(0, 255, 0));  // upwards
  EXPECT_EQ(GetPixel(dc, 20, 10), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 20, 3), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 20, 2), kBlack);
  line(0, 20, 5, 25, RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 0, 20), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 4, 24), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 5, 25), kBlack);
  POINT was{};
  MoveToEx(dc, 3, 4, &was);
  EXPECT_EQ(was.x, 5);
  EXPECT_EQ(was.y, 25);
}

TEST_F(GdiTest, RectangleDrawsItsPenInsideAndFillsWithItsBrush) {
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(200, 0, 0));
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 200));
  SelectObject(dc, pen);
  SelectObject(dc, brush);
  EXPECT_TRUE(Rectangle(dc, 2, 2, 8, 6));
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(200, 0, 0));
  EXPECT_EQ(GetPixel(dc, 7, 5), RGB(200, 0, 0));
  EXPECT_EQ(GetPixel(dc, 8, 5), kBlack);
  EXPECT_EQ(GetPixel(dc, 3, 3), RGB(0, 0, 200));
  EXPECT_EQ(GetPixel(dc, 6, 4), RGB(0, 0, 200));
  // Without a pen the fill stops one pixel short on the right and bottom.
  SelectObject(dc, GetStockObject(NULL_PEN));
  EXPECT_TRUE(Rectangle(dc, 10, 10, 14, 14));
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(0, 0, 200));
  EXPECT_EQ(GetPixel(dc, 12, 12), RGB(0, 0, 200));
  EXPECT_EQ(GetPixel(dc, 13, 12), kBlack);
  EXPECT_EQ(GetPixel(dc, 12, 13), kBlack);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(pen);
  DeleteObject(brush);
}

TEST_F(GdiTest, EdgesUseTheThreeDimensionalColours) {
  RECT sunken{0, 0, 10, 10};
  ASSERT_TRUE(DrawEdge(dc, &sunken, EDGE_SUNKEN, BF_RECT));
  EXPECT_EQ(GetPixel(dc, 0, 5), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 5, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 1, 5), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(GetPixel(dc, 9, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(dc, 5, 9), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(dc, 8, 5), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(GetPixel(dc, 5, 5), kBlack);  // no BF_MIDDLE

  RECT raised{20, 0, 30, 10};
  ASSERT_TRUE(DrawEdge(dc, &raised, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
  EXPECT_EQ(GetPixel(dc, 20, 5), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(GetPixel(dc, 21, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(dc, 29, 5), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(GetPixel(dc, 28, 5), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 25, 5), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(raised.left, 22);
  EXPECT_EQ(raised.bottom, 8);
}

TEST_F(GdiTest, SavedStatesComeBack) {
  SetTextColor(dc, RGB(1, 1, 1));
  SetBkMode(dc, OPAQUE);
  int level = SaveDC(dc);
  EXPECT_GT(level, 0);
  SetTextColor(dc, RGB(2, 2, 2));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_TRUE(RestoreDC(dc, -1));
  EXPECT_EQ(GetTextColor(dc), RGB(1, 1, 1));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  EXPECT_FALSE(RestoreDC(dc, 5));
}

TEST_F(GdiTest, FontsDescribeThemselves) {
  LOGFONTA lf{};
  lf.lfHeight = -16;
  lf.lfWeight = FW_BOLD;
  lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&lf);
  ASSERT_NE(font, nullptr);
  LOGFONTA back{};
  EXPECT_EQ(GetObjectA(font, sizeof back, &back), static_cast<int>(sizeof back));
  EXPECT_EQ(back.lfHeight, -16);
  EXPECT_EQ(back.lfWeight, FW_BOLD);
  EXPECT_STREQ(back.lfFaceName, "Tahoma");
  EXPECT_EQ(GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof back, &back), static_cast<int>(sizeof back));
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);

  SelectObject(dc, font);
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_GE(tm.tmHeight, 16);
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  SIZE one{}, two{};
  ASSERT_TRUE(GetTextExtentPoint32A(dc, "W", 1, &one));
  ASSERT_TRUE(GetTextExtentPoint32A(dc, "WW", 2, &two));
  EXPECT_GT(two.cx, one.cx);
  EXPECT_EQ(one.cy, tm.tmHeight);
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  EXPECT_TRUE(DeleteObject(font));
}

TEST_F(GdiTest, BitsComeBackThroughGetDIBitsAndBitBlt) {
  RECT r{0, 0, 40, 1};
  HBRUSH b = CreateSolidBrush(RGB(9, 8, 7));
  FillRect(dc, &r, b);
  DeleteObject(b);
  SelectObject(dc, old);  // a bitmap is read while no DC holds it
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = 40;
  bmi.bmiHeader.biHeight = -30;  // top-down
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  DWORD bits[40 * 30] = {};
  EXPECT_EQ(GetDIBits(dc, bitmap, 0, 30, bits, &bmi, DIB_RGB_COLORS), 30);
  EXPECT_EQ(bits[5] & 0xFFFFFF, 0x090807u);
  EXPECT_EQ(bits[40 + 5] & 0xFFFFFF, 0u);
  SelectObject(dc, bitmap);

  HDC other = CreateCompatibleDC(dc);
  HBITMAP second = CreateCompatibleBitmap(screen, 10, 10);
  HGDIOBJ was = SelectObject(other, second);
  EXPECT_TRUE(BitBlt(other, 1, 1, 5, 5, dc, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(other, 1, 1), RGB(9, 8, 7));
  EXPECT_EQ(GetPixel(other, 1, 2), kBlack);
  EXPECT_EQ(GetPixel(other, 0, 1), kBlack);
  SelectObject(other, was);
  DeleteObject(second);
  DeleteDC(other);
}

TEST_F(GdiTest, ADcThatIsGoneFailsQuietly) {
  HDC gone = CreateCompatibleDC(screen);
  ASSERT_TRUE(DeleteDC(gone));
  RECT r{0, 0, 2, 2};
  EXPECT_EQ(GetPixel(gone, 0, 0), CLR_INVALID);
  EXPECT_EQ(SelectObject(gone, GetStockObject(BLACK_PEN)), nullptr);
  EXPECT_FALSE(LineTo(gone, 1, 1));
  EXPECT_EQ(SetTextColor(gone, 0), CLR_INVALID);
  EXPECT_EQ(DrawTextA(gone, "x", 1, &r, DT_LEFT), 0);
  EXPECT_FALSE(DeleteDC(gone));
  EXPECT_EQ(GetPixel(dc, 100, 100), CLR_INVALID);  // outside the bitmap
  EXPECT_EQ(DrawTextA(dc, nullptr, 1, &r, DT_LEFT), 0);
}

TEST_F(GdiTest, DrawingTextWithoutARectangleFails) {
  QZ_HEADLESS_ONLY("Wine's DrawText reads through a null rectangle and crashes");
  EXPECT_EQ(DrawTextA(dc, "x", 1, nullptr, DT_LEFT), 0);
}

}  // namespace

TEST_F(GdiTest, FillingADcThatIsGoneFails) {
  QZ_HEADLESS_ONLY("Wine's FillRect returns 1 whatever its drawing did");
  HDC gone = CreateCompatibleDC(screen);
  ASSERT_TRUE(DeleteDC(gone));
  RECT r{0, 0, 2, 2};
  EXPECT_EQ(FillRect(gone, &r, GetSysColorBrush(COLOR_WINDOW)), 0);
}
