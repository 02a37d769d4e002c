// AccountType: the host's securities account record, passed to almost every back-end call.
#pragma once

#include <afxstr.h>

// Account kinds of field 4.
#define ACCOUNTTYPE_DOMESTIC_STOCK 65  // 'A'
#define ACCOUNTTYPE_FOREIGN_STOCK 51   // '3'

class AccountType {
 public:
  CString m_strBrokerID;      // 1: first key, matched with a notice's first key
  CString m_strAccount;       // 2: account number (empty: no account)
  CString m_strName;          // 3: holder's name
  int m_nAccountType = 0;     // 4: 65 domestic, 51 foreign securities
  CString m_strUserID;        // 5
  CString m_strBranchName;    // 6
  CString m_strSubAccount;    // 7: shown after the account number in lists and certificates
  CString m_strCertID;        // 8
  CString m_strDividendType;  // 9: dividend-type filter: "", "1" or "2"
  BYTE m_byFlag = 0;          // 10
  int m_nIndex = 0;           // 11

  // Accounts are the same when fields 1, 2, 4, 7 and 8 agree; the others are descriptive.
  bool operator==(const AccountType& other) const {
    return m_strBrokerID == other.m_strBrokerID && m_strAccount == other.m_strAccount &&
           m_nAccountType == other.m_nAccountType && m_strSubAccount == other.m_strSubAccount &&
           m_strCertID == other.m_strCertID;
  }
  bool operator!=(const AccountType& other) const { return !(*this == other); }
};
