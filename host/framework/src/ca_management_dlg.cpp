#include "JqzCAManagementDlg.h"

#include "CAutoDllResource.h"
#include "ViewDataHelpers.h"
#include "host/resources.h"

IMPLEMENT_DYNAMIC(JqzCAManagementDlg, CDialog)

BEGIN_MESSAGE_MAP(JqzCAManagementDlg, CDialog)
  ON_BN_CLICKED(IDC_QZ_CA_IMPORT, OnImport)
END_MESSAGE_MAP()

JqzCAManagementDlg::JqzCAManagementDlg(const CString& strCertID, const CString& strAccount,
                                       CWnd* pParent)
    : CDialog(IDD_QZ_CAMANAGEMENT, pParent),
      m_strCertID(strCertID),
      m_strAccount(strAccount),
      m_bImport(false) {}

JqzCAManagementDlg::~JqzCAManagementDlg() = default;

INT_PTR JqzCAManagementDlg::DoModal() {
  CAutoDllResource guard(host::HostResourceHandle());
  return CDialog::DoModal();
}

BOOL JqzCAManagementDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_QZ_CA_ACCOUNT, "帳號：" + m_strAccount);
  SetDlgItemText(IDC_QZ_CA_STATUS,
                 m_strCertID.IsEmpty()
                     ? CString("此帳號的憑證與委託主機的資料不一致，請重新匯入憑證。")
                     : "憑證：" + m_strCertID);
  return TRUE;
}

void JqzCAManagementDlg::OnImport() {
  m_bImport = true;
  MessageBox("請插入憑證載具，匯入後重新登入即可使用。", g_cszProductName, MB_OK | MB_ICONINFORMATION);
}
