// Message boxes: the default button, answers from the responder, the log.
#include <windows.h>

#include <gmock/gmock.h>

#include <string>

#include "test_support.h"

namespace {

class MessageBoxTest : public testsupport::PlatformTest {};

HWND CreateOwner() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = testsupport::Instance();
  wc.lpszClassName = "QzBoxOwner";
  RegisterClassA(&wc);
  return CreateWindowExA(0, "QzBoxOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                         200, nullptr, nullptr, testsupport::Instance(), nullptr);
}

}  // namespace

TEST_F(MessageBoxTest, WithoutAnAnswerTheDefaultButtonIsTaken) {
  EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_OK), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_OKCANCEL), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_ABORTRETRYIGNORE | MB_DEFBUTTON2), IDRETRY);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_RETRYCANCEL | MB_ICONWARNING), IDRETRY);
}

TEST_F(MessageBoxTest, TheResponderSeesTheBoxAndAnswersIt) {
  std::string text, caption;
  UINT type = 0;
  testsupport::AnswerMessageBoxes([&](const std::string& t, const std::string& c, UINT u) {
    text = t;
    caption = c;
    type = u;
    return IDNO;
  });
  HWND owner = CreateOwner();
  EXPECT_EQ(MessageBoxA(owner, "確定要刪單嗎？", "刪單確認", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(text, "確定要刪單嗎？");
  EXPECT_EQ(caption, "刪單確認");
  EXPECT_EQ(type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
}

TEST_F(MessageBoxTest, AnAnswerTheBoxHasNoButtonForIsIgnored) {
  testsupport::AnswerMessageBoxes([](const std::string&, const std::string&, UINT) {
    return IDOK;
  });
  EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_YESNO), IDYES);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "t", MB_OKCANCEL | MB_DEFBUTTON2), IDOK);
}

TEST_F(MessageBoxTest, EveryBoxShownIsLoggedWithItsResult) {
  testsupport::AnswerMessageBoxes([](const std::string& text, const std::string&, UINT) {
    return text == "第二" ? IDCANCEL : 0;
  });
  MessageBoxA(nullptr, "第一", "標題", MB_OK | MB_ICONINFORMATION);
  MessageBoxA(nullptr, "第二", nullptr, MB_OKCANCEL);
  auto shown = testsupport::MessageBoxesShown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "第一");
  EXPECT_EQ(shown[0].caption, "標題");
  EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(shown[0].result, IDOK);
  EXPECT_EQ(shown[1].text, "第二");
  EXPECT_EQ(shown[1].caption, "Error");  // a NULL caption
  EXPECT_EQ(shown[1].result, IDCANCEL);
}

TEST_F(MessageBoxTest, AnInvalidOwnerFails) {
  HWND gone = CreateOwner();
  DestroyWindow(gone);
  EXPECT_LE(MessageBoxA(gone, "a", "t", MB_OK), 0);
  EXPECT_TRUE(testsupport::MessageBoxesShown().empty());
}

TEST_F(MessageBoxTest, AnInvalidOwnerFailsWithZero) {
  QZ_HEADLESS_ONLY("Wine returns the dialog manager's -1 where Windows returns 0");
  HWND gone = CreateOwner();
  DestroyWindow(gone);
  EXPECT_EQ(MessageBoxA(gone, "a", "t", MB_OK), 0);
}
