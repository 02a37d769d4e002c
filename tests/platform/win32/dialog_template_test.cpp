// The portable template builder and DLGINIT: layouts Win32 reads, and strings
// reaching combo boxes as the framework's dialog initialisation sends them.
#include <windows.h>

#include <gmock/gmock.h>
#include <templates/dialog_template.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "dialog_probe.h"
#include "test_support.h"

using templates::DialogTemplate;
using templates::DlgInit;
using templates::DluRect;
using templates::Predefined;

namespace {

constexpr DWORD kPopup = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr int kKind = 31;
constexpr int kTerm = 32;

class DialogTemplateTest : public testsupport::PlatformTest {
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

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string TextOf(HWND hwnd) {
  char text[128] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> out;
  const LRESULT n = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    char text[64] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    out.push_back(text);
  }
  return out;
}

// A dialog with two drop-down lists.
HWND ComboDialog() {
  DialogTemplate t("", kPopup, DluRect{0, 0, 150, 80});
  t.SetFont(9, "新細明體");
  t.Add({Predefined::kComboBox, "", kKind, kChild | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL,
         {5, 5, 60, 80}});
  t.Add({Predefined::kComboBox, "", kTerm, kChild | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL,
         {70, 5, 60, 80}});
  return testdlg::Create(t);
}

// Raw DLGINIT bytes, for entries the builder would never write.
struct RawDlgInit {
  std::vector<BYTE> bytes;
  RawDlgInit& entry(WORD id, WORD message, const std::string& data, DWORD length) {
    put(&id, 2);
    put(&message, 2);
    put(&length, 4);
    put(data.data(), data.size());
    return *this;
  }
  RawDlgInit& entry(WORD id, WORD message, const std::string& text) {
    return entry(id, message, std::string(text.c_str(), text.size() + 1),
                 static_cast<DWORD>(text.size() + 1));
  }
  RawDlgInit& end() {
    WORD zero = 0;
    put(&zero, 2);
    return *this;
  }
  void put(const void* p, size_t n) {
    const BYTE* b = static_cast<const BYTE*>(p);
    bytes.insert(bytes.end(), b, b + n);
  }
};

LRESULT CALLBACK Refusing(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == CB_ADDSTRING) return CB_ERR;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// What each data probe found in its creation parameters: the size WORD and the data.
std::vector<std::vector<BYTE>> g_created;

LRESULT CALLBACK DataProbe(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    const BYTE* p = static_cast<const BYTE*>(cs->lpCreateParams);
    std::vector<BYTE> seen;
    if (p) {
      WORD n;
      std::memcpy(&n, p, sizeof n);
      seen.assign(p, p + sizeof n + n);
    }
    g_created.push_back(seen);
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

const char* DataProbeClass() {
  WNDCLASSA existing;
  if (!GetClassInfoA(testsupport::Instance(), "QzDataProbe", &existing)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DataProbe;
    wc.hInstance = testsupport::Instance();
    wc.lpszClassName = "QzDataProbe";
    RegisterClassA(&wc);
  }
  return "QzDataProbe";
}

WORD WordAt(const void* base, size_t offset) {
  WORD v;
  std::memcpy(&v, static_cast<const BYTE*>(base) + offset, sizeof v);
  return v;
}

}  // namespace

// ---- Layout ---------------------------------------------------------------------------

TEST(DialogTemplateLayout, ClassicTemplateStartsWithADlgTemplate) {
  DialogTemplate t("x", kPopup, DluRect{3, 4, 120, 60}, WS_EX_TOOLWINDOW);
  t.SetFormat(DialogTemplate::Format::kClassic).SetFont(9, "新細明體");
  t.Add({Predefined::kButton, "a", 1, kChild, {0, 0, 10, 10}});
  t.Add({Predefined::kButton, "b", 2, kChild, {0, 0, 10, 10}});
  const DLGTEMPLATE* d = t.Get();
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(d) % 4, 0u);
  EXPECT_EQ(d->style, static_cast<DWORD>(kPopup | DS_SETFONT));
  EXPECT_EQ(d->dwExtendedStyle, static_cast<DWORD>(WS_EX_TOOLWINDOW));
  EXPECT_EQ(d->cdit, 2);
  EXPECT_EQ(d->x, 3);
  EXPECT_EQ(d->y, 4);
  EXPECT_EQ(d->cx, 120);
  EXPECT_EQ(d->cy, 60);
  t.ClearFont();
  EXPECT_EQ(t.Get()->style, static_cast<DWORD>(kPopup));
}

