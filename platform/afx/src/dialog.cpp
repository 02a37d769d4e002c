// CDialog: the dialog manager creates the window from a template; the object
// joins it at WM_INITDIALOG and from then on sees its messages first, with the
// dialog manager's own handling as the default.
#include "afxdialog.h"

#include <templates/dialog_template.h>

#include "afx_internal.h"
#include "afxmodule.h"

namespace {
// The dialog being created; WM_INITDIALOG carries it as its parameter.
CDialog* g_pendingDialog = nullptr;
}  // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_lpszTemplateName(nullptr), m_nIDHelp(0), m_pParentWnd(nullptr), m_lpDialogInit(nullptr) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)),
      m_nIDHelp(nIDTemplate),
      m_pParentWnd(pParentWnd),
      m_lpDialogInit(nullptr) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName),
      m_nIDHelp(0),
      m_pParentWnd(pParentWnd),
      m_lpDialogInit(nullptr) {}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  CDialog* dlg = nullptr;
  if (CWnd* w = CWnd::FromHandlePermanent(hWnd)) {
    dlg = DYNAMIC_DOWNCAST(CDialog, w);
  } else if (g_pendingDialog && reinterpret_cast<CDialog*>(lParam) == g_pendingDialog) {
    dlg = g_pendingDialog;
    g_pendingDialog = nullptr;
    if (!dlg->SubclassWindow(hWnd)) return FALSE;
  }
  if (!dlg) return FALSE;
  afx_internal::PushCurrentMessage(hWnd, message, wParam, lParam);
  const BOOL result = dlg->OnInitDialog();
  afx_internal::PopCurrentMessage();
  return result;
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HINSTANCE hInst, CWnd* pParentWnd) {
  if (m_hWnd || !lpTemplate) return FALSE;
  if (pParentWnd) m_pParentWnd = pParentWnd;
  CDialog* outer = g_pendingDialog;
  g_pendingDialog = this;
  HWND hWnd = CreateDialogIndirectParamA(hInst, lpTemplate, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr,
                                         AfxDlgProc, reinterpret_cast<LPARAM>(this));
  if (g_pendingDialog == this) g_pendingDialog = outer;
  if (!hWnd) return FALSE;
  return m_hWnd == hWnd;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  HINSTANCE hInst = nullptr;
  const void* init = nullptr;
  const DLGTEMPLATE* tmpl = AfxFindDialogTemplate(lpszTemplateName, &hInst, &init);
  if (!tmpl) return FALSE;
  m_lpszTemplateName = lpszTemplateName;
  m_lpDialogInit = init;
  return CreateFromTemplate(tmpl, hInst, pParentWnd);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_nIDHelp = nIDTemplate;
  return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd,
                             const void* lpDialogInit, HINSTANCE hInst) {
  m_lpDialogInit = lpDialogInit;
  return CreateFromTemplate(lpDialogTemplate, hInst ? hInst : AfxGetResourceHandle(), pParentWnd);
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd) return -1;
  HINSTANCE hInst = nullptr;
  const void* init = nullptr;
  const DLGTEMPLATE* tmpl = AfxFindDialogTemplate(m_lpszTemplateName, &hInst, &init);
  if (!tmpl) return -1;
  m_lpDialogInit = init;
  CDialog* outer = g_pendingDialog;
  g_pendingDialog = this;
  INT_PTR result = DialogBoxIndirectParamA(hInst, tmpl, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr,
                                           AfxDlgProc, reinterpret_cast<LPARAM>(this));
  if (g_pendingDialog == this) g_pendingDialog = outer;
  return result;
}

BOOL CDialog::OnInitDialog() {
  if (m_lpDialogInit && !ExecuteDlgInit(m_lpDialogInit)) return FALSE;
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
  if (m_hWnd) ::EndDialog(m_hWnd, nResult);
}

void CDialog::SetDefID(UINT nID) { SendMessage(DM_SETDEFID, nID); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }
void CDialog::NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (pWndCtrl) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
}

BOOL CDialog::ExecuteDlgInit(LPCTSTR lpszResourceName) {
  const void* init = nullptr;
  if (!AfxFindDialogTemplate(lpszResourceName, nullptr, &init)) return FALSE;
  return init ? ExecuteDlgInit(init) : TRUE;
}

BOOL CDialog::ExecuteDlgInit(const void* lpResource) {
  if (!lpResource) return TRUE;
  return templates::ExecuteDlgInit(m_hWnd, lpResource) ? TRUE : FALSE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (!pMsg || !m_hWnd) return FALSE;
  if (pMsg->message < WM_KEYDOWN || pMsg->message > WM_SYSKEYUP) return FALSE;
  return ::IsDialogMessageA(m_hWnd, pMsg);
}
