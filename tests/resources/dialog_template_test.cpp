// The module's four dialog templates, created by the dialog manager: every
// control with its class, id, style, visibility, template text and place,
// in template order, and the dialog's own frame and font.
#include <windows.h>

#include <commctrl.h>
#include <module_resources.h>
#include <resource.h>

#include <optional>
#include <string>
#include <vector>

#include "dialog_host.h"

namespace {

using restest::Dlu;

struct Control {
  int id;
  const char* cls;
  DWORD typeMask;  // the bits of the control's kind ...
  DWORD type;      // ... and their value
  DWORD bits;      // further bits that must be set
  bool visible;
  const char* text;         // null: not checked (combo boxes, date pickers)
  std::optional<Dlu> rect;  // as the template gives it, where fixed from outside
  bool border = false;      // WS_BORDER, which dialogs turn into WS_EX_CLIENTEDGE
};

constexpr DWORD kComboType = 3;

Control Static(int id, const char* text, std::optional<Dlu> r, DWORD type = SS_LEFT,
               bool visible = true) {
  return {id, "Static", SS_TYPEMASK, type, 0, visible, text, r};
}
Control Button(int id, DWORD type, const char* text, std::optional<Dlu> r, bool visible = true) {
  return {id, "Button", BS_TYPEMASK, type, 0, visible, text, r};
}
Control Combo(int id, DWORD type, std::optional<Dlu> r) {
  return {id, "ComboBox", kComboType, type, WS_TABSTOP, true, nullptr, r};
}
Control Edit(int id, std::optional<Dlu> r) {
  return {id, "Edit", 0, 0, WS_TABSTOP | ES_AUTOHSCROLL, true, "", r, true};
}
Control Report(int id, const char* text, std::optional<Dlu> r, DWORD bits = 0) {
  return {id, "SysListView32", LVS_TYPEMASK, LVS_REPORT, bits, true, text, r, true};
}
Control Picker(int id, Dlu r) {
  return {id, "SysDateTimePick32", 0, 0, DTS_RIGHTALIGN, true, nullptr, r};
}

const std::vector<Control> kInventory = {
    Combo(IDC_COMBO_ACCOUNT, CBS_DROPDOWNLIST, Dlu{4, 13, 87, 48}),
    Static(IDC_STATIC_CODE, "商品代碼:", Dlu{93, 16, 29, 8}),
    Edit(IDC_EDIT_CODE, Dlu{127, 13, 37, 12}),
    Button(IDC_BTN_QUERY_STOCKS, BS_PUSHBUTTON, "庫存查詢", Dlu{167, 13, 37, 12}),
    Button(IDC_BTN_MARKETVALUE, BS_PUSHBUTTON, "庫存市值", Dlu{207, 13, 35, 12}),
    Button(IDC_CHK_INCLUDE_ODD, BS_AUTOCHECKBOX, "含零股", Dlu{245, 15, 36, 10}),
    Button(IDC_CHK_SELECT_ALL, BS_AUTOCHECKBOX, "全選", Dlu{249, 15, 29, 10}),
    Button(IDC_BTN_CLEAR_OUT, BS_PUSHBUTTON, "出清", Dlu{281, 13, 25, 12}),
    Button(IDC_BTN_KEEP, BS_PUSHBUTTON, "保留", Dlu{309, 13, 25, 12}),
    Button(IDC_BTN_DAY_TRADE, BS_PUSHBUTTON, "當沖", Dlu{337, 13, 25, 12}),
    Button(IDC_BTN_PRINT, BS_PUSHBUTTON, "列印", Dlu{365, 13, 25, 12}),
    Button(IDC_BTN_EXPORT_EXCEL, BS_PUSHBUTTON, "匯出Excel", Dlu{393, 13, 35, 12}),
    Static(IDC_STATIC_COUNT_CAPTION, "資料總筆數:", Dlu{433, 15, 35, 8}),
    Static(IDC_STATIC_COUNT, "1000筆", Dlu{473, 15, 24, 8}),
    Static(IDC_STATIC_COUNT_FRAME, "", Dlu{431, 13, 69, 12}, SS_ETCHEDFRAME),
    Report(IDC_LIST_MAIN, "List1", Dlu{1, 62, 345, 35}),
    Static(IDC_STATIC_ANCHOR, "", Dlu{502, 15, 9, 8}),
    Static(IDC_STATIC_STM_RATIO, "整戶維持率：--%", Dlu{9, 28, 69, 8}),
    Report(IDC_LIST_NAME, "List2", Dlu{1, 98, 60, 50}),
    Static(IDC_STATIC_NOTICE,
           "每交易日PM19:30~20:10為帳務資料轉檔時間，於轉檔期間查詢資料可能造成查詢時間較久，"
           "或查詢可能有資料不正確的狀況，請於20:10後再行查詢，造成您的不便，敬請見諒！",
           Dlu{5, 3, 518, 8}),
};

const std::vector<Control> kUnoffset = {
    Combo(IDC_COMBO_ACCOUNT, CBS_DROPDOWNLIST, std::nullopt),
    Button(IDC_BTN_REFRESH, BS_PUSHBUTTON, "重新整理", std::nullopt),
    Button(IDC_BTN_SETAVGPRICE, BS_PUSHBUTTON, "調整持股成本", std::nullopt, false),
    Button(IDC_GROUP_MARKETVALUE, BS_GROUPBOX, "", std::nullopt),
    Static(IDC_STATIC_MARKETVALUE, "總計浮動損益約", std::nullopt),
    Static(IDC_STATIC_TOTAL, "NT$ --", std::nullopt),
    Button(IDC_GROUP_ROWCOUNT, BS_GROUPBOX, "", std::nullopt),
    Static(IDC_STATIC_ROWCOUNT_CAPTION, "總資料筆數：", std::nullopt),
    Static(IDC_STATIC_ROWCOUNT, "", std::nullopt),
    Static(IDC_STATIC_STM_RATIO, "整戶維持率：--%", std::nullopt),
    Button(IDC_GROUP_STM_RATIO, BS_GROUPBOX, "", std::nullopt),
    Static(IDC_STATIC_MSG, "static", std::nullopt, SS_LEFT, false),
    Report(IDC_LIST_UNOFFSET, "", std::nullopt, LVS_OWNERDRAWFIXED),
    Static(IDC_STATIC_ANCHOR, "", std::nullopt),
};

const std::vector<Control> kAvgDealPrice = {
    Static(IDC_STATIC_SELECT_STOCK, "請選擇欲設定的股票:", std::nullopt),
    Combo(IDC_COMBO_STOCK, CBS_DROPDOWNLIST, std::nullopt),
    Static(IDC_STATIC_INPUT_PRICE, "請輸入調整後價位:", std::nullopt),
    Edit(IDC_EDIT_PRICE, std::nullopt),
    Button(IDOK, BS_DEFPUSHBUTTON, "確定", std::nullopt),
    Button(IDCANCEL, BS_PUSHBUTTON, "取消", std::nullopt),
};

const std::vector<Control> kDividend = {
    Static(IDC_STATIC_ANCHOR, "", Dlu{512, 0, 8, 8}, SS_LEFT, false),
    Static(IDC_STATIC_NOTE_CALC, "注意事項：提供自2024/XX/XX(中台上線日)起股利配發明細試算服務。",
           Dlu{7, 4, 400, 37}),
    Static(IDC_STATIC_NOTE_INVENTORY, "注意事項：除權息日前一日持有庫存才可參與配股配息",
           Dlu{7, 15, 290, 8}),
    Combo(IDC_COMBO_ACCOUNT, CBS_DROPDOWN, Dlu{4, 44, 85, 54}),
    Combo(IDC_COMBO_DIVIDEND_TYPE, CBS_DROPDOWN, Dlu{100, 44, 41, 68}),
    Static(IDC_STATIC_CODE, "商品代碼:", Dlu{149, 46, 29, 8}, SS_RIGHT),
    Edit(IDC_EDIT_CODE, Dlu{179, 44, 30, 12}),
    Static(IDC_STATIC_INTERVAL, "查詢區間:", Dlu{213, 46, 29, 8}),
    Combo(IDC_COMBO_INTERVAL, CBS_DROPDOWN, Dlu{242, 44, 33, 75}),
    Static(IDC_STATIC_DATE_RANGE, "查詢起訖日期:", Dlu{275, 46, 42, 8}, SS_RIGHT),
    Picker(IDC_DATE_START, Dlu{319, 44, 55, 12}),
    Static(IDC_STATIC_DATE_TO, "至", Dlu{375, 46, 8, 9}),
    Picker(IDC_DATE_END, Dlu{383, 44, 55, 12}),
    Button(IDC_BTN_QUERY_DIVIDEND, BS_DEFPUSHBUTTON, "查詢", Dlu{441, 44, 25, 12}),
    Static(IDC_STATIC_CASH_DIVIDEND_CAPTION, "累計現金股息", Dlu{7, 64, 50, 11}),
    Static(IDC_STATIC_CASH_DIVIDEND, "$ 0", Dlu{57, 64, 49, 9}),
    Button(IDC_RADIO_DIVIDEND_CALC, BS_AUTORADIOBUTTON, "股利試算", Dlu{215, 63, 43, 10}),
    Button(IDC_RADIO_EX_DIVIDEND_STOCKS, BS_AUTORADIOBUTTON, "即將除權息庫存",
           Dlu{271, 63, 64, 10}),
    Static(IDC_STATIC_UPDATE_TIME_CAPTION, "更新時間：", Dlu{388, 64, 35, 10}),
    Static(IDC_STATIC_UPDATE_TIME, "時間", Dlu{425, 64, 93, 8}),
    Report(IDC_LIST_DIVIDEND, "", Dlu{7, 79, 551, 55}),
};

struct Dialog {
  UINT id;
  DWORD style;  // WS_ and DS_ bits that must be set
  const char* caption;
  Dlu size;
  int pointSize;
  const char* face;
  const std::vector<Control>* controls;
};

const Dialog kDialogs[] = {
    {IDD_STOCK_INVENTORY,
     WS_CHILD | DS_SETFONT,
     "",
     {0, 0, 527, 170},
     10,
     "微軟正黑體",
     &kInventory},
    {IDD_STOCK_UNOFFSET, WS_CHILD | DS_SETFONT, "", {0, 0, 463, 71}, 10, "微軟正黑體", &kUnoffset},
    {IDD_SET_AVG_DEAL_PRICE,
     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
     "重新設定股票持股平均成本",
     {0, 0, 192, 66},
     8,
     "Tahoma",
     &kAvgDealPrice},
    {IDD_STOCK_DIVIDEND_CALC,
     WS_CHILD | DS_SETFONT,
     "",
     {0, 0, 570, 140},
     10,
     "微軟正黑體",
     &kDividend},
};

DWORD styleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)); }

