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
    return Broker::Instance().FindQuoteValue(market, code, item, value);
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
