// Sent and posted messages, the queue, the pump, and registered messages.
#include <strings.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "backend.h"
#include "headless/headless.h"

using namespace headless::detail;

namespace {

struct Queue {
  std::deque<MSG> posted;
  bool quit = false;
  int quitCode = 0;
  headless::PreTranslateHook hook;
};

Queue& queue() {
  static Queue q;
  return q;
}

struct CaseInsensitiveLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
  }
};

std::map<std::string, UINT, CaseInsensitiveLess>& registeredMessages() {
  static std::map<std::string, UINT, CaseInsensitiveLess> m;
  return m;
}

bool matchesWindow(HWND filter, HWND hwnd) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return hwnd == nullptr;
  return hwnd == filter || IsChild(filter, hwnd);
}

bool matchesRange(UINT msg, UINT min, UINT max) {
  if (min == 0 && max == 0) return true;
  return msg >= min && msg <= max;
}

const headless::detail::ResetHook resetQueue([] {
  queue().posted.clear();
  queue().quit = false;
  queue().quitCode = 0;
  queue().hook = nullptr;
});

}  // namespace

namespace headless::detail {

// Class atoms and registered messages share Win32's atom range from 0xC000.
ATOM NextAtom() {
  static unsigned next = 0xC000;
  if (next > 0xFFFF) return 0;
  return static_cast<ATOM>(next++);
}

void PurgeQueue(HWND hwnd) {
  auto& p = queue().posted;
  for (auto it = p.begin(); it != p.end();) it = (it->hwnd == hwnd) ? p.erase(it) : it + 1;
}

// The nearest dialog that holds the message's window sees keyboard messages first.
bool DialogPreTranslate(MSG& msg) {
  if (msg.message < WM_KEYDOWN || msg.message > WM_SYSKEYUP || !msg.hwnd) return false;
  HWND dialog = nullptr;
  for (HWND h = msg.hwnd; h; h = GetParent(h)) {
    char name[16];
    if (GetClassNameA(h, name, sizeof name) && std::string(name) == "#32770") dialog = h;
    if (!(GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return dialog && IsDialogMessageA(dialog, &msg);
}

// The windows whose procedures are running, innermost last.
// Every sent message pushes onto it: the common path is one load, the rest out of line.
static std::vector<HWND>* g_delivering = nullptr;
[[gnu::noinline]] static std::vector<HWND>& makeDeliveringStack() {
  static std::vector<HWND> stack;
  g_delivering = &stack;
  return stack;
}
inline std::vector<HWND>& deliveringStack() { return g_delivering ? *g_delivering : makeDeliveringStack(); }

struct Delivering {
  explicit Delivering(HWND hwnd) { deliveringStack().push_back(hwnd); }
  ~Delivering() { deliveringStack().pop_back(); }
  Delivering(const Delivering&) = delete;
  Delivering& operator=(const Delivering&) = delete;
};

}  // namespace headless::detail

extern "C" {

LRESULT WINAPI SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FindOrFail(hwnd);
  if (!w) return 0;
  WNDPROC proc = w->proc;
  if (!proc) return 0;
  Delivering delivering(hwnd);
  return proc(hwnd, msg, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd && !FindOrFail(hwnd)) return FALSE;
  if (msg == WM_QUIT && !hwnd) {
    queue().posted.push_back(MSG{nullptr, WM_QUIT, wParam, lParam, GetTickCount(), {0, 0}});
    return TRUE;
  }
  queue().posted.push_back(MSG{hwnd, msg, wParam, lParam, GetTickCount(), {0, 0}});
  return TRUE;
}

void WINAPI PostQuitMessage(int code) {
  queue().quit = true;
  queue().quitCode = code;
}

BOOL WINAPI PeekMessageA(LPMSG out, HWND hwnd, UINT min, UINT max, UINT remove) {
  if (!out) return FALSE;
  auto& p = queue().posted;
  for (auto it = p.begin(); it != p.end(); ++it) {
    if (matchesWindow(hwnd, it->hwnd) && matchesRange(it->message, min, max)) {
      *out = *it;
      if (remove & PM_REMOVE) p.erase(it);
      return TRUE;
    }
  }
  if (queue().quit && matchesRange(WM_QUIT, min, max)) {
    *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue().quitCode), 0, GetTickCount(), {0, 0}};
    if (remove & PM_REMOVE) queue().quit = false;
    return TRUE;
  }
  if (matchesRange(WM_TIMER, min, max) && TakeDueTimer(hwnd, out, (remove & PM_REMOVE) != 0))
    return TRUE;
  return FALSE;
}

BOOL WINAPI GetMessageA(LPMSG out, HWND hwnd, UINT min, UINT max) {
  if (!out) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && !FindOrFail(hwnd)) return -1;
  for (;;) {
    if (PeekMessageA(out, hwnd, min, max, PM_REMOVE)) return out->message == WM_QUIT ? FALSE : TRUE;
    // Waiting means letting virtual time run to the next timer.
    std::uint64_t due = 0;
    if (NextTimerDue(&due) && due > headless::Now()) {
      SetNow(due);
      continue;
    }
    // Nothing could ever arrive; answer as if the program had quit rather than hang.
    *out = MSG{nullptr, WM_QUIT, 0, 0, GetTickCount(), {0, 0}};
    return FALSE;
  }
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    Delivering delivering(msg->hwnd);
    proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  if (!msg->hwnd) return 0;
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
  // Character messages for the printable keys a simulated person presses.
  if (!msg || msg->message != WM_KEYDOWN) return FALSE;
  WPARAM vk = msg->wParam;
  char ch = 0;
  if (vk >= '0' && vk <= '9') ch = static_cast<char>(vk);
  if (vk >= 'A' && vk <= 'Z') ch = static_cast<char>(vk - 'A' + 'a');
  if (vk == VK_SPACE) ch = ' ';
  if (vk == VK_TAB) ch = '\t';
  if (vk == VK_BACK) ch = '\b';
  if (vk == VK_RETURN) ch = '\r';
  if (vk == VK_ESCAPE) ch = 0x1B;
  if (!ch) return FALSE;
  PostMessageA(msg->hwnd, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(ch)), msg->lParam);
  return TRUE;
}

UINT WINAPI RegisterWindowMessageA(LPCSTR name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto& m = registeredMessages();
  auto it = m.find(name);
  if (it != m.end()) return it->second;
  UINT id = NextAtom();
  if (id) m.emplace(name, id);
  return id;
}

}  // extern "C"

namespace headless {

HWND DeliveringWindow() {
  auto& stack = deliveringStack();
  return stack.empty() ? nullptr : stack.back();
}

void SetPreTranslateHook(PreTranslateHook hook) { queue().hook = std::move(hook); }

std::size_t PumpMessages() {
  constexpr std::size_t kRunawayLimit = 10'000'000;
  std::size_t n = 0;
  MSG msg;
  while (n < kRunawayLimit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    ++n;
    if (queue().hook && queue().hook(msg)) continue;
    if (DialogPreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return n;
}

void AdvanceTime(std::uint64_t ms) {
  const std::uint64_t target = Now() + ms;
  PumpMessages();
  std::uint64_t due = 0;
  while (NextTimerDue(&due) && due <= target) {
    if (due > Now()) SetNow(due);
    PumpMessages();
  }
  SetNow(target);
  PumpMessages();
}

}  // namespace headless