std::string trace(UINT dialog, int id) {
  return "template " + std::to_string(dialog) + ", control " + std::to_string(id);
}

class DialogTemplateTest : public restest::ModuleDialogTest {};

TEST_F(DialogTemplateTest, EachDialogHasItsFrameFontAndSize) {
  for (const Dialog& d : kDialogs) {
    SCOPED_TRACE(d.id);
    HWND dlg = restest::CreateModuleDialog(d.id, host);
    ASSERT_NE(dlg, nullptr);
    const DWORD style = styleOf(dlg);
    EXPECT_EQ(style & d.style, d.style);
    EXPECT_EQ(style & WS_VISIBLE, 0u) << "the owner shows the dialog";
    if (style & WS_CHILD) {
      EXPECT_EQ(GetParent(dlg), host);
      EXPECT_EQ(style & WS_CAPTION, 0u);
    }
    EXPECT_EQ(restest::TextOf(dlg), d.caption);

    RECT client{};
    GetClientRect(dlg, &client);
    const RECT want = restest::Expected(dlg, d.size);
    EXPECT_EQ(client.right, want.right);
    EXPECT_EQ(client.bottom, want.bottom);

    auto font = reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA lf{};
    ASSERT_NE(GetObjectA(font, sizeof lf, &lf), 0);
    EXPECT_STREQ(lf.lfFaceName, d.face);
    HDC dc = GetDC(dlg);
    EXPECT_EQ(lf.lfHeight, -MulDiv(d.pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72));
    ReleaseDC(dlg, dc);
    DestroyWindow(dlg);
  }
}

