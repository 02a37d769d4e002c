// The dialog manager: dialogs from in-memory templates, the dialog class and its
// default procedure, modal dialogs answered by the responder, and the keyboard
// interface of IsDialogMessage.
#include <strings.h>

#include <cstdint>
#include <cstring>
#include <deque>
#include <string>

#include "backend.h"
#include "gdi.h"
#include "dialog_template_parser.h"

using namespace headless::detail;

namespace {

constexpr short kUseDefault16 = static_cast<short>(0x8000);  // CW_USEDEFAULT in a template
constexpr WORD kMessageBoxFontSize = 0x7FFF;
constexpr UINT kCtlColor16 = 0x0019;   // the 16-bit WM_CTLCOLOR, still returned as is
constexpr WPARAM kMsgfDialogBox = 0;   // MSGF_DIALOGBOX for WM_ENTERIDLE
constexpr int kModalLoopLimit = 100000;
// The system font's base units, as GetDialogBaseUnits gives them on Windows.
constexpr SIZE kSystemUnits{8, 16};

// What the dialog manager keeps for a dialog beside its window bytes.
struct DialogState : ControlState {
  HFONT font = nullptr;
  SIZE units = kSystemUnits;
  int defId = IDOK;  // Win32 starts from IDOK until a default push button says otherwise
  INT_PTR result = 0;
  bool ended = false;
  bool ownerDisabled = false;  // a modal dialog disabled its owner and gives it back
  HWND savedFocus = nullptr;
};

DialogState* stateOf(HWND hwnd) { return Control<DialogState>(hwnd); }

// ---- Dialog fonts -----------------------------------------------------------------
// One GDI font per face and size that templates ask for, kept for the whole run
// as Win32 keeps a dialog class's fonts.
struct FontRecord {
  std::string face;
  int pointSize;
  int weight;
  bool italic;
  BYTE charset;
  HFONT font;
};

HFONT internFont(const std::string& face, int pointSize, int weight, bool italic, BYTE charset) {
  static std::deque<FontRecord> fonts;
  for (FontRecord& f : fonts)
    if (f.face == face && f.pointSize == pointSize && f.weight == weight && f.italic == italic &&
        f.charset == charset && GetObjectType(f.font) == OBJ_FONT)
      return f.font;
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(pointSize, 96, 72);
  lf.lfWeight = weight;
  lf.lfItalic = italic ? 1 : 0;
  lf.lfCharSet = charset;
  lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&lf);
  fonts.push_back(FontRecord{face, pointSize, weight, italic, charset, font});
  return font;
}

// Fixed-cell CJK faces: their cell is one em high and a half-width glyph half an em wide.
bool isCjkFace(const char* face) {
  if (!face) return false;
  for (const char* p = face; *p; ++p)
    if (static_cast<unsigned char>(*p) >= 0x80) return true;  // a DBCS name (新細明體, 細明體...)
  static const char* const kNames[] = {"MingLiU", "PMingLiU", "MingLiU_HKSCS", "SimSun",
                                       "NSimSun", "DFKai-SB"};
  for (const char* n : kNames)
    if (strcasecmp(face, n) == 0) return true;
  return false;
}

// ---- Window bytes -------------------------------------------------------------------
LONG_PTR readExtra(HWND hwnd, int index) {
  Window* w = Find(hwnd);
  LONG_PTR v = 0;
  if (w && index >= 0 && static_cast<size_t>(index) + sizeof v <= w->extra.size())
    std::memcpy(&v, w->extra.data() + index, sizeof v);
  return v;
}

void writeExtra(HWND hwnd, int index, LONG_PTR v) {
  Window* w = Find(hwnd);
  if (w && index >= 0 && static_cast<size_t>(index) + sizeof v <= w->extra.size())
    std::memcpy(w->extra.data() + index, &v, sizeof v);
}

// ---- Geometry ---------------------------------------------------------------------------
// The frame DefWindowProc puts around a client area (what AdjustWindowRectEx gives).
RECT frameInsets(DWORD style, DWORD exStyle) {
  int edge = 0;
  if (style & WS_THICKFRAME)
    edge += GetSystemMetrics(SM_CXDLGFRAME) + 1;
  else if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME) ||
           (exStyle & WS_EX_DLGMODALFRAME))
    edge += GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER)
    edge += GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) edge += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) edge += GetSystemMetrics(SM_CXBORDER);
  RECT in{edge, edge, edge, edge};
  if ((style & WS_CAPTION) == WS_CAPTION) in.top += GetSystemMetrics(SM_CYCAPTION);
  if (style & WS_VSCROLL) in.right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) in.bottom += GetSystemMetrics(SM_CYHSCROLL);
  return in;
}

