// A small module for the terminal's tests: it registers one host view, QzProbeView, which
// writes to the host's log what it was given and when (restore, initial update, size),
// counts its saves in its settings, and on its button exports its list and shows a tip.
#include <afxwin.h>

#include "CDlgTipMsg.h"
#include "JqzCfgIO2.h"
#include "JqzOrderBaseView.h"
#include "ViewDataHelpers.h"

class QzProbeView : public JqzOrderBaseView {
  DECLARE_DYNCREATE(QzProbeView)
 public:
  enum { IDC_EXPORT = 100, IDC_LIST = 101 };

  int InitialViewInfo(JqzCfgIO2* pCfg, const CString& strLayout, const int& nViewIndex,
                      const int& nExtra, const CString& strTitle) override {
    InitialViewBaseInfo("QzProbeView", pCfg, strLayout, nViewIndex, nExtra);
    Say("restore", "group=%d select=%d saves=%d updated=%d", m_bySyncType, m_bySelAccount, m_iParam,
        m_bUpdated ? 1 : 0);
    (void)strTitle;
    return 0;
  }
  int SaveViewInfo(JqzCfgIO2* pCfg, const CString& strLayout, const int& nViewIndex,
                   const int& nExtra) override {
    ++m_iParam;
    return SaveViewBaseInfo("QzProbeView", pCfg, strLayout, nViewIndex, nExtra);
  }
  void OnInitialUpdate() override {
    m_bUpdated = true;
    CRect client;
    GetClientRect(&client);
    const DWORD child = WS_CHILD | WS_VISIBLE;
    m_export.Create("匯出", child | BS_PUSHBUTTON, CRect(4, 4, 84, 26), this, IDC_EXPORT);
    m_list.Create(child | LVS_REPORT, CRect(4, 30, client.right - 4, client.bottom - 4), this, IDC_LIST);
    m_list.InsertColumn(0, "股票", LVCFMT_LEFT, 100);
    m_list.InsertItem(0, "2330");
    Say("update", "group=%d panes=%d size=%dx%d", m_bySyncType,
        static_cast<int>(GetParentFrame()->GetPanes().size()), client.Width(), client.Height());
    JqzOrderBaseView::OnInitialUpdate();
  }

 protected:
  afx_msg void OnSize(UINT nType, int cx, int cy) {
    JqzOrderBaseView::OnSize(nType, cx, cy);
    if (m_bUpdated) Say("size", "%dx%d", cx, cy);
  }
  afx_msg void OnExport() {
    g_DataExport(m_list);
    if (!::IsWindow(m_tip.GetSafeHwnd()) && !m_tip.Create(IDD_QZ_TIPMSG, nullptr)) {
      Say("tip", "%s", "not created");
      return;
    }
    m_tip.vSetInfo(this, "已匯出", RGB(0, 0, 0), RGB(255, 255, 225), 1000, true);
    m_tip.vShow(this, 0, 0, true);
  }
  DECLARE_MESSAGE_MAP()

 private:
  template <typename... Args>
  void Say(const char* what, const char* format, Args... args) {
    CString text, line;
    text.Format(format, args...);
    line.Format("probe %s %s: %s", what, GetRuntimeClass()->m_lpszClassName, text.GetString());
    g_ClientbWriteLog(line);
  }

  bool m_bUpdated = false;
  CButton m_export;
  CListCtrl m_list;
  CDlgTipMsg m_tip;
};

IMPLEMENT_DYNCREATE(QzProbeView, JqzOrderBaseView)
BEGIN_MESSAGE_MAP(QzProbeView, JqzOrderBaseView)
  ON_WM_SIZE()
  ON_BN_CLICKED(IDC_EXPORT, OnExport)
END_MESSAGE_MAP()

namespace {
AFX_EXTENSION_MODULE probeDll = {FALSE, nullptr, nullptr};
}  // namespace

extern "C" __attribute__((visibility("default"))) BOOL DllMain(HINSTANCE hInstance, DWORD dwReason,
                                                                LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(probeDll, hInstance)) return FALSE;
    new CDynLinkLibrary(probeDll);
  } else if (dwReason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(probeDll);
  }
  return TRUE;
}
