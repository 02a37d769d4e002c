#include "CListCtrlExH.h"

#include <algorithm>
#include <cstring>

namespace {

// Copies text into a fixed buffer of size bytes, always ended, and cut before
// a character that does not fit whole: a double-byte character is never split.
void CopyCut(const CString& text, char* buffer, int size) {
  const char* s = text.GetString();
  const int length = text.GetLength();
  int n = 0;
  while (n < length) {
    const int step = (::IsDBCSLeadByteEx(950, static_cast<BYTE>(s[n])) && n + 1 < length) ? 2 : 1;
    if (n + step > size - 1) break;
    n += step;
  }
  std::memcpy(buffer, s, static_cast<size_t>(n));
  buffer[n] = '\0';
}

// A cell's text cut to fit size bytes. It is read into twice that room and
// ended there, so a text the list cuts (or leaves unended) still reads whole.
CString CellText(const CListCtrl& list, int row, int col, int size) {
  char room[2 * CListCtrlExH::kCellTextSize] = {};
  const int roomSize = std::min(2 * size, static_cast<int>(sizeof room));
  list.GetItemText(row, col, room, roomSize);
  room[roomSize - 1] = '\0';
  char cut[CListCtrlExH::kCellTextSize];
  CopyCut(CString(room), cut, std::min(size, static_cast<int>(sizeof cut)));
  return CString(cut);
}

int CharHeight(CDC* pDC) {
  TEXTMETRICA tm{};
  ::GetTextMetricsA(pDC->m_hDC, &tm);
  return tm.tmHeight;
}

}  // namespace

BEGIN_MESSAGE_MAP(CListCtrlExH, CListCtrl)
ON_WM_MEASUREITEM_REFLECT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEWHEEL()
ON_WM_VSCROLL()
ON_WM_KEYDOWN()
ON_NOTIFY_REFLECT(LVN_GETINFOTIPA, OnGetInfoTip)
ON_NOTIFY_REFLECT(LVN_DELETEALLITEMS, OnDeleteAllItems)
END_MESSAGE_MAP()

CListCtrlExH::CListCtrlExH()
    : m_nScrollUnit(0),
      m_pOwner(nullptr),
      m_nListNo(0),
      m_nRowHeight(0),
      m_clrText(RGB(0, 0, 0)),
      m_clrRowEven(RGB(198, 216, 253)),
      m_clrRowOdd(RGB(219, 230, 253)),
      m_bInfoTip(false),
      m_bCheckColumn(true),
      m_szClickText{},
      m_szDblClkText{},
      m_szInfoTip{} {}

CListCtrlExH::~CListCtrlExH() = default;

void CListCtrlExH::PreSubclassWindow() {
  ModifyStyle(0, LVS_OWNERDRAWFIXED);
  CListCtrl::PreSubclassWindow();
  if (HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)))
    m_header.SubclassWindow(header);
}

// ---- Columns, rows and appearance ------------------------------------------------------

int CListCtrlExH::InsertColumn(int nCol, const char* lpszColumnHeading, int nFormat, int nWidth,
                               int nSubItem) {
  m_header.m_captions.push_back(CString(lpszColumnHeading ? lpszColumnHeading : ""));
  m_header.m_strAlign += nFormat == LVCFMT_RIGHT ? 'R' : nFormat == LVCFMT_CENTER ? 'C' : 'L';
  return CListCtrl::InsertColumn(nCol, lpszColumnHeading, nFormat, nWidth, nSubItem);
}

BOOL CListCtrlExH::DeleteColumn(int nCol) {
  if (nCol < 0 || nCol >= static_cast<int>(m_header.m_captions.size())) return FALSE;
  m_header.m_captions.erase(m_header.m_captions.begin() + nCol);
  if (m_header.m_strAlign.GetLength() > nCol) m_header.m_strAlign.Delete(nCol);
  return CListCtrl::DeleteColumn(nCol);
}

void CListCtrlExH::SetRowHeight(int nHeight) {
  m_nRowHeight = nHeight;
  // The list asks its parent for the item height when told its position changed.
  CRect rc;
  GetWindowRect(&rc);
  WINDOWPOS pos{};
  pos.hwnd = m_hWnd;
  pos.cx = rc.Width();
  pos.cy = rc.Height();
  pos.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

int CListCtrlExH::GetRowHeight() {
  if (GetItemCount() < 2 || m_header.GetSafeHwnd() == nullptr || m_header.GetItemCount() < 2)
    return 0;
  CRect rc;
  return GetSubItemRect(1, 1, LVIR_BOUNDS, rc) ? rc.Height() : 0;
}

void CListCtrlExH::SetListFont(CFont* pFont) {
  if (!pFont || !pFont->m_hObject) return;
  LOGFONT lf{};
  pFont->GetLogFont(&lf);
  m_font.DeleteObject();
  m_font.CreateFontIndirect(&lf);
  m_header.m_font.DeleteObject();
  m_header.m_font.CreateFontIndirect(&lf);
  if (m_header.GetSafeHwnd())
    m_header.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_header.m_font.m_hObject), TRUE);
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
}

