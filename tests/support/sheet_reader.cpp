#include "sheet_reader.h"

#include <cstdio>
#include <sys/wait.h>

namespace testsupport {

nlohmann::json ReadSheet(const std::string& path, std::string* error) {
  // The path is quoted for the shell; test paths hold no single quote.
  const std::string command =
      std::string(QZ_PYTHON) + " '" + QZ_SHEET_READER + "' '" + path + "' 2>&1";
  std::string out;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) {
    if (error) *error = "python3 could not be started";
    return nullptr;
  }
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int status = ::pclose(pipe);
  if (status != 0 || out.empty()) {
    if (error) *error = out.empty() ? "no output from the reader" : out;
    return nullptr;
  }
  nlohmann::json sheet = nlohmann::json::parse(out, nullptr, false);
  if (sheet.is_discarded()) {
    if (error) *error = out;
    return nullptr;
  }
  return sheet;
}

std::string CellName(int row, int column) {
  std::string letters;
  for (int c = column + 1; c > 0; c = (c - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
  return letters + std::to_string(row + 1);
}

}  // namespace testsupport
