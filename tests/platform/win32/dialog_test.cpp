// Dialogs from in-memory templates: creation, layout in dialog units, child
// dialogs, the keyboard interface, default buttons and modal dialogs.
#include <windows.h>

#include <gmock/gmock.h>
#include <templates/dialog_template.h>

#include <string>

#include "dialog_probe.h"
#include "test_support.h"

using templates::DialogItem;
using templates::DialogTemplate;
using templates::DluRect;
using templates::Predefined;
using testdlg::Seen;

namespace {

constexpr int kLabel = 10;
constexpr int kPrice = 11;
constexpr int kQuery = 3;

constexpr DWORD kPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

class DialogTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    testdlg::Clear();
  }
  void TearDown() override {
    testdlg::Clear();
    PlatformTest::TearDown();
  }
};

std::string Str(const RECT& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + "}";
}

// An order entry: a label, a price field and OK / Cancel, OK the default.
DialogTemplate OrderDialog(DWORD extraStyle = WS_VISIBLE) {
  DialogTemplate t("委託確認", kPopup | extraStyle, DluRect{10, 10, 200, 100});
  t.SetFont(9, "新細明體");
  t.Add({Predefined::kStatic, "價格", kLabel, kChild | SS_LEFT, {7, 7, 40, 10}});
  t.Add({Predefined::kEdit, "", kPrice, kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
         {50, 7, 80, 12}});
  t.Add({Predefined::kButton, "確定", IDOK, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON,
         {40, 80, 50, 14}});
  t.Add({Predefined::kButton, "取消", IDCANCEL, kChild | WS_TABSTOP | BS_PUSHBUTTON,
         {100, 80, 50, 14}});
  return t;
}

// The dialog procedure ends the dialog with the id of the button pressed.
INT_PTR EndOnButtons(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    EndDialog(hwnd, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

INT_PTR Modal(const DialogTemplate& t, HWND owner, LPARAM param = 0) {
  return DialogBoxIndirectParamA(testsupport::Instance(), t.Get(), owner,
                                 testdlg::RecordingDlgProc, param);
}

WPARAM LastCommand(HWND dialog) {
  auto commands = testdlg::Commands(dialog);
  return commands.empty() ? static_cast<WPARAM>(-1) : commands.back().wParam;
}

}  // namespace

// ---- Creation -------------------------------------------------------------------------

TEST_F(DialogTest, FontReachesDialogAndControlsBeforeInitDialog) {
  DialogTemplate t("", kPopup, DluRect{0, 0, 100, 50});
  t.SetFont(8, "MS Shell Dlg");
  t.Add({testdlg::ProbeClass(), "a", 1, kChild, {1, 1, 20, 10}});
  t.Add({testdlg::ProbeClass(), "b", 2, kChild, {1, 20, 20, 10}});
  HWND dlg = testdlg::Create(t, nullptr, 77);
  ASSERT_NE(dlg, nullptr);
  HWND a = GetDlgItem(dlg, 1), b = GetDlgItem(dlg, 2);
  const auto font = static_cast<WPARAM>(SendMessageA(dlg, WM_GETFONT, 0, 0));
  EXPECT_NE(font, 0u);

  auto seen = testdlg::Filtered({WM_CREATE, WM_SETFONT, WM_INITDIALOG});
  ASSERT_EQ(seen.size(), 6u);
  const std::vector<std::pair<HWND, UINT>> expected = {
      {dlg, WM_SETFONT}, {a, WM_CREATE}, {a, WM_SETFONT},
      {b, WM_CREATE},    {b, WM_SETFONT}, {dlg, WM_INITDIALOG}};
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(seen[i].hwnd, expected[i].first) << i;
    EXPECT_EQ(seen[i].msg, expected[i].second) << i;
    if (seen[i].msg == WM_SETFONT) {
      EXPECT_EQ(seen[i].wParam, font) << i;
    }
  }
  EXPECT_EQ(seen[5].lParam, 77);
  EXPECT_EQ(SendMessageA(a, WM_GETFONT, 0, 0), 0);  // the probe keeps no font of its own
}

