// JqzVirtualBaseView: the root of the host's views. A view has a caption (its tab
// text) and a view-kind code, restores and saves its settings per layout slot, and
// hears quote-memory answers.
#pragma once

#include <afxwin.h>

class CMultiSymbolMemoryInfo;
class JqzCfgIO2;

class JqzVirtualBaseView : public CView {
  DECLARE_DYNAMIC(JqzVirtualBaseView)
 public:
  JqzVirtualBaseView();
  ~JqzVirtualBaseView() override;

  void OnDraw(CDC* pDC) override;

  // The quote service restored its memory for several symbols.
  virtual void vRecvMultiSymbolMemoryRecovery(const CMultiSymbolMemoryInfo* pInfo);
  // Saves the view into its layout slot (viewIndex of layoutName).
  virtual int SaveViewInfo(JqzCfgIO2* pCfg, const CString& strLayout, const int& nViewIndex,
                           const int& nExtra);
  // Restores the view from its layout slot; title is the tab text the layout shows.
  virtual int InitialViewInfo(JqzCfgIO2* pCfg, const CString& strLayout, const int& nViewIndex,
                              const int& nExtra, const CString& strTitle);

  CString m_strCaption;  // caption text (tab text)
  int m_iViewType;       // view-kind code (9 stock holdings, 5 dividend calculation)
};
