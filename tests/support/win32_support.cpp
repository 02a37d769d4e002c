// Test support on real Win32 (and Wine): time is the wall clock, so Wait runs a
// real message loop for that long. Modal UI is answered from inside its own
// modal loop: a CBT hook notes each dialog that activates and arms a short
// thread timer; when a dialog manager's loop takes that timer (it shows up in
// the MSGF_DIALOGBOX message filter) the active dialog is answered there.
//
// A few user32 imports of the executable are wrapped through its import table
// so that Reset can undo what a test left behind (registered classes, thread
// timers) and so that a message box's text, caption and style are known
// exactly; the real functions still do all the work.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "test_support.h"

// The import address table slots of the executable, as MinGW-w64 names them.
extern "C" {
extern decltype(&::MessageBoxA) __imp_MessageBoxA;
extern decltype(&::RegisterClassA) __imp_RegisterClassA;
extern decltype(&::RegisterClassExA) __imp_RegisterClassExA;
extern decltype(&::SetTimer) __imp_SetTimer;
extern decltype(&::KillTimer) __imp_KillTimer;
}

namespace testsupport {
namespace {

using BoxAnswer = std::function<int(const std::string&, const std::string&, UINT)>;

struct RegisteredClass {
  ATOM atom;
  HINSTANCE instance;
};

// A MessageBoxA call in progress; hwnd is its dialog once created.
struct BoxCall {
  HWND hwnd;
  std::string text;
  std::string caption;
  UINT type;
};

struct State {
  decltype(&::MessageBoxA) messageBox = nullptr;
  decltype(&::RegisterClassA) registerClass = nullptr;
  decltype(&::RegisterClassExA) registerClassEx = nullptr;
  decltype(&::SetTimer) setTimer = nullptr;
  decltype(&::KillTimer) killTimer = nullptr;

  std::function<INT_PTR(HWND)> dialogAnswer;
  BoxAnswer boxAnswer;
  std::vector<ShownMessageBox> shown;
  std::vector<BoxCall> boxes;  // innermost last

  std::vector<RegisteredClass> classes;
  std::set<UINT_PTR> threadTimers;

  std::vector<HWND> pending;  // dialogs activated and not yet answered
  std::set<HWND> answered;
  UINT_PTR answerTimer = 0;
};

State& state() {
  static State s;
  return s;
}

template <class F>
F Patch(F* slot, F replacement) {
  DWORD old = 0;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
  F original = *slot;
  *slot = replacement;
  VirtualProtect(slot, sizeof *slot, old, &old);
  return original;
}

bool IsDialogWindow(HWND hwnd) {
  char name[16];
  return GetClassNameA(hwnd, name, sizeof name) && std::string(name) == "#32770";
}

void CALLBACK AnswerTimerProc(HWND, UINT, UINT_PTR, DWORD);

void ArmAnswerTimer() {
  State& s = state();
  if (!s.answerTimer) s.answerTimer = s.setTimer(nullptr, 0, USER_TIMER_MINIMUM, AnswerTimerProc);
}

void DisarmAnswerTimer() {
  State& s = state();
  if (s.answerTimer) s.killTimer(nullptr, s.answerTimer);
  s.answerTimer = 0;
}

std::vector<int> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE:
      return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default:
      return {IDOK};
  }
}

HWND ButtonOf(HWND box, int id) {
  HWND button = id ? GetDlgItem(box, id) : nullptr;
  return button && IsWindowVisible(button) ? button : nullptr;
}

