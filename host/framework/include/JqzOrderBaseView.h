// JqzOrderBaseView: a view that hosts one dialog filling its pane and hears the
// order back-end's notices (login, data ready, data error, clear, account list,
// account changes of its sync group).
#pragma once

#include "JqzBaseView.h"

class JqzOrderBaseDlg;
class OrderDataNotice;

class JqzOrderBaseView : public JqzBaseView {
  DECLARE_DYNAMIC(JqzOrderBaseView)
 public:
  JqzOrderBaseView();
  // The view owns its hosted dialog object and deletes it here.
  ~JqzOrderBaseView() override;

  void OnInitialUpdate() override;
  void OnDraw(CDC* pDC) override;
  void vChangeCast() override;
  // The sync-group rule: not from this view, same group, and in group 0 only while
  // bGetChange(); then vChangeDlgAccount(account, true).
  void vChangeAccount(const CView* pSender, unsigned char bySyncType,
                      const AccountType& account) override;

  // Restores and saves the base settings of the view slot: sync group, account-
  // selection flag, follow flag, account kind, auxiliary integer and the current
  // account's key fields, under the view's name. A slot saved for another view name
  // restores nothing.
  int InitialViewBaseInfo(const CString& strViewName, JqzCfgIO2* pCfg, const CString& strLayout,
                          const int& nViewIndex, const int& nExtra);
  int SaveViewBaseInfo(const CString& strViewName, JqzCfgIO2* pCfg, const CString& strLayout,
                       const int& nViewIndex, const int& nExtra);

  // Host notices. The defaults: vChangeDlgAccount makes the account the dialog's
  // active one; OnChangeAccount applies the sync-group rule and then
  // vChangeDlgAccount(account, true); the data handlers and the others return 0.
  virtual void vChangeDlgAccount(const AccountType& account, bool bRefreshIfSame);
  virtual void OnRefreahData();
  virtual void vRefreshComboBox();
  virtual LRESULT OnLoginSuccess(WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnChangeAccount(WPARAM wParam, LPARAM lParam);
  virtual void OBT_recvRefreshOrderData(int nCode, int nValue);
  virtual LRESULT OnRefreshOrderData(WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnRefreshErrOrderData(WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnClearOrderData(WPARAM wParam, LPARAM lParam);

  // Leaving for a while (the terminal is locked): the dialog is disabled until the
  // next login.
  LRESULT OnLeftTemp(WPARAM wParam, LPARAM lParam);
  // Logout: the dialog is hidden and the current account forgotten.
  LRESULT OnLogout(WPARAM wParam, LPARAM lParam);

  // Lays the hosted dialog over the whole client area (the arguments are not used, so
  // OnSize(0, 0, 0) lays it out again).
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnDestroy();
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

  JqzOrderBaseDlg* m_pBaseDlg;  // hosted dialog

  // The live host view at the address, or null (a notice's sender is checked before use).
  static JqzOrderBaseView* FromViewPointer(const void* pView);

 protected:
  DECLARE_MESSAGE_MAP()
};
