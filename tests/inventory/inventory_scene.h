// The holdings view with the inventory dialog (USE_NEWSTOCKUNOFFSET = 1) over the
// sample broker, and ways to read its two lists as a person sees them.
#pragma once

#include <afxwin.h>

#include <resource.h>

#include <functional>
#include <string>
#include <vector>

#include "JqzOrderStocksDlg.h"
#include "module_fixture.h"

namespace inventorytest {

CBaseOrder_StorageStockInfo DSRecord(const char* code,
                                     const std::function<void(CBaseOrder_StorageStockInfo&)>& set);
CBaseOrder_FSStorageStockInfo FSRecord(const char* code, int lot, int yesterday, int tSell,
                                       const char* currency);

class InventoryTest : public moduletest::ModuleTest {
 protected:
  void SetUp() override;

  void Quote(BYTE market, const char* code, const char* name);
  void Hold(int account, CBaseOrder_StorageStockInfo record) {
    data_.accounts[static_cast<size_t>(account)].domestic.push_back(std::move(record));
  }
  void HoldForeign(int account, CBaseOrder_FSStorageStockInfo record) {
    data_.accounts[static_cast<size_t>(account)].foreign.push_back(std::move(record));
  }

  // Loads the data, opens the holdings view, logs in and waits for the answer.
  JqzOrderBaseView* Open(BYTE syncGroup = 1, bool selectAccount = true);
  void WaitForAnswer() { Advance(data_.latencyMs + 50); }
  // Picks the selector's entry whose text is the account's display name (or the
  // all-accounts entry of the kind) and waits for the answer.
  void Choose(JqzOrderBaseView* view, const std::string& entry);
  // The same without waiting.
  void Pick(JqzOrderBaseView* view, const std::string& entry);
  static std::string AllAccountsEntry(int kind);

  JqzOrderStocksDlg* Dialog(const JqzOrderBaseView* view) const;
  HWND Main(const JqzOrderBaseView* view) const { return Control(view, IDC_LIST_MAIN); }
  HWND Names(const JqzOrderBaseView* view) const { return Control(view, IDC_LIST_NAME); }
  int Rows(const JqzOrderBaseView* view) const { return moduletest::ListRows(Main(view)); }
  std::string Cell(const JqzOrderBaseView* view, int row, int col) const {
    return moduletest::ListCell(Main(view), row, col);
  }
  std::string Name(const JqzOrderBaseView* view, int row) const {
    return moduletest::ListCell(Names(view), row, 0);
  }
  static int Top(HWND list) {
    return static_cast<int>(::SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
  }
  static std::string Text(HWND window) { return moduletest::WindowText(window); }
  static bool Visible(HWND window) { return ::IsWindowVisible(window) != FALSE; }
  int Queries() const { return static_cast<int>(Events("query").size()); }
  // A data notice as the back-end posts it to the view.
  static void Notice(JqzOrderBaseView* view, int code, const AccountType& account);

  host::BrokerData data_;
};

}  // namespace inventorytest
