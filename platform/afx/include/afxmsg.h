// Message maps. Each entry holds a small thunk that unpacks the message and
// calls the handler through its member pointer, so a handler bound to a
// virtual member reaches the override of the most derived class. Base maps
// chain through GetThisMessageMap of the base class.
#pragma once

#include <windows.h>

class CCmdTarget;

// Returns FALSE when the handler declines (the _EX reflection entries).
typedef BOOL (*AFX_MSG_THUNK)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;
  UINT nID;
  UINT nLastID;
  const UINT* pRegisteredMessage;
  AFX_MSG_THUNK pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define afx_msg
#define WM_REFLECT_BASE 0xBC00
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

#define DECLARE_MESSAGE_MAP()                       \
 protected:                                         \
  static const AFX_MSGMAP* GetThisMessageMap();     \
  const AFX_MSGMAP* GetMessageMap() const override; \
                                                    \
 private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                 \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                            \
    [[maybe_unused]] typedef theClass ThisClass;                               \
    typedef baseClass TheBaseClass;                                            \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                             \
  { 0, 0, 0, 0, nullptr, nullptr }                                                   \
  }                                                                                  \
  ;                                                                                  \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                \
  }

// The body of a thunk: `self` is the target as the class whose map holds the entry.
#define AFX_THUNK(body)                                                                  \
  [](CCmdTarget* target_, WPARAM wParam, LPARAM lParam, LRESULT* pResult) -> BOOL {     \
    ThisClass* self = static_cast<ThisClass*>(target_);                                 \
    (void)self, (void)wParam, (void)lParam, (void)pResult;                              \
    body;                                                                               \
    return TRUE;                                                                        \
  }
#define AFX_MSG_ENTRY(msg, body) {msg, 0, 0, 0, nullptr, AFX_THUNK(body)},
#define AFX_PMF(memberFxn) (&ThisClass::memberFxn)

// Generic messages
#define ON_MESSAGE(message, memberFxn) \
  AFX_MSG_ENTRY(message, *pResult = (self->*AFX_PMF(memberFxn))(wParam, lParam))
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                            \
  {0xC000, 0, 0, 0, &(nMessageVariable),                                              \
   AFX_THUNK(*pResult = (self->*AFX_PMF(memberFxn))(wParam, lParam))},

// Commands and control notifications
#define ON_COMMAND(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, AFX_THUNK((self->*AFX_PMF(memberFxn))())},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                        \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), nullptr,       \
   AFX_THUNK((self->*AFX_PMF(memberFxn))(static_cast<UINT>(LOWORD(wParam))))},
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                      \
  {WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr,               \
   AFX_THUNK((self->*AFX_PMF(memberFxn))())},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DBLCLK, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                       \
  {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr,                \
   AFX_THUNK((self->*AFX_PMF(memberFxn))(reinterpret_cast<NMHDR*>(lParam), pResult))},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                              \
  {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(idLast), nullptr,                 \
   AFX_THUNK((self->*AFX_PMF(memberFxn))(static_cast<UINT>(wParam),                     \
                                         reinterpret_cast<NMHDR*>(lParam), pResult))},

// Reflected to the control that sent them
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                              \
  {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(wNotifyCode), 0, 0, nullptr,            \
   AFX_THUNK((self->*AFX_PMF(memberFxn))(reinterpret_cast<NMHDR*>(lParam), pResult))},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                        \
  {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(wNotifyCode), 0, 0, nullptr,                         \
   [](CCmdTarget* target_, WPARAM, LPARAM lParam, LRESULT* pResult) -> BOOL {              \
     return (static_cast<ThisClass*>(target_)->*AFX_PMF(memberFxn))(                       \
         reinterpret_cast<NMHDR*>(lParam), pResult);                                        \
   }},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
  {WM_REFLECT_BASE + WM_COMMAND, (UINT)(wNotifyCode), 0, 0, nullptr, AFX_THUNK((self->*AFX_PMF(memberFxn))())},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                   \
  {WM_REFLECT_BASE + WM_COMMAND, (UINT)(wNotifyCode), 0, 0, nullptr,                    \
   [](CCmdTarget* target_, WPARAM, LPARAM, LRESULT*) -> BOOL {                         \
     return (static_cast<ThisClass*>(target_)->*AFX_PMF(memberFxn))();                 \
   }},
#define ON_WM_MEASUREITEM_REFLECT()          \
  AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, \
                self->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)))
#define ON_WM_DRAWITEM_REFLECT()                   \
  AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, \
                self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)))

// Window messages with unpacked parameters
#define AFX_POINT_OF(lp) CPoint(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)))
#define ON_WM_CREATE() \
  AFX_MSG_ENTRY(WM_CREATE, *pResult = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)))
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, self->OnDestroy())
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, self->OnNcDestroy())
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, self->OnClose())
#define ON_WM_SIZE()                                                                  \
  AFX_MSG_ENTRY(WM_SIZE, self->OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), \
                                      static_cast<short>(HIWORD(lParam))))
