// The header control (SysHeader32): items, layout, painting, and the divider
// dragging and double-clicking of a person, told to the parent as HDN_ notices.
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <commctrl.h>

#include "backend.h"
#include "gdi.h"

using namespace headless::detail;

namespace {

// Half the width of the zone around a divider that grabs it.
constexpr int kDividerGrip = 4;
constexpr int kTextMargin = 6;

struct HeaderItem {
  std::string text;
  int width = 0;
  int fmt = HDF_LEFT | HDF_STRING;
  LPARAM lParam = 0;
};

struct HeaderState : ControlState {
  std::vector<HeaderItem> items;
  std::vector<int> order;  // item indexes from left to right
  HFONT font = nullptr;
  bool unicode = false;  // the parent asked for the wide forms (WM_NOTIFYFORMAT)
  // A divider being dragged.
  int tracking = -1;
  int trackStartX = 0;
  int trackStartWidth = 0;
  // An item being pressed (a click when the button comes up over it).
  int pressed = -1;
};

HeaderState* stateOf(HWND hwnd) { return Control<HeaderState>(hwnd); }

UINT code(const HeaderState& s, UINT ansi) {
  return s.unicode ? ansi - (HDN_ITEMCHANGINGA - HDN_ITEMCHANGINGW) : ansi;
}

// Tells the parent of a change or an action. A notice about an item carries an
// HDITEM describing it (null only for clicks); the wide form carries wide text.
LRESULT notify(HWND hwnd, HeaderState& s, UINT ansiCode, int item, const HDITEMA* pitem) {
  HDITEMA hdi{};
  std::u16string wide;
  if (pitem) {
    hdi = *pitem;
    if (s.unicode && (hdi.mask & HDI_TEXT) && hdi.pszText && hdi.pszText != LPSTR_TEXTCALLBACKA) {
      int n = MultiByteToWideChar(CP_ACP, 0, hdi.pszText, -1, nullptr, 0);
      wide.assign(static_cast<size_t>(std::max(n, 1)), u'\0');
      MultiByteToWideChar(CP_ACP, 0, hdi.pszText, -1, reinterpret_cast<LPWSTR>(wide.data()), n);
      hdi.pszText = reinterpret_cast<LPSTR>(wide.data());
      hdi.cchTextMax = static_cast<int>(wide.size());
    }
  }
  NMHEADERA nm{};
  nm.hdr.hwndFrom = hwnd;
  nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
  nm.hdr.code = code(s, ansiCode);
  nm.iItem = item;
  nm.iButton = 0;
  nm.pitem = pitem ? &hdi : nullptr;
  HWND parent = GetParent(hwnd);
  return parent ? SendMessageA(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm)) : 0;
}

LRESULT notifyWidth(HWND hwnd, HeaderState& s, UINT ansiCode, int item, int width) {
  HDITEMA hdi{};
  hdi.mask = HDI_WIDTH;
  hdi.cxy = width;
  return notify(hwnd, s, ansiCode, item, &hdi);
}

// Items are laid out left to right in their display order.
RECT itemRect(HWND hwnd, const HeaderState& s, int index) {
  RECT client;
  GetClientRect(hwnd, &client);
  int left = 0;
  for (int i : s.order) {
    if (i == index) break;
    left += s.items[static_cast<size_t>(i)].width;
  }
  return RECT{left, 0, left + s.items[static_cast<size_t>(index)].width, client.bottom};
}

int orderOf(const HeaderState& s, int index) {
  auto it = std::find(s.order.begin(), s.order.end(), index);
  return static_cast<int>(it - s.order.begin());
}

// Moves an item to another place in the display order.
void moveInOrder(HeaderState& s, int index, int position) {
  s.order.erase(s.order.begin() + orderOf(s, index));
  position = std::clamp(position, 0, static_cast<int>(s.order.size()));
  s.order.insert(s.order.begin() + position, index);
}

// A width change as Win32 makes it: asked first, then told.
bool changeWidth(HWND hwnd, HeaderState& s, int index, int width) {
  if (notifyWidth(hwnd, s, HDN_ITEMCHANGINGA, index, width)) return false;
  HeaderState* st = stateOf(hwnd);
  if (!st || index >= static_cast<int>(st->items.size())) return false;
  st->items[static_cast<size_t>(index)].width = width;
  InvalidateRect(hwnd, nullptr, TRUE);
  notifyWidth(hwnd, *st, HDN_ITEMCHANGEDA, index, width);
  return true;
}

// The divider under a point: the right edge of an item, within the grip.
int dividerAt(HWND hwnd, const HeaderState& s, int x) {
  int found = -1;
  for (int i : s.order) {
    RECT r = itemRect(hwnd, s, i);
    if (x >= r.right - kDividerGrip && x < r.right + kDividerGrip) found = i;
    if (r.right - kDividerGrip > x) break;
  }
  return found;
}

