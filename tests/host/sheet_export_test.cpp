// The inventory export as a person gets it: a real .xlsx, read back cell by cell by an
// independent reader, and a clear message when the file cannot be written.
#include <afxcmn.h>
#include <afxwin.h>
#include <gtest/gtest.h>

#include <headless/headless.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "CommonUtilities.h"
#include "ViewDataHelpers.h"
#include "host/cp950_text.h"
#include "host/environment.h"
#include "host_fixture.h"
#include "sheet_reader.h"

namespace {

class SheetExportTest : public hosttest::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    frame_ = new CFrameWnd;
    ASSERT_TRUE(frame_->Create(nullptr, "匯出", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
    names_.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 100, 300), frame_, 1);
    grid_.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(100, 0, 500, 300), frame_, 2);
    host::SetEventSink([this](const host::HostEvent& e) {
      if (e.kind == host::HostEvent::Kind::kExport) exports_.push_back(e);
    });
    headless::ClearMessageBoxLog();
  }
  void TearDown() override {
    host::SetEventSink(nullptr);
    if (frame_ && ::IsWindow(frame_->GetSafeHwnd())) frame_->DestroyWindow();
    HostTest::TearDown();
  }
  static std::string Utf8(const char* cp950) { return host::Cp950ToUtf8(cp950).text; }
  void OneRow() {
    grid_.InsertColumn(0, "庫存股數", LVCFMT_RIGHT, 90);
    grid_.InsertItem(0, "1");
  }
  // The name the export gives its file at this moment of the virtual clock.
  std::string NextFile() const {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    char name[96];
    std::snprintf(name, sizeof name, "/inventory_%04u%02u%02u_%02u%02u%02u_%03u.xlsx", t.wYear,
                  t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    return s_PathGetSysPath(2).str() + name;
  }
  void ExpectRefused(const std::string& file, const char* reason) {
    ASSERT_EQ(exports_.size(), 1u);
    EXPECT_FALSE(exports_[0].written);
    EXPECT_TRUE(exports_[0].file.empty());
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    const std::string& text = headless::MessageBoxLog()[0].text;
    EXPECT_EQ(text.rfind(CString("匯出失敗").str(), 0), 0u) << text;
    EXPECT_NE(text.find(file), std::string::npos) << text;
    EXPECT_NE(text.find(CString(reason).str()), std::string::npos) << text;
  }

  CFrameWnd* frame_ = nullptr;
  CListCtrl names_;
  CListCtrl grid_;
  std::vector<host::HostEvent> exports_;
};

TEST_F(SheetExportTest, EveryRowIsWrittenNameFirstWithNumbersAndAlignment) {
  names_.InsertColumn(0, "股票名稱", LVCFMT_CENTER, 90);
  grid_.InsertColumn(0, "庫存股數", LVCFMT_RIGHT, 90);
  grid_.InsertColumn(1, "市值", LVCFMT_RIGHT, 90);
  const char* rows[][3] = {{"台積電(2330)", "5,500", "3,245,000 元"},
                           {"100%成長", "12", "%s%n"},
                           {"總市值  ", "  ", "3,245,000 元"}};
  for (int r = 0; r < 3; ++r) {
    names_.InsertItem(r, rows[r][0]);
    grid_.InsertItem(r, rows[r][1]);
    grid_.SetItemText(r, 1, rows[r][2]);
  }
  CBaseOrder_UserInfo user;
  user.m_strAccount = "0123456";
  user.m_strUserName = "林美玲";
  g_UnoffsetDataExportXls(names_, grid_, "帳務資料-庫存市值", "CR", &user, true);

  ASSERT_EQ(exports_.size(), 1u);
  ASSERT_TRUE(exports_[0].written);
  ASSERT_TRUE(std::filesystem::exists(exports_[0].file));
  EXPECT_EQ(exports_[0].file.rfind(home_, 0), 0u);
  ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
  EXPECT_NE(headless::MessageBoxLog()[0].text.find(exports_[0].file), std::string::npos);

  std::string error;
  const nlohmann::json sheet = testsupport::ReadSheet(exports_[0].file, &error);
  ASSERT_TRUE(sheet.is_object()) << error;
  const nlohmann::json& cells = sheet["cells"];
  EXPECT_EQ(cells["A1"]["value"], Utf8("帳務資料-庫存市值"));
  EXPECT_TRUE(cells["A1"]["bold"]);
  EXPECT_NE(cells["A2"]["value"].get<std::string>().find(Utf8("林美玲")), std::string::npos);
  // No groups: the captions follow the user line directly.
  EXPECT_TRUE(sheet["merged"].empty());
  EXPECT_EQ(cells["A3"]["value"], Utf8("股票名稱"));
  EXPECT_EQ(cells["B3"]["value"], Utf8("庫存股數"));
  EXPECT_EQ(cells["C3"]["value"], Utf8("市值"));
  // Name first and centred; a plain number stays a number, aligned right.
  EXPECT_EQ(cells["A4"]["value"], Utf8("台積電(2330)"));
  EXPECT_EQ(cells["A4"]["align"], "center");
  EXPECT_EQ(cells["B4"]["type"], "n");
  EXPECT_EQ(cells["B4"]["value"], 5500);
  EXPECT_EQ(cells["B4"]["align"], "right");
  // Past the alignment letters the default applies; texts stay texts, "%" included.
  EXPECT_EQ(cells["C4"]["type"], "s");
  EXPECT_EQ(cells["C4"]["value"], Utf8("3,245,000 元"));
  EXPECT_EQ(cells["C4"]["align"], "");
  EXPECT_EQ(cells["A5"]["value"], Utf8("100%成長"));
  EXPECT_EQ(cells["C5"]["value"], "%s%n");
  // Padding blanks are dropped; a blank spacer stays an empty cell.
  EXPECT_EQ(cells["A6"]["value"], Utf8("總市值"));
  EXPECT_FALSE(cells.contains("B6"));
  EXPECT_EQ(sheet["rows"], 6);
}

