// OrderDataNotice: what an order-data message carries by pointer in its lParam.
#pragma once

#include <afxstr.h>

class OrderDataNotice {
 public:
  CString m_strKey;      // first key of the account (AccountType field 1)
  CString m_strAccount;  // account number (AccountType field 2)
  int m_nAccountType = 0;
  int m_nValue = -1;
};

// Notice codes carried in an order-data message's wParam.
#define ORDERDATA_NOTIFY_UNOFFSET 1094        // inventory (holdings) ready
#define ORDERDATA_NOTIFY_DIVIDENDCALC 1189    // dividend calculation ready
#define ORDERDATA_NOTIFY_ORDERCHANGED 1101    // the account's orders or fills changed

// Messages the back-end sends to views (WM_USER based, as the host numbers them).
#define WM_ORDER_LOGINSUCCESS 0x04A1     // login completed
#define WM_ORDER_LEFTTEMP 0x0407
#define WM_ORDER_LOGOUT 0x0409
#define WM_ORDER_REFRESHDATA 0x0480      // query answer ready: wParam code, lParam OrderDataNotice*
#define WM_ORDER_REFRESHDATA2 0x0482
#define WM_ORDER_REFRESHDATA3 0x0478
#define WM_ORDER_REFRESHDATA4 0x0476
#define WM_ORDER_REFRESHERRDATA 0x0431   // query failed: wParam code, lParam OrderDataNotice*
#define WM_ORDER_CLEARDATA 0x0461        // clear: wParam code, lParam OrderDataNotice*
#define WM_ORDER_RELOADACCOUNT 0x0493    // the account list changed
