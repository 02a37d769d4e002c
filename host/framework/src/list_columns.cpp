#include "host/list_columns.h"

namespace host {

CString ListColumnCaption(const CListCtrl& list, int column) {
  const CHeaderCtrl* header = list.GetHeaderCtrl();
  if (!header || !::IsWindow(header->GetSafeHwnd())) return CString();
  char title[256] = {};
  HDITEMA item{};
  item.mask = HDI_TEXT;
  item.pszText = title;
  item.cchTextMax = sizeof title;
  ::SendMessageA(header->GetSafeHwnd(), HDM_GETITEMA, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&item));
  return CString(title);
}

// A header with groups over its columns answers this registered message: wParam is a
// column, lParam an HDITEMA that receives the caption (HDI_TEXT) and
// MAKELPARAM(first, last column) of the group over it (HDI_LPARAM); the result is the
// caption's length, 0 where no group is. Any other header answers 0.
std::vector<ListHeaderGroup> ListHeaderGroups(const CListCtrl& list) {
  std::vector<ListHeaderGroup> groups;
  const CHeaderCtrl* header = list.GetHeaderCtrl();
  if (!header || !::IsWindow(header->GetSafeHwnd())) return groups;
  static const UINT message = ::RegisterWindowMessageA("QzHeaderGroupCaption");
  const int count = header->GetItemCount();
  for (int column = 0; column < count;) {
    char caption[256] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_LPARAM;
    item.pszText = caption;
    item.cchTextMax = sizeof caption;
    item.lParam = -1;
    const LRESULT length = ::SendMessageA(header->GetSafeHwnd(), message,
                                          static_cast<WPARAM>(column),
                                          reinterpret_cast<LPARAM>(&item));
    if (length <= 0) {
      ++column;
      continue;
    }
    // A span that does not hold this column, or runs past the last, covers this column alone.
    const int first = LOWORD(item.lParam);
    const int last = HIWORD(item.lParam);
    const bool spans = item.lParam != -1 && first <= column && column <= last && last < count;
    groups.push_back({column, spans ? last : column, CString(caption)});
    column = groups.back().last + 1;
  }
  return groups;
}

}  // namespace host
