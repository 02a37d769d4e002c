// BKOrderInterface: the back-end's quote memory and language texts (a singleton).
// Every member is static, so both BKOrderInterface::f() and GetBKInterface()->f() work.
#pragma once

#include <afxstr.h>

#include <vector>

#include "CSymbolInfo.h"

class BKOrderInterface {
 public:
  static BKOrderInterface* GetBKInterface();

  // Whether the quote memory knows the symbol in the market (16, 22, 122, ...).
  static bool bIsSymbolIDExist(BYTE byMarket, const CString& strSymbol);
  // Starts a quote-memory request for the items of the symbols and gives its number in
  // byReqNo; the answer comes later as vRecvMultiSymbolMemoryRecovery of the views.
  static bool bGetMultiMemory(BYTE& byReqNo, const std::vector<CSymbolInfo>& symbols,
                              const std::vector<WORD>& items);
  // For a market served with delay: true and the market number of the delayed service.
  static bool bGetServiceID2Delay(BYTE& byServiceID, BYTE byMarket);
  // Quote mode of a market: 1 real time, 2 delayed, 0 unknown market.
  static BYTE byGetQuoteMode(BYTE byMarket);
  // The user-interface text of an IDS_ key; empty when unknown.
  static CString LangGetLangString(const CString& strKey);

 private:
  BKOrderInterface() = default;
};
