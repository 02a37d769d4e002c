// Template 2253: the inventory dialog, a child of the holdings view. Its two
// lists are moved by the dialog's own layout; their template rectangles only
// matter until the first WM_SIZE.
#include "control_styles.h"
#include "dialog_builders.h"
#include "resource.h"

namespace qzres {

DialogSource BuildStockInventory() {
  templates::DialogTemplate t("", WS_CHILD, {0, 0, 527, 170});
  t.SetFont(10, "微軟正黑體", FW_NORMAL, false, CHINESEBIG5_CHARSET);
  t.Add(ComboBox(IDC_COMBO_ACCOUNT, CBS_DROPDOWNLIST, {4, 13, 87, 48}))
      .Add(Label(IDC_STATIC_CODE, "商品代碼:", {93, 16, 29, 8}))
      .Add(EditBox(IDC_EDIT_CODE, {127, 13, 37, 12}))
      .Add(PushButton(IDC_BTN_QUERY_STOCKS, "庫存查詢", {167, 13, 37, 12}))
      .Add(PushButton(IDC_BTN_MARKETVALUE, "庫存市值", {207, 13, 35, 12}))
      // The two check boxes share their place: each shows in one grid mode only.
      .Add(CheckBox(IDC_CHK_INCLUDE_ODD, "含零股", {245, 15, 36, 10}))
      .Add(CheckBox(IDC_CHK_SELECT_ALL, "全選", {249, 15, 29, 10}))
      .Add(PushButton(IDC_BTN_CLEAR_OUT, "出清", {281, 13, 25, 12}))
      .Add(PushButton(IDC_BTN_KEEP, "保留", {309, 13, 25, 12}))
      .Add(PushButton(IDC_BTN_DAY_TRADE, "當沖", {337, 13, 25, 12}))
      .Add(PushButton(IDC_BTN_PRINT, "列印", {365, 13, 25, 12}))
      .Add(PushButton(IDC_BTN_EXPORT_EXCEL, "匯出Excel", {393, 13, 35, 12}))
      .Add(Label(IDC_STATIC_COUNT_CAPTION, "資料總筆數:", {433, 15, 35, 8}))
      .Add(Label(IDC_STATIC_COUNT, "1000筆", {473, 15, 24, 8}))
      .Add(DialogItem(Predefined::kStatic, "", IDC_STATIC_COUNT_FRAME,
                      kVisibleChild | SS_ETCHEDFRAME, {431, 13, 69, 12}))
      .Add(ReportList(IDC_LIST_MAIN, "List1", {1, 62, 345, 35}))
      .Add(Label(IDC_STATIC_ANCHOR, "", {502, 15, 9, 8}))
      .Add(Label(IDC_STATIC_STM_RATIO, "整戶維持率：--%", {9, 28, 69, 8}))
      .Add(ReportList(IDC_LIST_NAME, "List2", {1, 98, 60, 50}))
      .Add(Label(IDC_STATIC_NOTICE,
                 "每交易日PM19:30~20:10為帳務資料轉檔時間，於轉檔期間查詢資料可能造成查詢時間較久，"
                 "或查詢可能有資料不正確的狀況，請於20:10後再行查詢，造成您的不便，敬請見諒！",
                 {5, 3, 518, 8}));
  return DialogSource{std::move(t), std::nullopt};
}

}  // namespace qzres
