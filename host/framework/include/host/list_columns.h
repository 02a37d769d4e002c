// The column count of a report list: its header's item count.
#pragma once

#include <afxcmn.h>

namespace host {

inline int ListColumnCount(const CListCtrl& list) {
  const CHeaderCtrl* header = list.GetHeaderCtrl();
  return header ? header->GetItemCount() : 0;
}

}  // namespace host