TEST(DialogTemplateLayout, ExtendedTemplateCarriesItsSignature) {
  DialogTemplate t("x", kPopup, DluRect{0, 0, 10, 10});
  const void* d = t.Get();
  ASSERT_GE(t.Size(), 26u);
  EXPECT_EQ(WordAt(d, 0), 1);       // version
  EXPECT_EQ(WordAt(d, 2), 0xFFFF);  // signature
}

TEST_F(DialogTemplateTest, BothFormatsMakeTheSameDialog) {
  for (auto format : {DialogTemplate::Format::kExtended, DialogTemplate::Format::kClassic}) {
    DialogTemplate t("下單", kPopup, DluRect{0, 0, 160, 90});
    t.SetFormat(format).SetFont(9, "新細明體");
    t.Add({Predefined::kStatic, "數量", 40, kChild | SS_RIGHT, {4, 4, 30, 10}});
    t.Add({Predefined::kEdit, "1000", 41, kChild | WS_TABSTOP | WS_BORDER | ES_NUMBER,
           {40, 4, 50, 12}});
    t.Add({Predefined::kButton, "送出", 42, kChild | WS_TABSTOP | BS_PUSHBUTTON,
           {40, 20, 50, 14}});
    t.Add({Predefined::kComboBox, "", 43, kChild | CBS_DROPDOWNLIST, {40, 40, 50, 60}});
    HWND dlg = testdlg::Create(t);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(ClassOf(dlg), "#32770");
    EXPECT_EQ(TextOf(dlg), "下單");
    EXPECT_EQ(ClassOf(GetDlgItem(dlg, 40)), "Static");
    EXPECT_EQ(ClassOf(GetDlgItem(dlg, 41)), "Edit");
    EXPECT_EQ(ClassOf(GetDlgItem(dlg, 42)), "Button");
    EXPECT_EQ(ClassOf(GetDlgItem(dlg, 43)), "ComboBox");
    EXPECT_EQ(TextOf(GetDlgItem(dlg, 40)), "數量");
    EXPECT_EQ(TextOf(GetDlgItem(dlg, 41)), "1000");
    EXPECT_EQ(TextOf(GetDlgItem(dlg, 42)), "送出");
    const LONG_PTR editStyle = GetWindowLongPtrA(GetDlgItem(dlg, 41), GWL_STYLE);
    EXPECT_TRUE(editStyle & WS_TABSTOP);
    EXPECT_TRUE(editStyle & ES_NUMBER);
    EXPECT_TRUE(GetWindowLongPtrA(GetDlgItem(dlg, 40), GWL_STYLE) & SS_RIGHT);
    // Dialog controls never notify their parent of creation.
    EXPECT_TRUE(GetWindowLongPtrA(GetDlgItem(dlg, 42), GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY);
    DestroyWindow(dlg);
  }
}

TEST_F(DialogTemplateTest, ARegisteredDialogClassAndControlClassAreUsed) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefDlgProcA;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hInstance = testsupport::Instance();
  wc.lpszClassName = "QzOwnDialog";
  ASSERT_NE(RegisterClassA(&wc), 0);
  DialogTemplate t("自訂", kPopup, DluRect{0, 0, 100, 50});
  t.SetClassName("QzOwnDialog").SetFont(8, "MS Shell Dlg");
  t.Add({testdlg::ProbeClass(), "探針", 9, kChild, {1, 1, 20, 10}});
  HWND dlg = testdlg::Create(t);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ClassOf(dlg), "QzOwnDialog");
  EXPECT_EQ(ClassOf(GetDlgItem(dlg, 9)), "QzProbe");
  EXPECT_EQ(TextOf(GetDlgItem(dlg, 9)), "探針");
  EXPECT_EQ(testdlg::Filtered({WM_INITDIALOG}).size(), 1u);
}

