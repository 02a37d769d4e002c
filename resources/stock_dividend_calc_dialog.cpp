// Template 26017: the dividend dialog, a child of the dividend view. The two
// notes overlap; the dialog shows the one of its mode.
#include "control_styles.h"
#include "dialog_builders.h"
#include "resource.h"

namespace qzres {

DialogSource BuildStockDividendCalc() {
  templates::DialogTemplate t("", WS_CHILD, {0, 0, 570, 140});
  t.SetFont(10, "微軟正黑體", FW_NORMAL, false, CHINESEBIG5_CHARSET);
  t.Add(Hidden(Label(IDC_STATIC_ANCHOR, "", {512, 0, 8, 8})))
      .Add(Label(IDC_STATIC_NOTE_CALC,
                 "注意事項：提供自2024/XX/XX(中台上線日)起股利配發明細試算服務。", {7, 4, 400, 37}))
      .Add(Label(IDC_STATIC_NOTE_INVENTORY, "注意事項：除權息日前一日持有庫存才可參與配股配息",
                 {7, 15, 290, 8}))
      .Add(ComboBox(IDC_COMBO_ACCOUNT, CBS_DROPDOWN, {4, 44, 85, 54}))
      .Add(ComboBox(IDC_COMBO_DIVIDEND_TYPE, CBS_DROPDOWN, {100, 44, 41, 68}))
      .Add(Label(IDC_STATIC_CODE, "商品代碼:", {149, 46, 29, 8}, SS_RIGHT))
      .Add(EditBox(IDC_EDIT_CODE, {179, 44, 30, 12}))
      .Add(Label(IDC_STATIC_INTERVAL, "查詢區間:", {213, 46, 29, 8}))
      .Add(ComboBox(IDC_COMBO_INTERVAL, CBS_DROPDOWN, {242, 44, 33, 75}))
      .Add(Label(IDC_STATIC_DATE_RANGE, "查詢起訖日期:", {275, 46, 42, 8}, SS_RIGHT))
      .Add(DatePicker(IDC_DATE_START, {319, 44, 55, 12}, DTS_RIGHTALIGN))
      .Add(Label(IDC_STATIC_DATE_TO, "至", {375, 46, 8, 9}))
      .Add(DatePicker(IDC_DATE_END, {383, 44, 55, 12}, DTS_RIGHTALIGN))
      .Add(DefPushButton(IDC_BTN_QUERY_DIVIDEND, "查詢", {441, 44, 25, 12}))
      .Add(Label(IDC_STATIC_CASH_DIVIDEND_CAPTION, "累計現金股息", {7, 64, 50, 11}))
      .Add(Label(IDC_STATIC_CASH_DIVIDEND, "$ 0", {57, 64, 49, 9}))
      .Add(RadioButton(IDC_RADIO_DIVIDEND_CALC, "股利試算", {215, 63, 43, 10},
                       WS_GROUP | WS_TABSTOP))
      .Add(RadioButton(IDC_RADIO_EX_DIVIDEND_STOCKS, "即將除權息庫存", {271, 63, 64, 10}))
      .Add(Label(IDC_STATIC_UPDATE_TIME_CAPTION, "更新時間：", {388, 64, 35, 10}))
      .Add(Label(IDC_STATIC_UPDATE_TIME, "時間", {425, 64, 93, 8}))
      .Add(ReportList(IDC_LIST_DIVIDEND, "", {7, 79, 551, 55}));
  return DialogSource{std::move(t), std::nullopt};
}

}  // namespace qzres
