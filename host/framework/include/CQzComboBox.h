// CQzComboBox: the host's combo box, whose reset, add and select are virtual so that
// a derived selector can keep its own record of the entries.
#pragma once

#include <afxwin.h>

class CQzComboBox : public CComboBox {
  DECLARE_DYNAMIC(CQzComboBox)
 public:
  virtual void ResetContent();
  virtual int AddString(LPCTSTR lpszString);
  virtual int SetCurSel(int nSelect);
};
