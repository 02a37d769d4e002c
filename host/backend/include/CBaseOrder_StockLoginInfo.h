// CBaseOrder_StockLoginInfo: the login record of a domestic account.
#pragma once

#include <afxstr.h>

#include <vector>

struct StockLoginEntry {
  char szData[20] = {};
};

class CBaseOrder_StockLoginInfo {
 public:
  CString m_strUserID;
  int m_nLoginType = 0;
  CString m_strUserName;
  int m_nAccountCount = 0;
  CString m_strMaintainRatio;  // "code|ratio" or "ratio"
  std::vector<StockLoginEntry> m_vecEntries;
};