// Presses the answer's button, or the default one when the box has no such button.
void AnswerBox(HWND box, const BoxCall& call) {
  State& s = state();
  int id = s.boxAnswer ? s.boxAnswer(call.text, call.caption, call.type) : 0;
  if (!ButtonOf(box, id)) {
    const std::vector<int> buttons = ButtonsOf(call.type);
    size_t def = (call.type & MB_DEFMASK) >> 8;
    id = buttons[def < buttons.size() ? def : 0];
  }
  if (!ButtonOf(box, id)) {
    LRESULT defId = SendMessageA(box, DM_GETDEFID, 0, 0);
    id = HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : IDOK;
  }
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

void AnswerDialog(HWND dialog) {
  State& s = state();
  INT_PTR result = IDCANCEL;
  if (s.dialogAnswer) {
    result = s.dialogAnswer(dialog);
  } else {
    // Nobody there: Esc, as a person would press it (the headless backend does the same).
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  }
  // EndDialog hides the dialog; one still shown has not been ended by the answer.
  if (IsWindow(dialog) && IsWindowVisible(dialog)) EndDialog(dialog, result);
}

// Runs inside a dialog manager's modal loop.
void AnswerModal() {
  State& s = state();
  DisarmAnswerTimer();
  auto& p = s.pending;
  p.erase(std::remove_if(p.begin(), p.end(), [](HWND h) { return !IsWindow(h); }), p.end());
  HWND target = GetActiveWindow();
  if (std::find(p.begin(), p.end(), target) == p.end()) {
    target = nullptr;
    for (auto it = p.rbegin(); it != p.rend() && !target; ++it)
      if (IsWindowVisible(*it)) target = *it;
  }
  // A modal dialog without WS_VISIBLE is shown only once its loop is idle, but
  // it may be active before that (its WM_INITDIALOG set the focus) and the timer
  // due: answer it once shown, as a person would.
  if (!target || !IsWindowVisible(target)) {
    if (!p.empty()) ArmAnswerTimer();
    return;
  }
  p.erase(std::find(p.begin(), p.end(), target));
  s.answered.insert(target);
  if (!p.empty()) ArmAnswerTimer();

  for (const BoxCall& call : s.boxes)
    if (call.hwnd == target) {
      AnswerBox(target, call);
      return;
    }
  AnswerDialog(target);
}

// Reached only when no dialog manager took the timer: what activated was modeless.
void CALLBACK AnswerTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  DisarmAnswerTimer();
  for (HWND h : state().pending) state().answered.insert(h);
  state().pending.clear();
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  State& s = state();
  HWND hwnd = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_CREATEWND) {
    auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
    if (!s.boxes.empty() && !s.boxes.back().hwnd && !(create->lpcs->style & WS_CHILD) &&
        IsDialogWindow(hwnd))
      s.boxes.back().hwnd = hwnd;
  } else if (code == HCBT_ACTIVATE) {
    if (IsDialogWindow(hwnd) && !s.answered.count(hwnd) &&
        std::find(s.pending.begin(), s.pending.end(), hwnd) == s.pending.end()) {
      s.pending.push_back(hwnd);
      ArmAnswerTimer();
    }
  } else if (code == HCBT_DESTROYWND) {
    s.pending.erase(std::remove(s.pending.begin(), s.pending.end(), hwnd), s.pending.end());
    s.answered.erase(hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MessageFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg->message == WM_TIMER && !msg->hwnd && state().answerTimer &&
        msg->wParam == state().answerTimer) {
      AnswerModal();
      return TRUE;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int WINAPI WrappedMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  State& s = state();
  s.boxes.push_back(BoxCall{nullptr, text ? text : "", caption ? caption : "Error", type});
  int result = s.messageBox(owner, text, caption, type);
  BoxCall call = s.boxes.back();
  s.boxes.pop_back();
  if (call.hwnd) s.shown.push_back(ShownMessageBox{call.text, call.caption, call.type, result});
  return result;
}

ATOM WINAPI WrappedRegisterClassA(const WNDCLASSA* wc) {
  ATOM atom = state().registerClass(wc);
  if (atom) state().classes.push_back(RegisteredClass{atom, wc->hInstance});
  return atom;
}

ATOM WINAPI WrappedRegisterClassExA(const WNDCLASSEXA* wc) {
  ATOM atom = state().registerClassEx(wc);
  if (atom) state().classes.push_back(RegisteredClass{atom, wc->hInstance});
  return atom;
}

UINT_PTR WINAPI WrappedSetTimer(HWND hwnd, UINT_PTR id, UINT ms, TIMERPROC proc) {
  UINT_PTR result = state().setTimer(hwnd, id, ms, proc);
  if (result && !hwnd) state().threadTimers.insert(result);
  return result;
}

BOOL WINAPI WrappedKillTimer(HWND hwnd, UINT_PTR id) {
  if (!hwnd) state().threadTimers.erase(id);
  return state().killTimer(hwnd, id);
}

void EnsureInstalled() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  State& s = state();
  s.messageBox = Patch(&__imp_MessageBoxA, &WrappedMessageBoxA);
  s.registerClass = Patch(&__imp_RegisterClassA, &WrappedRegisterClassA);
  s.registerClassEx = Patch(&__imp_RegisterClassExA, &WrappedRegisterClassExA);
  s.setTimer = Patch(&__imp_SetTimer, &WrappedSetTimer);
  s.killTimer = Patch(&__imp_KillTimer, &WrappedKillTimer);
  SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
  SetWindowsHookExA(WH_MSGFILTER, MessageFilterHook, nullptr, GetCurrentThreadId());
  INITCOMMONCONTROLSEX icc{
      sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&icc);
}

