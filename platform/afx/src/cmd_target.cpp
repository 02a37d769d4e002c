#include "afxwnd.h"

#include <unordered_map>

#include "afx_internal.h"
#include "afxframe.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

bool isCommand(UINT message) {
  return message == WM_COMMAND || message == WM_REFLECT_BASE + WM_COMMAND;
}
bool carriesCode(UINT message) {
  return isCommand(message) || message == WM_NOTIFY || message == WM_REFLECT_BASE + WM_NOTIFY;
}

bool matches(const AFX_MSGMAP_ENTRY& e, UINT nMessage, UINT nCode, UINT nID) {
  if (e.pRegisteredMessage) return !carriesCode(nMessage) && *e.pRegisteredMessage == nMessage;
  if (e.nMessage != nMessage) return false;
  if (!carriesCode(nMessage)) return true;
  // Command notification codes are 16 bits; notify codes are 32.
  if (isCommand(nMessage) ? static_cast<WORD>(e.nCode) != static_cast<WORD>(nCode) : e.nCode != nCode)
    return false;
  if (nMessage >= WM_REFLECT_BASE) return true;  // reflected entries belong to the control itself
  return nID >= e.nID && nID <= e.nLastID;
}

// What a class's map chain answers for a message, remembered: a long list fill sends
// thousands of messages that walk the same chains to their end.
struct MessageKey {
  const AFX_MSGMAP* map;
  UINT message, code, id;
  bool operator==(const MessageKey&) const = default;
};
struct MessageKeyHash {
  size_t operator()(const MessageKey& k) const {
    size_t h = std::hash<const void*>()(k.map);
    for (UINT v : {k.message, k.code, k.id}) h = h * 1000003u ^ v;
    return h;
  }
};
std::unordered_map<MessageKey, const AFX_MSGMAP_ENTRY*, MessageKeyHash>& messageCache() {
  static auto* cache = new std::unordered_map<MessageKey, const AFX_MSGMAP_ENTRY*, MessageKeyHash>;
  return *cache;
}

// The last answer: a run of one message to one kind of window (a list being
// filled) asks the same question every time.
struct LastEntry {
  MessageKey key{};
  const AFX_MSGMAP_ENTRY* entry = nullptr;
  bool valid = false;
};
LastEntry g_lastEntry;

}  // namespace

namespace afx_internal {
void ForgetMessageEntries() {
  g_lastEntry = {};
  messageCache().clear();
}
}  // namespace afx_internal

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const {
  const AFX_MSGMAP* first = GetMessageMap();
  const MessageKey key{first, nMessage, nCode, nID};
  if (g_lastEntry.valid && g_lastEntry.key == key) return g_lastEntry.entry;
  auto& cache = messageCache();
  if (auto it = cache.find(key); it != cache.end()) {
    g_lastEntry = {key, it->second, true};
    return it->second;
  }
  const AFX_MSGMAP_ENTRY* found = nullptr;
  for (const AFX_MSGMAP* map = first; map && !found;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->pfn; ++e) {
      if (matches(*e, nMessage, nCode, nID)) {
        found = e;
        break;
      }
    }
  }
  cache.emplace(key, found);
  return found;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, void*) {
  if (pExtra) {
    auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(WM_NOTIFY, static_cast<UINT>(nCode), nID);
    if (!e) return FALSE;
    LRESULT ignored = 0;
    return e->pfn(this, nID, reinterpret_cast<LPARAM>(notify->pNMHDR),
                  notify->pResult ? notify->pResult : &ignored);
  }
  const AFX_MSGMAP_ENTRY* e = FindMessageEntry(WM_COMMAND, static_cast<UINT>(nCode), nID);
  if (!e) return FALSE;
  LRESULT ignored = 0;
  return e->pfn(this, MAKEWPARAM(nID, nCode), 0, &ignored);
}

// ---- Wait cursor: counted, so tests can see it ----------------------------------

namespace {
int g_waitDepth = 0;
int g_waitCount = 0;
}  // namespace

void CCmdTarget::BeginWaitCursor() {
  ++g_waitDepth;
  ++g_waitCount;
}
void CCmdTarget::EndWaitCursor() {
  if (g_waitDepth > 0) --g_waitDepth;
}
void CCmdTarget::RestoreWaitCursor() {}

CWaitCursor::CWaitCursor() {
  ++g_waitDepth;
  ++g_waitCount;
}
CWaitCursor::~CWaitCursor() {
  if (g_waitDepth > 0) --g_waitDepth;
}
void CWaitCursor::Restore() {}

int AfxGetWaitCursorDepth() { return g_waitDepth; }
int AfxGetWaitCursorCount() { return g_waitCount; }
