// Template items with the styles the resource editor gives each kind of
// control (static texts start a group, input controls are tab stops), so the
// templates below only state what differs.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <templates/dialog_template.h>

#include <string>
#include <utility>

namespace qzres {

inline constexpr DWORD kVisibleChild = WS_CHILD | WS_VISIBLE;

using templates::DialogItem;
using templates::DluRect;
using templates::Predefined;

inline DialogItem Label(int id, std::string text, DluRect r, DWORD extra = SS_LEFT) {
  return DialogItem(Predefined::kStatic, std::move(text), id, kVisibleChild | WS_GROUP | extra, r);
}

inline DialogItem PushButton(int id, std::string text, DluRect r, DWORD extra = 0) {
  return DialogItem(Predefined::kButton, std::move(text), id,
                    kVisibleChild | WS_TABSTOP | BS_PUSHBUTTON | extra, r);
}

inline DialogItem DefPushButton(int id, std::string text, DluRect r) {
  return DialogItem(Predefined::kButton, std::move(text), id,
                    kVisibleChild | WS_TABSTOP | BS_DEFPUSHBUTTON, r);
}

inline DialogItem CheckBox(int id, std::string text, DluRect r) {
  return DialogItem(Predefined::kButton, std::move(text), id,
                    kVisibleChild | WS_TABSTOP | BS_AUTOCHECKBOX, r);
}

inline DialogItem RadioButton(int id, std::string text, DluRect r, DWORD extra = 0) {
  return DialogItem(Predefined::kButton, std::move(text), id,
                    kVisibleChild | BS_AUTORADIOBUTTON | extra, r);
}

inline DialogItem GroupBox(int id, DluRect r) {
  return DialogItem(Predefined::kButton, "", id, kVisibleChild | BS_GROUPBOX, r);
}

inline DialogItem EditBox(int id, DluRect r) {
  return DialogItem(Predefined::kEdit, "", id,
                    kVisibleChild | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, r);
}

// The height of a combo box's rectangle is that of its dropped list.
inline DialogItem ComboBox(int id, DWORD type, DluRect r) {
  return DialogItem(Predefined::kComboBox, "", id, kVisibleChild | WS_VSCROLL | WS_TABSTOP | type,
                    r);
}

inline DialogItem ReportList(int id, std::string text, DluRect r, DWORD extra = 0) {
  return DialogItem(WC_LISTVIEWA, std::move(text), id,
                    kVisibleChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | extra, r);
}

inline DialogItem DatePicker(int id, DluRect r, DWORD extra = 0) {
  return DialogItem(DATETIMEPICK_CLASSA, "", id,
                    kVisibleChild | WS_TABSTOP | DTS_SHORTDATEFORMAT | extra, r);
}

// A control that exists for its position or is shown later by the dialog.
inline DialogItem Hidden(DialogItem item) {
  item.style &= ~static_cast<DWORD>(WS_VISIBLE);
  return item;
}

}  // namespace qzres
