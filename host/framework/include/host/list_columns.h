// The columns of a report list as its header holds them.
#pragma once

#include <afxcmn.h>

#include <vector>

namespace host {

inline int ListColumnCount(const CListCtrl& list) {
  const CHeaderCtrl* header = list.GetHeaderCtrl();
  return header ? header->GetItemCount() : 0;
}

// The caption the header shows over the column; empty where there is none.
CString ListColumnCaption(const CListCtrl& list, int column);

// A caption over the columns first to last, as a grouped header shows it.
struct ListHeaderGroup {
  int first = 0;
  int last = 0;
  CString caption;
};

// The groups of the list's header, left to right; none for a header that has no groups or
// does not answer the "QzHeaderGroupCaption" message (see ListHeaderGroups' definition).
std::vector<ListHeaderGroup> ListHeaderGroups(const CListCtrl& list);

}  // namespace host
