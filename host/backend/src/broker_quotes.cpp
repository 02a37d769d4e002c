// The quote memory: symbols by market with their item values, and multi-symbol requests
// answered later to the holdings views.
#include "host/broker.h"

namespace host {

bool Broker::SymbolExists(BYTE market, const CString& code) const {
  return data_.quotes.count({market, code.str()}) != 0;
}

double Broker::QuoteValue(BYTE market, const CString& code, WORD item) const {
  auto it = data_.quotes.find({market, code.str()});
  if (it == data_.quotes.end()) return 0.0;
  auto value = it->second.items.find(item);
  return value == it->second.items.end() ? 0.0 : value->second;
}

bool Broker::HasQuoteValue(BYTE market, const CString& code, WORD item) const {
  auto it = data_.quotes.find({market, code.str()});
  return it != data_.quotes.end() && it->second.items.count(item) != 0;
}

bool Broker::FindQuoteValue(BYTE market, const std::string& code, WORD item, double& value) const {
  auto it = data_.quotes.find({market, code});
  if (it == data_.quotes.end()) return false;
  auto found = it->second.items.find(item);
  if (found == it->second.items.end()) return false;
  value = found->second;
  return true;
}

CString Broker::SymbolName(BYTE market, const CString& code) const {
  auto it = data_.quotes.find({market, code.str()});
  return it == data_.quotes.end() ? CString() : it->second.name;
}

void Broker::SetQuoteValue(BYTE market, const CString& code, WORD item, double value) {
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
  nlohmann::json list = nlohmann::json::array();
  for (const auto& s : symbols) list.push_back({{"market", s.m_byMarket}, {"symbol", ToUtf8(s.m_strSymbol)}});
  Emit({{"event", "memoryRequest"}, {"request", reqNo}, {"symbols", list}, {"items", items}});
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