TEST_F(DialogTemplateTest, EveryControlIsThereInTemplateOrderWithClassStyleAndText) {
  for (const Dialog& d : kDialogs) {
    HWND dlg = restest::CreateModuleDialog(d.id, host);
    ASSERT_NE(dlg, nullptr) << d.id;
    std::vector<int> order;
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      order.push_back(GetDlgCtrlID(c));
    std::vector<int> want;
    for (const Control& c : *d.controls) want.push_back(c.id);
    EXPECT_EQ(order, want) << "template " << d.id;

    for (const Control& c : *d.controls) {
      SCOPED_TRACE(trace(d.id, c.id));
      HWND w = GetDlgItem(dlg, c.id);
      ASSERT_NE(w, nullptr);
      EXPECT_EQ(restest::ClassOf(w), c.cls);
      const DWORD style = styleOf(w);
      EXPECT_EQ(style & WS_CHILD, static_cast<DWORD>(WS_CHILD));
      EXPECT_EQ(style & c.typeMask, c.type);
      EXPECT_EQ(style & c.bits, c.bits);
      EXPECT_EQ((style & WS_VISIBLE) != 0, c.visible);
      if (c.border) {
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(w, GWL_EXSTYLE));
        EXPECT_TRUE((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE));
      }
      if (c.text) {
        EXPECT_EQ(restest::TextOf(w), c.text);
      }
    }
    DestroyWindow(dlg);
  }
}

