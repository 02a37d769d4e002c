// CDialog: dialogs from templates found along the resource chain, modeless or modal.
#pragma once

#include "afxwnd.h"

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

  virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr,
                      const void* lpDialogInit = nullptr, HINSTANCE hInst = nullptr);
  // Runs the dialog through the platform's modal loop (answered by the
  // responder when no person is there); -1 when the template is not found.
  virtual INT_PTR DoModal();
  // Keyboard navigation of a modeless dialog.
  BOOL PreTranslateMessage(MSG* pMsg) override;

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  void EndDialog(int nResult);

  void SetDefID(UINT nID);
  DWORD GetDefID() const;
  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void GotoDlgCtrl(CWnd* pWndCtrl);
  BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
  BOOL ExecuteDlgInit(const void* lpResource);

  LPCTSTR m_lpszTemplateName;
  UINT m_nIDHelp;
  CWnd* m_pParentWnd;

 protected:
  const void* m_lpDialogInit;
  BOOL CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HINSTANCE hInst, CWnd* pParentWnd);
  friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()
};
