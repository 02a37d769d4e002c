// Windows and window classes as records in memory.
#include <strings.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <unordered_map>

#include "backend.h"
#include "headless/headless.h"

namespace headless::detail {
namespace {

thread_local DWORD g_lastError = 0;

struct Store {
  std::unordered_map<HWND, std::unique_ptr<Window>> windows;
  // Windows found lately, by handle (handles go up by 4): a message to a control looks
  // its window and its parent's up several times, and a fill sends thousands in a row.
  struct Recent {
    HWND handle = nullptr;
    Window* window = nullptr;
  };
  static constexpr std::size_t kRecent = 16;
  Recent recent[kRecent];
  Recent& RecentFor(HWND hwnd) {
    return recent[(reinterpret_cast<std::uintptr_t>(hwnd) >> 2) % kRecent];
  }
  void ForgetRecent() {
    for (Recent& r : recent) r = Recent{};
  }
  std::uintptr_t nextHandle = 0x10010;
  std::vector<std::shared_ptr<WindowClass>> classes;  // registered by the program
  HWND focus = nullptr;
};

// Every message looks windows up here: the common path is one load, the rest out of line.
Store* g_store = nullptr;
[[gnu::noinline]] Store& makeStore() {
  static Store s;
  g_store = &s;
  return s;
}
inline Store& store() { return g_store ? *g_store : makeStore(); }

std::vector<std::shared_ptr<WindowClass>>& systemClasses() {
  static std::vector<std::shared_ptr<WindowClass>> s;
  return s;
}

std::vector<std::function<void()>>& resetHooks() {
  static std::vector<std::function<void()>> s;
  return s;
}

bool sameName(const std::string& a, LPCSTR b) { return strcasecmp(a.c_str(), b) == 0; }

bool isAtom(LPCSTR name) { return IS_INTRESOURCE(name); }

std::shared_ptr<WindowClass> findClass(LPCSTR name, HINSTANCE instance) {
  auto matches = [&](const std::shared_ptr<WindowClass>& c) {
    if (isAtom(name)) return c->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
    return sameName(c->name, name);
  };
  for (auto& c : store().classes)
    if (matches(c) && c->instance == instance) return c;
  for (auto& c : store().classes)
    if (matches(c) && (c->style & CS_GLOBALCLASS)) return c;
  for (auto& c : systemClasses())
    if (matches(c)) return c;
  return nullptr;
}

const HINSTANCE kExeInstance = reinterpret_cast<HINSTANCE>(0x400000);

}  // namespace

ATOM NextAtom();  // message_queue.cpp: class atoms and registered messages share one table

Window* Find(HWND hwnd) {
  if (!hwnd) return nullptr;
  Store& s = store();
  Store::Recent& recent = s.RecentFor(hwnd);
  if (hwnd == recent.handle) return recent.window;
  auto it = s.windows.find(hwnd);
  if (it == s.windows.end()) return nullptr;
  recent = {hwnd, it->second.get()};
  return recent.window;
}

Window* FindOrFail(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) g_lastError = ERROR_INVALID_WINDOW_HANDLE;
  return w;
}

std::vector<HWND> AllWindows() {
  std::vector<HWND> out;
  for (auto& [h, w] : store().windows) out.push_back(h);
  return out;
}

SystemClass::SystemClass(const char* name, WNDPROC proc, UINT style, int wndExtra) {
  auto c = std::make_shared<WindowClass>();
  c->name = name;
  c->atom = NextAtom();
  c->style = style | CS_GLOBALCLASS;
  c->proc = proc;
  c->wndExtra = wndExtra;
  c->system = true;
  systemClasses().push_back(std::move(c));
}

ResetHook::ResetHook(std::function<void()> hook) { resetHooks().push_back(std::move(hook)); }

void NotifyParent(HWND control, WORD code) {
  Window* w = Find(control);
  if (!w || !w->parent) return;
  SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), code),
               reinterpret_cast<LPARAM>(control));
}

bool FontMessage(HWND hwnd, HFONT* font, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (msg == WM_GETFONT) {
    *result = reinterpret_cast<LRESULT>(*font);
    return true;
  }
  if (msg != WM_SETFONT) return false;
  *font = reinterpret_cast<HFONT>(wParam);
  if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
  *result = 0;
  return true;
}

POINT ClientOrigin(const Window& w) {
  POINT p{w.rect.left + w.client.left, w.rect.top + w.client.top};
  if (w.parent) {
    if (Window* parent = Find(w.parent)) {
      POINT o = ClientOrigin(*parent);
      p.x += o.x;
      p.y += o.y;
    }
  }
  return p;
}

