// The list view's window procedure: creation with its header, fonts, styles,
// colours, and the dispatch of its messages to columns, items and geometry.
#include "list_view.h"

#include <utility>

#include "gdi.h"

namespace headless::detail::lv {

State* StateOf(HWND hwnd) { return Control<State>(hwnd); }

bool ValidItem(const State& s, int item) {
  return item >= 0 && item < static_cast<int>(s.rows.size());
}

LRESULT Notify(HWND hwnd, NMHDR& hdr, UINT code) {
  HWND parent = GetParent(hwnd);
  if (!parent) return 0;
  hdr.hwndFrom = hwnd;
  hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
  hdr.code = code;
  return SendMessageA(parent, WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

namespace {

void create(HWND hwnd, State& s) {
  s.bk = SysColor(COLOR_WINDOW);
  s.text = SysColor(COLOR_WINDOWTEXT);
  s.textBk = SysColor(COLOR_WINDOW);
  DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
  DWORD headerStyle = WS_CHILD | HDS_HORZ | HDS_FULLDRAG;
  if (!(style & LVS_NOSORTHEADER)) headerStyle |= HDS_BUTTONS;
  if (style & LVS_NOCOLUMNHEADER)
    headerStyle |= HDS_HIDDEN;
  else
    headerStyle |= WS_VISIBLE;
  s.header = CreateWindowExA(0, WC_HEADERA, "", headerStyle, 0, 0, 0, 0, hwnd, nullptr,
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE)),
                             nullptr);
  if (s.header) SendMessageA(s.header, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(s)), FALSE);
  MeasureRows(hwnd, s);
  Layout(hwnd, s);
}

void styleChanged(HWND hwnd, State& s, const STYLESTRUCT& ss) {
  DWORD changed = ss.styleOld ^ ss.styleNew;
  if ((changed & LVS_NOCOLUMNHEADER) && s.header) {
    DWORD hs = static_cast<DWORD>(GetWindowLongA(s.header, GWL_STYLE));
    if (ss.styleNew & LVS_NOCOLUMNHEADER)
      SetWindowLongA(s.header, GWL_STYLE, static_cast<LONG>(hs | HDS_HIDDEN));
    else
      SetWindowLongA(s.header, GWL_STYLE, static_cast<LONG>(hs & ~HDS_HIDDEN));
    ShowWindow(s.header, (ss.styleNew & LVS_NOCOLUMNHEADER) ? SW_HIDE : SW_SHOWNA);
  }
  if (changed & (LVS_OWNERDRAWFIXED | LVS_TYPEMASK)) MeasureRows(hwnd, s);
  Layout(hwnd, s);
  InvalidateList(hwnd);
}

COLORREF setColor(HWND hwnd, COLORREF& slot, LPARAM value) {
  slot = static_cast<COLORREF>(value);
  InvalidateList(hwnd);
  return TRUE;
}

LRESULT CALLBACK listViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    EnsureControl<State>(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  State* s = StateOf(hwnd);
  if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_CREATE:
      create(hwnd, *s);
      return 0;
    case WM_NOTIFYFORMAT:
      // The header talks to the list in wide forms, as comctl32 version 6 has it.
      return lParam == NF_QUERY ? NFR_UNICODE : NFR_ANSI;
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (s->header) SendMessageA(s->header, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(*s)), lParam);
      MeasureRows(hwnd, *s);
      Layout(hwnd, *s);
      if (LOWORD(lParam)) InvalidateList(hwnd);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(FontOf(*s));
    case WM_STYLECHANGED:
      if (wParam == static_cast<WPARAM>(GWL_STYLE) && lParam)
        styleChanged(hwnd, *s, *reinterpret_cast<STYLESTRUCT*>(lParam));
      return 0;
    case WM_WINDOWPOSCHANGED:
      // An owner-drawn list asks its parent for the row height again.
      if (GetWindowLongA(hwnd, GWL_STYLE) & LVS_OWNERDRAWFIXED) MeasureRows(hwnd, *s);
      DefWindowProcA(hwnd, msg, wParam, lParam);
      if ((s = StateOf(hwnd)) != nullptr) Layout(hwnd, *s);
      return 0;
    case WM_SIZE:
      Layout(hwnd, *s);
      return 0;
    case WM_SETREDRAW:
      // The list keeps redraw itself and stays visible, as Win32's list does.
      if (s->redraw == (wParam != 0)) return 0;
      s->redraw = wParam != 0;
      if (wParam) {
        Layout(hwnd, *s);
        InvalidateList(hwnd);
      }
      return 0;
    case WM_ERASEBKGND: {
      if (s->bk == CLR_NONE) return 0;
      RECT rc;
      GetClientRect(hwnd, &rc);
      HBRUSH b = CreateSolidBrush(s->bk);
      FillRect(reinterpret_cast<HDC>(wParam), &rc, b);
      DeleteObject(b);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(hwnd, &ps);
      if (hdc && (s = StateOf(hwnd)) != nullptr && s->redraw) Paint(hwnd, *s, hdc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(hwnd, *s, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_DESTROY:
      NotifyDestroyed(hwnd, *s);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      InvalidateList(hwnd);
      NMHDR hdr{};
      Notify(hwnd, hdr, msg == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
      return 0;
    }
    case WM_VSCROLL:
      OnVScroll(hwnd, *s, LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      OnHScroll(hwnd, *s, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      OnWheel(hwnd, *s, GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
      return OnMouse(hwnd, *s, msg, wParam, lParam);
    case WM_KEYDOWN:
      return OnKey(hwnd, *s, wParam);
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      if (hdr && hdr->hwndFrom == s->header) return OnHeaderNotify(hwnd, *s, hdr);
      return 0;
    }

    // ---- Columns
    case LVM_INSERTCOLUMNA:
      return InsertColumn(hwnd, *s, static_cast<int>(wParam), reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_DELETECOLUMN:
      return DeleteColumn(hwnd, *s, static_cast<int>(wParam));
    case LVM_GETCOLUMNA:
      return GetColumn(*s, static_cast<int>(wParam), reinterpret_cast<LVCOLUMNA*>(lParam));
    case LVM_SETCOLUMNA:
      return SetColumn(hwnd, *s, static_cast<int>(wParam), reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_GETCOLUMNWIDTH: {
      int i = static_cast<int>(wParam);
      return i >= 0 && i < static_cast<int>(s->columns.size()) ? s->columns[static_cast<size_t>(i)].width : 0;
    }
    case LVM_SETCOLUMNWIDTH:
      return SetColumnWidth(hwnd, *s, static_cast<int>(wParam), static_cast<short>(LOWORD(lParam)));
    case LVM_GETHEADER:
      return reinterpret_cast<LRESULT>(s->header);

    // ---- Items
    case LVM_GETITEMCOUNT:
      return static_cast<LRESULT>(s->rows.size());
    case LVM_INSERTITEMA:
      return InsertItem(hwnd, *s, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_SETITEMA:
      return SetItem(hwnd, *s, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_GETITEMA:
      return GetItem(*s, reinterpret_cast<LVITEMA*>(lParam));
    case LVM_GETITEMTEXTA:
      return GetItemText(*s, static_cast<int>(wParam), reinterpret_cast<LVITEMA*>(lParam));
    case LVM_SETITEMTEXTA: {
      auto* in = reinterpret_cast<const LVITEMA*>(lParam);
      if (!in) return FALSE;
      LVITEMA item = *in;
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(wParam);
      return SetItem(hwnd, *s, &item);
    }
    case LVM_DELETEITEM:
      return DeleteItem(hwnd, *s, static_cast<int>(wParam));
    case LVM_DELETEALLITEMS:
      return DeleteAllItems(hwnd, *s);
    case LVM_SETITEMCOUNT:
      s->rows.reserve(static_cast<size_t>(wParam));
      return TRUE;
    case LVM_SETITEMSTATE: {
      auto* in = reinterpret_cast<const LVITEMA*>(lParam);
      if (!in) return FALSE;
      return SetItemState(hwnd, *s, static_cast<int>(wParam), in->state, in->stateMask);
    }
    case LVM_GETITEMSTATE: {
      int i = static_cast<int>(wParam);
      return ValidItem(*s, i) ? s->rows[static_cast<size_t>(i)].state & static_cast<UINT>(lParam) : 0;
    }
    case LVM_GETNEXTITEM:
      return GetNextItem(*s, static_cast<int>(wParam), LOWORD(lParam));
    case LVM_GETSELECTEDCOUNT:
      return s->selectedCount;
    case LVM_GETSELECTIONMARK:
      return s->selectionMark;
    case LVM_SETSELECTIONMARK:
      return std::exchange(s->selectionMark, static_cast<int>(lParam));
    case LVM_SORTITEMS:
      return SortItems(hwnd, *s, reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam));

    // ---- Geometry and scrolling
    case LVM_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (!r) return FALSE;
      if (r->left == LVIR_SELECTBOUNDS) return SelectBounds(hwnd, *s, static_cast<int>(wParam), r);
      return GetItemRect(*s, static_cast<int>(wParam), 0, r->left, r, false);
    }
    case LVM_GETSUBITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (!r) return FALSE;
      if (r->top == 0 && r->left == LVIR_SELECTBOUNDS) return SelectBounds(hwnd, *s, static_cast<int>(wParam), r);
      return GetItemRect(*s, static_cast<int>(wParam), r->top, r->left, r, true);
    }
    case LVM_GETVIEWRECT:
      return GetViewRect(reinterpret_cast<RECT*>(lParam));
    case LVM_GETTOPINDEX:
      return s->top;
    case LVM_GETCOUNTPERPAGE:
      return CountPerPage(hwnd, *s);
    case LVM_ENSUREVISIBLE:
      return EnsureVisible(hwnd, *s, static_cast<int>(wParam), lParam != 0);
    case LVM_SCROLL:
      return Scroll(hwnd, *s, static_cast<int>(wParam), static_cast<int>(lParam));
    case LVM_HITTEST:
      return HitTest(hwnd, *s, reinterpret_cast<LVHITTESTINFO*>(lParam), false, true);
    case LVM_SUBITEMHITTEST:
      return HitTest(hwnd, *s, reinterpret_cast<LVHITTESTINFO*>(lParam), true, false);
    case LVM_REDRAWITEMS:
    case LVM_UPDATE:
      InvalidateList(hwnd);
      return TRUE;

    // ---- Appearance
    case LVM_GETBKCOLOR:
      return s->bk;
    case LVM_SETBKCOLOR:
      return setColor(hwnd, s->bk, lParam);
    case LVM_GETTEXTCOLOR:
      return s->text;
    case LVM_SETTEXTCOLOR:
      return setColor(hwnd, s->text, lParam);
    case LVM_GETTEXTBKCOLOR:
      return s->textBk;
    case LVM_SETTEXTBKCOLOR:
      return setColor(hwnd, s->textBk, lParam);
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
      return s->exStyle;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
      DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFF;
      DWORD old = s->exStyle;
      s->exStyle = (old & ~mask) | (static_cast<DWORD>(lParam) & mask);
      if ((old ^ s->exStyle) & LVS_EX_GRIDLINES) {
        MeasureRows(hwnd, *s);
        Layout(hwnd, *s);
      }
      InvalidateList(hwnd);
      return old;
    }
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

const SystemClass listViewClass(WC_LISTVIEWA, listViewProc, CS_DBLCLKS | CS_GLOBALCLASS, 0);

}  // namespace

}  // namespace headless::detail::lv
