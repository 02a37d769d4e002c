// Template 28233: the classic positions dialog, a child of the holdings view.
// The host lays the list out against the anchor at the top right, so the
// list's rectangle here is its place before the first WM_SIZE.
#include "control_styles.h"
#include "dialog_builders.h"
#include "resource.h"

namespace qzres {

DialogSource BuildStockUnoffset() {
  templates::DialogTemplate t("", WS_CHILD, {0, 0, 463, 71});
  t.SetFont(10, "微軟正黑體", FW_NORMAL, false, CHINESEBIG5_CHARSET);
  t.Add(ComboBox(IDC_COMBO_ACCOUNT, CBS_DROPDOWNLIST, {4, 4, 85, 60}))
      .Add(PushButton(IDC_BTN_REFRESH, "重新整理", {93, 4, 40, 12}))
      .Add(Hidden(PushButton(IDC_BTN_SETAVGPRICE, "調整持股成本", {137, 4, 52, 12})))
      .Add(GroupBox(IDC_GROUP_MARKETVALUE, {193, 0, 100, 17}))
      .Add(Label(IDC_STATIC_MARKETVALUE, "總計浮動損益約", {197, 6, 53, 8}))
      .Add(Label(IDC_STATIC_TOTAL, "NT$ --", {251, 6, 38, 8}))
      .Add(GroupBox(IDC_GROUP_ROWCOUNT, {297, 0, 74, 17}))
      .Add(Label(IDC_STATIC_ROWCOUNT_CAPTION, "總資料筆數：", {301, 6, 46, 8}))
      .Add(Label(IDC_STATIC_ROWCOUNT, "", {348, 6, 20, 8}))
      .Add(Label(IDC_STATIC_STM_RATIO, "整戶維持率：--%", {378, 6, 71, 8}))
      .Add(GroupBox(IDC_GROUP_STM_RATIO, {375, 0, 77, 17}))
      .Add(Hidden(Label(IDC_STATIC_MSG, "static", {4, 19, 300, 8})))
      .Add(ReportList(IDC_LIST_UNOFFSET, "", {4, 30, 455, 37}, LVS_OWNERDRAWFIXED))
      .Add(Label(IDC_STATIC_ANCHOR, "", {455, 0, 8, 8}));
  templates::DlgInit init;
  init.Add(IDC_COMBO_ACCOUNT, "查詢中");
  return DialogSource{std::move(t), std::move(init)};
}

}  // namespace qzres
