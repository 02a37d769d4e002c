// The host's common utilities (s_ functions).
#pragma once

#include <afxstr.h>

#include "R7Format.h"

// The user-interface text of an IDS_ key from the host's language table; the empty
// text for a key the table does not hold (the first such request is logged).
CString s_LangGetLangString(const CString& strKey);
// Host directories: 0 the home directory (OrderCfg.ini lives there), 1 the layouts,
// 2 the exports; any other value gives the home directory. No trailing separator.
CString s_PathGetSysPath(int nKind);
// The display text of a value ("YYYYMMDD" for a date).
CString s_GetAsString(const R7Format& value);
