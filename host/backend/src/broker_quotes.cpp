// The quote memory: symbols by market with their item values, and multi-symbol requests
// answered later to the holdings views.
#include "host/broker.h"

namespace host {

// A row of a list reads several items of one symbol in turn, so the last symbol found
// (or missed) is kept; any change to the quote memory forgets it.
const QuoteSymbol* Broker::FindSymbol(BYTE market, const std::string& code) const {
  if (quoteCache_.valid && quoteCache_.market == market && quoteCache_.code == code)
    return quoteCache_.symbol;
  auto it = data_.quotes.find({market, code});
  quoteCache_.valid = true;
  quoteCache_.market = market;
  quoteCache_.code = code;
  quoteCache_.symbol = it == data_.quotes.end() ? nullptr : &it->second;
  return quoteCache_.symbol;
}

bool Broker::SymbolExists(BYTE market, const CString& code) const {
  return FindSymbol(market, code.str()) != nullptr;
}

double Broker::QuoteValue(BYTE market, const CString& code, WORD item) const {
  double value = 0.0;
  return FindQuoteValue(market, code.str(), item, value) ? value : 0.0;
}

bool Broker::HasQuoteValue(BYTE market, const CString& code, WORD item) const {
  double value = 0.0;
  return FindQuoteValue(market, code.str(), item, value);
}

bool Broker::FindQuoteValue(BYTE market, const std::string& code, WORD item, double& value) const {
  const QuoteSymbol* symbol = FindSymbol(market, code);
  if (!symbol) return false;
  auto found = symbol->items.find(item);
  if (found == symbol->items.end()) return false;
  value = found->second;
  return true;
}

CString Broker::SymbolName(BYTE market, const CString& code) const {
  const QuoteSymbol* symbol = FindSymbol(market, code.str());
  return symbol ? symbol->name : CString();
}

void Broker::SetQuoteValue(BYTE market, const CString& code, WORD item, double value) {
  quoteCache_.valid = false;
  data_.quotes[{market, code.str()}].items[item] = value;
  Emit({{"event", "quote"}, {"market", market}, {"symbol", ToUtf8(code)}, {"item", item},
        {"value", value}});
}

// Request numbers run 1 to 254: 0 is "none yet" and 255 "answered" to the views.
bool Broker::RequestMemory(BYTE& reqNo, const std::vector<CSymbolInfo>& symbols,
                           const std::vector<WORD>& items) {
  if (symbols.empty() || items.empty()) return false;
  nextReq_ = static_cast<BYTE>(nextReq_ % 254 + 1);
  reqNo = nextReq_;
  Pending pending{};
  pending.type = Pending::Type::kMemory;
  pending.memory.m_byReqNo = reqNo;
  pending.memory.m_vecSymbols = symbols;
  pending.memory.m_vecItems = items;
  if (Recording()) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& s : symbols) list.push_back({{"market", s.m_byMarket}, {"symbol", ToUtf8(s.m_strSymbol)}});
    Emit({{"event", "memoryRequest"}, {"request", reqNo}, {"symbols", list}, {"items", items}});
  }
  Schedule(std::move(pending), data_.quoteLatencyMs);
  return true;
}

bool Broker::DelayedService(BYTE& serviceId, BYTE market) const {
  auto it = data_.delayedServices.find(market);
  if (it == data_.delayedServices.end()) return false;
  serviceId = it->second;
  return true;
}

BYTE Broker::QuoteMode(BYTE market) const {
  if (data_.delayedServices.count(market)) return 2;
  for (const auto& [key, symbol] : data_.quotes) {
    if (key.first == market) return 1;
  }
  return 0;
}

}  // namespace host
