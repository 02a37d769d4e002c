// Stru_Item: one displayed column of a list section: its item key, title and width.
#pragma once

#include <afxstr.h>

struct Stru_Item {
  CString m_strItem;   // item key (an IDS_ key)
  CString m_strTitle;  // column title
  WORD m_wWidth = 0;   // column width in pixels
  int m_nFormat = 0;   // LVCFMT_ alignment
};
