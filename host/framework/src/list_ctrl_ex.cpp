#include "CListCtrlEx.h"

#include <afxgdi.h>

#include "host/list_columns.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

IMPLEMENT_DYNAMIC(CListCtrlEx, CListCtrl)

BEGIN_MESSAGE_MAP(CListCtrlEx, CListCtrl)
  ON_NOTIFY_REFLECT_EX(NM_CLICK, OnClick)
  ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kSpecialText = RGB(0, 0, 255);
constexpr COLORREF kGridLine = RGB(192, 192, 192);

// A cell text as a number: blanks and thousands separators are ignored; false when
// anything else is left over.
bool numberOf(const CString& text, double& value) {
  std::string s;
  for (char c : text.str())
    if (c != ',' && c != ' ') s += c;
  if (s.empty()) return false;
  char* end = nullptr;
  value = std::strtod(s.c_str(), &end);
  return end && *end == '\0';
}

}  // namespace

CListCtrlEx::CListCtrlEx()
    : m_nSortColumn(-1),
      m_nSortState(0),
      m_bySendResetDatano(0),
      m_bBorderLine(false),
      m_bSortEnabled(false),
      m_clrAlternate(0) {}

CListCtrlEx::~CListCtrlEx() = default;

// ---- Lines ------------------------------------------------------------------------------------

int CListCtrlEx::InsertLineText(int nLine, const CString& strText, int nLength,
                                LPCTSTR lpszSeparator, COLORREF nColor) {
  if (!::IsWindow(m_hWnd) || nLine < 0) return -1;
  CString text = strText;
  if (nLength >= 0 && nLength < text.GetLength()) text = text.Left(nLength);
  std::vector<CString> parts;
  const CString sep = lpszSeparator ? lpszSeparator : "";
  if (sep.IsEmpty()) {
    parts.push_back(text);
  } else {
    // A single separator byte below 0x40 is never part of a double-byte character, so a
    // plain byte search finds exactly what the DBCS-aware one finds, much faster.
    const std::string& bytes = text.str();
    const bool plainByte = sep.GetLength() == 1 && static_cast<unsigned char>(sep[0]) < 0x40;
    int start = 0;
    for (;;) {
      const int at = plainByte ? static_cast<int>(bytes.find(sep[0], static_cast<size_t>(start)))
                               : text.Find(sep, start);
      if (at < 0) {
        parts.push_back(text.Mid(start));
        break;
      }
      parts.push_back(text.Mid(start, at - start));
      start = at + sep.GetLength();
    }
  }
  const int line = InsertItem(nLine, parts[0]);
  if (line < 0) return -1;
  for (size_t i = 1; i < parts.size(); ++i)
    CListCtrl::SetItemText(line, static_cast<int>(i), parts[i]);
  if (nColor && line < static_cast<int>(m_lines.size()))
    m_lines[static_cast<size_t>(line)].clrText = nColor;
  return line;
}

int CListCtrlEx::InsertItem(int nItem, LPCTSTR lpszItem) {
  return CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, nItem, lpszItem, 0, 0, 0,
                               static_cast<LPARAM>(nItem));
}

BOOL CListCtrlEx::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
  return CListCtrl::SetItemText(nItem, nSubItem, lpszText);
}

BOOL CListCtrlEx::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage,
                          UINT nState, UINT nStateMask, LPARAM lParam) {
  return CListCtrl::SetItem(nItem, nSubItem, nMask, lpszItem, nImage, nState, nStateMask, lParam);
}

// Keeps the cell attributes with their lines whoever inserts or deletes lines and columns.
LRESULT CListCtrlEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CListCtrl::WindowProc(message, wParam, lParam);
  switch (message) {
    case LVM_INSERTITEMA:
      if (result >= 0) {
        const size_t at = std::min(static_cast<size_t>(result), m_lines.size());
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), Line{});
      }
      break;
    case LVM_DELETEITEM:
      if (result && wParam < m_lines.size())
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(wParam));
      break;
    case LVM_DELETEALLITEMS:
      if (result) m_lines.clear();
      break;
    case LVM_INSERTCOLUMNA:
      if (result >= 0)
        for (Line& l : m_lines)
          if (static_cast<size_t>(result) < l.cells.size())
            l.cells.insert(l.cells.begin() + result, Cell{});
      break;
    case LVM_DELETECOLUMN:
      if (result)
        for (Line& l : m_lines)
          if (wParam < l.cells.size()) l.cells.erase(l.cells.begin() + static_cast<std::ptrdiff_t>(wParam));
      break;
    default:
      break;
  }
  return result;
}

