// DefWindowProc's painting: backgrounds, control colours and a plain look for
// the standard controls, so a picture of a dialog can be read by a person.
#include <cstdio>
#include <cstring>
#include <string>

#include "backend.h"
#include "gdi.h"

using namespace headless::detail;

namespace {

constexpr UINT kDtmGetSystemTime = 0x1001;
constexpr int kBoxSize = 13;

std::string className(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string windowText(HWND hwnd) {
  int n = GetWindowTextLengthA(hwnd);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  GetWindowTextA(hwnd, s.data(), n + 1);
  s.resize(std::strlen(s.c_str()));
  return s;
}

HFONT fontOf(HWND hwnd) {
  auto f = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
  return GetObjectType(f) == OBJ_FONT ? f : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// The brush and colours the parent chooses for a control (WM_CTLCOLOR*).
HBRUSH controlColors(HWND hwnd, HDC hdc, UINT msg) {
  HWND parent = GetParent(hwnd);
  HBRUSH b = nullptr;
  if (parent)
    b = reinterpret_cast<HBRUSH>(SendMessageA(parent, msg, reinterpret_cast<WPARAM>(hdc),
                                              reinterpret_cast<LPARAM>(hwnd)));
  else
    b = reinterpret_cast<HBRUSH>(DefCtlColor(msg, hdc));
  COLORREF unused;
  if (!BrushColor(b, &unused)) b = reinterpret_cast<HBRUSH>(DefCtlColor(msg, hdc));
  return b;
}

void arrowDown(HDC hdc, const RECT& r, COLORREF color) {
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old = SelectObject(hdc, pen);
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2 - 1;
  for (int i = 0; i < 4; ++i) {
    MoveToEx(hdc, cx - 3 + i, cy + i, nullptr);
    LineTo(hdc, cx + 4 - i, cy + i);
  }
  SelectObject(hdc, old);
  DeleteObject(pen);
}

void checkMark(HDC hdc, const RECT& box) {
  COLORREF c = GetSysColor(COLOR_WINDOWTEXT);
  for (int i = 0; i < 7; ++i) {
    int x = box.left + 3 + i;
    int y = i < 3 ? box.top + 5 + i : box.top + 9 - (i - 2);
    RECT r{x, y, x + 1, y + 3};
    HBRUSH b = CreateSolidBrush(c);
    FillRect(hdc, &r, b);
    DeleteObject(b);
  }
}

void paintButton(HWND hwnd, HDC hdc, const RECT& rc, DWORD style) {
  std::string text = windowText(hwnd);
  LRESULT check = SendMessageA(hwnd, BM_GETCHECK, 0, 0);
  DWORD type = style & BS_TYPEMASK;
  SelectObject(hdc, fontOf(hwnd));
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW ||
      (style & BS_PUSHLIKE)) {
    SendMessageA(GetParent(hwnd), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc),
                 reinterpret_cast<LPARAM>(hwnd));
    FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge = rc;
    if (type == BS_DEFPUSHBUTTON) {
      FrameRect(hdc, &edge, GetSysColorBrush(COLOR_HIGHLIGHT));
      InflateRect(&edge, -1, -1);
    }
    DrawEdge(hdc, &edge, (check & BST_CHECKED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    RECT t = rc;
    DrawTextA(hdc, text.c_str(), -1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return;
  }
  HBRUSH bg = controlColors(hwnd, hdc, WM_CTLCOLORSTATIC);
  SetBkMode(hdc, TRANSPARENT);
  if (type == BS_GROUPBOX) {
    FillRect(hdc, &rc, bg);
    TEXTMETRICA tm;
    GetTextMetricsA(hdc, &tm);
    RECT frame{rc.left, rc.top + tm.tmHeight / 2, rc.right, rc.bottom};
    DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
    if (!text.empty()) {
      RECT t{rc.left + 8, rc.top, rc.right - 8, rc.top + tm.tmHeight};
      DrawTextA(hdc, text.c_str(), -1, &t, DT_CALCRECT | DT_SINGLELINE);
      InflateRect(&t, 2, 0);
      FillRect(hdc, &t, bg);
      InflateRect(&t, -2, 0);
      DrawTextA(hdc, text.c_str(), -1, &t, DT_SINGLELINE);
    }
    return;
  }
  FillRect(hdc, &rc, bg);
  bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
  int top = (rc.top + rc.bottom - kBoxSize) / 2;
  RECT box{rc.left, top, rc.left + kBoxSize, top + kBoxSize};
  FillRect(hdc, &box, GetSysColorBrush(COLOR_WINDOW));
  DrawEdge(hdc, &box, EDGE_SUNKEN, BF_RECT);
  if (check & (BST_CHECKED | BST_INDETERMINATE)) {
    if (radio) {
      RECT dot{box.left + 4, box.top + 4, box.right - 4, box.bottom - 4};
      FillRect(hdc, &dot, GetSysColorBrush(COLOR_WINDOWTEXT));
    } else {
      checkMark(hdc, box);
    }
  }
  RECT t{box.right + 4, rc.top, rc.right, rc.bottom};
  DrawTextA(hdc, text.c_str(), -1, &t, DT_VCENTER | DT_SINGLELINE);
}

void paintStatic(HWND hwnd, HDC hdc, const RECT& rc, DWORD style) {
  DWORD type = style & SS_TYPEMASK;
  RECT r = rc;
  switch (type) {
    case SS_BLACKRECT: FillRect(hdc, &r, GetSysColorBrush(COLOR_3DDKSHADOW)); return;
    case SS_GRAYRECT: FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNSHADOW)); return;
    case SS_WHITERECT: FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT)); return;
    case SS_BLACKFRAME: FrameRect(hdc, &r, GetSysColorBrush(COLOR_3DDKSHADOW)); return;
    case SS_ETCHEDHORZ: DrawEdge(hdc, &r, EDGE_ETCHED, BF_TOP); return;
    case SS_ETCHEDVERT: DrawEdge(hdc, &r, EDGE_ETCHED, BF_LEFT); return;
    case SS_ETCHEDFRAME: DrawEdge(hdc, &r, EDGE_ETCHED, BF_RECT); return;
    case SS_ICON:
    case SS_BITMAP:
    case SS_OWNERDRAW: return;
    default: break;
  }
  HBRUSH bg = controlColors(hwnd, hdc, WM_CTLCOLORSTATIC);
  FillRect(hdc, &r, bg);
  SelectObject(hdc, fontOf(hwnd));
  SetBkMode(hdc, TRANSPARENT);
  if (!IsWindowEnabled(hwnd)) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
  UINT format = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (style & SS_CENTERIMAGE) format |= DT_VCENTER | DT_SINGLELINE;
  if (style & SS_ENDELLIPSIS) format |= DT_END_ELLIPSIS | DT_SINGLELINE;
  std::string text = windowText(hwnd);
  DrawTextA(hdc, text.c_str(), -1, &r, format);
}

