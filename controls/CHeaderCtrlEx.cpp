#include "CHeaderCtrlEx.h"

#include <algorithm>

namespace {
// Spelled the same by the host's print and export, which know nothing of this class.
const UINT s_uGroupCaptionMsg = ::RegisterWindowMessageA("QzHeaderGroupCaption");

// Copies as many whole characters as fit, so a cut never splits a double-byte one.
void CopyWhole(const CString& text, char* out, int room) {
  if (!out || room <= 0) return;
  const char* src = text.GetString();
  int n = 0;
  while (src[n]) {
    const int step = ::IsDBCSLeadByteEx(950, static_cast<BYTE>(src[n])) && src[n + 1] ? 2 : 1;
    if (n + step > room - 1) break;
    n += step;
  }
  std::copy(src, src + n, out);
  out[n] = '\0';
}
}  // namespace

BEGIN_MESSAGE_MAP(CHeaderCtrlEx, CHeaderCtrl)
ON_WM_PAINT()
ON_MESSAGE(HDM_LAYOUT, OnLayout)
ON_REGISTERED_MESSAGE(s_uGroupCaptionMsg, OnGroupCaption)
END_MESSAGE_MAP()

CHeaderCtrlEx::CHeaderCtrlEx()
    : m_nStartR(255),
      m_nStartG(255),
      m_nStartB(255),
      m_nStep(2),
      m_fHeightScale(2.0f),
      m_clrText(RGB(0, 0, 0)),
      m_bGrouped(false) {
  m_font.CreatePointFont(90, "Tahoma");
}

CHeaderCtrlEx::~CHeaderCtrlEx() = default;

// Column widths are fixed: the list never hears of a divider being dragged or
// double-clicked, whichever character set the header notifies in.
BOOL CHeaderCtrlEx::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_NOTIFY && lParam) {
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
      case HDN_BEGINTRACKA:
      case HDN_BEGINTRACKW:
      case HDN_ENDTRACKA:
      case HDN_ENDTRACKW:
      case HDN_DIVIDERDBLCLICKA:
      case HDN_DIVIDERDBLCLICKW:
      case HDN_ITEMCHANGEDA:
      case HDN_ITEMCHANGEDW:
        if (pResult) *pResult = 1;
        return TRUE;
      default:
        break;
    }
  }
  return CHeaderCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CHeaderCtrlEx::OnLayout(WPARAM, LPARAM lParam) {
  const LRESULT result = Default();
  auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
  if (layout && layout->pwpos && layout->prc) {
    const int height = static_cast<int>(static_cast<float>(layout->pwpos->cy) * m_fHeightScale);
    layout->pwpos->cy = height;
    layout->prc->top = height;
  }
  return result;
}

LRESULT CHeaderCtrlEx::OnGroupCaption(WPARAM wParam, LPARAM lParam) {
  if (!m_bGrouped) return 0;
  const int column = static_cast<int>(wParam);
  const int count = GetItemCount();
  for (const HeaderGroup& group : m_groups) {
    // A group past the last column is not painted, so it is not reported either.
    if (group.nLastCol >= count || column < group.nFirstCol || column > group.nLastCol) continue;
    if (auto* item = reinterpret_cast<HDITEMA*>(lParam)) {
      if (item->mask & HDI_TEXT) CopyWhole(group.strCaption, item->pszText, item->cchTextMax);
      if (item->mask & HDI_LPARAM) item->lParam = MAKELPARAM(group.nFirstCol, group.nLastCol);
    }
    return group.strCaption.GetLength();
  }
  return 0;
}

void CHeaderCtrlEx::FillGradient(CDC& dc, const CRect& rc) const {
  int r = m_nStartR, g = m_nStartG, b = m_nStartB;
  for (int y = rc.top; y <= rc.bottom; ++y) {
    CRect line(rc.left + 1, y, rc.right, y + 1);
    CBrush brush;
    brush.CreateSolidBrush(
        RGB(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
    dc.FillRect(&line, &brush);
    brush.DeleteObject();
    r = std::max(0, r - m_nStep);
    g = std::max(0, g - m_nStep);
    b = std::max(0, b - m_nStep);
  }
}

void CHeaderCtrlEx::DrawCaption(CDC& dc, CRect rc, const CString& caption) {
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(m_clrText);
  CFont* old = dc.SelectObject(&m_font);
  TEXTMETRICA tm{};
  ::GetTextMetricsA(dc.m_hDC, &tm);
  rc.OffsetRect(0, (rc.Height() - tm.tmHeight) / 2);
  dc.DrawText(caption, &rc, DT_CENTER | DT_NOPREFIX);
  dc.SelectObject(old);
}

void CHeaderCtrlEx::OnPaint() {
  CPaintDC dc(this);
  const int count = GetItemCount();

  for (int i = 0; i < count; ++i) {
    CRect rc;
    GetItemRect(i, &rc);
    if (m_bGrouped && m_groupedCols.count(i)) rc.top = rc.Height() / 2 - 1;
    FillGradient(dc, rc);
    DrawCaption(
        dc, rc,
        i < static_cast<int>(m_captions.size()) ? m_captions[static_cast<size_t>(i)] : CString());
  }

  if (m_bGrouped) {
    for (const HeaderGroup& group : m_groups) {
      if (group.nLastCol >= count || group.nFirstCol >= count) break;
      CRect first, last;
      GetItemRect(group.nFirstCol, &first);
      GetItemRect(group.nLastCol, &last);
      CRect rc(first.left, first.top, last.right, first.Height() / 2);
      FillGradient(dc, rc);
      DrawCaption(dc, rc, group.strCaption);
    }
  }

  CRect client;
  GetClientRect(&client);
  CRect strip(1, 0, client.right, 0);
  if (count > 0) {
    CRect last;
    GetItemRect(count - 1, &last);
    strip = CRect(last.right + 1, last.top, client.right, last.bottom);
  }
  FillGradient(dc, strip);
}
