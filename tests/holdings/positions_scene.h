// A holdings view with the classic positions dialog over a broker whose accounts hold
// stocks in every kind, and ways to read the list as a person sees it.
#pragma once

#include <afxwin.h>

#include <CListCtrlEx.h>
#include <resource.h>

#include <string>
#include <vector>

#include "module_fixture.h"

namespace positionstest {

// YYYYMMDD of the local date plus days.
double DateNumber(int days);

// A domestic inventory record; counts by number (1 to 39).
CBaseOrder_StorageStockInfo Record(const char* code, std::initializer_list<std::pair<int, int>> counts);

// The built-in section's items with some left out or added.
host::DisplaySection Section(const std::vector<std::string>& keys);
std::vector<std::string> BuiltInKeys();

class PositionsTest : public moduletest::ModuleTest {
 protected:
  void SetUp() override;

  // The broker of the scene: the sample accounts, holdings for the first, quotes.
  host::BrokerData Scene();
  host::BrokerData& Data() { return data_; }
  void Quote(BYTE market, const char* code, const char* name,
             std::initializer_list<std::pair<WORD, double>> items);
  void Hold(int account, CBaseOrder_StorageStockInfo record);

  // Loads the data, opens the holdings view, logs in and waits for the fill.
  JqzOrderBaseView* Open(BYTE syncGroup = 1);
  // The answer's latency plus the fill's delay.
  void WaitForFill() { Advance(300 + 2000); }

  HWND List(const JqzOrderBaseView* view) const { return Control(view, IDC_LIST_UNOFFSET); }
  CListCtrlEx* ListCtrl(const JqzOrderBaseView* view) const;
  static std::string Text(HWND window);
  std::string Text(const JqzOrderBaseView* view, int id) const { return Text(Control(view, id)); }
  int Rows(const JqzOrderBaseView* view) const;
  // The column whose title is the language text of key; -1 when none.
  int Column(const JqzOrderBaseView* view, const char* key) const;
  std::string Cell(const JqzOrderBaseView* view, int row, const char* key) const;
  std::vector<std::string> Titles(const JqzOrderBaseView* view) const;
  int Queries() const { return static_cast<int>(Events("query").size()); }
  // A data or error notice as the back-end posts it to the view.
  static void Notice(JqzOrderBaseView* view, UINT message, int code, const char* account);
  // Replaces one text of the language table.
  void SetLanguageText(const std::string& key, const std::string& utf8Text);

  host::BrokerData data_;
};

}  // namespace positionstest
