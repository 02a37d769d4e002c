#include "host/broker_services.h"

#include "host/broker.h"
#include "host/environment.h"

namespace host {

void ConnectBrokerToFramework() {
  Broker& broker = Broker::Instance();
  broker.SetLanguageTable(&Language());
  Services services;
  services.accounts = [] { return Broker::Instance().Accounts(); };
  services.quote = [](BYTE market, const std::string& code, WORD item, double& value) {
    const Broker& b = Broker::Instance();
    const CString symbol(code.c_str());
    if (!b.HasQuoteValue(market, symbol, item)) return false;
    value = b.QuoteValue(market, symbol, item);
    return true;
  };
  services.commodityName = [](const std::string& code, BYTE market) {
    return std::string(static_cast<LPCSTR>(Broker::Instance().SymbolName(market, CString(code.c_str()))));
  };
  SetServices(std::move(services));
}

void DisconnectBrokerFromFramework() {
  SetServices({});
  Broker::Instance().SetLanguageTable(nullptr);
}

}  // namespace host