int xPixels(int dlu, SIZE units) { return MulDiv(dlu, units.cx, 4); }
int yPixels(int dlu, SIZE units) { return MulDiv(dlu, units.cy, 8); }

// ---- Focus and default buttons -------------------------------------------------------------
LRESULT dlgCode(HWND hwnd, WPARAM wParam = 0, LPARAM lParam = 0) {
  return hwnd ? SendMessageA(hwnd, WM_GETDLGCODE, wParam, lParam) : 0;
}

// Gives a control the focus, selecting all of an edit's text as Win32 does.
void focusControl(HWND control) {
  if (dlgCode(control) & DLGC_HASSETSEL) SendMessageA(control, EM_SETSEL, 0, -1);
  SetFocus(control);
}

HWND firstFocusable(HWND dialog) {
  HWND focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
  return focus ? focus : GetNextDlgGroupItem(dialog, nullptr, FALSE);
}

void saveFocus(HWND dialog) {
  HWND focus = GetFocus();
  DialogState* s = stateOf(dialog);
  if (s && focus && IsChild(dialog, focus)) s->savedFocus = focus;
}

void restoreFocus(HWND dialog) {
  DialogState* s = stateOf(dialog);
  if (!s || s->ended || IsIconic(dialog)) return;
  if (!IsWindow(s->savedFocus) || s->savedFocus == dialog) {
    s->savedFocus = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (!IsWindow(s->savedFocus)) return;
  }
  focusControl(s->savedFocus);
}

