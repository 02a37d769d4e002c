#include "CDlgTipMsg.h"

#include "CAutoDllResource.h"
#include "host/environment.h"
#include "host/resources.h"

namespace {
constexpr UINT_PTR kHideTimer = 1;
}  // namespace

IMPLEMENT_DYNAMIC(CDlgTipMsg, CDialog)

BEGIN_MESSAGE_MAP(CDlgTipMsg, CDialog)
  ON_WM_TIMER()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CDlgTipMsg::CDlgTipMsg(CWnd* pOwner)
    : m_pOwner(pOwner),
      m_hAnchor(nullptr),
      m_clrText(RGB(0, 0, 0)),
      m_clrBk(RGB(255, 255, 225)),
      m_nMilliseconds(0),
      m_bAutoHide(false),
      m_nKind(-1) {
  m_brBk.CreateSolidBrush(m_clrBk);
}

CDlgTipMsg::~CDlgTipMsg() = default;

BOOL CDlgTipMsg::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  if (::IsWindow(m_hWnd)) return FALSE;
  CAutoDllResource guard(host::HostResourceHandle());
  return CDialog::Create(nIDTemplate, pParentWnd);
}

BOOL CDlgTipMsg::OnInitDialog() {
  CDialog::OnInitDialog();
  return FALSE;  // a tip never takes the focus
}

void CDlgTipMsg::vSetInfo(CWnd* pAnchor, const CString& strText, COLORREF clrText,
                          COLORREF clrBk, int nMilliseconds, bool bAutoHide) {
  if (pAnchor) m_hAnchor = pAnchor->GetSafeHwnd();
  m_strText = strText;
  m_clrText = clrText;
  if (clrBk != m_clrBk || !m_brBk.GetSafeHandle()) {
    m_clrBk = clrBk;
    m_brBk.DeleteObject();
    m_brBk.CreateSolidBrush(clrBk);
  }
  m_nMilliseconds = nMilliseconds < 0 ? 0 : nMilliseconds;
  m_bAutoHide = bAutoHide;
  m_nKind = -1;
  if (::IsWindow(m_hWnd)) SetDlgItemText(IDC_QZ_TIPMSG_TEXT, m_strText);
}

void CDlgTipMsg::vShow(CWnd* pAnchor, int x, int y, bool bCenter) {
  if (!::IsWindow(m_hWnd)) return;
  if (pAnchor) m_hAnchor = pAnchor->GetSafeHwnd();
  KillTimer(kHideTimer);
  SetDlgItemText(IDC_QZ_TIPMSG_TEXT, m_strText);
  CRect tip;
  GetWindowRect(&tip);
  CRect anchor(0, 0, tip.Width(), tip.Height());
  if (m_hAnchor && ::IsWindow(m_hAnchor)) ::GetWindowRect(m_hAnchor, &anchor);
  int left = anchor.left + x;
  if (bCenter) left = anchor.left + (anchor.Width() - tip.Width()) / 2 + x;
  SetWindowPos(nullptr, left, anchor.top + y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(SW_SHOWNOACTIVATE);
  host::HostEvent shown;
  shown.kind = host::HostEvent::Kind::kTip;
  shown.text = m_strText.str();
  shown.tipKind = m_nKind;
  host::Notify(shown);
  if (m_bAutoHide && m_nMilliseconds > 0) SetTimer(kHideTimer, static_cast<UINT>(m_nMilliseconds), nullptr);
}

void CDlgTipMsg::vHide() {
  if (!::IsWindow(m_hWnd)) return;
  KillTimer(kHideTimer);
  ShowWindow(SW_HIDE);
}

void CDlgTipMsg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kHideTimer) {
    vHide();
    return;
  }
  CDialog::OnTimer(nIDEvent);
}

HBRUSH CDlgTipMsg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  (void)pWnd;
  if (pDC && (nCtlColor == CTLCOLOR_STATIC || nCtlColor == CTLCOLOR_DLG)) {
    pDC->SetTextColor(m_clrText);
    pDC->SetBkColor(m_clrBk);
  }
  return static_cast<HBRUSH>(m_brBk.m_hObject);
}