void CListCtrlExH::SetHeaderGradient(int nR, int nG, int nB, int nStep) {
  m_header.m_nStartR = nR;
  m_header.m_nStartG = nG;
  m_header.m_nStartB = nB;
  m_header.m_nStep = nStep;
}

void CListCtrlExH::SetHeaderHeightScale(float fScale) { m_header.m_fHeightScale = fScale; }
void CListCtrlExH::SetCheckColumn(bool bCheck) { m_bCheckColumn = bCheck; }
void CListCtrlExH::EnableInfoTip(bool bEnable) { m_bInfoTip = bEnable; }

void CListCtrlExH::ResetChecks(int nCount, bool bValue) {
  m_checks.clear();
  if (nCount >= 1) m_checks.assign(static_cast<size_t>(nCount), bValue);
}

// A row the array does not reach reads as unchecked.
bool CListCtrlExH::IsChecked(int nRow) const {
  return nRow >= 0 && nRow < static_cast<int>(m_checks.size()) &&
         m_checks[static_cast<size_t>(nRow)];
}

void CListCtrlExH::SetRowText(int nRow, const char* pszText, const char* pszDelimiters) {
  if (!pszText || !pszDelimiters) return;
  const CString text(pszText);
  int start = 0;
  int col = 0;
  for (CString token = text.Tokenize(pszDelimiters, start); start != -1;
       token = text.Tokenize(pszDelimiters, start), ++col) {
    // A row that exists keeps its place even when its first cell is empty (a
    // check-box column often is); only a missing row is inserted. A cell's text
    // is set the same way whether it held text before or not.
    if (col == 0 && (nRow < 0 || nRow >= GetItemCount()))
      CListCtrl::InsertItem(LVIF_TEXT, nRow, token, 0, 0, 0, 0);
    else
      SetItemText(nRow, col, token);
  }
}

bool CListCtrlExH::AddHeaderGroup(int nFirstCol, int nLastCol, const CString& strCaption) {
  const int count = m_header.GetSafeHwnd() ? m_header.GetItemCount() : 0;
  if (nFirstCol < 0 || nFirstCol > nLastCol || nLastCol >= count) return false;
  m_header.m_groups.push_back({nFirstCol, nLastCol, strCaption});
  m_header.m_bGrouped = true;
  return true;
}

void CListCtrlExH::ClearHeaderGroups() {
  m_header.m_bGrouped = false;
  m_header.m_groups.clear();
}

void CListCtrlExH::MarkGroupedColumn(int nCol) { m_header.m_groupedCols[nCol] = " "; }

// ---- Hit test and mouse ------------------------------------------------------------------

int CListCtrlExH::HitTestCell(CPoint point, int* pColumn) {
  int column = 0;
  if (pColumn) *pColumn = 0;
  if ((GetStyle() & LVS_TYPEMASK) != LVS_REPORT) return CListCtrl::HitTest(point);
  const int first = GetTopIndex();
  const int last = std::min(first + GetCountPerPage(), GetItemCount() - 1);
  const int columns = m_header.GetSafeHwnd() ? m_header.GetItemCount() : 0;
  for (int row = first; row <= last; ++row) {
    CRect rc;
    if (!GetItemRect(row, &rc, LVIR_BOUNDS)) continue;
    if (!rc.PtInRect(point) || columns == 0) continue;
    // A point on a boundary belongs to the left-hand column.
    int x = rc.left;
    for (column = 0; column < columns; ++column) {
      const int width = GetColumnWidth(column);
      if (point.x >= x && point.x <= x + width) {
        if (pColumn) *pColumn = column;
        return row;
      }
      x += width;
    }
  }
  return -1;
}

void CListCtrlExH::SendCellMessage(UINT message, int nRow, int nCol, char* buffer) {
  CopyCut(CellText(*this, nRow, nCol, kCellTextSize), buffer, kCellTextSize);
  LISTEXH_CELL cell{nRow, nCol, 0};
  if (HWND parent = ::GetParent(m_hWnd))
    ::SendMessageA(parent, message, reinterpret_cast<WPARAM>(&cell),
                   reinterpret_cast<LPARAM>(buffer));
}

// Not passed on: a click neither selects nor focuses a row; the owner does that
// in answer to the message.
void CListCtrlExH::OnLButtonDown(UINT, CPoint point) {
  int col = 0;
  const int row = HitTestCell(point, &col);
  if (row < 0) return;
  SendCellMessage(UM_LISTEXH_CELLCLICK, row, col, m_szClickText);
  if (col == 0 && row < static_cast<int>(m_checks.size()))
    m_checks[static_cast<size_t>(row)] = !m_checks[static_cast<size_t>(row)];
}

