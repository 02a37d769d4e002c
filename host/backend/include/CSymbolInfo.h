// Quote-memory requests: a symbol by market, and the answer to a multi-symbol request.
#pragma once

#include <afxstr.h>

#include <vector>

class CSymbolInfo {
 public:
  CSymbolInfo() = default;
  CSymbolInfo(BYTE byMarket, const CString& strSymbol) : m_byMarket(byMarket), m_strSymbol(strSymbol) {}
  BYTE m_byMarket = 0;
  CString m_strSymbol;
};

class CMultiSymbolMemoryInfo {
 public:
  BYTE m_byReqNo = 0;  // the request number bGetMultiMemory gave
  std::vector<CSymbolInfo> m_vecSymbols;
  std::vector<WORD> m_vecItems;
};
