#include "JqzOrderStocksDlg.h"

#include <resource.h>

#include "QzStockExtModule.h"

IMPLEMENT_DYNAMIC(JqzOrderStocksDlg, JqzFinanceBaseStockUnoffsetDlg)

BEGIN_MESSAGE_MAP(JqzOrderStocksDlg, JqzFinanceBaseStockUnoffsetDlg)
END_MESSAGE_MAP()

JqzOrderStocksDlg::JqzOrderStocksDlg(CWnd* pParent) : JqzFinanceBaseStockUnoffsetDlg(pParent) {}

JqzOrderStocksDlg::~JqzOrderStocksDlg() = default;

bool JqzOrderStocksDlg::bCreateDlg() { return QzCreateModuleDialog(*this, IDD_STOCK_INVENTORY); }