TEST_F(DialogTemplateTest, CreationDataReachesTheControlAfterItsSize) {
  for (auto format : {DialogTemplate::Format::kExtended, DialogTemplate::Format::kClassic}) {
    g_created.clear();
    DialogTemplate t("", kPopup, DluRect{0, 0, 100, 50});
    t.SetFormat(format);
    templates::DialogItem probe{DataProbeClass(), "", 9, kChild, {1, 1, 20, 10}};
    probe.creationData = {0x11, 0x22, 0x33, 0x44};
    t.Add(probe);
    t.Add({DataProbeClass(), "", 10, kChild, {1, 20, 20, 10}});
    HWND dlg = testdlg::Create(t);
    ASSERT_NE(dlg, nullptr);
    ASSERT_EQ(g_created.size(), 2u);
    EXPECT_EQ(g_created[0], (std::vector<BYTE>{4, 0, 0x11, 0x22, 0x33, 0x44}));
    EXPECT_TRUE(g_created[1].empty());  // no data: a null pointer
    EXPECT_NE(GetDlgItem(dlg, 10), nullptr);
    DestroyWindow(dlg);
  }
}

TEST_F(DialogTemplateTest, AnOddSizedCreationDataIsSkippedByTheByte) {
  QZ_HEADLESS_ONLY("Wine skips odd-sized creation data by whole words and misreads the next item");
  for (auto format : {DialogTemplate::Format::kExtended, DialogTemplate::Format::kClassic}) {
    g_created.clear();
    DialogTemplate t("", kPopup, DluRect{0, 0, 100, 50});
    t.SetFormat(format);
    templates::DialogItem probe{DataProbeClass(), "", 9, kChild, {1, 1, 20, 10}};
    probe.creationData = {0x11, 0x22, 0x33};
    t.Add(probe);
    t.Add({DataProbeClass(), "", 10, kChild, {1, 20, 20, 10}});
    HWND dlg = testdlg::Create(t);
    ASSERT_NE(dlg, nullptr);
    ASSERT_EQ(g_created.size(), 2u);
    EXPECT_EQ(g_created[0], (std::vector<BYTE>{3, 0, 0x11, 0x22, 0x33}));
    EXPECT_NE(GetDlgItem(dlg, 10), nullptr);
    DestroyWindow(dlg);
  }
}

// ---- DLGINIT ----------------------------------------------------------------------------

TEST(DlgInitLayout, MatchesTheResourceCompilersFormat) {
  DlgInit init;
  init.Add(0x1234, "ab").Add(7, "", LB_ADDSTRING);
  const BYTE* p = static_cast<const BYTE*>(init.Get());
  const std::vector<BYTE> bytes(p, p + init.Size());
  const std::vector<BYTE> expected = {0x34, 0x12, 0x03, 0x04, 3, 0, 0, 0, 'a', 'b', 0,
                                      0x07, 0x00, 0x01, 0x04, 1, 0, 0, 0, 0,   0,   0};
  EXPECT_EQ(bytes, expected);
}

TEST_F(DialogTemplateTest, DlgInitFillsComboBoxes) {
  HWND dlg = ComboDialog();
  ASSERT_NE(dlg, nullptr);
  DlgInit init;
  init.Add(kKind, "現股").Add(kKind, "融資").Add(kKind, "融券").Add(kTerm, "ROD");
  EXPECT_TRUE(templates::ExecuteDlgInit(dlg, init.Get()));
  EXPECT_THAT(ComboItems(GetDlgItem(dlg, kKind)), ::testing::ElementsAre("現股", "融資", "融券"));
  EXPECT_THAT(ComboItems(GetDlgItem(dlg, kTerm)), ::testing::ElementsAre("ROD"));
}

