// What a window drew as text, kept for a host to read: the texts of its last paint, in order,
// with their rectangles; a new paint starts afresh.
#include <windows.h>

#include <string>
#include <vector>

#include "headless/headless.h"
#include "test_support.h"

namespace {

int g_paints = 0;

LRESULT CALLBACK PaintingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PAINT) return DefWindowProcA(hwnd, msg, wParam, lParam);
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  ++g_paints;
  RECT band{10, 2, 110, 20};
  DrawTextA(hdc, "S&P", -1, &band, DT_CENTER | DT_NOPREFIX);
  if (g_paints == 1) TextOutA(hdc, 5, 30, "abc", 3);
  EndPaint(hwnd, &ps);
  return 0;
}

using HeadlessPaintedTextTest = testsupport::PlatformTest;

TEST_F(HeadlessPaintedTextTest, TheLastPaintsTextsAreKeptWithTheirRectangles) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PaintingProc;
  wc.lpszClassName = "QzPaintedTextTest";
  ASSERT_TRUE(RegisterClassA(&wc));
  HWND hwnd = CreateWindowExA(0, "QzPaintedTextTest", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_TRUE(hwnd);
  EXPECT_TRUE(headless::PaintedTexts(hwnd).empty());

  g_paints = 0;
  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateWindow(hwnd);
  auto first = headless::PaintedTexts(hwnd);
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].text, "S&P");
  EXPECT_EQ(first[0].rect.left, 10);
  EXPECT_EQ(first[0].rect.right, 110);
  EXPECT_EQ(first[1].text, "abc");
  EXPECT_EQ(first[1].rect.left, 5);
  EXPECT_GT(first[1].rect.right, 5);

  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateWindow(hwnd);
  auto second = headless::PaintedTexts(hwnd);
  ASSERT_EQ(second.size(), 1u) << "a new paint starts afresh";
  EXPECT_EQ(second[0].text, "S&P");

  DestroyWindow(hwnd);
  EXPECT_TRUE(headless::PaintedTexts(hwnd).empty());
  UnregisterClassA("QzPaintedTextTest", nullptr);
}

}  // namespace
