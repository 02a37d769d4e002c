// CWnd: the handle maps, creation, subclassing and message dispatch.
#include "afxwnd.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "afx_internal.h"
#include "afxdialog.h"

namespace {

// Objects that own their windows.
std::unordered_map<HWND, CWnd*>& permanentMap() {
  static auto* map = new std::unordered_map<HWND, CWnd*>;
  return *map;
}
// Windows found there lately, by handle: a fill sends thousands of messages to a few
// windows (the lists and their parent). Emptied whenever the map changes.
struct LastPermanent {
  HWND hWnd = nullptr;
  CWnd* pWnd = nullptr;
};
constexpr std::size_t kLastPermanent = 16;
LastPermanent g_lastPermanent[kLastPermanent];
LastPermanent& lastPermanentFor(HWND hWnd) {
  return g_lastPermanent[(reinterpret_cast<std::uintptr_t>(hWnd) >> 2) % kLastPermanent];
}
void forgetLastPermanent() {
  for (LastPermanent& l : g_lastPermanent) l = {};
}
// Wrappers made by FromHandle for windows no object owns.
std::unordered_map<HWND, std::unique_ptr<CWnd>>& temporaryMap() {
  static auto* map = new std::unordered_map<HWND, std::unique_ptr<CWnd>>;
  return *map;
}
// The procedure a subclassed window had, kept when its object let go without restoring it.
std::unordered_map<HWND, WNDPROC>& orphanSupers() {
  static auto* map = new std::unordered_map<HWND, WNDPROC>;
  return *map;
}
// The messages being handled, innermost last.
// Pushed for every message: the common path is one load, the rest out of line.
std::vector<MSG>* g_currentMessages = nullptr;
[[gnu::noinline]] std::vector<MSG>& makeCurrentMessages() {
  g_currentMessages = new std::vector<MSG>;
  return *g_currentMessages;
}
inline std::vector<MSG>& currentMessages() {
  return g_currentMessages ? *g_currentMessages : makeCurrentMessages();
}
// The object whose window CreateEx is creating; the first message for an unknown window takes it.
CWnd* g_pendingCreate = nullptr;
size_t g_tempPurgeAt = 64;

void purgeDeadTemporaries() {
  auto& temps = temporaryMap();
  for (auto it = temps.begin(); it != temps.end();) {
    if (!IsWindow(it->first)) {
      it->second->m_hWnd = nullptr;
      it = temps.erase(it);
    } else {
      ++it;
    }
  }
  g_tempPurgeAt = temps.size() * 2 + 64;
}

void dropTemporary(HWND hWnd) {
  auto& temps = temporaryMap();
  auto it = temps.find(hWnd);
  if (it == temps.end()) return;
  it->second->m_hWnd = nullptr;
  temps.erase(it);
}

WNDPROC procOf(HWND hWnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)); }

}  // namespace

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr) {}

