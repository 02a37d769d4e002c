#include "list_parent.h"

#include "test_support.h"

namespace testlist {
namespace {

constexpr UINT kWideOffset = HDN_ITEMCHANGINGA - HDN_ITEMCHANGINGW;

bool isHeaderNotice(UINT code) { return code <= HDN_FIRST && code > HDN_FIRST - 100; }

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ParentLog& log = Log();
  switch (msg) {
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      Notice n{hdr->code, hdr->hwndFrom, -1, 0, 0, 0, 0, -1};
      if (isHeaderNotice(hdr->code)) {
        auto* nm = reinterpret_cast<NMHEADERA*>(lParam);
        n.item = nm->iItem;
        if (nm->pitem && (nm->pitem->mask & HDI_WIDTH)) n.width = nm->pitem->cxy;
      } else if (hdr->code == NM_CLICK || hdr->code == NM_DBLCLK || hdr->code == NM_RCLICK) {
        auto* nm = reinterpret_cast<NMITEMACTIVATE*>(lParam);
        n.item = nm->iItem;
        n.subItem = nm->iSubItem;
      } else if (hdr->code == LVN_GETINFOTIPA) {
        n.item = reinterpret_cast<NMLVGETINFOTIPA*>(lParam)->iItem;
      } else if (hdr->code <= LVN_FIRST && hdr->code > LVN_FIRST - 100) {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
        n.item = nm->iItem;
        n.subItem = nm->iSubItem;
        n.newState = nm->uNewState;
        n.oldState = nm->uOldState;
        n.changed = nm->uChanged;
      }
      log.notices.push_back(n);
      auto it = log.answers.find(hdr->code);
      return it == log.answers.end() ? 0 : it->second;
    }
    case WM_MEASUREITEM: {
      ++log.measures;
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (log.measureHeight) mis->itemHeight = log.measureHeight;
      return TRUE;
    }
    case WM_DRAWITEM:
      log.draws.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

ParentLog& Log() {
  static ParentLog log;
  return log;
}

HWND CreateParent(int width, int height) {
  Log() = ParentLog{};
  static const char* name = "QzListParent";
  WNDCLASSA existing;
  if (!GetClassInfoA(testsupport::Instance(), name, &existing)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = testsupport::Instance();
    wc.lpszClassName = name;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
  }
  return CreateWindowExA(0, name, "parent", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                         nullptr, testsupport::Instance(), nullptr);
}

bool IsHeaderCode(UINT code, UINT ansi) { return code == ansi || code == ansi - kWideOffset; }

void AnswerHeader(UINT ansi, LRESULT result) {
  Log().answers[ansi] = result;
  Log().answers[ansi - kWideOffset] = result;
}

std::vector<Notice> NoticesWithCode(UINT code) {
  std::vector<Notice> out;
  for (const Notice& n : Log().notices)
    if (n.code == code) out.push_back(n);
  return out;
}

std::vector<Notice> HeaderNotices(UINT ansi) {
  std::vector<Notice> out;
  for (const Notice& n : Log().notices)
    if (IsHeaderCode(n.code, ansi)) out.push_back(n);
  return out;
}

}  // namespace testlist