TEST_F(SheetExportTest, AGroupedHeaderGetsARowOfMergedGroupCaptions) {
  hosttest::GroupedHeader header(1, 2, "融資");
  names_.InsertColumn(0, "股票名稱", LVCFMT_CENTER, 90);
  for (int c = 0; c < 4; ++c) grid_.InsertColumn(c, c == 0 ? "代號" : "股數", LVCFMT_RIGHT, 60);
  ASSERT_TRUE(header.SubclassWindow(grid_.GetHeaderCtrl()->GetSafeHwnd()));
  names_.InsertItem(0, "台積電");
  grid_.InsertItem(0, "2330");
  g_UnoffsetDataExportXls(names_, grid_, "帳務資料", "CRRRR", nullptr, false);
  header.UnsubclassWindow();

  ASSERT_EQ(exports_.size(), 1u);
  ASSERT_TRUE(exports_[0].written);
  const nlohmann::json sheet = testsupport::ReadSheet(exports_[0].file);
  ASSERT_TRUE(sheet.is_object());
  // Grid columns 1-2 are sheet columns C-D, the name column being first.
  EXPECT_EQ(sheet["merged"], nlohmann::json::array({"C2:D2"}));
  EXPECT_EQ(sheet["cells"]["C2"]["value"], Utf8("融資"));
  EXPECT_EQ(sheet["cells"]["C2"]["align"], "center");
  EXPECT_FALSE(sheet["cells"].contains("A2"));
  EXPECT_EQ(sheet["cells"]["A3"]["value"], Utf8("股票名稱"));
  EXPECT_EQ(sheet["cells"]["E3"]["value"], Utf8("股數"));
  EXPECT_EQ(sheet["cells"]["B4"]["value"], 2330);
}

TEST_F(SheetExportTest, AFullDiskIsReportedWithTheFileAndNoFileIsLeft) {
  OneRow();
  const std::string file = NextFile();
  std::filesystem::create_directories(std::filesystem::path(file).parent_path());
  // Every write to this name fails as on a full disk.
  std::filesystem::create_symlink("/dev/full", file);
  g_UnoffsetDataExportXls(names_, grid_, "帳務資料", "R", nullptr, true);
  ExpectRefused(file, "磁碟空間不足");
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(file)));
}

TEST_F(SheetExportTest, AFolderThatCannotBeWrittenIsReported) {
  OneRow();
  // The export folder's place is taken by a file.
  const std::string dir = s_PathGetSysPath(2).str();
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(std::filesystem::path(dir).parent_path());
  std::ofstream(dir) << "not a folder";
  const std::string file = NextFile();
  g_UnoffsetDataExportXls(names_, grid_, "帳務資料", "R", nullptr, true);
  ExpectRefused(file, "資料夾無法寫入");
  EXPECT_TRUE(std::filesystem::is_regular_file(dir));
  std::filesystem::remove(dir);
}

TEST_F(SheetExportTest, AListWithoutColumnsExportsNothingAndSaysSo) {
  g_UnoffsetDataExportXls(names_, grid_, "帳務資料", "R", nullptr, true);
  ASSERT_EQ(exports_.size(), 1u);
  EXPECT_FALSE(exports_[0].written);
  ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
}

}  // namespace
