// JqzCAManagementDlg: the host's modal certificate management for an account: it shows
// the account and the state of its certificate and offers to import a new one.
#pragma once

#include <afxwin.h>

#define IDD_QZ_CAMANAGEMENT 8122
#define IDC_QZ_CA_ACCOUNT 1001
#define IDC_QZ_CA_STATUS 1002
#define IDC_QZ_CA_IMPORT 1003

class JqzCAManagementDlg : public CDialog {
  DECLARE_DYNAMIC(JqzCAManagementDlg)
 public:
  // strCertID: the certificate to show (empty: the account's); strAccount: the account
  // number followed by its sub-account.
  JqzCAManagementDlg(const CString& strCertID, const CString& strAccount, CWnd* pParent);
  ~JqzCAManagementDlg() override;

  BOOL OnInitDialog() override;
  INT_PTR DoModal() override;

  const CString& strGetAccount() const { return m_strAccount; }
  bool bImportRequested() const { return m_bImport; }

 protected:
  afx_msg void OnImport();

  CString m_strCertID;
  CString m_strAccount;
  bool m_bImport;

  DECLARE_MESSAGE_MAP()
};