HWND& FocusSlot() { return store().focus; }

}  // namespace headless::detail

using namespace headless::detail;

namespace {

// Non-client area as DefWindowProc computes it for WM_NCCALCSIZE.
RECT nonClientInsets(DWORD style, DWORD exStyle) {
  RECT in{0, 0, 0, 0};
  int edge = 0;
  if (style & WS_THICKFRAME)
    edge += GetSystemMetrics(SM_CXDLGFRAME) + 1;
  else if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    edge += GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER)
    edge += GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) edge += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) edge += GetSystemMetrics(SM_CXBORDER);
  in.left = in.top = in.right = in.bottom = edge;
  if ((style & WS_CAPTION) == WS_CAPTION) in.top += GetSystemMetrics(SM_CYCAPTION);
  if (style & WS_VSCROLL) in.right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) in.bottom += GetSystemMetrics(SM_CYHSCROLL);
  return in;
}

void destroyTree(HWND hwnd);

}  // namespace

namespace headless::detail {
// Asks the window for its client area (WM_NCCALCSIZE) after a size or frame change.
void RecalcClient(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return;
  RECT r{w->rect.left, w->rect.top, w->rect.right, w->rect.bottom};
  SendMessageA(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
  w = Find(hwnd);
  if (!w) return;
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  w->client = RECT{r.left - w->rect.left, r.top - w->rect.top, r.right - w->rect.left,
                   r.bottom - w->rect.top};
}

LRESULT DefNcCalcSize(HWND hwnd, LPARAM lParam) {
  Window* w = Find(hwnd);
  if (!w || !lParam) return 0;
  RECT* r = reinterpret_cast<RECT*>(lParam);
  RECT in = nonClientInsets(w->style, w->exStyle);
  r->left += in.left;
  r->top += in.top;
  r->right -= in.right;
  r->bottom -= in.bottom;
  if (r->right < r->left) r->right = r->left;
  if (r->bottom < r->top) r->bottom = r->top;
  return 0;
}

void SendSizeAndMove(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return;
  WPARAM sizeKind = (w->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                    : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                               : SIZE_RESTORED;
  SendMessageA(hwnd, WM_SIZE, sizeKind,
               MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
  if ((w = Find(hwnd)) == nullptr) return;
  SendMessageA(hwnd, WM_MOVE, 0,
               MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
}

}  // namespace headless::detail

extern "C" {

DWORD WINAPI GetLastError(void) { return g_lastError; }
void WINAPI SetLastError(DWORD code) { g_lastError = code; }

HMODULE WINAPI GetModuleHandleA(LPCSTR name) {
  if (!name) return kExeInstance;
  SetLastError(ERROR_FILE_NOT_FOUND);
  return nullptr;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* wc) {
  if (!wc || !wc->lpszClassName || !wc->lpfnWndProc || wc->cbWndExtra < 0 || wc->cbClsExtra < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (isAtom(wc->lpszClassName) || wc->lpszClassName[0] == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  for (auto& c : store().classes) {
    if (sameName(c->name, wc->lpszClassName) &&
        (c->instance == wc->hInstance || (wc->style & CS_GLOBALCLASS) ||
         (c->style & CS_GLOBALCLASS))) {
      SetLastError(ERROR_CLASS_ALREADY_EXISTS);
      return 0;
    }
  }
  auto c = std::make_shared<WindowClass>();
  c->name = wc->lpszClassName;
  c->atom = NextAtom();
  c->style = wc->style;
  c->proc = wc->lpfnWndProc;
  c->clsExtra = wc->cbClsExtra;
  c->wndExtra = wc->cbWndExtra;
  c->instance = wc->hInstance;
  c->background = wc->hbrBackground;
  store().classes.push_back(c);
  return c->atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR name, HINSTANCE instance) {
  if (!name) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  auto& cs = store().classes;
  for (auto it = cs.begin(); it != cs.end(); ++it) {
    bool match = isAtom(name) ? (*it)->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name))
                              : sameName((*it)->name, name);
    if (match && ((*it)->instance == instance || ((*it)->style & CS_GLOBALCLASS))) {
      cs.erase(it);  // windows still alive keep their class record
      return TRUE;
    }
  }
  SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
  return FALSE;
}

BOOL WINAPI GetClassInfoA(HINSTANCE instance, LPCSTR name, LPWNDCLASSA out) {
  if (!name || !out) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto c = findClass(name, instance);
  if (!c) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  *out = WNDCLASSA{c->style & ~static_cast<UINT>(c->system ? CS_GLOBALCLASS : 0),
                   c->proc,
                   c->clsExtra,
                   c->wndExtra,
                   c->instance,
                   nullptr,
                   nullptr,
                   c->background,
                   nullptr,
                   c->name.c_str()};
  return TRUE;
}

int WINAPI GetClassNameA(HWND hwnd, LPSTR buf, int max) {
  Window* w = FindOrFail(hwnd);
  if (!w || !buf || max <= 0) return 0;
  int n = std::min<int>(static_cast<int>(w->cls->name.size()), max - 1);
  std::memcpy(buf, w->cls->name.data(), n);
  buf[n] = '\0';
  return n;
}

ULONG_PTR WINAPI GetClassLongPtrA(HWND hwnd, int index) {
  Window* w = FindOrFail(hwnd);
  if (!w) return 0;
  const WindowClass& c = *w->cls;
  switch (index) {
    case GCL_STYLE:
      return c.style;
    case GCL_CBWNDEXTRA:
      return static_cast<ULONG_PTR>(c.wndExtra);
    case GCL_CBCLSEXTRA:
      return static_cast<ULONG_PTR>(c.clsExtra);
    case GCLP_WNDPROC:
      return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCLP_HBRBACKGROUND:
      return reinterpret_cast<ULONG_PTR>(c.background);
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

DWORD WINAPI GetClassLongA(HWND hwnd, int index) {
  return static_cast<DWORD>(GetClassLongPtrA(hwnd, index));
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
  if (!className) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  auto cls = findClass(className, instance);
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  HWND owner = nullptr;
  if (parent == HWND_MESSAGE) parent = nullptr;
  if (parent && !Find(parent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (style & WS_CHILD) {
    if (!parent) {
      SetLastError(1406);  // ERROR_TLW_WITH_WSCHILD
      return nullptr;
    }
  } else if (parent) {
    owner = GetAncestor(parent, GA_ROOT);
    parent = nullptr;
  }
  bool child = (style & WS_CHILD) != 0;
  if (x == CW_USEDEFAULT) x = child ? 0 : 0, y = child ? 0 : (y == CW_USEDEFAULT ? 0 : y);
  if (width == CW_USEDEFAULT) width = child ? 0 : 800, height = child ? 0 : 600;
  if (width < 0) width = 0;
  if (height < 0) height = 0;

  auto win = std::make_unique<Window>();
  HWND hwnd = reinterpret_cast<HWND>(store().nextHandle);
  store().nextHandle += 4;
  win->handle = hwnd;
  win->cls = cls;
  win->proc = cls->proc;
  win->style = style & ~WS_VISIBLE;
  if (!child) win->style |= WS_CLIPSIBLINGS;
  win->exStyle = exStyle;
  win->parent = parent;
  win->owner = owner;
  win->rect = RECT{x, y, x + width, y + height};
  win->client = RECT{0, 0, width, height};
  win->id = child ? reinterpret_cast<UINT_PTR>(menu) : 0;
  win->instance = instance;
  win->extra.assign(static_cast<size_t>(cls->wndExtra), 0);
  store().windows.emplace(hwnd, std::move(win));
  // A new child goes below its siblings: creation order is z-order (and a
  // dialog's tab order).
  if (Window* p = Find(parent)) p->children.push_back(hwnd);

  CREATESTRUCTA cs{param,  instance, menu, parent ? parent : owner, height, width, y, x,
                   static_cast<LONG>(style), windowName, className, exStyle};
  if (!child) {
    // Win32 asks top-level windows for their tracking sizes first.
    struct {
      POINT reserved, maxSize, maxPosition, minTrackSize, maxTrackSize;
    } mmi{};
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  }
  if (!Find(hwnd) || !SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (Find(hwnd)) destroyTree(hwnd);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  RecalcClient(hwnd);
  if (!Find(hwnd) || SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    if (Find(hwnd)) DestroyWindow(hwnd);
    return nullptr;
  }
  Window* w = Find(hwnd);
  if (!w) return nullptr;
  // An overlapped window is told its size when first shown; others now.
  if (style & (WS_CHILD | WS_POPUP))
    SendSizeAndMove(hwnd);
  else
    w->needSize = true;
  if ((w = Find(hwnd)) == nullptr) return nullptr;
  if (child && !(exStyle & WS_EX_NOPARENTNOTIFY))
    SendMessageA(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, static_cast<WORD>(w->id)),
                 reinterpret_cast<LPARAM>(hwnd));
  if (!Find(hwnd)) return nullptr;
  if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
  return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI IsWindow(HWND hwnd) { return Find(hwnd) != nullptr; }

BOOL WINAPI DestroyWindow(HWND hwnd) {
  Window* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  if (w->destroying) return TRUE;
  // Owned windows go first.
  for (HWND other : AllWindows()) {
    Window* o = Find(other);
    if (o && o->owner == hwnd && !o->destroying) DestroyWindow(other);
  }
  if ((w = Find(hwnd)) == nullptr) return TRUE;
  if ((w->style & WS_CHILD) && !(w->exStyle & WS_EX_NOPARENTNOTIFY) && w->parent) {
    Window* p = Find(w->parent);
    if (p && !p->destroying)
      SendMessageA(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, static_cast<WORD>(w->id)),
                   reinterpret_cast<LPARAM>(hwnd));
  }
  if ((w = Find(hwnd)) == nullptr) return TRUE;
  // Only a child is told with WM_SHOWWINDOW that it is hidden, as in Win32.
  if ((w->style & WS_VISIBLE) && (w->style & WS_CHILD))
    ShowWindow(hwnd, SW_HIDE);
  else if (w->style & WS_VISIBLE)
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  if (!Find(hwnd)) return TRUE;
  destroyTree(hwnd);
  return TRUE;
}

}  // extern "C"

namespace {

// WM_DESTROY top-down, then WM_NCDESTROY bottom-up, as Win32 sends them.
void sendDestroy(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return;
  w->destroying = true;
  HWND& focus = FocusSlot();
  if (focus == hwnd) focus = nullptr;
  SendMessageA(hwnd, WM_DESTROY, 0, 0);
  if ((w = Find(hwnd)) == nullptr) return;
  std::vector<HWND> kids = w->children;
  for (HWND k : kids) sendDestroy(k);
}

void freeTree(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return;
  std::vector<HWND> kids = w->children;
  for (HWND k : kids) freeTree(k);
  SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
  KillTimersOf(hwnd);
  PurgeQueue(hwnd);
  if ((w = Find(hwnd)) == nullptr) return;
  if (Window* p = Find(w->parent)) {
    auto& c = p->children;
    c.erase(std::remove(c.begin(), c.end(), hwnd), c.end());
  }
  for (auto& [h, o] : store().windows)
    if (o->owner == hwnd) o->owner = nullptr;
  if (store().RecentFor(hwnd).handle == hwnd) store().RecentFor(hwnd) = Store::Recent{};
  store().windows.erase(hwnd);
}

void destroyTree(HWND hwnd) {
  sendDestroy(hwnd);
  freeTree(hwnd);
}

}  // namespace

extern "C" {

HWND WINAPI GetParent(HWND hwnd) {
  Window* w = FindOrFail(hwnd);
  if (!w) return nullptr;
  if (w->style & WS_CHILD) return w->parent;
  if (w->style & WS_POPUP) return w->owner;
  return nullptr;
}

HWND WINAPI SetParent(HWND child, HWND newParent) {
  Window* w = FindOrFail(child);
  if (!w) return nullptr;
  if (newParent && !FindOrFail(newParent)) return nullptr;
  for (HWND p = newParent; p; p = Find(p) ? Find(p)->parent : nullptr)
    if (p == child) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
  HWND old = w->parent;
  if (Window* p = Find(old)) {
    auto& c = p->children;
    c.erase(std::remove(c.begin(), c.end(), child), c.end());
  }
  w->parent = newParent;
  if (Window* p = Find(newParent)) p->children.insert(p->children.begin(), child);
  return old;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT flags) {
  Window* w = FindOrFail(hwnd);
  if (!w) return nullptr;
  switch (flags) {
    case GA_PARENT:
      return w->parent;
    case GA_ROOT:
    case GA_ROOTOWNER: {
      HWND h = hwnd;
      while (Window* cur = Find(h)) {
        if (cur->parent)
          h = cur->parent;
        else if (flags == GA_ROOTOWNER && cur->owner)
          h = cur->owner;
        else
          break;
      }
      return h;
    }
    default:
      return nullptr;
  }
}

BOOL WINAPI IsChild(HWND parent, HWND hwnd) {
  Window* w = Find(hwnd);
  while (w && (w->style & WS_CHILD) && w->parent) {
    if (w->parent == parent) return TRUE;
    w = Find(w->parent);
  }
  return FALSE;
}

HWND WINAPI GetWindow(HWND hwnd, UINT cmd) {
  Window* w = FindOrFail(hwnd);
  if (!w) return nullptr;
  auto siblings = [&]() -> std::vector<HWND> {
    if (Window* p = Find(w->parent)) return p->children;
    return {};
  };
  switch (cmd) {
    case GW_CHILD:
      return w->children.empty() ? nullptr : w->children.front();
    case GW_OWNER:
      return w->owner;
    case GW_HWNDFIRST:
    case GW_HWNDLAST:
    case GW_HWNDNEXT:
    case GW_HWNDPREV: {
      auto s = siblings();
      if (s.empty()) return nullptr;
      if (cmd == GW_HWNDFIRST) return s.front();
      if (cmd == GW_HWNDLAST) return s.back();
      auto it = std::find(s.begin(), s.end(), hwnd);
      if (it == s.end()) return nullptr;
      if (cmd == GW_HWNDNEXT) return (it + 1) == s.end() ? nullptr : *(it + 1);
      return it == s.begin() ? nullptr : *(it - 1);
    }
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

HWND WINAPI GetTopWindow(HWND hwnd) {
  if (!hwnd) return nullptr;
  return GetWindow(hwnd, GW_CHILD);
}

HWND WINAPI GetDlgItem(HWND dlg, int id) {
  Window* w = FindOrFail(dlg);
  if (!w) return nullptr;
  // Win32 searches the children in z-order from the top, not the grandchildren.
  for (HWND c : w->children)
    if (Window* cw = Find(c); cw && static_cast<int>(cw->id) == id) return c;
  SetLastError(1421);  // ERROR_CONTROL_ID_NOT_FOUND
  return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
  Window* w = FindOrFail(hwnd);
  if (!w) return 0;
  return (w->style & WS_CHILD) ? static_cast<int>(w->id) : 0;
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index) {
  Window* w = FindOrFail(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>((w->style & WS_CHILD) ? w->parent : w->owner);
    case GWLP_ID:
      return static_cast<LONG_PTR>(w->id);
    case GWL_STYLE:
      return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE:
      return static_cast<LONG_PTR>(static_cast<LONG>(w->exStyle));
    case GWLP_USERDATA:
      return w->userData;
    default:
      if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
        LONG_PTR v;
        std::memcpy(&v, w->extra.data() + index, sizeof v);
        return v;
      }
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  Window* w = FindOrFail(hwnd);
  if (!w) return 0;
  LONG_PTR old = 0;
  switch (index) {
    case GWLP_WNDPROC:
      if (!value) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
      }
      old = reinterpret_cast<LONG_PTR>(w->proc);
      w->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWLP_HINSTANCE:
      old = reinterpret_cast<LONG_PTR>(w->instance);
      w->instance = reinterpret_cast<HINSTANCE>(value);
      return old;
    case GWLP_HWNDPARENT:
      if (w->style & WS_CHILD) return reinterpret_cast<LONG_PTR>(SetParent(hwnd, reinterpret_cast<HWND>(value)));
      old = reinterpret_cast<LONG_PTR>(w->owner);
      w->owner = reinterpret_cast<HWND>(value);
      return old;
    case GWLP_ID:
      old = static_cast<LONG_PTR>(w->id);
      w->id = static_cast<UINT_PTR>(value);
      return old;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      DWORD& slot = index == GWL_STYLE ? w->style : w->exStyle;
      STYLESTRUCT ss{slot, static_cast<DWORD>(value)};
      old = static_cast<LONG_PTR>(static_cast<LONG>(slot));
      SendMessageA(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
      if ((w = Find(hwnd)) == nullptr) return 0;
      DWORD& target = index == GWL_STYLE ? w->style : w->exStyle;
      target = ss.styleNew;
      SendMessageA(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
      return old;
    }
    case GWLP_USERDATA:
      old = w->userData;
      w->userData = value;
      return old;
    default:
      if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
        std::memcpy(&old, w->extra.data() + index, sizeof old);
        std::memcpy(w->extra.data() + index, &value, sizeof value);
        return old;
      }
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

LONG WINAPI GetWindowLongA(HWND hwnd, int index) {
  return static_cast<LONG>(GetWindowLongPtrA(hwnd, index));
}
LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value) {
  return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, value));
}

}  // extern "C"

namespace headless {

void Reset() {
  // Top-level windows first; each takes its children and owned windows along.
  for (int pass = 0; pass < 2 && !store().windows.empty(); ++pass) {
    for (HWND h : AllWindows()) {
      Window* w = Find(h);
      if (w && !w->parent && !w->owner) DestroyWindow(h);
    }
    for (HWND h : AllWindows())
      if (Find(h) && !Find(h)->parent) DestroyWindow(h);
  }
  store().ForgetRecent();
  store().windows.clear();
  store().classes.clear();
  store().focus = nullptr;
  for (auto& hook : resetHooks()) hook();
  SetLastError(0);
}

std::size_t WindowCount() { return store().windows.size(); }

}  // namespace headless