TEST_F(DialogTemplateTest, ControlsSitWhereTheirDialogUnitsPutThem) {
  for (const Dialog& d : kDialogs) {
    HWND dlg = restest::CreateModuleDialog(d.id, host);
    ASSERT_NE(dlg, nullptr) << d.id;
    for (const Control& c : *d.controls) {
      if (!c.rect) continue;
      SCOPED_TRACE(trace(d.id, c.id));
      const RECT want = restest::Expected(dlg, *c.rect);
      const RECT got = restest::RectInDialog(GetDlgItem(dlg, c.id));
      EXPECT_EQ(got.left, want.left);
      EXPECT_EQ(got.top, want.top);
      EXPECT_EQ(got.right, want.right);
      // A combo box's height is that of its dropped list; the window is the selection field.
      if (std::string(c.cls) == "ComboBox") {
        EXPECT_LT(got.bottom, want.bottom);
      } else {
        EXPECT_EQ(got.bottom, want.bottom);
      }
    }
    DestroyWindow(dlg);
  }
}

// Where the layout is this module's own (no fixed rectangles from outside),
// every text must be readable: inside the dialog, not covered by another
// control, and not cut off.
TEST_F(DialogTemplateTest, OwnLayoutsKeepTextsWholeAndApart) {
  for (const Dialog& d : kDialogs) {
    const bool ownLayout = !d.controls->front().rect;
    if (!ownLayout) continue;
    HWND dlg = restest::CreateModuleDialog(d.id, host);
    ASSERT_NE(dlg, nullptr) << d.id;
    RECT client{};
    GetClientRect(dlg, &client);
    auto font = reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0));
    HDC dc = GetDC(dlg);
    HGDIOBJ old = SelectObject(dc, font);

    std::vector<std::pair<int, RECT>> placed;
    for (const Control& c : *d.controls) {
      SCOPED_TRACE(trace(d.id, c.id));
      HWND w = GetDlgItem(dlg, c.id);
      const RECT r = restest::RectInDialog(w);
      EXPECT_GE(r.left, client.left);
      EXPECT_GE(r.top, client.top);
      EXPECT_LE(r.right, client.right);
      EXPECT_LE(r.bottom, client.bottom);
      const bool group = std::string(c.cls) == "Button" && c.type == BS_GROUPBOX;
      if (c.text && *c.text && !group) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, c.text, lstrlenA(c.text), &extent);
        const int padding = std::string(c.cls) == "Button" ? 6 : 0;
        EXPECT_LE(extent.cx + padding, r.right - r.left) << c.text;
      }
      if (c.visible && !group) placed.emplace_back(c.id, r);
    }
    for (size_t i = 0; i < placed.size(); ++i)
      for (size_t j = i + 1; j < placed.size(); ++j) {
        RECT overlap{};
        EXPECT_FALSE(IntersectRect(&overlap, &placed[i].second, &placed[j].second))
            << "template " << d.id << ": " << placed[i].first << " and " << placed[j].first;
      }
    SelectObject(dc, old);
    ReleaseDC(dlg, dc);
    DestroyWindow(dlg);
  }
}

