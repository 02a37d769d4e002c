#include "host/resources.h"

#include <afxwin.h>

#include <commctrl.h>
#include <templates/dialog_template.h>

#include "CConfirmOrder.h"
#include "CDlgTipMsg.h"
#include "JqzCAManagementDlg.h"
#include "JqzChangeOrder.h"

namespace host {
namespace {

using templates::DialogItem;
using templates::DialogTemplate;
using templates::Predefined;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kModal = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

DialogTemplate tipTemplate() {
  DialogTemplate t("", WS_POPUP | WS_BORDER, {0, 0, 160, 18});
  t.SetFont(9, "新細明體");
  t.Add(DialogItem(Predefined::kStatic, "", IDC_QZ_TIPMSG_TEXT, kChild | SS_CENTER,
                   {2, 4, 156, 10}));
  return t;
}

DialogTemplate confirmTemplate() {
  DialogTemplate t("委託確認", kModal, {0, 0, 280, 160});
  t.SetFont(9, "新細明體");
  t.Add(DialogItem(Predefined::kStatic, "", IDC_QZ_CONFIRM_ACCOUNT, kChild, {7, 7, 266, 10}));
  t.Add(DialogItem("SysListView32", "", IDC_QZ_CONFIRM_LIST,
                   kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_NOSORTHEADER |
                       LVS_SINGLESEL,
                   {7, 20, 266, 110}));
  t.Add(DialogItem(Predefined::kStatic, "", IDC_QZ_CONFIRM_COUNT, kChild, {7, 140, 120, 10}));
  t.Add(DialogItem(Predefined::kButton, "確定送出", IDOK,
                   kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, {160, 137, 54, 16}));
  t.Add(DialogItem(Predefined::kButton, "取消", IDCANCEL, kChild | WS_TABSTOP | BS_PUSHBUTTON,
                   {219, 137, 54, 16}));
  return t;
}

DialogTemplate changeTemplate() {
  DialogTemplate t("委託單修改", kModal, {0, 0, 210, 118});
  t.SetFont(9, "新細明體");
  t.Add(DialogItem(Predefined::kStatic, "", IDC_QZ_CHANGE_ACCOUNT, kChild, {7, 7, 196, 10}));
  t.Add(DialogItem(Predefined::kStatic, "", IDC_QZ_CHANGE_SYMBOL, kChild, {7, 21, 196, 10}));
  t.Add(DialogItem(Predefined::kStatic, "數量:", -1, kChild | SS_RIGHT, {7, 39, 40, 10}));
  t.Add(DialogItem(Predefined::kEdit, "", IDC_QZ_CHANGE_QTY,
                   kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, {51, 37, 70, 13}));
  t.Add(DialogItem(Predefined::kStatic, "", IDC_QZ_CHANGE_UNIT, kChild, {125, 39, 30, 10}));
  t.Add(DialogItem(Predefined::kStatic, "價格:", -1, kChild | SS_RIGHT, {7, 57, 40, 10}));
  t.Add(DialogItem(Predefined::kEdit, "", IDC_QZ_CHANGE_PRICE,
                   kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, {51, 55, 70, 13}));
  t.Add(DialogItem(Predefined::kStatic, "價別:", -1, kChild | SS_RIGHT, {7, 75, 40, 10}));
  t.Add(DialogItem(Predefined::kComboBox, "", IDC_QZ_CHANGE_PRICETYPE,
                   kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, {51, 73, 70, 60}));
  t.Add(DialogItem(Predefined::kButton, "確定", IDOK, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON,
                   {94, 96, 50, 15}));
  t.Add(DialogItem(Predefined::kButton, "取消", IDCANCEL, kChild | WS_TABSTOP | BS_PUSHBUTTON,
                   {153, 96, 50, 15}));
  return t;
}

DialogTemplate caTemplate() {
  DialogTemplate t("憑證管理", kModal, {0, 0, 220, 92});
  t.SetFont(9, "新細明體");
  t.Add(DialogItem(Predefined::kStatic, "", IDC_QZ_CA_ACCOUNT, kChild, {7, 7, 206, 10}));
  t.Add(DialogItem(Predefined::kStatic, "", IDC_QZ_CA_STATUS, kChild, {7, 23, 206, 30}));
  t.Add(DialogItem(Predefined::kButton, "匯入憑證", IDC_QZ_CA_IMPORT,
                   kChild | WS_TABSTOP | BS_PUSHBUTTON, {7, 70, 60, 15}));
  t.Add(DialogItem(Predefined::kButton, "關閉", IDOK, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON,
                   {163, 70, 50, 15}));
  return t;
}

struct Resources {
  DialogTemplate tip = tipTemplate();
  DialogTemplate confirm = confirmTemplate();
  DialogTemplate change = changeTemplate();
  DialogTemplate ca = caTemplate();
  AFX_EXTENSION_MODULE module{FALSE, nullptr, nullptr};
};

}  // namespace

HINSTANCE HostResourceHandle() {
  static HINSTANCE handle = [] {
    static auto* r = new Resources;
    HINSTANCE h = AfxGetModuleHandleOf(reinterpret_cast<const void*>(&HostResourceHandle));
    if (!h) h = AfxGetInstanceHandle();
    AfxAddDialogResource(h, MAKEINTRESOURCE(IDD_QZ_TIPMSG), r->tip.Get());
    AfxAddDialogResource(h, MAKEINTRESOURCE(IDD_QZ_CONFIRMORDER), r->confirm.Get());
    AfxAddDialogResource(h, MAKEINTRESOURCE(IDD_QZ_CHANGEORDER), r->change.Get());
    AfxAddDialogResource(h, MAKEINTRESOURCE(IDD_QZ_CAMANAGEMENT), r->ca.Get());
    if (h != AfxGetInstanceHandle() && AfxInitExtensionModule(r->module, h))
      new CDynLinkLibrary(r->module);
    return h;
  }();
  return handle;
}

}  // namespace host