int itemAt(HWND hwnd, const HeaderState& s, POINT pt) {
  for (int i : s.order) {
    RECT r = itemRect(hwnd, s, i);
    if (PtInRect(&r, pt)) return i;
  }
  return -1;
}

void copyOut(const HeaderState& s, int index, HDITEMA* hdi) {
  const HeaderItem& item = s.items[static_cast<size_t>(index)];
  if (hdi->mask & HDI_ORDER) hdi->iOrder = orderOf(s, index);
  if (hdi->mask & HDI_WIDTH) hdi->cxy = item.width;
  if (hdi->mask & HDI_FORMAT) hdi->fmt = item.fmt;
  if (hdi->mask & HDI_LPARAM) hdi->lParam = item.lParam;
  if ((hdi->mask & HDI_TEXT) && hdi->pszText && hdi->cchTextMax > 0)
    lstrcpynA(hdi->pszText, item.text.c_str(), hdi->cchTextMax);
}

void copyIn(HeaderItem& item, const HDITEMA& hdi) {
  if (hdi.mask & HDI_WIDTH) item.width = std::max(0, hdi.cxy);
  if (hdi.mask & HDI_FORMAT) item.fmt = hdi.fmt;
  if (hdi.mask & HDI_LPARAM) item.lParam = hdi.lParam;
  if ((hdi.mask & HDI_TEXT) && hdi.pszText) item.text = hdi.pszText;
}

