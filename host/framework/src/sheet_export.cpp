#include "host/sheet_export.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>

#include "host/cp950_text.h"
#include "host/list_columns.h"

namespace host {
namespace {

// Texts inside the host are CP950; the sheet holds UTF-8. A text that does not convert
// keeps its ASCII and shows "?" for the rest rather than breaking the file.
std::string Utf8(const CString& text) {
  ConvertedText converted = Cp950ToUtf8(text.str());
  if (converted.ok()) return converted.text;
  std::string out = text.str();
  for (char& c : out)
    if (static_cast<unsigned char>(c) >= 0x80) c = '?';
  return out;
}

// A cell that is a plain number ("1,234", "-5", "10.50") is written as a number.
bool PlainNumber(const std::string& text, double& value) {
  std::string digits;
  size_t first = text.find_first_not_of(' ');
  size_t last = text.find_last_not_of(' ');
  if (first == std::string::npos) return false;
  for (size_t i = first; i <= last; ++i) {
    if (text[i] == ',') continue;
    digits += text[i];
  }
  if (digits.empty()) return false;
  const char* end = digits.data() + digits.size();
  auto [ptr, ec] = std::from_chars(digits.data(), end, value);
  return ec == std::errc() && ptr == end;
}

std::string Caption(CListCtrl& list, int column) {
  char title[256] = {};
  HDITEMA item{};
  item.mask = HDI_TEXT;
  item.pszText = title;
  item.cchTextMax = sizeof title;
  if (CHeaderCtrl* header = list.GetHeaderCtrl()) header->GetItem(column, &item);
  return Utf8(CString(title));
}

}  // namespace

std::string WriteListSheet(const std::string& path, CListCtrl& names, CListCtrl& grid,
                           const CString& title, const CString& align,
                           const CBaseOrder_UserInfo* user) {
  lxw_workbook* wb = workbook_new(path.c_str());
  if (!wb) return "the workbook could not be made";
  lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
  lxw_format* bold = workbook_add_format(wb);
  format_set_bold(bold);
  lxw_format* byLetter[3] = {workbook_add_format(wb), workbook_add_format(wb),
                             workbook_add_format(wb)};
  format_set_align(byLetter[0], LXW_ALIGN_LEFT);
  format_set_align(byLetter[1], LXW_ALIGN_CENTER);
  format_set_align(byLetter[2], LXW_ALIGN_RIGHT);
  const std::string letters = align.str();
  auto formatOf = [&](int column) -> lxw_format* {
    if (column < 0 || static_cast<size_t>(column) >= letters.size()) return nullptr;
    switch (letters[static_cast<size_t>(column)]) {
      case 'L': return byLetter[0];
      case 'C': return byLetter[1];
      case 'R': return byLetter[2];
      default: return nullptr;
    }
  };

  lxw_row_t row = 0;
  worksheet_write_string(ws, row++, 0, Utf8(title).c_str(), bold);
  if (user) {
    const CString line = "帳號: " + user->m_strAccount + "  姓名: " + user->m_strUserName +
                         "  券商: " + user->m_strBrokerName;
    worksheet_write_string(ws, row++, 0, Utf8(line).c_str(), nullptr);
  }
  const int nameColumns = std::min(1, ListColumnCount(names));
  const int gridColumns = ListColumnCount(grid);
  const int columns = nameColumns + gridColumns;
  for (int c = 0; c < columns; ++c) {
    const std::string caption = c < nameColumns ? Caption(names, c) : Caption(grid, c - nameColumns);
    worksheet_write_string(ws, row, static_cast<lxw_col_t>(c), caption.c_str(), bold);
    worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                         c < nameColumns ? 18 : 14, nullptr);
  }
  ++row;
  const int lines = std::max(grid.GetItemCount(), nameColumns ? names.GetItemCount() : 0);
  for (int i = 0; i < lines; ++i, ++row) {
    for (int c = 0; c < columns; ++c) {
      const CString cell = c < nameColumns ? names.GetItemText(i, c) : grid.GetItemText(i, c - nameColumns);
      const std::string text = Utf8(cell);
      // Blank cells (the total row's spacers) stay empty in the sheet.
      if (text.find_first_not_of(' ') == std::string::npos) continue;
      double value = 0;
      if (PlainNumber(text, value))
        worksheet_write_number(ws, row, static_cast<lxw_col_t>(c), value, formatOf(c));
      else
        worksheet_write_string(ws, row, static_cast<lxw_col_t>(c), text.c_str(), formatOf(c));
    }
  }
  const lxw_error closed = workbook_close(wb);
  if (closed != LXW_NO_ERROR) return lxw_strerror(closed);
  return {};
}

}  // namespace host