TEST_F(DialogTemplateTest, DlgInitTakesBothMessageNumbers) {
  HWND dlg = ComboDialog();
  ASSERT_NE(dlg, nullptr);
  RawDlgInit raw;
  raw.entry(kKind, 0x0403, "IOC").entry(kKind, CB_ADDSTRING, "FOK").end();
  EXPECT_TRUE(templates::ExecuteDlgInit(dlg, raw.bytes.data(), raw.bytes.size()));
  EXPECT_THAT(ComboItems(GetDlgItem(dlg, kKind)), ::testing::ElementsAre("IOC", "FOK"));
}

TEST_F(DialogTemplateTest, DlgInitStopsAtAMalformedEntry) {
  HWND dlg = ComboDialog();
  ASSERT_NE(dlg, nullptr);
  HWND kind = GetDlgItem(dlg, kKind);
  auto run = [&](const RawDlgInit& raw) {
    SendMessageA(kind, CB_RESETCONTENT, 0, 0);
    return templates::ExecuteDlgInit(dlg, raw.bytes.data(), raw.bytes.size());
  };
  RawDlgInit unknownMessage;
  unknownMessage.entry(kKind, 0x0403, "一").entry(kKind, 0x0999, "二").entry(kKind, 0x0403, "三");
  EXPECT_FALSE(run(unknownMessage.end()));
  EXPECT_THAT(ComboItems(kind), ::testing::ElementsAre("一"));

  RawDlgInit unterminated;
  unterminated.entry(kKind, 0x0403, "abc", 3).end();
  EXPECT_FALSE(run(unterminated));
  EXPECT_TRUE(ComboItems(kind).empty());

  RawDlgInit empty;
  empty.entry(kKind, 0x0403, "", 0).end();
  EXPECT_FALSE(run(empty));

  RawDlgInit tooLong;
  tooLong.entry(kKind, 0x0403, "abc", 1000).end();
  EXPECT_FALSE(run(tooLong));

  RawDlgInit noEnd;
  noEnd.entry(kKind, 0x0403, "四");
  EXPECT_FALSE(run(noEnd));
  EXPECT_THAT(ComboItems(kind), ::testing::ElementsAre("四"));

  RawDlgInit cut;
  cut.entry(kKind, 0x0403, "五").end();
  cut.bytes.resize(5);
  EXPECT_FALSE(run(cut));
}

TEST_F(DialogTemplateTest, DlgInitSkipsMissingControlsAndFailsOnRefusal) {
  HWND dlg = ComboDialog();
  ASSERT_NE(dlg, nullptr);
  DlgInit missing;
  missing.Add(999, "無").Add(kTerm, "ROD");
  EXPECT_TRUE(templates::ExecuteDlgInit(dlg, missing.Get(), missing.Size()));
  EXPECT_THAT(ComboItems(GetDlgItem(dlg, kTerm)), ::testing::ElementsAre("ROD"));

  WNDCLASSA wc{};
  wc.lpfnWndProc = Refusing;
  wc.hInstance = testsupport::Instance();
  wc.lpszClassName = "QzRefusing";
  RegisterClassA(&wc);
  DialogTemplate t("", kPopup, DluRect{0, 0, 100, 50});
  t.Add({"QzRefusing", "", 5, kChild, {0, 0, 20, 10}});
  t.Add({Predefined::kComboBox, "", kTerm, kChild | CBS_DROPDOWNLIST, {0, 20, 50, 50}});
  HWND refusing = testdlg::Create(t);
  ASSERT_NE(refusing, nullptr);
  DlgInit init;
  init.Add(5, "x").Add(kTerm, "ROD");
  EXPECT_FALSE(templates::ExecuteDlgInit(refusing, init.Get()));
  EXPECT_TRUE(ComboItems(GetDlgItem(refusing, kTerm)).empty());

  EXPECT_TRUE(templates::ExecuteDlgInit(refusing, nullptr));
  EXPECT_FALSE(templates::ExecuteDlgInit(nullptr, init.Get()));
}
