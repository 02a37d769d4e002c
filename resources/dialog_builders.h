// One builder per dialog template; each file of this folder holds one.
#pragma once

#include <templates/dialog_template.h>

#include <optional>

namespace qzres {

struct DialogSource {
  templates::DialogTemplate dialog;
  std::optional<templates::DlgInit> init;
};

DialogSource BuildStockInventory();     // 2253
DialogSource BuildStockUnoffset();      // 28233
DialogSource BuildSetAvgDealPrice();    // 28235
DialogSource BuildStockDividendCalc();  // 26017

}  // namespace qzres
