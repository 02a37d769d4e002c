// JqzOrderStocksDlg: the inventory dialog (template 2253), hosted by the holdings view
// when the order configuration asks for it. For now it only shows its template.
#pragma once

#include <JqzFinanceBaseStockUnoffsetDlg.h>

class JqzOrderStocksDlg : public JqzFinanceBaseStockUnoffsetDlg {
  DECLARE_DYNAMIC(JqzOrderStocksDlg)
 public:
  explicit JqzOrderStocksDlg(CWnd* pParent);
  ~JqzOrderStocksDlg() override;

  bool bCreateDlg() override;

 protected:
  DECLARE_MESSAGE_MAP()
};