// The outermost dialog that holds the message's window sees keyboard messages
// first, as in the headless pump.
bool DialogPreTranslate(MSG& msg) {
  if (msg.message < WM_KEYDOWN || msg.message > WM_SYSKEYUP || !msg.hwnd) return false;
  HWND dialog = nullptr;
  for (HWND h = msg.hwnd; h; h = GetParent(h)) {
    if (IsDialogWindow(h)) dialog = h;
    if (!(GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return dialog && IsDialogMessageA(dialog, &msg);
}

// Milliseconds of a monotonic clock finer than GetTickCount's 10-16 ms steps.
double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
  char name[32];
  // The input method's windows belong to the system, not to the test.
  if (GetClassNameA(hwnd, name, sizeof name) &&
      (std::string(name) == "IME" || std::string(name) == "MSCTFIME UI"))
    return TRUE;
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  return TRUE;
}

}  // namespace

void ResetPlatform() {
  EnsureInstalled();
  State& s = state();
  s.dialogAnswer = nullptr;
  s.boxAnswer = nullptr;
  s.shown.clear();
  DisarmAnswerTimer();

  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND h = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); h;
       h = FindWindowExA(HWND_MESSAGE, h, nullptr, nullptr))
    if (GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId()) windows.push_back(h);
  for (HWND h : windows)
    if (IsWindow(h)) DestroyWindow(h);
  s.pending.clear();
  s.answered.clear();

  for (UINT_PTR id : s.threadTimers) s.killTimer(nullptr, id);
  s.threadTimers.clear();
  for (const RegisteredClass& c : s.classes)
    UnregisterClassA(MAKEINTATOM(c.atom), c.instance ? c.instance : Instance());
  s.classes.clear();

  ReleaseCapture();
  MSG msg;
  for (int n = 0; n < 100000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
  }
}

void Pump() {
  EnsureInstalled();
  MSG msg;
  for (int n = 0; n < 1000000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
    if (msg.message == WM_QUIT) continue;
    if (DialogPreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Wait(DWORD ms) {
  const double deadline = NowMs() + ms;
  Pump();
  for (double now = NowMs(); now < deadline; now = NowMs()) {
    DWORD left = static_cast<DWORD>(deadline - now + 0.999);
    MsgWaitForMultipleObjectsEx(0, nullptr, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    Pump();
  }
}

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }
bool Headless() { return false; }

std::filesystem::path AnsiPath(const std::string& ansi) {
  const int n =
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  return std::filesystem::path(wide);
}

void AnswerDialogs(std::function<INT_PTR(HWND)> answer) {
  EnsureInstalled();
  state().dialogAnswer = std::move(answer);
}

void AnswerMessageBoxes(
    std::function<int(const std::string& text, const std::string& caption, UINT type)> answer) {
  EnsureInstalled();
  state().boxAnswer = std::move(answer);
}

std::vector<ShownMessageBox> MessageBoxesShown() { return state().shown; }

}  // namespace testsupport
