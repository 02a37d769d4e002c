// The spreadsheet behind the inventory export: a title, the user's header line, the
// captions and one sheet row per list row, the name column first.
#pragma once

#include <afxcmn.h>

#include <string>

#include "CBaseOrder_UserInfo.h"

namespace host {

// Writes the .xlsx file at path. Alignment letters (L, C, R) apply to the columns left to
// right, name column first; later columns keep the default. Returns "" when written, else
// why not.
std::string WriteListSheet(const std::string& path, CListCtrl& names, CListCtrl& grid,
                           const CString& title, const CString& align,
                           const CBaseOrder_UserInfo* user);

}  // namespace host
