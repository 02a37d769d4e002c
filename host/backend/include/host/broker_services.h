// Connects the simulated broker to the host framework: the framework's accounts,
// quotes and symbol names come from the broker, and both answer language look-ups
// from the framework's one table. The terminal and the module's tests call this.
#pragma once

namespace host {

void ConnectBrokerToFramework();
// Undoes the connection (the framework then has no services).
void DisconnectBrokerFromFramework();

}  // namespace host