CWnd::~CWnd() {
  if (!m_hWnd) return;
  auto it = permanentMap().find(m_hWnd);
  if (it == permanentMap().end() || it->second != this) return;
  // The window outlives no object: it goes with this one, without calling back into it.
  HWND hWnd = m_hWnd;
  if (m_pfnSuper && IsWindow(hWnd) && procOf(hWnd) == AfxWndProc)
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  Detach();
  if (IsWindow(hWnd)) ::DestroyWindow(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  if (!hWnd) return nullptr;
  LastPermanent& last = lastPermanentFor(hWnd);
  if (hWnd == last.hWnd) return last.pWnd;
  auto it = permanentMap().find(hWnd);
  if (it == permanentMap().end()) return nullptr;
  last = {hWnd, it->second};
  return it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (!hWnd) return nullptr;
  if (CWnd* w = FromHandlePermanent(hWnd)) return w;
  auto& temps = temporaryMap();
  if (auto it = temps.find(hWnd); it != temps.end()) {
    if (IsWindow(hWnd)) return it->second.get();
    dropTemporary(hWnd);
  }
  if (!IsWindow(hWnd)) return nullptr;
  if (temps.size() >= g_tempPurgeAt) purgeDeadTemporaries();
  auto wrapper = std::make_unique<CWnd>();
  wrapper->m_hWnd = hWnd;
  CWnd* result = wrapper.get();
  temps.emplace(hWnd, std::move(wrapper));
  return result;
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (!hWndNew || m_hWnd || !IsWindow(hWndNew) || FromHandlePermanent(hWndNew)) return FALSE;
  dropTemporary(hWndNew);
  forgetLastPermanent();
  permanentMap()[hWndNew] = this;
  m_hWnd = hWndNew;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (!hWnd) return nullptr;
  auto it = permanentMap().find(hWnd);
  if (it != permanentMap().end() && it->second == this) {
    forgetLastPermanent();
    permanentMap().erase(it);
  }
  // A subclassed window still calls AfxWndProc; it must still reach its own procedure.
  if (m_pfnSuper && IsWindow(hWnd) && procOf(hWnd) == AfxWndProc) orphanSupers()[hWnd] = m_pfnSuper;
  m_pfnSuper = nullptr;
  m_hWnd = nullptr;
  return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  WNDPROC old = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old != AfxWndProc) {
    m_pfnSuper = old;
  } else if (auto it = orphanSupers().find(hWnd); it != orphanSupers().end()) {
    m_pfnSuper = it->second;
  }
  orphanSupers().erase(hWnd);
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  if (!pParent || !pParent->m_hWnd) return FALSE;
  HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
  return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  if (!m_hWnd) return nullptr;
  if (m_pfnSuper && procOf(m_hWnd) == AfxWndProc)
    SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

void CWnd::PreSubclassWindow() {}

LPCTSTR AfxRegisterFrameworkClass(LPCTSTR lpszClassName, UINT nClassStyle, int nBackgroundColor) {
  WNDCLASSA wc{};
  HINSTANCE hInst = AfxGetInstanceHandle();
  if (GetClassInfoA(hInst, lpszClassName, &wc)) return lpszClassName;
  wc.style = nClassStyle;
  wc.lpfnWndProc = AfxWndProc;
  wc.hInstance = hInst;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(nBackgroundColor + 1));
  wc.lpszClassName = lpszClassName;
  return RegisterClassA(&wc) ? lpszClassName : nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass) cs.lpszClass = AfxRegisterFrameworkClass("AfxWnd", CS_DBLCLKS, COLOR_WINDOW);
  return cs.lpszClass != nullptr;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                  pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU nIDorHMenu, LPVOID lpParam) {
  if (m_hWnd) return FALSE;
  CREATESTRUCT cs{};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = static_cast<LONG>(dwStyle);
  cs.x = x, cs.y = y, cs.cx = nWidth, cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  CWnd* outer = g_pendingCreate;
  g_pendingCreate = this;
  HWND hWnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style),
                              cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                              cs.lpCreateParams);
  const bool taken = g_pendingCreate != this;
  g_pendingCreate = outer;
  if (!hWnd) return FALSE;  // a window that got as far as WM_NCDESTROY has let go of this object
  // A class with its own procedure (a control): subclass it now.
  if (!taken) return SubclassWindow(hWnd);
  return m_hWnd == hWnd;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

// ---- Dispatch ------------------------------------------------------------------

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (!pWnd && g_pendingCreate && !g_pendingCreate->m_hWnd) {
    pWnd = g_pendingCreate;
    g_pendingCreate = nullptr;
    pWnd->Attach(hWnd);
  }
  if (!pWnd) {
    // No object (any more): the window's own procedure, or the default.
    auto it = orphanSupers().find(hWnd);
    WNDPROC super = it == orphanSupers().end() ? nullptr : it->second;
    if (nMsg == WM_NCDESTROY && it != orphanSupers().end()) orphanSupers().erase(it);
    return super ? CallWindowProcA(super, hWnd, nMsg, wParam, lParam)
                 : DefWindowProcA(hWnd, nMsg, wParam, lParam);
  }
  return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  currentMessages().push_back(MSG{hWnd, nMsg, wParam, lParam, 0, POINT{0, 0}});
  LRESULT result = pWnd->WindowProc(nMsg, wParam, lParam);
  currentMessages().pop_back();
  if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
    // The window is gone: restore its procedure, let go, and let the object clean up after itself.
    if (pWnd->m_pfnSuper && procOf(hWnd) == AfxWndProc)
      SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
    pWnd->m_pfnSuper = nullptr;
    pWnd->Detach();
    orphanSupers().erase(hWnd);
    pWnd->PostNcDestroy();
  }
  return result;
}

