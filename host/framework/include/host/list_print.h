// The host's print-to-file for the inventory lists: a PDF, A4 landscape, with the title
// and the user's line on every page, the name column repeated on every page when the
// grid is wider than a page, and page numbers.
#pragma once

#include <afxcmn.h>

#include <string>

#include "CBaseOrder_UserInfo.h"

namespace host {

// Returns "" when the file was written, else why not (nothing to print, a file that
// cannot be made).
std::string PrintListsToPdf(const std::string& path, CListCtrl& grid, CListCtrl& names,
                            const CString& title, const CString& align,
                            const CBaseOrder_UserInfo* user);

}  // namespace host
