// The inventory export as a person gets it: a real .xlsx, read back cell by cell by an
// independent reader, and a clear message when the file cannot be written.
#include <afxcmn.h>
#include <afxwin.h>
#include <gtest/gtest.h>

#include <headless/headless.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "CommonUtilities.h"
#include "ViewDataHelpers.h"
#include "host/cp950_text.h"
#include "host/environment.h"
#include "host_fixture.h"

namespace {

// Reads every cell of the first sheet as {"A1": value, ...} with the standard library's
// zip and XML readers, so the file is checked by something other than its writer.
const char kReader[] = R"PY(
import json, sys, zipfile, xml.etree.ElementTree as ET
ns = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
z = zipfile.ZipFile(sys.argv[1])
shared = []
if "xl/sharedStrings.xml" in z.namelist():
    for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", ns):
        shared.append("".join(t.text or "" for t in si.iter("{%s}t" % ns["m"])))
styles = ET.fromstring(z.read("xl/styles.xml"))
xfs = styles.find("m:cellXfs", ns).findall("m:xf", ns)
cells = {}
for c in ET.fromstring(z.read("xl/worksheets/sheet1.xml")).iter("{%s}c" % ns["m"]):
    v = c.find("m:v", ns)
    value = shared[int(v.text)] if c.get("t") == "s" else float(v.text)
    a = xfs[int(c.get("s", "0"))].find("m:alignment", ns)
    cells[c.get("r")] = [value, a.get("horizontal", "") if a is not None else ""]
print(json.dumps(cells, ensure_ascii=False))
)PY";

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
  nlohmann::json ReadBack(const std::string& file) {
    const std::string script = home_ + "/read_sheet.py";
    std::ofstream(script) << kReader;
    std::string out;
    if (std::FILE* p = ::popen(("python3 " + script + " '" + file + "'").c_str(), "r")) {
      char buffer[4096];
      size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
      ::pclose(p);
    }
    return nlohmann::json::parse(out, nullptr, false);
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
                           {"總市值", "", "3,245,000 元"}};
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

  const nlohmann::json cells = ReadBack(exports_[0].file);
  ASSERT_TRUE(cells.is_object()) << "python3 could not read " << exports_[0].file;
  EXPECT_EQ(cells["A1"][0], Utf8("帳務資料-庫存市值"));
  EXPECT_NE(cells["A2"][0].get<std::string>().find(Utf8("林美玲")), std::string::npos);
  EXPECT_EQ(cells["A3"][0], Utf8("股票名稱"));
  EXPECT_EQ(cells["B3"][0], Utf8("庫存股數"));
  EXPECT_EQ(cells["C3"][0], Utf8("市值"));
  // Name first and centred; a plain number stays a number, aligned right.
  EXPECT_EQ(cells["A4"], nlohmann::json::array({Utf8("台積電(2330)"), "center"}));
  EXPECT_EQ(cells["B4"], nlohmann::json::array({5500.0, "right"}));
  // Past the alignment letters the default applies; texts stay texts, "%" included.
  EXPECT_EQ(cells["C4"], nlohmann::json::array({Utf8("3,245,000 元"), ""}));
  EXPECT_EQ(cells["A5"][0], Utf8("100%成長"));
  EXPECT_EQ(cells["C5"][0], "%s%n");
  EXPECT_EQ(cells["A6"][0], Utf8("總市值"));
  EXPECT_FALSE(cells.contains("B6"));
  EXPECT_FALSE(cells.contains("A7"));
}

TEST_F(SheetExportTest, AFolderThatCannotBeWrittenIsReported) {
  grid_.InsertColumn(0, "庫存股數", LVCFMT_RIGHT, 90);
  grid_.InsertItem(0, "1");
  // The export folder's place is taken by a file.
  const std::string dir = s_PathGetSysPath(2).str();
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(std::filesystem::path(dir).parent_path());
  std::ofstream(dir) << "not a folder";
  g_UnoffsetDataExportXls(names_, grid_, "帳務資料", "R", nullptr, true);
  ASSERT_EQ(exports_.size(), 1u);
  EXPECT_FALSE(exports_[0].written);
  EXPECT_TRUE(exports_[0].file.empty());
  ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
  EXPECT_EQ(headless::MessageBoxLog()[0].text.rfind(CString("匯出失敗").str(), 0), 0u);
  std::filesystem::remove(dir);
}

TEST_F(SheetExportTest, AListWithoutColumnsExportsNothingAndSaysSo) {
  g_UnoffsetDataExportXls(names_, grid_, "帳務資料", "R", nullptr, true);
  ASSERT_EQ(exports_.size(), 1u);
  EXPECT_FALSE(exports_[0].written);
  ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
}

}  // namespace
