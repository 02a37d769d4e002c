// Pictures of the four dialogs as created from their templates, written under
// the build tree for a person to look at; the test checks that something
// legible-looking was drawn (dark text pixels on the light face).
#include <windows.h>

#include <headless/screenshot.h>
#include <module_resources.h>
#include <resource.h>

#include <filesystem>
#include <string>

#include "dialog_host.h"

namespace {

class DialogScreenshotTest : public restest::ModuleDialogTest {};

bool isDark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200; }

TEST_F(DialogScreenshotTest, EachDialogRendersToAPng) {
  const std::filesystem::path dir = QZ_SCREENSHOT_DIR;
  std::filesystem::create_directories(dir);
  for (UINT id : qzres::kDialogIds) {
    SCOPED_TRACE(id);
    HWND dlg = restest::CreateModuleDialog(id, host);
    ASSERT_NE(dlg, nullptr);
    ShowWindow(dlg, SW_SHOW);
    const std::string path = (dir / ("dialog_" + std::to_string(id) + ".png")).string();
    ASSERT_TRUE(headless::RenderWindowToPng(dlg, path.c_str()));

    const headless::Image image = headless::LoadPng(path.c_str());
    RECT frame{};
    GetWindowRect(dlg, &frame);
    EXPECT_EQ(image.width, frame.right - frame.left);
    EXPECT_EQ(image.height, frame.bottom - frame.top);
    int dark = 0;
    for (COLORREF c : image.pixels) dark += isDark(c) ? 1 : 0;
    EXPECT_GT(dark, 200);
    DestroyWindow(dlg);
  }
}

}  // namespace
