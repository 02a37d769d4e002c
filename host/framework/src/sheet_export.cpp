#include "host/sheet_export.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "host/cp950_text.h"
#include "host/list_columns.h"

namespace host {
namespace {

// Texts inside the host are CP950; the sheet holds UTF-8.
std::string Utf8(const CString& text) { return Cp950ToUtf8ForFile(text.str()); }

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

// Blanks that pad a grid cell for the eye would only stand in a spreadsheet's way.
std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Why the file could not be written, in the user's words where the cause is a common one.
std::string Reason(int error, lxw_error fallback) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return "磁碟空間不足 (" + std::string(std::strerror(error)) + ")";
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOTDIR:
    case ENOENT:
      return "資料夾無法寫入 (" + std::string(std::strerror(error)) + ")";
    case 0:
      return lxw_strerror(fallback);
    default:
      return std::strerror(error);
  }
}

std::string Caption(CListCtrl& list, int column) { return Utf8(ListColumnCaption(list, column)); }

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

  // The captions over groups of grid columns, merged across each group, in a row of their own.
  const std::vector<ListHeaderGroup> groups = ListHeaderGroups(grid);
  if (!groups.empty()) {
    lxw_format* groupFormat = workbook_add_format(wb);
    format_set_bold(groupFormat);
    format_set_align(groupFormat, LXW_ALIGN_CENTER);
    for (const ListHeaderGroup& group : groups) {
      const auto first = static_cast<lxw_col_t>(group.first + nameColumns);
      const auto last = static_cast<lxw_col_t>(group.last + nameColumns);
      const std::string caption = Utf8(group.caption);
      if (first == last)
        worksheet_write_string(ws, row, first, caption.c_str(), groupFormat);
      else
        worksheet_merge_range(ws, row, first, row, last, caption.c_str(), groupFormat);
    }
    ++row;
  }
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
      const std::string text = Trimmed(Utf8(cell));
      // Blank cells (the total row's spacers) stay empty in the sheet.
      if (text.empty()) continue;
      double value = 0;
      if (PlainNumber(text, value))
        worksheet_write_number(ws, row, static_cast<lxw_col_t>(c), value, formatOf(c));
      else
        worksheet_write_string(ws, row, static_cast<lxw_col_t>(c), text.c_str(), formatOf(c));
    }
  }
  errno = 0;
  const lxw_error closed = workbook_close(wb);
  if (closed == LXW_NO_ERROR) return {};
  const std::string why = Reason(errno, closed);
  // What was written of it is no spreadsheet; never leave it where the user looks for one.
  std::error_code ec;
  std::filesystem::remove(path, ec);
  return why;
}

}  // namespace host
