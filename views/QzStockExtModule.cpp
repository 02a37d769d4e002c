#include "QzStockExtModule.h"

#include <CAutoDllResource.h>
#include <JqzOrderBaseDlg.h>
#include <afxmodule.h>

#include <module_resources.h>

const UINT g_nQzMsgSendChangeAccount = ::RegisterWindowMessageA("QZMSG_SENDCHANGEACCOUNT");
const UINT g_nQzMsgSendOrder = ::RegisterWindowMessageA("QZMSG_SENDORDER");

namespace {
AFX_EXTENSION_MODULE g_stockExtDll = {FALSE, nullptr, nullptr};
}  // namespace

HINSTANCE QzGetStockExtInstance() {
  return g_stockExtDll.bInitialized ? g_stockExtDll.hResource : nullptr;
}

bool QzCreateModuleDialog(JqzOrderBaseDlg& dlg, UINT nIDTemplate) {
  CAutoDllResource module(QzGetStockExtInstance());
  if (!dlg.bCreate(nIDTemplate, dlg.m_pParentWnd)) return false;
  dlg.ShowWindow(SW_SHOW);
  return true;
}

extern "C" __attribute__((visibility("default"))) BOOL DllMain(HINSTANCE hInstance, DWORD dwReason,
                                                                LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    // Without its messages or its place in the chain the views could neither be found
    // nor hear their sync group: fail the load rather than run half-registered.
    if (g_nQzMsgSendChangeAccount == 0 || g_nQzMsgSendOrder == 0) return FALSE;
    if (!AfxInitExtensionModule(g_stockExtDll, hInstance)) return FALSE;
    new CDynLinkLibrary(g_stockExtDll);
    if (!qzres::RegisterDialogTemplates(g_stockExtDll.hResource)) {
      AfxTermExtensionModule(g_stockExtDll);
      return FALSE;
    }
  } else if (dwReason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(g_stockExtDll);
  }
  return TRUE;
}