#define ON_WM_MOVE() \
  AFX_MSG_ENTRY(WM_MOVE, self->OnMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))))
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, self->OnTimer(static_cast<UINT_PTR>(wParam)))
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, self->OnPaint())
#define ON_WM_ERASEBKGND() \
  AFX_MSG_ENTRY(WM_ERASEBKGND, *pResult = self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam))))
#define ON_WM_CONTEXTMENU()                                                              \
  AFX_MSG_ENTRY(WM_CONTEXTMENU, self->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), \
                                                    AFX_POINT_OF(lParam)))
#define ON_WM_LBUTTONDOWN() \
  AFX_MSG_ENTRY(WM_LBUTTONDOWN, self->OnLButtonDown(static_cast<UINT>(wParam), AFX_POINT_OF(lParam)))
#define ON_WM_LBUTTONUP() \
  AFX_MSG_ENTRY(WM_LBUTTONUP, self->OnLButtonUp(static_cast<UINT>(wParam), AFX_POINT_OF(lParam)))
#define ON_WM_LBUTTONDBLCLK() \
  AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, self->OnLButtonDblClk(static_cast<UINT>(wParam), AFX_POINT_OF(lParam)))
#define ON_WM_RBUTTONDOWN() \
  AFX_MSG_ENTRY(WM_RBUTTONDOWN, self->OnRButtonDown(static_cast<UINT>(wParam), AFX_POINT_OF(lParam)))
#define ON_WM_MOUSEMOVE() \
  AFX_MSG_ENTRY(WM_MOUSEMOVE, self->OnMouseMove(static_cast<UINT>(wParam), AFX_POINT_OF(lParam)))
#define ON_WM_MOUSEWHEEL()                                                                 \
  AFX_MSG_ENTRY(WM_MOUSEWHEEL, *pResult = self->OnMouseWheel(static_cast<UINT>(LOWORD(wParam)), \
                                                             static_cast<short>(HIWORD(wParam)),  \
                                                             AFX_POINT_OF(lParam)))
#define ON_WM_VSCROLL()                                                                         \
  AFX_MSG_ENTRY(WM_VSCROLL, self->OnVScroll(static_cast<UINT>(LOWORD(wParam)),                  \
                                            static_cast<UINT>(static_cast<short>(HIWORD(wParam))), \
                                            reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))))
#define ON_WM_HSCROLL()                                                                         \
  AFX_MSG_ENTRY(WM_HSCROLL, self->OnHScroll(static_cast<UINT>(LOWORD(wParam)),                  \
                                            static_cast<UINT>(static_cast<short>(HIWORD(wParam))), \
                                            reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))))
#define ON_WM_KEYDOWN()                                                                       \
  AFX_MSG_ENTRY(WM_KEYDOWN, self->OnKeyDown(static_cast<UINT>(wParam), static_cast<UINT>(LOWORD(lParam)), \
                                            static_cast<UINT>(HIWORD(lParam))))
#define ON_WM_CHAR()                                                                       \
  AFX_MSG_ENTRY(WM_CHAR, self->OnChar(static_cast<UINT>(wParam), static_cast<UINT>(LOWORD(lParam)), \
                                      static_cast<UINT>(HIWORD(lParam))))
#define ON_WM_SETFOCUS() \
  AFX_MSG_ENTRY(WM_SETFOCUS, self->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
#define ON_WM_KILLFOCUS() \
  AFX_MSG_ENTRY(WM_KILLFOCUS, self->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
#define ON_WM_SHOWWINDOW() \
  AFX_MSG_ENTRY(WM_SHOWWINDOW, self->OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)))
#define ON_WM_WINDOWPOSCHANGED() \
  AFX_MSG_ENTRY(WM_WINDOWPOSCHANGED, self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)))
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, *pResult = self->OnGetDlgCode())
#define ON_WM_DRAWITEM()                                               \
  AFX_MSG_ENTRY(WM_DRAWITEM, self->OnDrawItem(static_cast<int>(wParam), \
                                              reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)))
#define ON_WM_MEASUREITEM()                                                  \
  AFX_MSG_ENTRY(WM_MEASUREITEM, self->OnMeasureItem(static_cast<int>(wParam), \
                                                    reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)))
#define AFX_CTLCOLOR_ENTRY(msg, kind)                                                           \
  AFX_MSG_ENTRY(msg, *pResult = reinterpret_cast<LRESULT>(self->OnCtlColor(                    \
                         CDC::FromHandle(reinterpret_cast<HDC>(wParam)),                       \
                         CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), kind)))
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6
#define ON_WM_CTLCOLOR()                                      \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLORMSGBOX, CTLCOLOR_MSGBOX)      \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLOREDIT, CTLCOLOR_EDIT)          \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX)    \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLORBTN, CTLCOLOR_BTN)            \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLORDLG, CTLCOLOR_DLG)            \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLORSCROLLBAR, CTLCOLOR_SCROLLBAR) \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLORSTATIC, CTLCOLOR_STATIC)