void CListCtrlExH::OnLButtonDblClk(UINT, CPoint point) {
  int col = 0;
  const int row = HitTestCell(point, &col);
  if (row >= 0) SendCellMessage(UM_LISTEXH_CELLDBLCLK, row, col, m_szDblClkText);
  Default();
}

void CListCtrlExH::OnMouseMove(UINT, CPoint point) {
  int col = 0;
  if (HitTestCell(point, &col) >= 0) Default();
}

// ---- Scrolling and keys ------------------------------------------------------------------

int CListCtrlExH::TrackPos() {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  return ::GetScrollInfo(m_hWnd, SB_VERT, &si) ? si.nTrackPos : 0;
}

// The list scrolls as the wheel asks; the owner hears of one line.
BOOL CListCtrlExH::OnMouseWheel(UINT, short zDelta, CPoint) {
  const UINT pos = static_cast<UINT>(TrackPos());
  const UINT code = zDelta > 0 ? SB_LINEUP : SB_LINEDOWN;
  CListCtrl::OnVScroll(code, pos, nullptr);
  if (m_pOwner) m_pOwner->OnListVScroll(m_nListNo, code, pos, nullptr);
  return TRUE;
}

void CListCtrlExH::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  const UINT low = nSBCode & 0xFF, high = nSBCode >> 8;
  if (low == SB_THUMBTRACK || high == SB_THUMBTRACK || low == SB_THUMBPOSITION ||
      high == SB_THUMBPOSITION || nSBCode == SB_LINEUP || nSBCode == SB_LINEDOWN)
    nPos = static_cast<UINT>(TrackPos());
  CListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
  if (m_pOwner) m_pOwner->OnListVScroll(m_nListNo, nSBCode, nPos, pScrollBar);
}

void CListCtrlExH::OnKeyDown(UINT nChar, UINT, UINT) {
  if (m_pOwner) m_pOwner->OnListKeyDown(m_nListNo, nChar);
}

// The scroll runs in the list's own procedure whatever message is being handled,
// so a key mirrored from another list scrolls this one.
void CListCtrlExH::ScrollByKey(UINT nVirtKey) {
  auto vscroll = [this](UINT code, UINT pos) {
    DefWindowProc(WM_VSCROLL, MAKEWPARAM(code, pos), 0);
    if (m_pOwner) m_pOwner->OnListVScroll(m_nListNo, code, pos, nullptr);
  };
  auto hscroll = [this](UINT code) { DefWindowProc(WM_HSCROLL, MAKEWPARAM(code, 0), 0); };
  switch (nVirtKey) {
    case VK_PRIOR:
      vscroll(SB_PAGEUP, 0);
      break;
    case VK_NEXT:
      vscroll(SB_PAGEDOWN, 0);
      break;
    case VK_END:
      hscroll(SB_RIGHT);
      break;
    case VK_HOME:
      hscroll(SB_LEFT);
      break;
    case VK_LEFT:
      hscroll(SB_LINELEFT);
      break;
    case VK_UP:
      vscroll(SB_LINEUP, static_cast<UINT>(TrackPos()));
      break;
    case VK_RIGHT:
      hscroll(SB_LINERIGHT);
      break;
    case VK_DOWN:
      vscroll(SB_LINEDOWN, static_cast<UINT>(TrackPos()));
      break;
    default:
      break;
  }
}

void CListCtrlExH::ScrollToTrackPos(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if ((nSBCode & 0xFF) == SB_THUMBTRACK || (nSBCode & ~0xFFu) == 0x500) {
    const int current = GetScrollPos(SB_VERT);
    Scroll(CSize(0, (static_cast<int>(nPos) - current) * m_nScrollUnit));
  }
  HWND bar = pScrollBar ? static_cast<CWnd*>(pScrollBar)->m_hWnd : nullptr;
  DefWindowProc(WM_VSCROLL, MAKEWPARAM(nSBCode, nPos), reinterpret_cast<LPARAM>(bar));
}

// ---- Drawing ------------------------------------------------------------------------------

void CListCtrlExH::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct && m_nRowHeight > 0)
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(m_nRowHeight);
}

