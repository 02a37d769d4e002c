#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(DATETIMEPICK_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const {
  SYSTEMTIME st{};
  const DWORD result = GetTime(&st);
  if (result == GDT_VALID) timeDest = CTime(st);
  return result;
}

BOOL CDateTimeCtrl::SetTime(const CTime& timeNew) {
  SYSTEMTIME st{};
  if (!timeNew.GetAsSystemTime(st)) return FALSE;
  return SetTime(&st);
}

BOOL CDateTimeCtrl::SetRange(const CTime* pMinRange, const CTime* pMaxRange) {
  SYSTEMTIME range[2]{};
  WPARAM flags = 0;
  if (pMinRange && pMinRange->GetAsSystemTime(range[0])) flags |= GDTR_MIN;
  if (pMaxRange && pMaxRange->GetAsSystemTime(range[1])) flags |= GDTR_MAX;
  return static_cast<BOOL>(SendMessage(DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(range)));
}
