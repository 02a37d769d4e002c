// CBaseOrderItemGroup: the item and column model of a list section. Items are keyed
// (an IDS_ key each) and hold a value text; display titles are the columns, in order,
// each showing one item. A line of the list is the displayed items' values joined by
// tabs.
#pragma once

#include <afxstr.h>

#include <string>
#include <unordered_map>
#include <vector>

class CBaseOrderItemGroup {
 public:
  struct Item {
    CString strKey;
    CString strValue;
    char cAlign = 'L';  // 'L', 'C' or 'R'
  };
  struct DisplayTitle {
    CString strTitle;  // as given: an item key, or a caption text
    WORD wWidth = 0;
    int nItem = -1;    // index in the items; -1 when the title names no item
  };

  // Items. bAddItem refuses an empty or repeated key. lpszValue is the initial value
  // (null: empty); cAlign 0 takes the host's alignment for the key.
  BOOL bAddItem(const CString& strKey, LPCTSTR lpszValue = nullptr, int cAlign = 0);
  BOOL bDeleteItem(const CString& strKey);
  void vDeleteAllItem();
  int iGetItemCount() const { return static_cast<int>(m_items.size()); }
  // Index of the key among the items; -1 when absent.
  int iGetItemIndex(const CString& strKey) const;

  // Values. The text form sets the text; the integer form its "%d". False for a key
  // that is not an item. nColor and nFlag are kept for the caller and not shown.
  BOOL bSetItemValue(const CString& strKey, const CString& strValue, int nColor = 0,
                     int nFlag = 0);
  BOOL bSetItemValue(const CString& strKey, int nValue);
  CString strGetItemValue(const CString& strKey) const;
  // Empties every value, keeping items and titles.
  void vClearAllItemValue();

  // Display titles. A title names its item by key, or by the item key's language text.
  // nPos -1 appends; otherwise the title is inserted before column nPos.
  void vAddDisplayTitle(const CString& strTitle, WORD wWidth, int nPos = -1);
  BOOL bDeleteDisplayTitle(int nIndex);
  void vDeleteAllDisplayTitle();
  int iGetDisplayItemTitleCount() const { return static_cast<int>(m_titles.size()); }
  // The caption of column nIndex: the language text of an item key, else the title as
  // given; empty for an index out of range.
  CString strGetDisplayTitle(int nIndex) const;
  WORD wGetDisplayWidth(int nIndex) const;
  // The display column that shows the key's item; -1 when it is not displayed.
  int iGetDisplayItem(const CString& strKey) const;

  // The displayed values in column order, separated by tabs; empty without columns.
  CString strGetDisplayLineText() const;
  // One alignment letter per column ('L', 'C', 'R').
  CString strGetDisplayLineTextAligns() const;

 private:
  int iFindItemForTitle(const CString& strTitle) const;
  void vRelinkTitles();

  std::vector<Item> m_items;
  std::unordered_map<std::string, int> m_index;  // key -> index in m_items
  std::vector<DisplayTitle> m_titles;
};
