// Template 28235: the modal average-cost dialog.
#include "control_styles.h"
#include "dialog_builders.h"
#include "resource.h"

namespace qzres {

DialogSource BuildSetAvgDealPrice() {
  templates::DialogTemplate t("重新設定股票持股平均成本",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, {0, 0, 192, 66});
  t.SetFont(8, "Tahoma", FW_NORMAL, false, DEFAULT_CHARSET);
  t.Add(Label(IDC_STATIC_SELECT_STOCK, "請選擇欲設定的股票:", {7, 7, 110, 8}))
      .Add(ComboBox(IDC_COMBO_STOCK, CBS_DROPDOWNLIST, {7, 17, 110, 60}))
      .Add(Label(IDC_STATIC_INPUT_PRICE, "請輸入調整後價位:", {7, 35, 110, 8}))
      .Add(EditBox(IDC_EDIT_PRICE, {7, 45, 110, 12}))
      .Add(DefPushButton(IDOK, "確定", {135, 7, 50, 14}))
      .Add(PushButton(IDCANCEL, "取消", {135, 25, 50, 14}));
  // Placeholders from the editor; the dialog empties the box before filling it.
  templates::DlgInit init;
  init.Add(IDC_COMBO_STOCK, "test1").Add(IDC_COMBO_STOCK, "test2");
  return DialogSource{std::move(t), std::move(init)};
}

}  // namespace qzres
