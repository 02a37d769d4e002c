// The logged-in user of an account, and an order's status record.
#pragma once

#include <afxstr.h>

class CBaseOrder_UserInfo {
 public:
  CString m_strUserID;
  CString m_strUserName;
  CString m_strBrokerID;
  CString m_strBrokerName;
  CString m_strAccount;
};

class CBaseOrderStatus {
 public:
  CString m_strSN;
  CString m_strOrderNo;
  int m_nStatus = 0;  // ORDER_STATUS_
  CString m_strMessage;
};

#define ORDER_STATUS_ACCEPTED 1
#define ORDER_STATUS_REJECTED 2
#define ORDER_STATUS_LISTED 3