// ---- Cells --------------------------------------------------------------------------------------

CListCtrlEx::Cell* CListCtrlEx::pCell(int nItem, int nSubItem, bool bCreate) {
  if (nItem < 0 || nSubItem < 0 || !::IsWindow(m_hWnd)) return nullptr;
  // m_lines follows every insert and delete, so the list is asked only about lines it
  // may hold from before (a fill of thousands of cells sends no extra messages).
  if (static_cast<size_t>(nItem) >= m_lines.size()) {
    const int count = GetItemCount();
    if (nItem >= count) return nullptr;
    m_lines.resize(static_cast<size_t>(count));
  }
  Line& line = m_lines[static_cast<size_t>(nItem)];
  if (line.cells.size() <= static_cast<size_t>(nSubItem)) {
    if (!bCreate) return nullptr;
    const int columns = std::max(host::ListColumnCount(*this), 1);
    if (nSubItem >= columns) return nullptr;
    line.cells.resize(static_cast<size_t>(columns));
  }
  return &line.cells[static_cast<size_t>(nSubItem)];
}

const CListCtrlEx::Cell* CListCtrlEx::pCell(int nItem, int nSubItem) const {
  if (nItem < 0 || nSubItem < 0 || static_cast<size_t>(nItem) >= m_lines.size()) return nullptr;
  const Line& line = m_lines[static_cast<size_t>(nItem)];
  if (static_cast<size_t>(nSubItem) >= line.cells.size()) return nullptr;
  return &line.cells[static_cast<size_t>(nSubItem)];
}

BOOL CListCtrlEx::SetCellSpecialType(int nItem, int nSubItem, int nType,
                                     const std::vector<CString>& texts) {
  Cell* cell = pCell(nItem, nSubItem, true);
  if (!cell || nType < 0) return FALSE;
  cell->nType = nType;
  cell->texts = texts;
  if (nType == LISTEX_SPECIAL_CLICKTEXT && !texts.empty()) {
    CString shown;
    for (size_t i = 0; i < texts.size(); ++i) shown += (i ? " " : "") + texts[i];
    CListCtrl::SetItemText(nItem, nSubItem, shown);
  }
  RedrawItems(nItem, nItem);
  return TRUE;
}

int CListCtrlEx::GetCellSpecialType(int nItem, int nSubItem) const {
  const Cell* cell = pCell(nItem, nSubItem);
  return cell ? cell->nType : LISTEX_SPECIAL_NONE;
}

BOOL CListCtrlEx::bCancelSpecialType(int nItem, int nSubItem, bool bResetColors) {
  Cell* cell = pCell(nItem, nSubItem, true);
  if (!cell) return FALSE;
  cell->nType = LISTEX_SPECIAL_NONE;
  cell->texts.clear();
  if (bResetColors) cell->clrText = cell->clrBk = cell->clrBorder = CLR_NONE;
  RedrawItems(nItem, nItem);
  return TRUE;
}

BOOL CListCtrlEx::SetCellTextColor(int nItem, int nSubItem, COLORREF clr) {
  Cell* cell = pCell(nItem, nSubItem, true);
  if (!cell) return FALSE;
  cell->clrText = clr;
  RedrawItems(nItem, nItem);
  return TRUE;
}

BOOL CListCtrlEx::SetCellBkColor(int nItem, int nSubItem, COLORREF clr) {
  Cell* cell = pCell(nItem, nSubItem, true);
  if (!cell) return FALSE;
  cell->clrBk = clr;
  RedrawItems(nItem, nItem);
  return TRUE;
}

BOOL CListCtrlEx::SetCellBorderColor(int nItem, int nSubItem, COLORREF clr) {
  Cell* cell = pCell(nItem, nSubItem, true);
  if (!cell) return FALSE;
  cell->clrBorder = clr;
  RedrawItems(nItem, nItem);
  return TRUE;
}

