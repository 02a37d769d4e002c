// The host's language table: the user-interface text of every IDS_ key, read from a
// UTF-8 file and held as CP950 bytes. The file format is described at the top of
// data/lang/zh-TW.lang and in docs/host.md.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace host {

struct LanguageError {
  std::string file;
  int line = 0;  // 1-based; 0 when the file itself could not be read
  std::string message;

  // "file:line: message", or "file: message" without a line.
  std::string Describe() const;
};

struct LanguageLoadResult {
  std::size_t entries = 0;            // texts defined after the load
  std::vector<LanguageError> errors;  // every problem found, in line order

  bool ok() const { return errors.empty(); }
  // Every error on a line of its own.
  std::string Describe() const;
};

class LanguageTable {
 public:
  using Logger = std::function<void(std::string_view message)>;

  // Without a logger, messages go to stderr.
  explicit LanguageTable(Logger logger = {});

  // Replaces the table with the file's entries. Lines in error are reported and
  // skipped; the good lines are still defined, so a terminal with a damaged file
  // still shows most of its texts.
  LanguageLoadResult Load(const std::string& path);
  // The same for a file's contents already in memory; name stands for the file in errors.
  LanguageLoadResult LoadFromText(std::string_view utf8, std::string_view name);

  // The CP950 text of key. A key the table does not define gives the empty text, and
  // the first request for it is logged (once per key and load).
  const std::string& Text(std::string_view key) const;
  bool Contains(std::string_view key) const;
  std::size_t size() const { return texts_.size(); }
  std::vector<std::string> Keys() const;

  void SetLogger(Logger logger);

 private:
  void Log(std::string_view message) const;

  std::map<std::string, std::string, std::less<>> texts_;
  std::string source_;
  Logger logger_;
  mutable std::set<std::string, std::less<>> reportedMissing_;
};

}  // namespace host
