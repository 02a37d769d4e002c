// The inventory print-to-file as a person reads it: the PDF's text, extracted by an
// independent reader, holds the title, the captions and every row; a long grid runs onto
// numbered pages; nothing to print, or a printer that fails, gives false.
#include <afxcmn.h>
#include <afxwin.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "ViewDataHelpers.h"
#include "host/cp950_text.h"
#include "host/environment.h"
#include "host_fixture.h"

namespace {

std::string Shell(const std::string& command) {
  std::string out;
  if (std::FILE* p = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
    ::pclose(p);
  }
  return out;
}

class ListPrintTest : public hosttest::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    if (Shell("command -v pdftotext pdfinfo").empty()) GTEST_SKIP() << "poppler-utils is not installed";
    frame_ = new CFrameWnd;
    ASSERT_TRUE(frame_->Create(nullptr, "列印", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
    names_.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 100, 300), frame_, 1);
    grid_.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(100, 0, 500, 300), frame_, 2);
    names_.InsertColumn(0, "股票名稱", LVCFMT_CENTER, 95);
    host::SetEventSink([this](const host::HostEvent& e) {
      if (e.kind == host::HostEvent::Kind::kPrint) prints_.push_back(e);
    });
  }
  void TearDown() override {
    host::SetEventSink(nullptr);
    if (frame_ && ::IsWindow(frame_->GetSafeHwnd())) frame_->DestroyWindow();
    HostTest::TearDown();
  }
  void Fill(int rows, int columns) {
    for (int c = 0; c < columns; ++c) {
      CString caption;
      caption.Format("欄%02d", c);
      grid_.InsertColumn(c, caption, LVCFMT_RIGHT, 70);
    }
    for (int r = 0; r < rows; ++r) {
      CString name;
      name.Format("股票%03d", r);
      names_.InsertItem(r, name);
      for (int c = 0; c < columns; ++c) {
        CString cell;
        cell.Format("%d", r * 100 + c);
        if (c == 0)
          grid_.InsertItem(r, cell);
        else
          grid_.SetItemText(r, c, cell);
      }
    }
  }
  static std::string Utf8(const CString& cp950) { return host::Cp950ToUtf8(cp950.str()).text; }
  static std::string Text(const std::string& pdf) { return Shell("pdftotext -layout '" + pdf + "' -"); }
  static int Pages(const std::string& pdf) {
    const std::string info = Shell("pdfinfo '" + pdf + "'");
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::atoi(info.c_str() + at + 6);
  }
  static size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }

  CFrameWnd* frame_ = nullptr;
  CListCtrl names_;
  CListCtrl grid_;
  std::vector<host::HostEvent> prints_;
};

TEST_F(ListPrintTest, TheTextHoldsTitleCaptionsUserAndEveryRow) {
  Fill(20, 3);
  grid_.SetItemText(4, 2, "100%s");
  CBaseOrder_UserInfo user;
  user.m_strAccount = "0123456";
  user.m_strUserName = "林美玲";
  ASSERT_TRUE(g_vPrintListCtrlInventory(grid_, names_, "庫存市值", &user, 0, "LRRR", 0));
  ASSERT_EQ(prints_.size(), 1u);
  ASSERT_TRUE(prints_[0].written);
  const std::string text = Text(prints_[0].file);
  EXPECT_NE(text.find(Utf8("庫存市值")), std::string::npos) << text;
  EXPECT_NE(text.find(Utf8("林美玲")), std::string::npos);
  for (const char* caption : {"股票名稱", "欄00", "欄01", "欄02"})
    EXPECT_NE(text.find(Utf8(caption)), std::string::npos) << caption;
  for (int r = 0; r < 20; ++r) {
    CString name;
    name.Format("股票%03d", r);
    EXPECT_NE(text.find(Utf8(name)), std::string::npos) << r;
    EXPECT_NE(text.find(std::to_string(r * 100 + 1)), std::string::npos) << r;
  }
  EXPECT_NE(text.find("100%s"), std::string::npos);
  EXPECT_EQ(Pages(prints_[0].file), 1);
}

TEST_F(ListPrintTest, ALongGridRunsOntoNumberedPagesAndAWideOneRepeatsTheNames) {
  Fill(300, 3);
  ASSERT_TRUE(g_vPrintListCtrlInventory(grid_, names_, "證券庫存", nullptr, 1, "", 1));
  const int pages = Pages(prints_.back().file);
  EXPECT_GE(pages, 9);
  EXPECT_LE(pages, 12);
  const std::string text = Text(prints_.back().file);
  EXPECT_NE(text.find("1 / " + std::to_string(pages)), std::string::npos);
  EXPECT_NE(text.find(std::to_string(pages) + " / " + std::to_string(pages)), std::string::npos);
  EXPECT_EQ(Count(text, Utf8("證券庫存")), static_cast<size_t>(pages));
  EXPECT_NE(text.find(Utf8("股票299")), std::string::npos);

  // Forty columns do not fit one page across: each band repeats the name column.
  grid_.DeleteAllItems();
  names_.DeleteAllItems();
  while (grid_.DeleteColumn(0)) {
  }
  Fill(5, 40);
  ASSERT_TRUE(g_vPrintListCtrlInventory(grid_, names_, "證券庫存", nullptr, 1, "", 1));
  const int wide = Pages(prints_.back().file);
  EXPECT_GT(wide, 1);
  const std::string wideText = Text(prints_.back().file);
  EXPECT_EQ(Count(wideText, Utf8("股票004")), static_cast<size_t>(wide));
  EXPECT_NE(wideText.find(Utf8("欄39")), std::string::npos);
}

TEST_F(ListPrintTest, GroupCaptionsStandAboveTheirColumnsOnEveryPageTheyReach) {
  hosttest::GroupedHeader header(1, 2, "融資");
  Fill(3, 14);
  ASSERT_TRUE(header.SubclassWindow(grid_.GetHeaderCtrl()->GetSafeHwnd()));
  const bool printed = g_vPrintListCtrlInventory(grid_, names_, "證券庫存", nullptr, 1, "", 1);
  header.UnsubclassWindow();
  ASSERT_TRUE(printed);
  ASSERT_EQ(prints_.size(), 1u);
  // Fourteen columns take two pages side by side; the group is on the first only.
  ASSERT_EQ(Pages(prints_[0].file), 2);
  const std::string text = Text(prints_[0].file);
  EXPECT_EQ(Count(text, Utf8("融資")), 1u);
  EXPECT_LT(text.find(Utf8("融資")), text.find(Utf8("欄01")));
}

TEST_F(ListPrintTest, NothingToPrintOrAFailedPrinterGivesFalse) {
  grid_.InsertColumn(0, "欄", LVCFMT_RIGHT, 70);
  EXPECT_FALSE(g_vPrintListCtrlInventory(grid_, names_, "證券庫存", nullptr, 1, "", 1));
  Fill(2, 1);
  host::FailNextPrint();
  EXPECT_FALSE(g_vPrintListCtrlInventory(grid_, names_, "證券庫存", nullptr, 1, "", 1));
  ASSERT_EQ(prints_.size(), 2u);
  EXPECT_FALSE(prints_[1].written);
  EXPECT_TRUE(g_vPrintListCtrlInventory(grid_, names_, "證券庫存", nullptr, 1, "", 1));
}

}  // namespace
