// A terminal in miniature for the module's tests: a fresh platform and host, the
// simulated broker with a login of domestic and foreign accounts, the module library
// loaded as the host loads it, and a frame whose panes hold the module's views.
// Everything goes through the same calls the terminal makes, on the virtual clock.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "JqzOrderBaseView.h"
#include "host/broker.h"
#include "test_support.h"

class JqzCfgIO2;

namespace moduletest {

inline constexpr char kHoldingsView[] = "JqzFinanceStockUnoffsetView";
inline constexpr char kDividendView[] = "JqzStockDividendCalcView";

// The module library, loaded once for the whole program as the host loads it; a test
// may take it out of the chain and bring it back.
bool UnloadModule();
bool LoadModule();

// 9A95-0123456 and 9A95-0654321 (domestic), 9A95-F880012 (foreign).
AccountType Account(int index);
host::BrokerData SampleBroker();

// What a person reads off a window or a report list, as CP950 text.
std::string WindowText(HWND window);
int ListRows(HWND list);
std::vector<std::string> ListTitles(HWND list);
std::string ListCell(HWND list, int row, int column);

class ModuleTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A key of OrderCfg.ini [ORDER_SETTING].
  void SetOrderSetting(const char* key, const char* value);
  // Replaces the broker's data (SampleBroker() by default).
  void LoadBroker(host::BrokerData data);

  // Creates a view of the named class in a new pane, as the terminal does.
  JqzOrderBaseView* AddView(const char* className, BYTE syncGroup = 0, bool selectAccount = true);
  // The host restoring a view from its layout slot again.
  void Restore(JqzOrderBaseView* view, const char* title, const char* layout = "股票帳務");

  void Login();
  void Advance(unsigned ms);

  // The broker's transcript events of one kind ("query", "notice", "order", ...).
  std::vector<nlohmann::json> Events(const std::string& kind) const;
  void ClearEvents() { events_.clear(); }

  // The hosted dialog's window, or null.
  static HWND DialogOf(const JqzOrderBaseView* view);
  static HWND Control(const JqzOrderBaseView* view, int id);

  CFrameWnd* frame_ = nullptr;
  JqzCfgIO2* cfg_ = nullptr;
  std::string home_;
  std::vector<nlohmann::json> events_;
};

}  // namespace moduletest
