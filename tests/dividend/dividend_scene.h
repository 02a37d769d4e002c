// A dividend view in the miniature terminal: the broker with dividend records for the
// sample accounts, the clock on 2025-03-14 09:00, and what a person does and reads.
#pragma once

#include <string>
#include <vector>

#include <input/input.h>

#include "JqzStockDividendCalcDlg.h"
#include "module_fixture.h"

namespace dividendtest {

// Rate 3.5, 3,000 shares held, paid 2024/07/11 (cash) and 2024/08/20 (stock), source 盈餘.
CBaseOrder_StockDividendInfo Record(const char* date, const char* name, const char* code,
                                    const char* type, double cash, double stockQty = 0);
// Account 0 earned cash 10,500 and 12,000 and 120 shares, and holds two stocks about to
// go ex-dividend; account 1 earned one distribution.
host::BrokerData DividendBroker();

class DividendTest : public moduletest::ModuleTest {
 protected:
  void SetUp() override;

  // A dividend view after login; the login's query has been answered unless told not.
  JqzOrderBaseView* Open(BYTE syncGroup = 0, bool bAnswered = true);
  JqzStockDividendCalcDlg* Dlg() const;
  HWND Item(int id, const JqzOrderBaseView* view = nullptr) const;

  // The broker's dividend queries since the last ClearEvents().
  std::vector<nlohmann::json> Queries() const;
  // Clicks the query button and gives the one query it sent (null when none or more).
  nlohmann::json Query();
  void Click(int id) { input::ClickButton(Item(id)); }
  // Sets a date picker field by field with the keyboard.
  void PickDate(int id, int year, int month, int day);
  void ChooseInterval(int itemData);

  std::string Text(int id) const;
  bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
  bool Visible(int id) const { return ::IsWindowVisible(Item(id)) != FALSE; }
  int Rows(const JqzOrderBaseView* view = nullptr) const;
  std::string Cell(int row, int column) const;
  std::vector<std::string> Line(int row) const;
  std::vector<std::string> Columns() const;
  // The tip over the list while it shows; empty when hidden.
  std::string TipText() const;

  JqzOrderBaseView* view_ = nullptr;
};

// A language text as the controls give it (CP950).
std::string Lang(const char* key);
std::vector<std::string> Langs(std::initializer_list<const char*> keys);

}  // namespace dividendtest
