#include "CBaseOrderItemGroup.h"

#include "CommonUtilities.h"
#include "host/item_alignment.h"

BOOL CBaseOrderItemGroup::bAddItem(const CString& strKey, LPCTSTR lpszValue, int cAlign) {
  if (strKey.IsEmpty() || iGetItemIndex(strKey) >= 0) return FALSE;
  Item item;
  item.strKey = strKey;
  if (lpszValue) item.strValue = lpszValue;
  item.cAlign = (cAlign == 'L' || cAlign == 'C' || cAlign == 'R')
                    ? static_cast<char>(cAlign)
                    : host::ItemAlignment(strKey.str());
  m_index.emplace(strKey.str(), static_cast<int>(m_items.size()));
  m_items.push_back(item);
  vRelinkTitles();
  return TRUE;
}

BOOL CBaseOrderItemGroup::bDeleteItem(const CString& strKey) {
  const int i = iGetItemIndex(strKey);
  if (i < 0) return FALSE;
  m_items.erase(m_items.begin() + i);
  m_index.clear();
  for (size_t n = 0; n < m_items.size(); ++n) m_index.emplace(m_items[n].strKey.str(), static_cast<int>(n));
  vRelinkTitles();
  return TRUE;
}

void CBaseOrderItemGroup::vDeleteAllItem() {
  m_items.clear();
  m_index.clear();
  vRelinkTitles();
}

int CBaseOrderItemGroup::iGetItemIndex(const CString& strKey) const {
  auto it = m_index.find(strKey.str());
  return it == m_index.end() ? -1 : it->second;
}

BOOL CBaseOrderItemGroup::bSetItemValue(const CString& strKey, const CString& strValue,
                                        int nColor, int nFlag) {
  (void)nColor;
  (void)nFlag;
  const int i = iGetItemIndex(strKey);
  if (i < 0) return FALSE;
  m_items[static_cast<size_t>(i)].strValue = strValue;
  return TRUE;
}

BOOL CBaseOrderItemGroup::bSetItemValue(const CString& strKey, int nValue) {
  CString text;
  text.Format("%d", nValue);
  return bSetItemValue(strKey, text, 0, 0);
}

CString CBaseOrderItemGroup::strGetItemValue(const CString& strKey) const {
  const int i = iGetItemIndex(strKey);
  return i < 0 ? CString() : m_items[static_cast<size_t>(i)].strValue;
}

void CBaseOrderItemGroup::vClearAllItemValue() {
  for (Item& item : m_items) item.strValue.Empty();
}

int CBaseOrderItemGroup::iFindItemForTitle(const CString& strTitle) const {
  const int byKey = iGetItemIndex(strTitle);
  if (byKey >= 0 || strTitle.IsEmpty()) return byKey;
  // A section may name its columns by caption: match the items' texts.
  for (size_t i = 0; i < m_items.size(); ++i) {
    const CString text = s_LangGetLangString(m_items[i].strKey);
    if (!text.IsEmpty() && text == strTitle) return static_cast<int>(i);
  }
  return -1;
}

void CBaseOrderItemGroup::vRelinkTitles() {
  for (DisplayTitle& t : m_titles) t.nItem = iFindItemForTitle(t.strTitle);
}

void CBaseOrderItemGroup::vAddDisplayTitle(const CString& strTitle, WORD wWidth, int nPos) {
  DisplayTitle t;
  t.strTitle = strTitle;
  t.wWidth = wWidth;
  t.nItem = iFindItemForTitle(strTitle);
  if (nPos < 0 || nPos >= static_cast<int>(m_titles.size()))
    m_titles.push_back(t);
  else
    m_titles.insert(m_titles.begin() + nPos, t);
}

BOOL CBaseOrderItemGroup::bDeleteDisplayTitle(int nIndex) {
  if (nIndex < 0 || nIndex >= static_cast<int>(m_titles.size())) return FALSE;
  m_titles.erase(m_titles.begin() + nIndex);
  return TRUE;
}

void CBaseOrderItemGroup::vDeleteAllDisplayTitle() { m_titles.clear(); }

CString CBaseOrderItemGroup::strGetDisplayTitle(int nIndex) const {
  if (nIndex < 0 || nIndex >= static_cast<int>(m_titles.size())) return CString();
  const CString& title = m_titles[static_cast<size_t>(nIndex)].strTitle;
  if (title.Left(4) == "IDS_") {
    const CString text = s_LangGetLangString(title);
    if (!text.IsEmpty()) return text;
  }
  return title;
}

WORD CBaseOrderItemGroup::wGetDisplayWidth(int nIndex) const {
  if (nIndex < 0 || nIndex >= static_cast<int>(m_titles.size())) return 0;
  return m_titles[static_cast<size_t>(nIndex)].wWidth;
}

int CBaseOrderItemGroup::iGetDisplayItem(const CString& strKey) const {
  const int item = iGetItemIndex(strKey);
  if (item < 0) return -1;
  for (size_t i = 0; i < m_titles.size(); ++i)
    if (m_titles[i].nItem == item) return static_cast<int>(i);
  return -1;
}

CString CBaseOrderItemGroup::strGetDisplayLineText() const {
  CString line;
  for (size_t i = 0; i < m_titles.size(); ++i) {
    if (i) line += '\t';
    const int item = m_titles[i].nItem;
    if (item >= 0) line += m_items[static_cast<size_t>(item)].strValue;
  }
  return line;
}

CString CBaseOrderItemGroup::strGetDisplayLineTextAligns() const {
  CString aligns;
  for (const DisplayTitle& t : m_titles)
    aligns += t.nItem >= 0 ? m_items[static_cast<size_t>(t.nItem)].cAlign
                           : host::ItemAlignment(t.strTitle.str());
  return aligns;
}
