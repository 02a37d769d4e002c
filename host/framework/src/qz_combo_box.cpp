#include "CQzComboBox.h"

IMPLEMENT_DYNAMIC(CQzComboBox, CComboBox)

void CQzComboBox::ResetContent() { CComboBox::ResetContent(); }
int CQzComboBox::AddString(LPCTSTR lpszString) { return CComboBox::AddString(lpszString); }
int CQzComboBox::SetCurSel(int nSelect) { return CComboBox::SetCurSel(nSelect); }