TEST_F(DialogTest, WithoutSetFontNoFontIsSent) {
  DialogTemplate t("", kPopup, DluRect{0, 0, 100, 50});
  t.Add({testdlg::ProbeClass(), "a", 1, kChild, {1, 1, 20, 10}});
  HWND dlg = testdlg::Create(t);
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(testdlg::Filtered({WM_SETFONT}).empty());
  EXPECT_EQ(SendMessageA(dlg, WM_GETFONT, 0, 0), 0);
  EXPECT_EQ(testdlg::Filtered({WM_INITDIALOG}).size(), 1u);
}

TEST_F(DialogTest, InitDialogReturningTrueFocusesTheFirstEnabledTabStop) {
  DialogTemplate t("", kPopup | WS_VISIBLE, DluRect{0, 0, 150, 60});
  t.Add({Predefined::kStatic, "標籤", 1, kChild, {5, 5, 30, 10}});
  t.Add({Predefined::kEdit, "", 2, kChild | WS_TABSTOP | WS_DISABLED, {40, 5, 50, 12}});
  t.Add({Predefined::kEdit, "", 3, kChild | WS_TABSTOP, {40, 20, 50, 12}});
  t.Add({Predefined::kButton, "確定", IDOK, kChild | WS_TABSTOP, {40, 40, 50, 14}});
  HWND dlg = testdlg::Create(t);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 3));
  auto init = testdlg::Filtered({WM_INITDIALOG});
  ASSERT_EQ(init.size(), 1u);
  EXPECT_EQ(reinterpret_cast<HWND>(init[0].wParam), GetDlgItem(dlg, 3));
}

TEST_F(DialogTest, InitDialogReturningFalseKeepsTheFocusItChose) {
  testdlg::SetHandler([](HWND hwnd, UINT msg, WPARAM, LPARAM) -> INT_PTR {
    if (msg != WM_INITDIALOG) return FALSE;
    SetFocus(GetDlgItem(hwnd, IDCANCEL));
    return FALSE;
  });
  HWND dlg = testdlg::Create(OrderDialog());
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDCANCEL));
}

TEST_F(DialogTest, ControlsAreLaidOutInTheDialogFontsUnits) {
  struct Font {
    int points;
    const char* face;
  };
  const Font fonts[] = {{0, nullptr}, {8, "MS Shell Dlg"}, {9, "新細明體"}, {12, "Arial"}};
  const DluRect rects[] = {{7, 7, 50, 14}, {3, 5, 33, 9}, {101, 63, 1, 1}};
  for (const Font& f : fonts) {
    SCOPED_TRACE(f.face ? f.face : "no font");
    DialogTemplate t("", kPopup, DluRect{0, 0, 187, 95});
    if (f.face) t.SetFont(f.points, f.face);
    int id = 100;
    for (const DluRect& r : rects) t.Add({Predefined::kStatic, "x", id++, kChild, r});
    HWND dlg = testdlg::Create(t);
    ASSERT_NE(dlg, nullptr);
    RECT client{};
    GetClientRect(dlg, &client);
    RECT size{0, 0, 187, 95};
    ASSERT_TRUE(MapDialogRect(dlg, &size));
    EXPECT_EQ(Str(client), Str(size));
    id = 100;
    for (const DluRect& r : rects)
      EXPECT_EQ(Str(testdlg::RectInParent(GetDlgItem(dlg, id++))),
                Str(testdlg::Expected(dlg, r)));
    DestroyWindow(dlg);
  }
}

TEST_F(DialogTest, WithoutAFontTheSystemBaseUnitsApply) {
  HWND dlg = testdlg::Create(DialogTemplate("", kPopup, DluRect{0, 0, 40, 40}));
  ASSERT_NE(dlg, nullptr);
  const LONG units = GetDialogBaseUnits();
  RECT r{0, 0, 4, 8};
  ASSERT_TRUE(MapDialogRect(dlg, &r));
  EXPECT_EQ(r.right, LOWORD(units));
  EXPECT_EQ(r.bottom, HIWORD(units));
  // Only dialogs have dialog units.
  HWND owner = testdlg::CreateOwner();
  EXPECT_FALSE(MapDialogRect(owner, &r));
}

