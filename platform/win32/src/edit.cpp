// The Edit class: a text field of ANSI bytes in which a lead byte and its trail
// byte are one character. Positions (EM_GETSEL, EM_SETSEL) count bytes.
#include <strings.h>

#include <algorithm>

#include "backend.h"
#include "dbcs_text.h"

using namespace headless::detail;

namespace {

constexpr std::size_t kInitialLimit = 30000;
constexpr std::size_t kSingleLineMaxLimit = 0x7FFFFFFE;
constexpr std::size_t kMultiLineMaxLimit = 0xFFFFFFFF;

struct EditState : ControlState {
  std::size_t anchor = 0;  // selection start as set (EM_SETSEL's first argument)
  std::size_t caret = 0;   // selection end, where the caret is
  std::size_t limit = kInitialLimit;
  bool modified = false;
  bool dialogMode = false;  // the dialog manager has asked for WM_GETDLGCODE
  bool inCombo = false;
  char pendingLead = 0;  // first half of a double-byte character typed as two WM_CHARs
  HFONT font = nullptr;
};

// Cut, copy and paste stay inside the process: there is no shared clipboard here.
std::string& clipboard() {
  static std::string text;
  return text;
}
const ResetHook clearClipboard([] { clipboard().clear(); });

bool multiLine(const Window* w) { return (w->style & ES_MULTILINE) != 0; }

void applyCase(const Window* w, std::string& text) {
  if (w->style & ES_UPPERCASE)
    ToUpperSingleByte(text);
  else if (w->style & ES_LOWERCASE)
    ToLowerSingleByte(text);
}

std::size_t selMin(const EditState* s) { return std::min(s->anchor, s->caret); }
std::size_t selMax(const EditState* s) { return std::max(s->anchor, s->caret); }

void notify(HWND hwnd, WORD code) { NotifyParent(hwnd, code); }

// Replaces the selection with `text`. With honourLimit the text is cut to what
// the limit leaves room for, and EN_MAXTEXT reports what did not fit. Returns
// whether the text changed.
bool replaceSelection(HWND hwnd, std::string text, bool honourLimit, bool sendChange) {
  Window* w = Find(hwnd);
  EditState* s = Control<EditState>(hwnd);
  if (!w || !s) return false;
  applyCase(w, text);
  const std::size_t from = selMin(s), to = selMax(s);
  const std::size_t kept = w->text.size() - (to - from);
  bool truncated = false;
  if (honourLimit && kept + text.size() > s->limit) {
    const std::size_t room = s->limit > kept ? s->limit - kept : 0;
    text.resize(FitChars(text, room));
    truncated = true;
  }
  const bool changed = !text.empty() || from != to;
  if (changed) {
    w->text.replace(from, to - from, text);
    s->anchor = s->caret = from + text.size();
    s->modified = true;
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  if (changed && sendChange) {
    notify(hwnd, EN_UPDATE);
    if (IsWindow(hwnd)) notify(hwnd, EN_CHANGE);
  }
  if (truncated && IsWindow(hwnd)) notify(hwnd, EN_MAXTEXT);
  return changed;
}

void setSel(HWND hwnd, EditState* s, WPARAM start, LPARAM end) {
  Window* w = Find(hwnd);
  if (!w) return;
  const std::size_t len = w->text.size();
  std::size_t a, c;
  if (static_cast<INT>(start) == -1) {
    a = c = s->caret;  // -1 drops the selection and keeps the caret
  } else {
    a = std::min<std::size_t>(static_cast<UINT>(start), len);
    c = std::min<std::size_t>(static_cast<UINT>(end), len);
  }
  s->anchor = CharStart(w->text, a);
  s->caret = CharStart(w->text, c);
  InvalidateRect(hwnd, nullptr, FALSE);
}

void moveCaret(HWND hwnd, EditState* s, std::size_t pos) {
  s->anchor = s->caret = pos;
  InvalidateRect(hwnd, nullptr, FALSE);
}

bool readOnly(const Window* w) { return (w->style & ES_READONLY) != 0; }

void typeChar(HWND hwnd, EditState* s, Window* w, char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (s->pendingLead) {
    std::string pair{s->pendingLead, c};
    s->pendingLead = 0;
    if (!readOnly(w) && !(w->style & ES_NUMBER)) replaceSelection(hwnd, pair, true, true);
    return;
  }
  if (IsLead(c)) {
    s->pendingLead = c;
    return;
  }
  switch (u) {
    case '\r':
      // A multi-line edit in a dialog without ES_WANTRETURN leaves Enter to the dialog.
      if (multiLine(w) && !(w->style & ES_WANTRETURN) && s->dialogMode) return;
      [[fallthrough]];
    case '\n':
      if (multiLine(w) && !readOnly(w)) replaceSelection(hwnd, "\r\n", true, true);
      return;
    case '\t':
      if (multiLine(w) && !readOnly(w) && !s->dialogMode) replaceSelection(hwnd, "\t", true, true);
      return;
    case VK_BACK:
      if (readOnly(w)) return;
      if (s->anchor == s->caret) s->anchor = PrevCharPos(w->text, s->caret);
      replaceSelection(hwnd, "", false, true);
      return;
    case 0x03:  // Ctrl+C
      if (!(w->style & ES_PASSWORD)) SendMessageA(hwnd, WM_COPY, 0, 0);
      return;
    case 0x16:  // Ctrl+V
      if (!readOnly(w)) SendMessageA(hwnd, WM_PASTE, 0, 0);
      return;
    case 0x18:  // Ctrl+X
      if (!readOnly(w) && !(w->style & ES_PASSWORD)) SendMessageA(hwnd, WM_CUT, 0, 0);
      return;
    default:
      if ((w->style & ES_NUMBER) && !(c >= '0' && c <= '9')) return;
      if (!readOnly(w) && u >= ' ' && u != 127) replaceSelection(hwnd, std::string(1, c), true, true);
      return;
  }
}

void keyDown(HWND hwnd, EditState* s, Window* w, WPARAM vk) {
  const std::string& t = w->text;
  switch (vk) {
    case VK_LEFT:
      moveCaret(hwnd, s, s->anchor != s->caret ? selMin(s) : PrevCharPos(t, s->caret));
      break;
    case VK_RIGHT:
      moveCaret(hwnd, s, s->anchor != s->caret ? selMax(s) : NextCharPos(t, s->caret));
      break;
    case VK_HOME:
      moveCaret(hwnd, s, 0);
      break;
    case VK_END:
      moveCaret(hwnd, s, t.size());
      break;
    case VK_DELETE:
      if (readOnly(w)) break;
      if (s->anchor == s->caret) s->caret = NextCharPos(t, s->caret);
      replaceSelection(hwnd, "", false, true);
      break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_F4:
      // The edit of a combo box hands list keys to the combo box.
      if (s->inCombo) SendMessageA(GetParent(hwnd), WM_KEYDOWN, vk, 0);
      break;
    case VK_ESCAPE:
      if (multiLine(w) && s->dialogMode) PostMessageA(GetParent(hwnd), WM_CLOSE, 0, 0);
      break;
    case VK_TAB:
      if (multiLine(w) && s->dialogMode) SendMessageA(GetParent(hwnd), WM_NEXTDLGCTL, 0, 0);
      break;
    case VK_RETURN:
      if (s->inCombo) {
        SendMessageA(GetParent(hwnd), WM_KEYDOWN, vk, 0);
      } else if (multiLine(w) && !(w->style & ES_WANTRETURN) && s->dialogMode) {
        // Enter goes to the dialog's default button.
        HWND dialog = GetParent(hwnd);
        const LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
        if (HIWORD(def) == DC_HASDEFID)
          if (HWND button = GetDlgItem(dialog, LOWORD(def))) {
            SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
            PostMessageA(button, WM_KEYDOWN, VK_RETURN, 0);
          }
      }
      break;
    default:
      break;
  }
}

bool isComboBox(HWND hwnd) {
  char name[16] = {};
  return hwnd && GetClassNameA(hwnd, name, sizeof name) && strcasecmp(name, "ComboBox") == 0;
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  EditState* s = EnsureControl<EditState>(hwnd);
  Window* w = Find(hwnd);
  if (!s || !w) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      const LRESULT ok = DefWindowProcA(hwnd, msg, wParam, lParam);
      if ((w = Find(hwnd)) != nullptr) applyCase(w, w->text);
      return ok;
    }
    case WM_CREATE:
      s->inCombo = isComboBox(GetParent(hwnd));
      s->anchor = s->caret = 0;
      return 0;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
      if (multiLine(w)) code |= DLGC_WANTALLKEYS;
      if (const MSG* m = reinterpret_cast<const MSG*>(lParam)) {
        s->dialogMode = true;
        if (s->inCombo && m->message == WM_KEYDOWN &&
            (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE) &&
            SendMessageA(GetParent(hwnd), CB_GETDROPPEDSTATE, 0, 0))
          code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_SETTEXT: {
      w->text = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
      applyCase(w, w->text);
      s->anchor = s->caret = 0;
      s->modified = false;
      s->pendingLead = 0;
      InvalidateRect(hwnd, nullptr, TRUE);
      // Win32 reports a new text of a single-line edit, but not of a multi-line one.
      if (!multiLine(w) && !s->inCombo) {
        notify(hwnd, EN_UPDATE);
        if (IsWindow(hwnd)) notify(hwnd, EN_CHANGE);
      }
      return TRUE;
    }
    case WM_GETTEXT:
      return CopyOut(w->text, reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_SETFONT:
    case WM_GETFONT: {
      LRESULT result = 0;
      FontMessage(hwnd, &s->font, msg, wParam, lParam, &result);
      return result;
    }
    case WM_SETFOCUS:
      InvalidateRect(hwnd, nullptr, FALSE);
      notify(hwnd, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      s->pendingLead = 0;
      InvalidateRect(hwnd, nullptr, FALSE);
      notify(hwnd, EN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN:
      // Without glyph metrics a click cannot find a character; it puts the caret at the end.
      SetFocus(hwnd);
      if ((w = Find(hwnd)) != nullptr && (s = Control<EditState>(hwnd)) != nullptr)
        moveCaret(hwnd, s, w->text.size());
      return 0;
    case WM_LBUTTONDBLCLK:
      setSel(hwnd, s, 0, -1);
      return 0;
    case WM_CHAR:
      typeChar(hwnd, s, w, static_cast<char>(wParam));
      return 0;
    case WM_KEYDOWN:
      keyDown(hwnd, s, w, wParam);
      return 0;
    case WM_CLEAR:
      if (!readOnly(w)) replaceSelection(hwnd, "", false, true);
      return 0;
    case WM_COPY:
      if (s->anchor != s->caret) clipboard() = w->text.substr(selMin(s), selMax(s) - selMin(s));
      return 0;
    case WM_CUT:
      if (!readOnly(w) && s->anchor != s->caret) {
        clipboard() = w->text.substr(selMin(s), selMax(s) - selMin(s));
        replaceSelection(hwnd, "", false, true);
      }
      return 0;
    case WM_PASTE:
      if (!readOnly(w) && !clipboard().empty()) replaceSelection(hwnd, clipboard(), true, true);
      return 0;
    case WM_UNDO:
    case EM_CANUNDO:
      return FALSE;
    case EM_EMPTYUNDOBUFFER:
      return 0;
    case EM_GETSEL: {
      const std::size_t a = selMin(s), b = selMax(s);
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(a);
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(b);
      return (a > 0xFFFF || b > 0xFFFF) ? -1 : MAKELRESULT(a, b);
    }
    case EM_SETSEL:
      setSel(hwnd, s, wParam, lParam);
      return 0;
    case EM_REPLACESEL:
      if (lParam) replaceSelection(hwnd, reinterpret_cast<LPCSTR>(lParam), true, true);
      return 0;
    case EM_LIMITTEXT: {
      std::size_t limit = wParam ? static_cast<UINT>(wParam) : kMultiLineMaxLimit;
      if (!multiLine(w)) limit = std::min(limit, kSingleLineMaxLimit);
      s->limit = limit;
      return 0;
    }
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(s->limit);
    case EM_GETMODIFY:
      return s->modified ? TRUE : FALSE;
    case EM_SETMODIFY:
      s->modified = wParam != 0;
      return 0;
    case EM_SETREADONLY:
      if (wParam)
        w->style |= ES_READONLY;
      else
        w->style &= ~ES_READONLY;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case EM_GETLINECOUNT: {
      if (!multiLine(w)) return 1;
      LRESULT lines = 1;
      for (std::size_t i = 0; i < w->text.size(); i = NextCharPos(w->text, i))
        if (w->text[i] == '\n') ++lines;
      return lines;
    }
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

const SystemClass editClass("Edit", EditProc, CS_DBLCLKS, static_cast<int>(sizeof(void*)));

}  // namespace