int rowHeight(HWND hwnd, const HeaderState& s) {
  HDC hdc = GetDC(hwnd);
  if (!hdc) return 0;
  HFONT font = s.font ? s.font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  SelectObject(hdc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(hdc, &tm);
  ReleaseDC(hwnd, hdc);
  return tm.tmHeight + 6;
}

// An owner-drawn item is painted by the parent, as WM_DRAWITEM asks.
void drawOwnerItem(HWND hwnd, const HeaderState& s, HDC hdc, int index, const RECT& r) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_HEADER;
  dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
  dis.itemID = static_cast<UINT>(index);
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = s.pressed == index ? ODS_SELECTED : 0;
  dis.hwndItem = hwnd;
  dis.hDC = hdc;
  dis.rcItem = r;
  dis.itemData = static_cast<ULONG_PTR>(s.items[static_cast<size_t>(index)].lParam);
  int saved = SaveDC(hdc);
  SendMessageA(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
  RestoreDC(hdc, saved);
}

void paint(HWND hwnd, HeaderState& s) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  RECT client;
  GetClientRect(hwnd, &client);
  SelectObject(hdc, s.font ? s.font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  int right = 0;
  const std::vector<int> order = s.order;
  for (int i : order) {
    HeaderState* st = stateOf(hwnd);
    if (!st || i >= static_cast<int>(st->items.size())) break;
    RECT r = itemRect(hwnd, *st, i);
    right = r.right;
    if (r.right <= r.left) continue;
    if (st->items[static_cast<size_t>(i)].fmt & HDF_OWNERDRAW) {
      drawOwnerItem(hwnd, *st, hdc, i, r);
      continue;
    }
    FillRect(hdc, &r, GetSysColorBrush(COLOR_WINDOW));
    // A plain look: white items, a shadow line for each divider and at the bottom.
    RECT divider{r.right - 1, r.top, r.right, r.bottom};
    FillRect(hdc, &divider, GetSysColorBrush(COLOR_3DLIGHT));
    const HeaderItem& item = st->items[static_cast<size_t>(i)];
    int align = item.fmt & HDF_JUSTIFYMASK;
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                  (align == HDF_RIGHT ? DT_RIGHT : align == HDF_CENTER ? DT_CENTER : DT_LEFT);
    RECT t{r.left + kTextMargin, r.top, r.right - kTextMargin, r.bottom};
    DrawTextA(hdc, item.text.c_str(), -1, &t, format);
  }
  RECT rest{right, 0, client.right, client.bottom};
  FillRect(hdc, &rest, GetSysColorBrush(COLOR_WINDOW));
  RECT bottom{0, client.bottom - 1, client.right, client.bottom};
  FillRect(hdc, &bottom, GetSysColorBrush(COLOR_3DLIGHT));
  EndPaint(hwnd, &ps);
}

void endTracking(HWND hwnd, HeaderState& s, int x, bool cancel) {
  int item = s.tracking;
  s.tracking = -1;
  if (item < 0 || item >= static_cast<int>(s.items.size())) return;
  int width = std::max(0, s.trackStartWidth + x - s.trackStartX);
  bool full = (GetWindowLongA(hwnd, GWL_STYLE) & HDS_FULLDRAG) != 0;
  bool refused = notifyWidth(hwnd, s, HDN_ENDTRACKA, item, width) != 0 || cancel;
  HeaderState* st = stateOf(hwnd);
  if (!st || item >= static_cast<int>(st->items.size())) return;
  if (refused) {
    // Dragged live: the first width comes back.
    if (full && st->items[static_cast<size_t>(item)].width != s.trackStartWidth)
      changeWidth(hwnd, *st, item, s.trackStartWidth);
    return;
  }
  if (!full || st->items[static_cast<size_t>(item)].width != width) changeWidth(hwnd, *st, item, width);
}

LRESULT CALLBACK headerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  HeaderState* s = stateOf(hwnd);
  switch (msg) {
    case WM_NCCREATE:
      EnsureControl<HeaderState>(hwnd);
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_CREATE:
      if (s && GetParent(hwnd))
        s->unicode = SendMessageA(GetParent(hwnd), WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(hwnd),
                                  NF_QUERY) == NFR_UNICODE;
      return 0;
    case WM_NOTIFYFORMAT:
      if (s && lParam == NF_REQUERY && GetParent(hwnd))
        s->unicode = SendMessageA(GetParent(hwnd), WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(hwnd),
                                  NF_QUERY) == NFR_UNICODE;
      return s && s->unicode ? NFR_UNICODE : NFR_ANSI;
    default:
      break;
  }
  if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
  const int count = static_cast<int>(s->items.size());
  switch (msg) {
    case HDM_GETITEMCOUNT:
      return count;
    case HDM_INSERTITEMA: {
      auto* hdi = reinterpret_cast<const HDITEMA*>(lParam);
      int index = static_cast<int>(wParam);
      if (!hdi || index < 0) return -1;
      index = std::min(index, count);
      HeaderItem item;
      copyIn(item, *hdi);
      s->items.insert(s->items.begin() + index, std::move(item));
      for (int& i : s->order)
        if (i >= index) ++i;
      int position = (hdi->mask & HDI_ORDER) && hdi->iOrder >= 0 ? std::min(hdi->iOrder, count) : index;
      s->order.insert(s->order.begin() + position, index);
      InvalidateRect(hwnd, nullptr, TRUE);
      return index;
    }
    case HDM_DELETEITEM: {
      int index = static_cast<int>(wParam);
      if (index < 0 || index >= count) return FALSE;
      s->items.erase(s->items.begin() + index);
      s->order.erase(s->order.begin() + orderOf(*s, index));
      for (int& i : s->order)
        if (i > index) --i;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case HDM_GETITEMA: {
      auto* hdi = reinterpret_cast<HDITEMA*>(lParam);
      int index = static_cast<int>(wParam);
      if (!hdi || index < 0 || index >= count) return FALSE;
      copyOut(*s, index, hdi);
      return TRUE;
    }
    case HDM_SETITEMA: {
      auto* hdi = reinterpret_cast<const HDITEMA*>(lParam);
      int index = static_cast<int>(wParam);
      if (!hdi || index < 0 || index >= count) return FALSE;
      // Both notices describe the change with a copy of the caller's item.
      const HDITEMA request = *hdi;
      if (notify(hwnd, *s, HDN_ITEMCHANGINGA, index, &request)) return FALSE;
      if ((s = stateOf(hwnd)) == nullptr || index >= static_cast<int>(s->items.size())) return FALSE;
      copyIn(s->items[static_cast<size_t>(index)], request);
      if ((request.mask & HDI_ORDER) && request.iOrder >= 0 && request.iOrder < static_cast<int>(s->items.size()))
        moveInOrder(*s, index, request.iOrder);
      InvalidateRect(hwnd, nullptr, TRUE);
      notify(hwnd, *s, HDN_ITEMCHANGEDA, index, &request);
      return TRUE;
    }
    case HDM_GETORDERARRAY: {
      auto* out = reinterpret_cast<int*>(lParam);
      if (!out || static_cast<int>(wParam) < count) return FALSE;
      std::copy(s->order.begin(), s->order.end(), out);
      return TRUE;
    }
    case HDM_SETORDERARRAY: {
      // Only a permutation of the items is taken.
      auto* in = reinterpret_cast<const int*>(lParam);
      if (!in || static_cast<int>(wParam) != count) return FALSE;
      std::vector<int> order(in, in + count);
      std::vector<int> sorted = order;
      std::sort(sorted.begin(), sorted.end());
      for (int i = 0; i < count; ++i)
        if (sorted[static_cast<size_t>(i)] != i) return FALSE;
      s->order = std::move(order);
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case HDM_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      int index = static_cast<int>(wParam);
      if (!r || index < 0 || index >= count) return FALSE;
      *r = itemRect(hwnd, *s, index);
      return TRUE;
    }
    case HDM_LAYOUT: {
      auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
      if (!layout || !layout->prc || !layout->pwpos) return FALSE;
      int height = (GetWindowLongA(hwnd, GWL_STYLE) & HDS_HIDDEN) ? 0 : rowHeight(hwnd, *s);
      RECT* r = layout->prc;
      *layout->pwpos = WINDOWPOS{hwnd, nullptr, r->left, r->top, r->right - r->left, height,
                                 SWP_NOZORDER | SWP_NOACTIVATE};
      r->top += height;
      return TRUE;
    }
    case HDM_HITTEST: {
      auto* ht = reinterpret_cast<HDHITTESTINFO*>(lParam);
      if (!ht) return -1;
      RECT client;
      GetClientRect(hwnd, &client);
      ht->iItem = -1;
      ht->flags = 0;
      if (ht->pt.y < 0) ht->flags |= HHT_ABOVE;
      if (ht->pt.y >= client.bottom) ht->flags |= HHT_BELOW;
      if (ht->pt.x < 0) ht->flags |= HHT_TOLEFT;
      if (ht->pt.x >= client.right) ht->flags |= HHT_TORIGHT;
      if (ht->flags) return -1;
      int divider = dividerAt(hwnd, *s, ht->pt.x);
      if (divider >= 0) {
        ht->iItem = divider;
        ht->flags = HHT_ONDIVIDER;
        return divider;
      }
      ht->iItem = itemAt(hwnd, *s, ht->pt);
      ht->flags = ht->iItem >= 0 ? HHT_ONHEADER : HHT_NOWHERE;
      return ht->iItem;
    }
    case WM_SETFONT:
    case WM_GETFONT: {
      LRESULT result = 0;
      FontMessage(hwnd, &s->font, msg, wParam, lParam, &result);
      return result;
    }
    case WM_PAINT:
      paint(hwnd, *s);
      return 0;
    case WM_PRINTCLIENT:
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the items cover the whole client area
    case WM_LBUTTONDOWN: {
      int x = static_cast<short>(LOWORD(lParam));
      POINT pt{x, static_cast<short>(HIWORD(lParam))};
      int divider = dividerAt(hwnd, *s, x);
      if (divider >= 0) {
        int width = s->items[static_cast<size_t>(divider)].width;
        if (notifyWidth(hwnd, *s, HDN_BEGINTRACKA, divider, width)) return 0;
        if ((s = stateOf(hwnd)) == nullptr) return 0;
        s->tracking = divider;
        s->trackStartX = x;
        s->trackStartWidth = width;
        return 0;
      }
      s->pressed = itemAt(hwnd, *s, pt);
      return 0;
    }
    case WM_MOUSEMOVE: {
      if (s->tracking < 0) return 0;
      int x = static_cast<short>(LOWORD(lParam));
      int width = std::max(0, s->trackStartWidth + x - s->trackStartX);
      int item = s->tracking;
      if (GetWindowLongA(hwnd, GWL_STYLE) & HDS_FULLDRAG) {
        if (s->items[static_cast<size_t>(item)].width != width) changeWidth(hwnd, *s, item, width);
      } else if (notifyWidth(hwnd, *s, HDN_TRACKA, item, width)) {
        if ((s = stateOf(hwnd)) != nullptr) endTracking(hwnd, *s, x, true);
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      int x = static_cast<short>(LOWORD(lParam));
      POINT pt{x, static_cast<short>(HIWORD(lParam))};
      if (s->tracking >= 0) {
        endTracking(hwnd, *s, x, false);
        return 0;
      }
      int pressed = std::exchange(s->pressed, -1);
      if (pressed >= 0 && itemAt(hwnd, *s, pt) == pressed &&
          (GetWindowLongA(hwnd, GWL_STYLE) & HDS_BUTTONS))
        notify(hwnd, *s, HDN_ITEMCLICKA, pressed, nullptr);
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      int x = static_cast<short>(LOWORD(lParam));
      int divider = dividerAt(hwnd, *s, x);
      if (divider >= 0)
        notify(hwnd, *s, HDN_DIVIDERDBLCLICKA, divider, nullptr);
      else
        return headerProc(hwnd, WM_LBUTTONDOWN, wParam, lParam);
      return 0;
    }
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      if (s->tracking >= 0) endTracking(hwnd, *s, s->trackStartX, true);
      s->pressed = -1;
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

const SystemClass headerClass(WC_HEADERA, headerProc, CS_DBLCLKS | CS_GLOBALCLASS, 0);

}  // namespace
