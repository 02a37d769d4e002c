// The plain default look of standard controls as a screenshot shows it.
#include <windows.h>

#include <templates/dialog_template.h>

#include "headless/screenshot.h"
#include "test_support.h"

namespace {

class HeadlessDefaultLookTest : public testsupport::PlatformTest {};

int darkPixels(const headless::Image& image, const RECT& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF c = image.At(x, y);
      if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++n;
    }
  return n;
}

// A group box is usually created before the controls it frames, so it lies
// above them; it must not paint over them.
TEST_F(HeadlessDefaultLookTest, AGroupBoxLeavesTheControlsInsideVisible) {
  templates::DialogTemplate t("", WS_POPUP | WS_VISIBLE, {0, 0, 200, 80});
  t.Add(templates::DialogItem(templates::Predefined::kButton, "", 10,
                              WS_CHILD | WS_VISIBLE | BS_GROUPBOX, {5, 5, 150, 40}));
  t.Add(templates::DialogItem(templates::Predefined::kStatic, "Total", 11,
                              WS_CHILD | WS_VISIBLE | SS_LEFT, {12, 20, 80, 10}));
  HWND dlg = CreateDialogIndirectParamA(testsupport::Instance(), t.Get(), nullptr, nullptr, 0);
  ASSERT_NE(dlg, nullptr);
  RECT label{};
  GetWindowRect(GetDlgItem(dlg, 11), &label);
  MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&label), 2);
  const headless::Image image = headless::RenderWindow(dlg);
  EXPECT_GT(darkPixels(image, label), 10);
}

}  // namespace
