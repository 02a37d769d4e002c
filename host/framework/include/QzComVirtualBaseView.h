// QzComVirtualBaseView: what every trading view shares: its synchronisation group,
// whether it lets the user choose the account, and the list font it hands its dialog.
#pragma once

#include "JqzVirtualBaseView.h"

class AccountType;

class QzComVirtualBaseView : public JqzVirtualBaseView {
  DECLARE_DYNAMIC(QzComVirtualBaseView)
 public:
  QzComVirtualBaseView();
  ~QzComVirtualBaseView() override;

  // Sync group; 0: the view follows no group.
  BYTE GetSyncType() const { return m_bySyncType; }
  void SetSyncType(BYTE bySyncType) { m_bySyncType = bySyncType; }
  // Whether a view outside any group (sync group 0) follows the account changes of
  // other such views.
  bool bGetChange() const { return m_bChange != 0; }
  void SetChange(bool bChange) { m_bChange = bChange ? 1 : 0; }

  // An account change from another view (the framework's direct form of the
  // registered account-change message).
  virtual void vChangeAccount(const CView* pSender, unsigned char bySyncType,
                              const AccountType& account);
  // The list font changed (or the settings were restored): hand it on.
  virtual void vChangeCast();
  // The list font: face and size from OrderCfg.ini [DISPLAY] LIST_FONT_FACE,
  // LIST_FONT_SIZE (points), default 9-point "Tahoma".
  CFont* GetListFont();

  BYTE m_bySelAccount;  // account-selection flag: 0 keeps the dialog's selector disabled
  BYTE m_bySyncType;    // sync group
  BYTE m_bChange;       // see bGetChange

 protected:
  CFont m_ListFont;
};
