// A picture of a test list with its grouped header, bands and ticks, written
// under the build tree for a person to look at.
#include <headless/screenshot.h>

#include <filesystem>
#include <string>

#include "list_fixture.h"

namespace ctltest {
namespace {

TEST_F(ListTest, AGroupedListRendersToAPng) {
  ASSERT_TRUE(
      list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 680, 330), &owner, 101));
  owner.SetWindowText("list");
  const char* captions[] = {"選", "代號", "名稱", "張數", "零股", "成本", "市價", "損益"};
  const int widths[] = {30, 60, 90, 70, 70, 90, 90, 90};
  for (int c = 0; c < 8; ++c)
    list.InsertColumn(c, captions[c],
                      c >= 3   ? LVCFMT_RIGHT
                      : c == 0 ? LVCFMT_CENTER
                               : LVCFMT_LEFT,
                      widths[c]);
  for (int c = 3; c <= 4; ++c) list.MarkGroupedColumn(c);
  for (int c = 5; c <= 7; ++c) list.MarkGroupedColumn(c);
  ASSERT_TRUE(list.AddHeaderGroup(3, 4, "庫存"));
  ASSERT_TRUE(list.AddHeaderGroup(5, 7, "金額"));
  list.SetHeaderGradient(250, 250, 255, 3);
  list.SetRowHeight(22);
  const char* rows[] = {"-|2330|台積電|12|300|6,120,000|6,985,000|865,000",
                        "-|2317|鴻海|5|0|520,000|498,000|-22,000",
                        "-|2454|聯發科|1|50|1,080,000|1,215,000|135,000",
                        "-|0050|元大台灣50|20|0|2,660,000|2,850,000|190,000",
                        "-|3008|大立光|0|20|41,000|44,600|3,600",
                        "-|6505|台塑化|3|0|270,000|255,000|-15,000"};
  for (int r = 0; r < 6; ++r) {
    list.SetRowText(r, rows[r], "|");
    list.SetItemText(r, 0, "");
  }
  list.ResetChecks(6, false);
  list.m_checks[0] = list.m_checks[2] = list.m_checks[3] = true;
  list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);

  const std::filesystem::path dir = QZ_SCREENSHOT_DIR;
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "list_ctrl_ex_h.png").string();
  ASSERT_TRUE(headless::RenderWindowToPng(owner.m_hWnd, path.c_str()));
  const headless::Image image = headless::LoadPng(path.c_str());
  EXPECT_EQ(image.width, 700);
  EXPECT_EQ(image.height, 400);
  EXPECT_EQ(list.GetItemCount(), 6);
}

}  // namespace
}  // namespace ctltest