COLORREF CListCtrlEx::GetCellTextColor(int nItem, int nSubItem) const {
  const Cell* cell = pCell(nItem, nSubItem);
  return cell ? cell->clrText : CLR_NONE;
}

COLORREF CListCtrlEx::GetCellBkColor(int nItem, int nSubItem) const {
  const Cell* cell = pCell(nItem, nSubItem);
  return cell ? cell->clrBk : CLR_NONE;
}

COLORREF CListCtrlEx::GetCellBorderColor(int nItem, int nSubItem) const {
  const Cell* cell = pCell(nItem, nSubItem);
  return cell ? cell->clrBorder : CLR_NONE;
}

void CListCtrlEx::SetBorderLine(bool bBorder) {
  m_bBorderLine = bBorder;
  if (::IsWindow(m_hWnd)) Invalidate();
}

char CListCtrlEx::cAlignOf(int nSubItem) const {
  if (nSubItem >= 0 && nSubItem < m_strAlign.GetLength()) {
    const char c = m_strAlign[nSubItem];
    if (c == 'L' || c == 'C' || c == 'R') return c;
  }
  return 'L';
}

// ---- Sorting -------------------------------------------------------------------------------------

void CListCtrlEx::vDoSort() {
  if (!::IsWindow(m_hWnd) || m_nSortColumn < 0 || m_nSortState <= 0) return;
  const int count = GetItemCount();
  if (m_lines.size() < static_cast<size_t>(count)) m_lines.resize(static_cast<size_t>(count));
  struct Key {
    bool isNumber;
    double number;
    CString text;
    DWORD_PTR data;
  };
  std::vector<Key> keys(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    Key& k = keys[static_cast<size_t>(i)];
    k.text = GetItemText(i, m_nSortColumn);
    k.isNumber = numberOf(k.text, k.number);
    k.data = GetItemData(i);
  }
  std::vector<int> order(static_cast<size_t>(count));
  std::iota(order.begin(), order.end(), 0);
  const bool descending = m_nSortState == 2;
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const Key& ka = keys[static_cast<size_t>(a)];
    const Key& kb = keys[static_cast<size_t>(b)];
    int c;
    if (ka.isNumber && kb.isNumber)
      c = ka.number < kb.number ? -1 : (ka.number > kb.number ? 1 : 0);
    else if (ka.isNumber != kb.isNumber)
      c = ka.isNumber ? -1 : 1;
    else
      c = ka.text.Compare(kb.text);
    return descending ? c > 0 : c < 0;
  });
  // The control sorts by item data: give each line its new position for the sort,
  // then give back the insertion indices.
  for (int pos = 0; pos < count; ++pos) SetItemData(order[static_cast<size_t>(pos)], static_cast<DWORD_PTR>(pos));
  SendMessage(LVM_SORTITEMS, 0,
              reinterpret_cast<LPARAM>(+[](LPARAM a, LPARAM b, LPARAM) -> int {
                return a < b ? -1 : (a > b ? 1 : 0);
              }));
  std::vector<Line> lines(static_cast<size_t>(count));
  for (int pos = 0; pos < count; ++pos) {
    const int old = order[static_cast<size_t>(pos)];
    lines[static_cast<size_t>(pos)] = std::move(m_lines[static_cast<size_t>(old)]);
    SetItemData(pos, keys[static_cast<size_t>(old)].data);
  }
  m_lines = std::move(lines);
  Invalidate();
  if (m_bySendResetDatano == 1 && GetParent()) {
    int column = m_nSortColumn;
    GetParent()->SendMessage(UM_LISTEX_RESETDATANO, reinterpret_cast<WPARAM>(&column),
                             reinterpret_cast<LPARAM>(static_cast<CListCtrl*>(this)));
  }
}

BOOL CListCtrlEx::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult) {
  (void)pResult;
  if (!m_bSortEnabled || !pNMHDR) return FALSE;
  const int column = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
  if (column == m_nSortColumn)
    m_nSortState = m_nSortState == 1 ? 2 : 1;
  else {
    m_nSortColumn = column;
    m_nSortState = 1;
  }
  vDoSort();
  return FALSE;
}

