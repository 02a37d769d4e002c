// CDlgSetAvgDealPrice: the modal average-cost dialog (template 28235). The user picks
// one board-lot cash or margin position of the account and types its new average
// cost; the caller reads m_selected and m_dPrice after IDOK.
#pragma once

#include <CBaseOrder_Commodity.h>
#include <afxwin.h>

#include <vector>

class CDlgSetAvgDealPrice : public CDialog {
  DECLARE_DYNAMIC(CDlgSetAvgDealPrice)
 public:
  CDlgSetAvgDealPrice(const std::vector<CBaseOrder_Commodity>& stocks, CWnd* pParent);
  ~CDlgSetAvgDealPrice() override;

  INT_PTR DoModal() override;

  CBaseOrder_Commodity m_selected;  // on OK; cleared on Cancel
  double m_dPrice;                  // on OK; 0.0 on Cancel

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  CEdit m_editPrice;
  CComboBox m_comboStock;
  std::vector<CBaseOrder_Commodity> m_stocks;

  DECLARE_MESSAGE_MAP()
};
