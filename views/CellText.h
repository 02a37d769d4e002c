// The text of one list cell. Both views' lists take a line as texts joined by tabs,
// so a value must never carry the list's separators.
#pragma once

#include <afxstr.h>

namespace qzviews {

// The text with every tab, carriage return and line feed shown as a space. The
// bytes replaced are below 0x40, so they are never the trail byte of a character.
CString strCellText(const CString& strText);

}  // namespace qzviews
