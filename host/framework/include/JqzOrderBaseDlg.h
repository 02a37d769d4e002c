// JqzOrderBaseDlg: the base of the dialogs that fill a trading view: the account
// selector and list, the current account, display style and fonts, the item group of
// its list, the tip window, and helpers for lists and layout.
#pragma once

#include <afxwin.h>

#include <vector>

#include "AccountType.h"
#include "CBaseOrderItemGroup.h"
#include "CQzComboBox.h"

class CBaseOrder_OrderInfo;
class CDlgTipMsg;
class CListCtrlEx;
class JqzOrderBaseView;

// The order settings a dialog consults; one record shared by all dialogs.
struct QzOrderSetting {
  BYTE m_byConfirmOrder = 1;  // 1: every order is confirmed before it is sent
  BYTE m_byShowOrderOK = 1;   // 1: a sent order is reported
};
// The shared record, read from OrderCfg.ini [ORDER_SETTING] CONFIRM_ORDER, SHOW_ORDER_OK
// (default 1 each) the first time it is needed.
QzOrderSetting* QzGetOrderSetting();
// Reads the record from OrderCfg.ini again.
void QzReloadOrderSetting();

class JqzOrderBaseDlg : public CDialog {
  DECLARE_DYNAMIC(JqzOrderBaseDlg)
 public:
  explicit JqzOrderBaseDlg(CWnd* pParent = nullptr);
  ~JqzOrderBaseDlg() override;

  // Virtual operations, in the order of the host's table.
  virtual BOOL bCreate(UINT nIDTemplate, CWnd* pParent);
  virtual void vSetActiveAccount(const AccountType& account);
  virtual int nGetOrderSide();
  virtual void vChangeDisplayStyle(int nStyle);
  virtual void vSetDisplayStyle(int nStyle);
  virtual void vSetViewByODI(CBaseOrder_OrderInfo* pOrder);
  virtual bool bCheckTradeMonth(const CString& strMonth);
  virtual bool bCheckTradeCommodity(const CString& strCommodity);
  virtual void vSetOrderTypeForInsert(int nOrderType);
  virtual bool bBuildODOI(CBaseOrder_OrderInfo* pOrder);
  virtual void vFillCRDB();
  virtual void OBT_recvAccountChanged(AccountType account);
  virtual void vChangeCast(CFont* pFont);
  virtual void vItemDisplayChange();
  virtual void vChangeDlgCast();
  virtual void vChangeActiveAccount(const AccountType& account);

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // Binds the account selector (control 2183) when the template has one.
  void DoDataExchange(CDataExchange* pDX) override;
  // A dialog inside a view does not close on Enter or Escape.
  void OnOK() override;
  void OnCancel() override;

  // Tips over a window (the texts are the host's): 0 "querying" over the anchor for
  // nMilliseconds, 1 "no data" over the anchor, 2 hides the tip, 3 "the query may be
  // sent again" over the anchor. nTop is the distance from the anchor's top (below its
  // header). Other kinds do nothing.
  void vShowListDlgTipMsg(int nKind, CWnd* pAnchor, int nTop, int nMilliseconds);
  // "<account>-<sub account> <name>"; with bWithKind the market's short name first
  // ("國內", "海外"). An all-accounts entry shows its account number and kind.
  void vGetAccountDisplayName(const AccountType& account, CString& strName, bool bWithKind) const;
  // The parent view's sync group; 0 without a view.
  BYTE GetViewSyncType() const;
  // List style, applied by vListCtrlInitial: nSelect 1 full-row selection; nSort 6
  // sorts by a click on a column header (0 no sorting); nLines 1 grid lines, 2 grid
  // lines and alternate row shading; pFont the list font (null: the view's list font).
  void vInitialStyle(CListCtrlEx& list, int nSelect, int nSort, int nLines, CFont* pFont);
  void vInitialStyle(CListCtrlEx* pList, int nSelect, int nSort, int nLines, CFont* pFont);
  void vListCtrlInitial();
  // Sets each column to fit its title and cells, at least the width the item group
  // gives the column.
  void vOBT_ChangeListCtrlColumnWidth(CListCtrl& list);
  void vOBT_ChangeListCtrlColumnWidth(CListCtrl* pList);
  // Lays the dialog over the view's client area and the list below nTop: the list
  // spans from nLeft to the right edge and down to nBottom above the bottom edge; the
  // anchor keeps its place nRight from the right edge. bKeepWidth, bKeepHeight keep the
  // list's size in that direction; pExtra1, pExtra2 are moved with the anchor.
  void vResizeCtrl(CWnd* pAnchor, CWnd* pView, CWnd* pList, int nTop, int nRight, int nLeft,
                   int nBottom, bool bKeepWidth, bool bKeepHeight, CWnd* pExtra1,
                   CWnd* pExtra2);
  // A length in pixels at 96 dpi scaled to the screen's resolution.
  int O_iDlgCalTransDevScale(int nLength) const;

  JqzOrderBaseView* m_pParentView;   // parent view
  std::vector<AccountType> m_vecAccount;  // account list
  AccountType m_CurAccount;           // current account
  CQzComboBox m_comboAccount;         // account selector (control 2183 of the dialogs)
  int m_iDisplayStyle;                // display-style code (7: the compact cast)
  CFont m_DlgFont;                    // dialog font
  QzOrderSetting* m_pOrderSetting;    // settings record (order confirmation flag)
  CBaseOrderItemGroup m_itemGroup;    // item model of the dialog's list
  CDlgTipMsg* m_pDlgTipMsg;           // tip window, made on first use

 protected:
  afx_msg void OnDestroy();
  afx_msg void OnSetfocusComboAccount();
  afx_msg void OnKillfocusComboAccount();

  CListCtrlEx* m_pStyleList;  // the list vInitialStyle named
  int m_nStyleSelect;
  int m_nStyleSort;
  int m_nStyleLines;
  CFont* m_pStyleFont;
  int m_nComboSelOnFocus;

  DECLARE_MESSAGE_MAP()
};