// The push button that shows itself as the default, looking into nested dialogs.
HWND findDefButton(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (dlgCode(child) & DLGC_DEFPUSHBUTTON) return child;
    LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
    if ((GetWindowLongPtrA(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && (style & WS_VISIBLE) &&
        !(style & WS_DISABLED))
      if (HWND found = findDefButton(child)) return found;
  }
  return nullptr;
}

HWND currentDefButton(HWND dialog, DialogState* s) {
  HWND old = GetDlgItem(dialog, s->defId);
  if (!old || !(dlgCode(old) & DLGC_DEFPUSHBUTTON)) old = findDefButton(dialog);
  return old;
}

void setDefId(HWND dialog, DialogState* s, int id) {
  HWND next = GetDlgItem(dialog, id);
  s->defId = id;
  LRESULT code = dlgCode(next);
  if (next && !(code & (DLGC_UNDEFPUSHBUTTON | DLGC_BUTTON))) return;  // not a push button
  HWND old = currentDefButton(dialog, s);
  if (old && old != next) SendMessageA(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  if (next && (code & DLGC_UNDEFPUSHBUTTON)) SendMessageA(next, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

// After the focus moved: a focused push button shows as the default, otherwise the dialog's.
void setDefButton(HWND dialog, DialogState* s, HWND next) {
  HWND byId = GetDlgItem(dialog, s->defId);
  LRESULT code = dlgCode(next);
  if (next && !(code & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON))) {
    next = byId;
    code = dlgCode(next);
  }
  HWND old = byId && (dlgCode(byId) & DLGC_DEFPUSHBUTTON) ? byId : findDefButton(dialog);
  if (old && old != next) SendMessageA(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  if (next && (code & DLGC_UNDEFPUSHBUTTON)) SendMessageA(next, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

// Keyboard messages of a nested DS_CONTROL dialog go to the dialog that holds it.
HWND messageDestination(HWND dialog) {
  while (GetWindowLongPtrA(dialog, GWL_STYLE) & DS_CONTROL) {
    HWND parent = GetParent(dialog);
    if (!parent || !stateOf(parent)) break;
    dialog = parent;
  }
  return dialog;
}

bool shiftDown() { return false; }

// ---- Creation ---------------------------------------------------------------------------
void enableOwner(HWND owner) {
  if (owner && (owner = GetAncestor(owner, GA_ROOT)) != nullptr) EnableWindow(owner, TRUE);
}

bool disableOwner(HWND owner) {
  if (!owner || (owner = GetAncestor(owner, GA_ROOT)) == nullptr) return false;
  if (!IsWindowEnabled(owner)) return false;
  EnableWindow(owner, FALSE);
  return true;
}

LPCSTR classArgument(const TemplateName& n) {
  if (n.kind == TemplateName::Kind::kOrdinal) return MAKEINTATOM(n.ordinal);
  if (n.kind == TemplateName::Kind::kString) return n.text.c_str();
  return "#32770";
}

// Creates the controls; false when one of them could not be created.
bool createControls(HWND dialog, const ParsedTemplate& t, HINSTANCE instance) {
  HWND defButton = nullptr;
  for (const TemplateItem& item : t.items) {
    DialogState* s = stateOf(dialog);
    if (!s) return false;
    DWORD style = (item.style | WS_CHILD) & ~WS_POPUP;
    DWORD exStyle = item.exStyle | WS_EX_NOPARENTNOTIFY;
    if (style & WS_BORDER) {  // dialogs draw control borders sunken
      style &= ~WS_BORDER;
      exStyle |= WS_EX_CLIENTEDGE;
    }
    LPCSTR cls = nullptr;
    if (item.className.kind == TemplateName::Kind::kOrdinal)
      cls = PredefinedClassName(item.className.ordinal);
    else if (item.className.kind == TemplateName::Kind::kString)
      cls = item.className.text.c_str();
    LPCSTR title = item.title.kind == TemplateName::Kind::kOrdinal
                       ? MAKEINTRESOURCEA(item.title.ordinal)
                       : item.title.text.c_str();
    const SIZE units = s->units;
    HWND control =
        cls ? CreateWindowExA(exStyle, cls, title, style, xPixels(item.x, units),
                              yPixels(item.y, units), xPixels(item.cx, units),
                              yPixels(item.cy, units), dialog,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance,
                              const_cast<void*>(item.creationData))
            : nullptr;
    if (!IsWindow(dialog)) return false;
    if (!control) {
      if (t.style & DS_NOFAILCREATE) continue;
      return false;
    }
    // Tab order is template order: each new control goes below its siblings.
    if (GetWindow(control, GW_HWNDNEXT))
      SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
    if ((s = stateOf(dialog)) == nullptr) return false;
    if (s->font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(s->font), FALSE);
    if (dlgCode(control) & DLGC_DEFPUSHBUTTON) {
      // A later default push button takes over from an earlier one.
      if (defButton) SendMessageA(defButton, BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
      defButton = control;
      if ((s = stateOf(dialog)) != nullptr) s->defId = static_cast<int>(item.id);
    }
    if (!IsWindow(dialog)) return false;
  }
  return true;
}

HWND createIndirect(HINSTANCE instance, const void* data, HWND owner, DLGPROC proc, LPARAM param,
                    bool modal) {
  ParsedTemplate t;
  if (!ParseDialogTemplate(data, SIZE_MAX, &t)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (owner && !FindOrFail(owner)) return nullptr;

  SIZE units = kSystemUnits;
  HFONT font = nullptr;
  if (t.hasFont) {
    std::string face = t.font.face;
    int points = static_cast<short>(t.font.pointSize);
    int weight = t.font.weight;
    bool italic = t.font.italic != 0;
    if (t.font.pointSize == kMessageBoxFontSize) face = "Segoe UI", points = 9, weight = 400;
    units = BaseUnitsForFont(face.c_str(), points < 0 ? -points : points);
    font = internFont(face, points < 0 ? -points : points, weight, italic, t.font.charset);
  }

  DWORD style = t.style;
  DWORD exStyle = t.exStyle;
  if (style & WS_CHILD) style &= ~(WS_CAPTION | WS_SYSMENU);
  if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
  if (style & DS_CONTROL) exStyle |= WS_EX_CONTROLPARENT;

  const RECT in = frameInsets(style, exStyle);
  const SIZE size{xPixels(t.cx, units) + in.left + in.right,
                  yPixels(t.cy, units) + in.top + in.bottom};
  POINT pos{-in.left, -in.top};
  if (t.x == kUseDefault16) {
    pos = POINT{CW_USEDEFAULT, CW_USEDEFAULT};
  } else {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if ((style & WS_CHILD) && owner) GetClientRect(owner, &area);
    if (style & DS_CENTER) {
      pos.x = (area.left + area.right - size.cx) / 2;
      pos.y = (area.top + area.bottom - size.cy) / 2;
    } else {
      pos.x += xPixels(t.x, units);
      pos.y += yPixels(t.y, units);
      if (!(style & (WS_CHILD | DS_ABSALIGN)) && owner) ClientToScreen(owner, &pos);
    }
    if (!(style & WS_CHILD)) {
      // Keep a top-level dialog on the screen.
      LONG dx = pos.x + size.cx + GetSystemMetrics(SM_CXDLGFRAME) - area.right;
      LONG dy = pos.y + size.cy + GetSystemMetrics(SM_CYDLGFRAME) - area.bottom;
      if (dx > 0) pos.x -= dx;
      if (dy > 0) pos.y -= dy;
      if (pos.x < area.left) pos.x = area.left;
      if (pos.y < area.top) pos.y = area.top;
    }
  }

  const bool ownerDisabled = modal && disableOwner(owner);
  HWND hwnd = CreateWindowExA(exStyle, classArgument(t.className), t.caption.c_str(),
                              style & ~WS_VISIBLE, pos.x, pos.y, size.cx, size.cy, owner, nullptr,
                              instance, nullptr);
  DialogState* s = hwnd ? EnsureControl<DialogState>(hwnd) : nullptr;
  if (!s) {
    if (hwnd) DestroyWindow(hwnd);
    if (ownerDisabled) enableOwner(owner);
    return nullptr;
  }
  s->font = font;
  s->units = units;
  s->defId = IDOK;
  s->ownerDisabled = ownerDisabled;
  writeExtra(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  if (proc && font) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);

  if (!IsWindow(hwnd) || !createControls(hwnd, t, instance)) {
    if (DialogState* cur = stateOf(hwnd); cur && cur->ownerDisabled) enableOwner(owner);
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    return nullptr;
  }
  if (proc) {
    HWND focus = firstFocusable(hwnd);
    LRESULT wantsFocus =
        SendMessageA(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), param);
    if (wantsFocus && IsWindow(hwnd) && (!(t.style & DS_CONTROL) || (t.style & WS_VISIBLE))) {
      // WM_INITDIALOG may have changed the controls, so look again.
      if ((focus = firstFocusable(hwnd)) != nullptr)
        focusControl(focus);
      else if (!(t.style & WS_CHILD))
        SetFocus(hwnd);
    }
  }
  if (!IsWindow(hwnd)) return nullptr;
  if ((t.style & WS_VISIBLE) && !(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE))
    ShowWindow(hwnd, SW_SHOWNORMAL);
  return IsWindow(hwnd) ? hwnd : nullptr;
}

// What the dialog's own message loop would do with what is already queued.
void runModalLoop(HWND dialog) {
  MSG msg;
  for (int n = 0; n < kModalLoopLimit; ++n) {
    DialogState* s = stateOf(dialog);
    if (!s || s->ended) return;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must still see it
      return;
    }
    if (!IsDialogMessageA(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

bool ended(HWND dialog) {
  DialogState* s = stateOf(dialog);
  return !s || s->ended;
}

// DefDlgProc's own handling of a message the dialog procedure left alone.
LRESULT defaultHandling(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, DialogState* s) {
  switch (msg) {
    case WM_ERASEBKGND:
      return DefEraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_SHOWWINDOW:
      if (!wParam) saveFocus(hwnd);
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam))
        restoreFocus(hwnd);
      else
        saveFocus(hwnd);
      return 0;
    case WM_SETFOCUS:
      restoreFocus(hwnd);
      return 0;
    case DM_SETDEFID:
      if (!s->ended) setDefId(hwnd, s, static_cast<int>(wParam));
      return TRUE;
    case DM_GETDEFID:
      if (!s->ended) {
        if (s->defId) return MAKELONG(s->defId, DC_HASDEFID);
        if (HWND def = findDefButton(hwnd)) return MAKELONG(GetDlgCtrlID(def), DC_HASDEFID);
      }
      return 0;
    case WM_NEXTDLGCTL: {
      HWND dest = reinterpret_cast<HWND>(wParam);
      if (!LOWORD(lParam)) dest = GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
      if (dest) focusControl(dest);
      if ((s = stateOf(hwnd)) != nullptr) setDefButton(hwnd, s, dest);
      return 0;
    }
    case WM_LBUTTONDOWN:
      // A click elsewhere closes the list of a dropped-down combo box.
      if (HWND focus = GetFocus())
        if (!SendMessageA(focus, CB_SHOWDROPDOWN, FALSE, 0))
          SendMessageA(GetParent(focus), CB_SHOWDROPDOWN, FALSE, 0);
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s->font);
    case WM_CLOSE: {
      // As the Cancel button would; a disabled Cancel button means the dialog cannot close.
      HWND cancel = GetDlgItem(hwnd, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) return 0;
      PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

// Messages whose result is what the dialog procedure returned, not DWLP_MSGRESULT.
bool returnsProcResult(UINT msg) {
  return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == kCtlColor16 ||
         msg == WM_COMPAREITEM || msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM ||
         msg == WM_QUERYDRAGICON || msg == WM_INITDIALOG;
}

const SystemClass dialogClass("#32770", DefDlgProcA, CS_SAVEBITS | CS_DBLCLKS, DLGWINDOWEXTRA);

}  // namespace

namespace headless::detail {

// No font metrics yet: the cell is estimated from the point size at 96 DPI. A
// fixed-cell CJK face is one em high with half-width glyphs half an em wide
// (新細明體 9 pt: 12 px high, 6 wide); any other face is 1.2 em high with an average
// glyph of 0.55 em (MS Shell Dlg 8 pt: 13 high, 6 wide, Windows' well-known units).
SIZE BaseUnitsForFont(const char* face, int pointSize) {
  if (pointSize < 0) pointSize = -pointSize;
  if (pointSize == 0) return kSystemUnits;
  if (isCjkFace(face)) return SIZE{(pointSize * 2 + 1) / 3, (pointSize * 4 + 1) / 3};
  return SIZE{(pointSize * 44 + 30) / 60, (pointSize * 16 + 5) / 10};
}

}  // namespace headless::detail

extern "C" {

int WINAPI MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  std::int64_t n = number, d = denominator;
  if (d < 0) n = -n, d = -d;
  std::int64_t product = n * numerator;
  // Rounds half away from zero, as Win32 does.
  std::int64_t r = product >= 0 ? (product + d / 2) / d : (product - d / 2) / d;
  if (r > 2147483647 || r < -2147483647) return -1;
  return static_cast<int>(r);
}

LONG WINAPI GetDialogBaseUnits(void) {
  return MAKELONG(kSystemUnits.cx, kSystemUnits.cy);
}

BOOL WINAPI MapDialogRect(HWND dialog, LPRECT r) {
  if (!FindOrFail(dialog)) return FALSE;
  DialogState* s = stateOf(dialog);
  if (!s || !r) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  r->left = xPixels(r->left, s->units);
  r->right = xPixels(r->right, s->units);
  r->top = yPixels(r->top, s->units);
  r->bottom = yPixels(r->bottom, s->units);
  return TRUE;
}

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA tmpl, HWND parent,
                                       DLGPROC proc, LPARAM param) {
  return createIndirect(instance, tmpl, parent, proc, param, false);
}

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA tmpl, HWND parent,
                                       DLGPROC proc, LPARAM param) {
  HWND dialog = createIndirect(instance, tmpl, parent, proc, param, true);
  if (!dialog) return -1;
  if (!ended(dialog)) {
    runModalLoop(dialog);
    if (!IsWindow(dialog)) return 0;
  }
  if (!ended(dialog)) {
    ShowWindow(dialog, SW_SHOWNORMAL);
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner && !(GetWindowLongPtrA(dialog, GWL_STYLE) & DS_NOIDLEMSG))
      SendMessageA(owner, WM_ENTERIDLE, kMsgfDialogBox, reinterpret_cast<LPARAM>(dialog));
  }
  if (IsWindow(dialog) && !ended(dialog)) {
    // A copy: the responder may install another one while it answers.
    headless::DialogResponder responder = DialogResponderSlot();
    INT_PTR answer = IDCANCEL;
    if (responder) {
      answer = responder(dialog);
    } else {
      // Nobody there: Esc, as a person would press it.
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    }
    if (IsWindow(dialog)) runModalLoop(dialog);
    if (!IsWindow(dialog)) return 0;
    if (!ended(dialog)) EndDialog(dialog, answer);
  }
  DialogState* s = stateOf(dialog);
  if (!s) return 0;
  if (s->ownerDisabled) {
    s->ownerDisabled = false;
    enableOwner(GetWindow(dialog, GW_OWNER));
  }
  INT_PTR result = s->result;
  DestroyWindow(dialog);
  return result;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
  if (!FindOrFail(dialog)) return FALSE;
  DialogState* s = stateOf(dialog);
  if (!s) return FALSE;
  s->result = result;
  s->ended = true;
  if (s->ownerDisabled) {
    s->ownerDisabled = false;
    enableOwner(GetWindow(dialog, GW_OWNER));
  }
  if (IsChild(dialog, GetFocus())) SetFocus(dialog);
  SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  return TRUE;
}

LRESULT WINAPI DefDlgProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DialogState* s = EnsureControl<DialogState>(hwnd);
  if (!s) return 0;
  writeExtra(hwnd, DWLP_MSGRESULT, 0);
  INT_PTR result = FALSE;
  if (auto proc = reinterpret_cast<DLGPROC>(readExtra(hwnd, DWLP_DLGPROC)))
    result = proc(hwnd, msg, wParam, lParam);
  if (!result && (s = stateOf(hwnd)) != nullptr) {
    switch (msg) {
      case WM_INITDIALOG:
      case WM_VKEYTOITEM:
      case WM_COMPAREITEM:
      case WM_CHARTOITEM:
        break;
      default:
        return defaultHandling(hwnd, msg, wParam, lParam, s);
    }
  }
  if (returnsProcResult(msg)) return result;
  return readExtra(hwnd, DWLP_MSGRESULT);
}

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG msg) {
  if (!msg || !Find(hDlg)) return FALSE;
  if (hDlg != msg->hwnd && !IsChild(hDlg, msg->hwnd)) return FALSE;
  HWND dialog = messageDestination(hDlg);
  switch (msg->message) {
    case WM_KEYDOWN: {
      const LRESULT code = dlgCode(msg->hwnd, msg->wParam, reinterpret_cast<LPARAM>(msg));
      if (code & DLGC_WANTMESSAGE) break;
      switch (msg->wParam) {
        case VK_TAB:
          if (code & DLGC_WANTTAB) break;
          SendMessageA(dialog, WM_NEXTDLGCTL, shiftDown() ? 1 : 0, 0);
          return TRUE;
        case VK_RIGHT:
        case VK_DOWN:
        case VK_LEFT:
        case VK_UP: {
          if (code & DLGC_WANTARROWS) break;
          const bool previous = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
          HWND next = GetNextDlgGroupItem(dialog, msg->hwnd, previous ? TRUE : FALSE);
          if (next && dlgCode(next, msg->wParam, reinterpret_cast<LPARAM>(msg)) ==
                          (DLGC_BUTTON | DLGC_RADIOBUTTON)) {
            // Moving onto an automatic radio button checks it.
            SetFocus(next);
            if ((GetWindowLongPtrA(next, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
                SendMessageA(next, BM_GETCHECK, 0, 0) != BST_CHECKED)
              SendMessageA(next, BM_CLICK, 1, 0);
          } else {
            SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), 1);
          }
          return TRUE;
        }
        case VK_CANCEL:
        case VK_ESCAPE:
          SendMessageA(dialog, WM_COMMAND, IDCANCEL,
                       reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
          return TRUE;
        case VK_EXECUTE:
        case VK_RETURN: {
          HWND focus = GetFocus();
          if (focus && IsChild(dialog, focus) && (dlgCode(focus) & DLGC_DEFPUSHBUTTON)) {
            SendMessageA(dialog, WM_COMMAND,
                         MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(focus)), BN_CLICKED),
                         reinterpret_cast<LPARAM>(focus));
          } else {
            const LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
            if (HIWORD(def) == DC_HASDEFID) {
              HWND button = GetDlgItem(dialog, LOWORD(def));
              // A disabled default button swallows Enter.
              if (!button || IsWindowEnabled(button))
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(def), BN_CLICKED),
                             reinterpret_cast<LPARAM>(button));
            } else {
              SendMessageA(dialog, WM_COMMAND, IDOK,
                           reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
            }
          }
          return TRUE;
        }
        default:
          break;
      }
      break;
    }
    default:
      break;
  }
  TranslateMessage(msg);
  DispatchMessageA(msg);
  return TRUE;
}

}  // extern "C"