TEST_F(DialogTest, ChildDialogLivesInsideItsParent) {
  HWND parent = testdlg::CreateOwner();
  DialogTemplate t("頁面", WS_CHILD | WS_VISIBLE | WS_CAPTION | DS_CONTROL,
                   DluRect{20, 10, 100, 50});
  t.SetFont(9, "新細明體");
  t.Add({Predefined::kEdit, "", 5, kChild | WS_TABSTOP, {4, 4, 60, 12}});
  HWND dlg = testdlg::Create(t, parent);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(GetParent(dlg), parent);
  EXPECT_TRUE(IsChild(parent, dlg));
  const LONG_PTR style = GetWindowLongPtrA(dlg, GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_NE(style & WS_CAPTION, static_cast<LONG_PTR>(WS_CAPTION));
  EXPECT_TRUE(GetWindowLongPtrA(dlg, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  EXPECT_TRUE(IsWindowVisible(dlg));
  RECT at = testdlg::RectInParent(dlg);
  RECT expected = testdlg::Expected(dlg, DluRect{20, 10, 100, 50});
  EXPECT_EQ(Str(at), Str(expected));
  DestroyWindow(parent);
  EXPECT_FALSE(IsWindow(dlg));
}

// ---- Keyboard interface and buttons ------------------------------------------------------

TEST_F(DialogTest, EnterAndEscapeBecomeButtonCommands) {
  HWND dlg = testdlg::Create(OrderDialog());
  ASSERT_NE(dlg, nullptr);
  HWND edit = GetDlgItem(dlg, kPrice);
  SetFocus(edit);
  EXPECT_TRUE(testdlg::Key(dlg, edit, VK_RETURN));
  auto commands = testdlg::Commands(dlg);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].wParam, MAKEWPARAM(IDOK, BN_CLICKED));
  EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), GetDlgItem(dlg, IDOK));

  EXPECT_TRUE(testdlg::Key(dlg, edit, VK_ESCAPE));
  commands = testdlg::Commands(dlg);
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[1].wParam, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  EXPECT_EQ(reinterpret_cast<HWND>(commands[1].lParam), GetDlgItem(dlg, IDCANCEL));
}

TEST_F(DialogTest, EnterPressesTheTemplatesDefaultButton) {
  DialogTemplate t("", kPopup | WS_VISIBLE, DluRect{0, 0, 150, 60});
  t.Add({Predefined::kEdit, "", kPrice, kChild | WS_TABSTOP, {5, 5, 60, 12}});
  t.Add({Predefined::kButton, "查詢", kQuery, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON,
         {5, 30, 50, 14}});
  t.Add({Predefined::kButton, "確定", IDOK, kChild | WS_TABSTOP, {60, 30, 50, 14}});
  HWND dlg = testdlg::Create(t);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELONG(kQuery, DC_HASDEFID));
  testdlg::Key(dlg, GetDlgItem(dlg, kPrice), VK_RETURN);
  EXPECT_EQ(LastCommand(dlg), MAKEWPARAM(kQuery, BN_CLICKED));
}

