// The headless backend's own choices for dialogs, where there are no font
// metrics to measure: the base units it estimates and the templates it refuses.
#include <windows.h>

#include <gmock/gmock.h>
#include <templates/dialog_template.h>

#include <cstring>
#include <vector>

#include "test_support.h"

using templates::DialogTemplate;
using templates::DluRect;

namespace {

class HeadlessDialogTest : public testsupport::PlatformTest {};

INT_PTR CALLBACK Plain(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

SIZE UnitsOf(int points, const char* face) {
  DialogTemplate t("", WS_POPUP, DluRect{0, 0, 10, 10});
  if (face) t.SetFont(points, face);
  HWND dlg = CreateDialogIndirectParamA(testsupport::Instance(), t.Get(), nullptr, Plain, 0);
  RECT r{0, 0, 4, 8};
  MapDialogRect(dlg, &r);
  DestroyWindow(dlg);
  return SIZE{r.right, r.bottom};
}

}  // namespace

TEST_F(HeadlessDialogTest, BaseUnitsAreEstimatedFromThePointSize) {
  EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(8, 16));
  const SIZE none = UnitsOf(0, nullptr);
  EXPECT_EQ(none.cx, 8);
  EXPECT_EQ(none.cy, 16);
  for (const char* face : {"MS Shell Dlg", "Tahoma", "MS Sans Serif"}) {
    const SIZE u = UnitsOf(8, face);
    EXPECT_EQ(u.cx, 6) << face;
    EXPECT_EQ(u.cy, 13) << face;
  }
  const SIZE mingliu = UnitsOf(9, "新細明體");
  EXPECT_EQ(mingliu.cx, 6);
  EXPECT_EQ(mingliu.cy, 12);
  const SIZE ascii = UnitsOf(12, "PMingLiU");
  EXPECT_EQ(ascii.cx, 8);
  EXPECT_EQ(ascii.cy, 16);
}

TEST_F(HeadlessDialogTest, AnExtendedTemplateOfAnotherVersionIsRefused) {
  DialogTemplate t("", WS_POPUP, DluRect{0, 0, 10, 10});
  std::vector<BYTE> bytes(t.Size() + 4);
  std::memcpy(bytes.data(), t.Get(), t.Size());
  bytes[0] = 2;  // version 2 with the extended signature
  std::vector<DWORD> aligned((bytes.size() + 3) / 4);
  std::memcpy(aligned.data(), bytes.data(), bytes.size());
  EXPECT_EQ(CreateDialogIndirectParamA(testsupport::Instance(),
                                       reinterpret_cast<const DLGTEMPLATE*>(aligned.data()),
                                       nullptr, Plain, 0),
            nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}