namespace afx_internal {
void PushCurrentMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  currentMessages().push_back(MSG{hWnd, message, wParam, lParam, 0, POINT{0, 0}});
}
void PopCurrentMessage() {
  if (!currentMessages().empty()) currentMessages().pop_back();
}
}  // namespace afx_internal

const MSG* CWnd::GetCurrentMessage() {
  return currentMessages().empty() ? nullptr : &currentMessages().back();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT result = 0;
  BOOL handled = FALSE;
  if (message == WM_COMMAND) {
    handled = OnCommand(wParam, lParam);
    result = 1;
  } else if (message == WM_NOTIFY) {
    handled = OnNotify(wParam, lParam, &result);
  } else if (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(message, 0, 0)) {
    handled = e->pfn(this, wParam, lParam, &result);
  }
  if (handled && pResult) *pResult = result;
  return handled;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_hWnd) return 0;
  if (m_pfnSuper) return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG* msg = GetCurrentMessage();
  if (!msg || msg->hwnd != m_hWnd) return 0;
  const MSG copy = *msg;
  return DefWindowProc(copy.message, copy.wParam, copy.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT nID = LOWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (hWndCtrl) {
    // The control sees its own notification first.
    if (CWnd* ctrl = FromHandlePermanent(hWndCtrl); ctrl && ctrl != this) {
      LRESULT ignored = 0;
      if (ctrl->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) return TRUE;
    }
  } else {
    nCode = CN_COMMAND;  // a menu or an accelerator
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
  if (!nmhdr) return FALSE;
  if (CWnd* ctrl = FromHandlePermanent(nmhdr->hwndFrom); ctrl && ctrl != this)
    if (ctrl->OnChildNotify(WM_NOTIFY, static_cast<WPARAM>(nmhdr->idFrom), lParam, pResult))
      return TRUE;
  AFX_NOTIFY notify{pResult, nmhdr};
  return OnCmdMsg(static_cast<UINT>(nmhdr->idFrom), static_cast<int>(nmhdr->code), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT ignored = 0;
  if (!pResult) pResult = &ignored;
  switch (message) {
    case WM_COMMAND: {
      const AFX_MSGMAP_ENTRY* e = FindMessageEntry(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0);
      return e ? e->pfn(this, wParam, lParam, pResult) : FALSE;
    }
    case WM_NOTIFY: {
      auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
      if (!nmhdr) return FALSE;
      const AFX_MSGMAP_ENTRY* e = FindMessageEntry(WM_REFLECT_BASE + WM_NOTIFY, nmhdr->code, 0);
      return e ? e->pfn(this, wParam, lParam, pResult) : FALSE;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
      return FALSE;
  }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* child = FromHandlePermanent(hWndChild);
  return child ? child->SendChildNotifyLastMsg(pResult) : FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG* msg = GetCurrentMessage();
  if (!msg) return FALSE;
  const MSG copy = *msg;
  return OnChildNotify(copy.message, copy.wParam, copy.lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL AfxPreTranslateMessage(MSG* pMsg) {
  if (!pMsg) return FALSE;
  // The window and then its parents, up to the top-level window.
  for (HWND h = pMsg->hwnd; h; h = (GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr) {
    if (CWnd* w = CWnd::FromHandlePermanent(h))
      if (w->PreTranslateMessage(pMsg)) return TRUE;
  }
  return FALSE;
}

BOOL AfxPumpMessage() {
  MSG msg;
  if (GetMessageA(&msg, nullptr, 0, 0) <= 0) return FALSE;  // WM_QUIT, or -1 on failure
  if (!AfxPreTranslateMessage(&msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return TRUE;
}

// ---- Message map of CWnd: the default handlers that reflect to controls ---------

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_NCDESTROY()
END_MESSAGE_MAP()
