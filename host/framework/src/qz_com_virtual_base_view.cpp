#include "QzComVirtualBaseView.h"

#include "AccountType.h"
#include "ViewDataHelpers.h"

IMPLEMENT_DYNAMIC(QzComVirtualBaseView, JqzVirtualBaseView)

QzComVirtualBaseView::QzComVirtualBaseView() : m_bySelAccount(1), m_bySyncType(0), m_bChange(0) {}
QzComVirtualBaseView::~QzComVirtualBaseView() = default;

void QzComVirtualBaseView::vChangeAccount(const CView* pSender, unsigned char bySyncType,
                                          const AccountType& account) {
  (void)pSender, (void)bySyncType, (void)account;
}

void QzComVirtualBaseView::vChangeCast() {}

CFont* QzComVirtualBaseView::GetListFont() {
  if (!m_ListFont.GetSafeHandle()) {
    const CString file = g_vGetOrderCfgFileName();
    char face[LF_FACESIZE] = {};
    GetPrivateProfileStringA("DISPLAY", "LIST_FONT_FACE", "Tahoma", face, sizeof face, file);
    int points = static_cast<int>(GetPrivateProfileIntA("DISPLAY", "LIST_FONT_SIZE", 9, file));
    if (points < 6 || points > 36) points = 9;
    const CString faceName = face[0] ? CString(face) : CString("Tahoma");
    if (!m_ListFont.CreatePointFont(points * 10, faceName))
      m_ListFont.CreatePointFont(90, "Tahoma");
  }
  return &m_ListFont;
}