TEST_F(DialogTest, DmSetDefIdMovesTheDefaultButton) {
  HWND dlg = testdlg::Create(OrderDialog());
  ASSERT_NE(dlg, nullptr);
  HWND ok = GetDlgItem(dlg, IDOK), cancel = GetDlgItem(dlg, IDCANCEL);
  EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
  SendMessageA(dlg, DM_SETDEFID, IDCANCEL, 0);
  EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELONG(IDCANCEL, DC_HASDEFID));
  EXPECT_EQ(GetWindowLongPtrA(cancel, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongPtrA(ok, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  testdlg::Key(dlg, GetDlgItem(dlg, kPrice), VK_RETURN);
  EXPECT_EQ(LastCommand(dlg), MAKEWPARAM(IDCANCEL, BN_CLICKED));
}

TEST_F(DialogTest, EnterPressesTheFocusedPushButton) {
  HWND dlg = testdlg::Create(OrderDialog());
  ASSERT_NE(dlg, nullptr);
  HWND cancel = GetDlgItem(dlg, IDCANCEL);
  SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cancel), TRUE);
  EXPECT_EQ(GetFocus(), cancel);
  EXPECT_EQ(GetWindowLongPtrA(cancel, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  testdlg::Key(dlg, cancel, VK_RETURN);
  EXPECT_EQ(LastCommand(dlg), MAKEWPARAM(IDCANCEL, BN_CLICKED));
}

TEST_F(DialogTest, AMultiLineEditThatWantsReturnKeepsEnter) {
  DialogTemplate t("", kPopup | WS_VISIBLE, DluRect{0, 0, 150, 80});
  t.Add({Predefined::kEdit, "", kPrice,
         kChild | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, {5, 5, 100, 40}});
  t.Add({Predefined::kButton, "確定", IDOK, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON,
         {5, 50, 50, 14}});
  HWND dlg = testdlg::Create(t);
  ASSERT_NE(dlg, nullptr);
  HWND edit = GetDlgItem(dlg, kPrice);
  SetFocus(edit);
  EXPECT_TRUE(testdlg::Key(dlg, edit, VK_RETURN));
  EXPECT_TRUE(testdlg::Commands(dlg).empty());
  // Escape still cancels: the edit takes every key and posts WM_CLOSE to the dialog.
  testdlg::Key(dlg, edit, VK_ESCAPE);
  testsupport::Pump();
  EXPECT_EQ(LastCommand(dlg), MAKEWPARAM(IDCANCEL, BN_CLICKED));
}

TEST_F(DialogTest, MessagesOfOtherWindowsAreNotTheDialogs) {
  HWND dlg = testdlg::Create(OrderDialog());
  HWND other = testdlg::CreateOwner();
  EXPECT_FALSE(testdlg::Key(dlg, other, VK_RETURN));
  EXPECT_TRUE(testdlg::Commands(dlg).empty());
  MSG msg{other, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_FALSE(IsDialogMessageA(nullptr, &msg));
}

TEST_F(DialogTest, TabWalksTheTabStopsInTemplateOrder) {
  HWND dlg = testdlg::Create(OrderDialog());
  ASSERT_NE(dlg, nullptr);
  HWND edit = GetDlgItem(dlg, kPrice);
  EXPECT_EQ(GetFocus(), edit);
  testdlg::Key(dlg, edit, VK_TAB);
  EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDOK));
  testdlg::Key(dlg, GetFocus(), VK_TAB);
  EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDCANCEL));
  testdlg::Key(dlg, GetFocus(), VK_TAB);
  EXPECT_EQ(GetFocus(), edit);
}

TEST_F(DialogTest, ArrowsMoveWithinARadioGroupAndCheckTheButton) {
  DialogTemplate t("", kPopup | WS_VISIBLE, DluRect{0, 0, 150, 80});
  t.Add({Predefined::kButton, "現股", 21, kChild | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON,
         {5, 5, 50, 10}});
  t.Add({Predefined::kButton, "融資", 22, kChild | BS_AUTORADIOBUTTON, {5, 18, 50, 10}});
  t.Add({Predefined::kButton, "確定", IDOK, kChild | WS_GROUP | WS_TABSTOP, {5, 40, 50, 14}});
  HWND dlg = testdlg::Create(t);
  ASSERT_NE(dlg, nullptr);
  CheckRadioButton(dlg, 21, 22, 21);
  SetFocus(GetDlgItem(dlg, 21));
  testdlg::Key(dlg, GetFocus(), VK_DOWN);
  EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 22));
  EXPECT_EQ(IsDlgButtonChecked(dlg, 22), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dlg, 21), static_cast<UINT>(BST_UNCHECKED));
  // The group wraps around instead of leaving for the next group.
  testdlg::Key(dlg, GetFocus(), VK_DOWN);
  EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 21));
  EXPECT_EQ(IsDlgButtonChecked(dlg, 21), static_cast<UINT>(BST_CHECKED));
}