void paintEdit(HWND hwnd, HDC hdc, const RECT& rc, DWORD style) {
  bool readOnly = (style & ES_READONLY) || !IsWindowEnabled(hwnd);
  HBRUSH bg = controlColors(hwnd, hdc, readOnly ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  FillRect(hdc, &rc, bg);
  SelectObject(hdc, fontOf(hwnd));
  SetBkMode(hdc, TRANSPARENT);
  std::string text = windowText(hwnd);
  if (style & ES_PASSWORD) text.assign(text.size(), '*');
  RECT r{rc.left + 2, rc.top + 1, rc.right - 2, rc.bottom};
  UINT format = DT_NOPREFIX | ((style & ES_RIGHT) ? DT_RIGHT : (style & ES_CENTER) ? DT_CENTER : DT_LEFT);
  if (!(style & ES_MULTILINE)) format |= DT_SINGLELINE;
  DrawTextA(hdc, text.c_str(), -1, &r, format);
}

void paintCombo(HWND hwnd, HDC hdc, const RECT& rc) {
  HBRUSH bg = controlColors(hwnd, hdc, WM_CTLCOLOREDIT);
  FillRect(hdc, &rc, bg);
  DrawEdge(hdc, const_cast<RECT*>(&rc), EDGE_SUNKEN, BF_RECT);
  int button = GetSystemMetrics(SM_CXVSCROLL);
  RECT b{rc.right - 2 - button, rc.top + 2, rc.right - 2, rc.bottom - 2};
  FillRect(hdc, &b, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(hdc, &b, EDGE_RAISED, BF_RECT);
  arrowDown(hdc, b, GetSysColor(COLOR_BTNTEXT));
  std::string text;
  LRESULT sel = SendMessageA(hwnd, CB_GETCURSEL, 0, 0);
  LRESULT len = sel >= 0 ? SendMessageA(hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0) : -1;
  if (len > 0) {
    text.assign(static_cast<size_t>(len) + 1, '\0');
    SendMessageA(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
  } else {
    text = windowText(hwnd);
  }
  SelectObject(hdc, fontOf(hwnd));
  SetBkMode(hdc, TRANSPARENT);
  RECT t{rc.left + 4, rc.top + 2, b.left - 2, rc.bottom - 2};
  DrawTextA(hdc, text.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void paintDatePicker(HWND hwnd, HDC hdc, const RECT& rc) {
  FillRect(hdc, &rc, GetSysColorBrush(COLOR_WINDOW));
  DrawEdge(hdc, const_cast<RECT*>(&rc), EDGE_SUNKEN, BF_RECT);
  SYSTEMTIME st{};
  char text[32] = {};
  if (SendMessageA(hwnd, kDtmGetSystemTime, 0, reinterpret_cast<LPARAM>(&st)) == 0 && st.wYear)
    std::snprintf(text, sizeof text, "%04u/%02u/%02u", st.wYear, st.wMonth, st.wDay);
  SelectObject(hdc, fontOf(hwnd));
  SetBkMode(hdc, TRANSPARENT);
  RECT t{rc.left + 4, rc.top, rc.right - 4, rc.bottom};
  DrawTextA(hdc, text, -1, &t, DT_SINGLELINE | DT_VCENTER);
}

}  // namespace

namespace headless::detail {

void DefPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  Window* w = Find(hwnd);
  if (w && w->cls->system) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    std::string cls = className(hwnd);
    if (lstrcmpiA(cls.c_str(), "Button") == 0)
      paintButton(hwnd, hdc, rc, w->style);
    else if (lstrcmpiA(cls.c_str(), "Static") == 0)
      paintStatic(hwnd, hdc, rc, w->style);
    else if (lstrcmpiA(cls.c_str(), "Edit") == 0)
      paintEdit(hwnd, hdc, rc, w->style);
    else if (lstrcmpiA(cls.c_str(), "ComboBox") == 0)
      paintCombo(hwnd, hdc, rc);
    else if (lstrcmpiA(cls.c_str(), "SysDateTimePick32") == 0)
      paintDatePicker(hwnd, hdc, rc);
  }
  EndPaint(hwnd, &ps);
}

LRESULT DefEraseBackground(HWND hwnd, HDC hdc) {
  Window* w = Find(hwnd);
  if (!w || !FindDc(hdc)) return 0;
  HBRUSH brush = w->cls->background;
  if (w->cls->name == "#32770") {
    brush = reinterpret_cast<HBRUSH>(SendMessageA(hwnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(hdc),
                                                  reinterpret_cast<LPARAM>(hwnd)));
    COLORREF unused;
    if (!BrushColor(brush, &unused)) brush = GetSysColorBrush(COLOR_BTNFACE);
  }
  if (!brush) return 0;
  RECT rc;
  GetClientRect(hwnd, &rc);
  FillRect(hdc, &rc, brush);
  return 1;
}

LRESULT DefCtlColor(UINT msg, HDC hdc) {
  bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  SetTextColor(hdc, GetSysColor(field ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  SetBkColor(hdc, GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(field ? COLOR_WINDOW : COLOR_BTNFACE));
}

}  // namespace headless::detail
