// JqzFinanceStockUnoffsetDlg: the classic positions dialog (template 28233), the
// holdings view's default dialog.
#pragma once

#include "JqzFinanceBaseStockUnoffsetDlg.h"

class JqzFinanceStockUnoffsetDlg : public JqzFinanceBaseStockUnoffsetDlg {
  DECLARE_DYNAMIC(JqzFinanceStockUnoffsetDlg)
 public:
  explicit JqzFinanceStockUnoffsetDlg(CWnd* pParent);
  ~JqzFinanceStockUnoffsetDlg() override;

  bool bCreateDlg() override;

 protected:
  DECLARE_MESSAGE_MAP()
};