TEST_F(DialogTest, ClickingButtonsSendsTheirCommands) {
  HWND dlg = testdlg::Create(OrderDialog());
  ASSERT_NE(dlg, nullptr);
  SendMessageA(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
  auto commands = testdlg::Commands(dlg);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].wParam, MAKEWPARAM(IDOK, BN_CLICKED));
  EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), GetDlgItem(dlg, IDOK));
  SendMessageA(GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_EQ(LastCommand(dlg), MAKEWPARAM(IDCANCEL, BN_CLICKED));
}

TEST_F(DialogTest, CloseAsksForCancelInsteadOfDestroying) {
  HWND dlg = testdlg::Create(OrderDialog());
  ASSERT_NE(dlg, nullptr);
  SendMessageA(dlg, WM_CLOSE, 0, 0);
  testsupport::Pump();
  EXPECT_TRUE(IsWindow(dlg));
  auto commands = testdlg::Commands(dlg);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].wParam, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), GetDlgItem(dlg, IDCANCEL));
}

TEST_F(DialogTest, DialogProcedureResultsFollowWin32Rules) {
  testdlg::SetHandler([](HWND hwnd, UINT msg, WPARAM, LPARAM) -> INT_PTR {
    switch (msg) {
      case WM_INITDIALOG:
        return TRUE;
      case WM_USER + 5:
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 1234);
        return TRUE;
      case WM_USER + 6:
        return 5678;  // handled, but the result lives in DWLP_MSGRESULT
      case WM_CTLCOLORDLG:
        return 0x4321;  // a brush is returned as it is
      default:
        return FALSE;
    }
  });
  HWND dlg = testdlg::Create(OrderDialog());
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(SendMessageA(dlg, WM_USER + 5, 0, 0), 1234);
  EXPECT_EQ(SendMessageA(dlg, WM_USER + 6, 0, 0), 0);
  EXPECT_EQ(SendMessageA(dlg, WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(dlg)), 0x4321);
  // Unhandled messages reach DefWindowProc: the caption is the window text.
  char text[32] = {};
  EXPECT_EQ(SendMessageA(dlg, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 8);
  EXPECT_STREQ(text, "委託確認");
}

TEST_F(DialogTest, EndDialogHidesAModelessDialogUntilItIsDestroyed) {
  HWND dlg = testdlg::Create(OrderDialog());
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(IsWindowVisible(dlg));
  EXPECT_TRUE(EndDialog(dlg, 5));
  EXPECT_TRUE(IsWindow(dlg));
  EXPECT_FALSE(IsWindowVisible(dlg));
  EXPECT_TRUE(DestroyWindow(dlg));
  EXPECT_FALSE(EndDialog(dlg, 5));
}

// ---- Templates that cannot make a dialog ----------------------------------------------------

TEST_F(DialogTest, TemplatesThatCannotBeBuiltAreRejected) {
  EXPECT_EQ(CreateDialogIndirectParamA(testsupport::Instance(), nullptr, nullptr,
                                       testdlg::RecordingDlgProc, 0),
            nullptr);

  DialogTemplate unknown("", kPopup, DluRect{0, 0, 50, 50});
  unknown.Add({static_cast<Predefined>(0x0099), "", 1, kChild, {0, 0, 10, 10}});
  EXPECT_EQ(testdlg::Create(unknown), nullptr);

  DialogTemplate unregistered("", kPopup, DluRect{0, 0, 50, 50});
  unregistered.Add({"QzNoSuchClass", "", 7, kChild, {0, 0, 10, 10}});
  EXPECT_EQ(testdlg::Create(unregistered), nullptr);
  EXPECT_TRUE(testdlg::Filtered({WM_INITDIALOG}).empty());

  // DS_NOFAILCREATE keeps the dialog without the control.
  unregistered.style |= DS_NOFAILCREATE;
  unregistered.Add({Predefined::kButton, "確定", IDOK, kChild, {0, 20, 30, 12}});
  HWND dlg = testdlg::Create(unregistered);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(GetDlgItem(dlg, 7), nullptr);
  EXPECT_NE(GetDlgItem(dlg, IDOK), nullptr);
}