// ---- Clicks on special cells ---------------------------------------------------------------

BOOL CListCtrlEx::OnClick(NMHDR* pNMHDR, LRESULT* pResult) {
  (void)pResult;
  if (!pNMHDR) return FALSE;
  const auto* nm = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
  const Cell* cell = pCell(nm->iItem, nm->iSubItem);
  if (!cell || cell->nType != LISTEX_SPECIAL_CLICKTEXT || cell->texts.empty()) return FALSE;
  // Several texts share the cell in equal parts; the click picks one.
  size_t pick = 0;
  CRect rect;
  if (cell->texts.size() > 1 && GetSubItemRect(nm->iItem, nm->iSubItem, LVIR_BOUNDS, rect) &&
      rect.Width() > 0) {
    const long offset = std::clamp<long>(nm->ptAction.x - rect.left, 0, rect.Width() - 1);
    pick = static_cast<size_t>(offset * static_cast<long>(cell->texts.size()) / rect.Width());
  }
  const CString text = cell->texts[pick];
  SetItemState(nm->iItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  if (CWnd* parent = GetParent())
    parent->SendMessage(UM_LISTEX_SPECIALCLICK, static_cast<WPARAM>(nm->iItem),
                        reinterpret_cast<LPARAM>(text.GetString()));
  return FALSE;
}

// ---- Drawing ------------------------------------------------------------------------------------

void CListCtrlEx::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (!lpDrawItemStruct) return;
  CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
  const int item = static_cast<int>(lpDrawItemStruct->itemID);
  if (!dc || item < 0 || item >= GetItemCount()) return;
  const bool selected = (GetItemState(item, LVIS_SELECTED) & LVIS_SELECTED) != 0;
  const COLORREF listText = GetTextColor();
  COLORREF lineBk = GetTextBkColor();
  if (lineBk == CLR_NONE) lineBk = GetBkColor();
  if (m_clrAlternate && (item % 2) == 1) lineBk = m_clrAlternate;
  const Line* line = static_cast<size_t>(item) < m_lines.size() ? &m_lines[static_cast<size_t>(item)] : nullptr;

  const int columns = std::max(host::ListColumnCount(*this), 1);
  int x = lpDrawItemStruct->rcItem.left;
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  for (int col = 0; col < columns; ++col) {
    const int width = GetColumnWidth(col);
    CRect cellRect(x, lpDrawItemStruct->rcItem.top, x + width, lpDrawItemStruct->rcItem.bottom);
    x += width;
    if (width <= 0) continue;
    const Cell* cell = pCell(item, col);
    COLORREF bk = selected ? ::GetSysColor(COLOR_HIGHLIGHT) : lineBk;
    if (!selected && cell && cell->clrBk != CLR_NONE) bk = cell->clrBk;
    dc->FillSolidRect(&cellRect, bk);
    COLORREF fg = selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : listText;
    if (!selected && line && line->clrText != CLR_NONE) fg = line->clrText;
    if (!selected && cell && cell->nType == LISTEX_SPECIAL_CLICKTEXT) fg = kSpecialText;
    if (!selected && cell && cell->clrText != CLR_NONE) fg = cell->clrText;
    dc->SetTextColor(fg);
    const char align = cAlignOf(col);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                  (align == 'R' ? DT_RIGHT : align == 'C' ? DT_CENTER : DT_LEFT);
    CRect textRect = cellRect;
    textRect.DeflateRect(3, 0);
    const CString text = GetItemText(item, col);
    dc->DrawText(text, &textRect, format);
    if (m_bBorderLine) {
      CPen grid(PS_SOLID, 1, kGridLine);
      CPen* old = dc->SelectObject(&grid);
      dc->MoveTo(cellRect.right - 1, cellRect.top);
      dc->LineTo(cellRect.right - 1, cellRect.bottom);
      dc->MoveTo(cellRect.left, cellRect.bottom - 1);
      dc->LineTo(cellRect.right, cellRect.bottom - 1);
      dc->SelectObject(old);
    }
    if (cell && cell->clrBorder != CLR_NONE) {
      CBrush border(cell->clrBorder);
      dc->FrameRect(&cellRect, &border);
    }
  }
  dc->SetBkMode(oldMode);
}
