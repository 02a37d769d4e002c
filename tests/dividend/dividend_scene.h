// A dividend view in the miniature terminal: the broker with dividend records for the
// sample accounts, the clock on a known day, and what a person reads off the dialog.
#pragma once

#include <string>
#include <vector>

#include "JqzStockDividendCalcDlg.h"
#include "module_fixture.h"

namespace dividendtest {

// 2025-03-14 09:00:00, a Friday.
inline constexpr WORD kYear = 2025, kMonth = 3, kDay = 14;

CBaseOrder_StockDividendInfo Record(const char* date, const char* name, const char* code,
                                    const char* type, double cash, double stockQty = 0);
// The sample broker; account 0 earned three distributions (cash 10,500 and 12,000, and
// 120 shares) and has two holdings about to go ex-dividend; account 1 earned one.
host::BrokerData DividendBroker();

class DividendTest : public moduletest::ModuleTest {
 protected:
  void SetUp() override;

  // A dividend view after login; the login's query has been answered unless
  // bAnswered is false.
  JqzOrderBaseView* Open(BYTE syncGroup = 0, bool bAnswered = true);
  JqzStockDividendCalcDlg* Dlg(const JqzOrderBaseView* view = nullptr) const;
  HWND Item(int id, const JqzOrderBaseView* view = nullptr) const;

  // The broker's dividend queries since the last ClearEvents().
  std::vector<nlohmann::json> Queries() const;
  void Click(int id, const JqzOrderBaseView* view = nullptr);
  // A person sets the picker field by field with the keyboard.
  void PickDate(int id, WORD year, WORD month, WORD day);
  void ChooseInterval(int itemData);

  std::string Text(int id, const JqzOrderBaseView* view = nullptr) const;
  bool Enabled(int id, const JqzOrderBaseView* view = nullptr) const;
  bool Visible(int id, const JqzOrderBaseView* view = nullptr) const;
  // The results list as a person reads it.
  int Rows(const JqzOrderBaseView* view = nullptr) const;
  std::string Cell(int row, int column, const JqzOrderBaseView* view = nullptr) const;
  std::vector<std::string> Columns(const JqzOrderBaseView* view = nullptr) const;
  std::string TipText() const;

  JqzOrderBaseView* view_ = nullptr;
};

// Language text or literal (CP950 bytes) as the std::string the controls give.
std::string Lang(const char* key);

}  // namespace dividendtest