TEST_F(DialogTest, ChineseTextsRoundTripInBothFormats) {
  for (auto format : {DialogTemplate::Format::kExtended, DialogTemplate::Format::kClassic}) {
    DialogTemplate t("整戶維持率 許功蓋", kPopup, DluRect{0, 0, 120, 60});
    t.SetFormat(format).SetFont(9, "新細明體");
    t.Add({Predefined::kStatic, "庫存股數（張）", 7, kChild, {4, 4, 80, 10}});
    t.Add({Predefined::kButton, "確定", IDOK, kChild | WS_TABSTOP, {4, 30, 40, 14}});
    HWND dlg = testdlg::Create(t);
    ASSERT_NE(dlg, nullptr);
    char text[64] = {};
    GetWindowTextA(dlg, text, sizeof text);
    EXPECT_STREQ(text, "整戶維持率 許功蓋");
    GetDlgItemTextA(dlg, 7, text, sizeof text);
    EXPECT_STREQ(text, "庫存股數（張）");
    GetDlgItemTextA(dlg, IDOK, text, sizeof text);
    EXPECT_STREQ(text, "確定");
    DestroyWindow(dlg);
  }
}

// ---- Modal dialogs --------------------------------------------------------------------------

TEST_F(DialogTest, ModalDialogAnsweredByClickingAButton) {
  HWND owner = testdlg::CreateOwner();
  testdlg::SetHandler(EndOnButtons);
  HWND seen = nullptr;
  BOOL ownerEnabled = TRUE;
  std::string caption;
  testsupport::AnswerDialogs([&](HWND dialog) -> INT_PTR {
    seen = dialog;
    ownerEnabled = IsWindowEnabled(owner);
    char text[32] = {};
    GetWindowTextA(dialog, text, sizeof text);
    caption = text;
    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return 99;  // not taken: the click ended the dialog
  });
  EXPECT_EQ(Modal(OrderDialog(0), owner), IDOK);
  EXPECT_EQ(caption, "委託確認");
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  ASSERT_NE(seen, nullptr);
  EXPECT_FALSE(IsWindow(seen));
}

TEST_F(DialogTest, ModalDialogEndsWithTheRespondersResult) {
  HWND owner = testdlg::CreateOwner();
  testsupport::AnswerDialogs([](HWND) -> INT_PTR { return 42; });
  EXPECT_EQ(Modal(OrderDialog(0), owner), 42);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogTest, ModalDialogWithoutAResponderIsCancelled) {
  HWND owner = testdlg::CreateOwner();
  EXPECT_EQ(Modal(OrderDialog(0), owner), IDCANCEL);
  EXPECT_TRUE(IsWindowEnabled(owner));
  // Without an owner too.
  EXPECT_EQ(Modal(OrderDialog(0), nullptr), IDCANCEL);
}

TEST_F(DialogTest, EndDialogDuringInitDialogSkipsTheResponder) {
  HWND owner = testdlg::CreateOwner();
  testdlg::SetHandler([](HWND hwnd, UINT msg, WPARAM, LPARAM param) -> INT_PTR {
    if (msg == WM_INITDIALOG) EndDialog(hwnd, param);
    return FALSE;
  });
  int answered = 0;
  testsupport::AnswerDialogs([&](HWND) -> INT_PTR {
    ++answered;
    return IDOK;
  });
  EXPECT_EQ(Modal(OrderDialog(0), owner, 9), 9);
  EXPECT_EQ(answered, 0);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogTest, ModalDialogThatCannotBeCreatedReturnsMinusOne) {
  HWND owner = testdlg::CreateOwner();
  DialogTemplate broken("", kPopup, DluRect{0, 0, 50, 50});
  broken.Add({"QzNoSuchClass", "", 1, kChild, {0, 0, 10, 10}});
  EXPECT_EQ(Modal(broken, owner), -1);
  EXPECT_TRUE(IsWindowEnabled(owner));

  HWND gone = testdlg::CreateOwner();
  DestroyWindow(gone);
  EXPECT_EQ(Modal(OrderDialog(0), gone), -1);
}