TEST_F(DialogTemplateTest, TheRatioTextOfAFilledListFitsItsLabel) {
  HWND dlg = restest::CreateModuleDialog(IDD_STOCK_UNOFFSET, host);
  ASSERT_NE(dlg, nullptr);
  HWND label = GetDlgItem(dlg, IDC_STATIC_STM_RATIO);
  HDC dc = GetDC(dlg);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0)));
  const char* widest = "整戶維持率: 1500 %";
  SIZE extent{};
  GetTextExtentPoint32A(dc, widest, lstrlenA(widest), &extent);
  const RECT r = restest::RectInDialog(label);
  EXPECT_LE(extent.cx, r.right - r.left);
  SelectObject(dc, old);
  ReleaseDC(dlg, dc);
}

TEST_F(DialogTemplateTest, TheAnchorsSitAtTheTopRight) {
  for (UINT id : {IDD_STOCK_INVENTORY, IDD_STOCK_UNOFFSET, IDD_STOCK_DIVIDEND_CALC}) {
    SCOPED_TRACE(id);
    HWND dlg = restest::CreateModuleDialog(id, host);
    ASSERT_NE(dlg, nullptr);
    RECT client{};
    GetClientRect(dlg, &client);
    const RECT anchor = restest::RectInDialog(GetDlgItem(dlg, IDC_STATIC_ANCHOR));
    EXPECT_GT(anchor.left, client.right * 8 / 10);
    EXPECT_LT(anchor.top, client.bottom / 4);
    EXPECT_LE(anchor.right, client.right);
    DestroyWindow(dlg);
  }
}

TEST_F(DialogTemplateTest, CaptionsAreCodePage950Bytes) {
  HWND dlg = restest::CreateModuleDialog(IDD_SET_AVG_DEAL_PRICE, host);
  ASSERT_NE(dlg, nullptr);
  const std::string caption = restest::TextOf(dlg);
  const unsigned char want[] = {0xAD, 0xAB, 0xB7, 0x73, 0xB3, 0x5D, 0xA9, 0x77,
                                0xAA, 0xD1, 0xB2, 0xBC, 0xAB, 0xF9, 0xAA, 0xD1,
                                0xA5, 0xAD, 0xA7, 0xA1, 0xA6, 0xA8, 0xA5, 0xBB};
  EXPECT_EQ(caption, std::string(reinterpret_cast<const char*>(want), sizeof want));
}

}  // namespace