void CListCtrlExH::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (!lpDrawItemStruct || !(lpDrawItemStruct->itemAction & ODA_DRAWENTIRE)) return;
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  const int row = static_cast<int>(lpDrawItemStruct->itemID);
  const bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
  const int oldBkMode = pDC->SetBkMode(TRANSPARENT);
  // Cells are centred on the default GUI font's height and drawn in the list's
  // font, or the default GUI font without one; the font is chosen once a row
  // (the check cell chooses the same) and the system font put back at the end.
  pDC->SelectStockObject(DEFAULT_GUI_FONT);
  const int guiHeight = CharHeight(pDC);
  auto selectCellFont = [&] {
    pDC->SelectStockObject(DEFAULT_GUI_FONT);
    if (m_font.m_hObject) pDC->SelectObject(&m_font);
  };
  selectCellFont();

  // A wide grid has more columns than the list shows: those out of sight are not drawn.
  CRect client;
  GetClientRect(&client);
  LVCOLUMN column{};
  column.mask = LVCF_FMT;
  for (int col = 0; GetColumn(col, &column); ++col) {
    CRect label;
    if (!GetSubItemRect(row, col, LVIR_LABEL, label)) continue;
    if (label.right <= client.left || label.left >= client.right) continue;
    const CString text = CellText(*this, row, col, kDrawTextSize);
    if (col == 0 && m_bCheckColumn) {
      DrawCheckCell(row, 0, pDC, text, label);
      selectCellFont();
      continue;
    }
    CRect fill = label;
    if (col == 0) fill.left -= 2;
    pDC->FillSolidRect(&fill, selected ? ::GetSysColor(COLOR_HIGHLIGHT) : RowColour(row));

    const char letter = col < m_header.m_strAlign.GetLength() ? m_header.m_strAlign[col] : '\0';
    const UINT align = letter == 'L' ? DT_LEFT : letter == 'R' ? DT_RIGHT : DT_CENTER;
    CRect rc = label;
    rc.OffsetRect(0, (label.Height() - guiHeight) / 2);
    pDC->SetTextColor(m_clrText);
    // Stock names may hold an ampersand: it is drawn, never taken as a prefix.
    pDC->DrawText(text, &rc, align | DT_NOPREFIX);
  }
  pDC->SelectStockObject(SYSTEM_FONT);
  pDC->SetBkMode(oldBkMode);
}

void CListCtrlExH::DrawCheckCell(int nItem, int nSubItem, CDC* pDC, CString strText,
                                 const CRect& rcCell) {
  if (!pDC) return;
  if (GetItemState(nItem, LVIS_SELECTED) & LVIS_SELECTED) {
    pDC->FillSolidRect(&rcCell, ::GetSysColor(COLOR_HIGHLIGHT));
    pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    pDC->FillSolidRect(&rcCell, RowColour(nItem));
    pDC->SetTextColor(m_clrText);
  }

  CRect box(rcCell.left + 1, rcCell.top + 4, 0, rcCell.bottom - 4);
  const int side = box.Height();
  if (strText.IsEmpty()) box.left = rcCell.left - 1 + (rcCell.Width() / 2 - side / 2);
  box.right = box.left + side;
  pDC->FillSolidRect(&box, RGB(255, 255, 255));
  box.left += 1;
  ::DrawEdge(pDC->m_hDC, &box, EDGE_SUNKEN, BF_RECT);

  if (nSubItem == 0 && IsChecked(nItem)) {
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    int x = box.left + 9, y = box.top + 3;
    for (int i = 0; i < 4; ++i, --x, ++y) {
      pDC->MoveTo(x, y);
      pDC->LineTo(x, y + 3);
    }
    for (int i = 0; i < 3; ++i, --x, --y) {
      pDC->MoveTo(x, y);
      pDC->LineTo(x, y + 3);
    }
    pDC->SelectObject(oldPen);
  }

  if (!strText.IsEmpty()) {
    pDC->SelectStockObject(DEFAULT_GUI_FONT);
    if (m_font.m_hObject) pDC->SelectObject(&m_font);
    CRect rc(box.right + 4, rcCell.top, rcCell.right, rcCell.bottom);
    rc.OffsetRect(0, (rc.Height() - CharHeight(pDC)) / 2);
    pDC->DrawText(strText, &rc, DT_CENTER | DT_NOPREFIX);
  }
}

// ---- Emptying --------------------------------------------------------------------------------

// No item holds data of its own to free, so a list emptied for a refill of thousands of rows
// declines one notice per row.
void CListCtrlExH::OnDeleteAllItems(NMHDR*, LRESULT* pResult) { *pResult = TRUE; }

// ---- Info tips ----------------------------------------------------------------------------

void CListCtrlExH::OnGetInfoTip(NMHDR* pNMHDR, LRESULT* pResult) {
  if (pResult) *pResult = 0;
  if (!m_bInfoTip || !pNMHDR) return;
  auto* tip = reinterpret_cast<NMLVGETINFOTIPA*>(pNMHDR);
  if (tip->dwFlags) {
    m_szInfoTip[0] = '\0';
    tip->pszText = m_szInfoTip;
    tip->cchTextMax = sizeof m_szInfoTip;
  } else if (tip->pszText && tip->cchTextMax > 0) {
    tip->pszText[0] = '\0';
  }
}
