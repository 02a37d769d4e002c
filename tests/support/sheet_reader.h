// An .xlsx read back by an independent reader (openpyxl), for tests of the export.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace testsupport {

// The first sheet as read_sheet.py prints it; a JSON null when it could not be read, with
// the reader's complaint in *error.
nlohmann::json ReadSheet(const std::string& path, std::string* error = nullptr);

// "A1"-style name of a zero-based cell.
std::string CellName(int row, int column);

}  // namespace testsupport
