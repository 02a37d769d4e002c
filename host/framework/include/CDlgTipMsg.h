// CDlgTipMsg: the host's tip window: a small borderless popup (template 8119 of the
// host's resources) that shows one text in its colours over a window for a while.
#pragma once

#include <afxwin.h>

#define IDD_QZ_TIPMSG 8119
#define IDC_QZ_TIPMSG_TEXT 1001

class CDlgTipMsg : public CDialog {
  DECLARE_DYNAMIC(CDlgTipMsg)
 public:
  explicit CDlgTipMsg(CWnd* pOwner = nullptr);
  ~CDlgTipMsg() override;

  // Creates the window from the host's template nIDTemplate (8119) without
  // parent window; the owner given at construction receives nothing.
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr) override;
  // What the next vShow shows: the text, its colour and background, and for how long
  // (nMilliseconds; 0 or bAutoHide false: until hidden). pAnchor, when given, becomes
  // the window shown over.
  void vSetInfo(CWnd* pAnchor, const CString& strText, COLORREF clrText, COLORREF clrBk,
                int nMilliseconds, bool bAutoHide);
  // Shows the tip at (x, y) from the anchor's top-left corner (the screen's without an
  // anchor); with bCenter centred across the anchor's width at height y.
  void vShow(CWnd* pAnchor, int x, int y, bool bCenter);
  // The base dialog's tip kind of what vSetInfo set (reported with the tip); vSetInfo
  // resets it to -1.
  void vSetKind(int nKind) { m_nKind = nKind; }
  void vHide();

  const CString& strGetText() const { return m_strText; }
  COLORREF GetTextColor() const { return m_clrText; }
  COLORREF GetBkColor() const { return m_clrBk; }
  int iGetShowTime() const { return m_nMilliseconds; }

  BOOL OnInitDialog() override;

 protected:
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

  CWnd* m_pOwner;
  HWND m_hAnchor;
  CString m_strText;
  COLORREF m_clrText;
  COLORREF m_clrBk;
  int m_nMilliseconds;
  bool m_bAutoHide;
  int m_nKind;
  CBrush m_brBk;

  DECLARE_MESSAGE_MAP()
};
