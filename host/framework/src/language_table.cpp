#include "host/language_table.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/cp950_text.h"

namespace host {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

bool IsKeyChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-' || c == '.';
}

// Resolves \n, \t, \s and \\; false with a message for any other backslash.
bool Unescape(std::string_view in, std::string* out, std::string* error) {
  out->clear();
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '\\') {
      out->push_back(in[i]);
      continue;
    }
    if (i + 1 == in.size()) {
      *error = "a backslash ends the text (write \\\\ for a backslash)";
      return false;
    }
    switch (in[++i]) {
      case 'n':
        out->push_back('\n');
        break;
      case 't':
        out->push_back('\t');
        break;
      case 's':
        out->push_back(' ');
        break;
      case '\\':
        out->push_back('\\');
        break;
      default:
        *error =
            std::string("unknown escape \\") + in[i] + " (only \\n, \\t, \\s and \\\\ are known)";
        return false;
    }
  }
  return true;
}

std::string CodePoint(char32_t c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
  return buf;
}

}  // namespace

std::string LanguageError::Describe() const {
  if (line > 0) return file + ":" + std::to_string(line) + ": " + message;
  return file + ": " + message;
}

std::string LanguageLoadResult::Describe() const {
  std::string all;
  for (const LanguageError& e : errors) all += e.Describe() + "\n";
  return all;
}

LanguageTable::LanguageTable(Logger logger) : logger_(std::move(logger)) {}

void LanguageTable::SetLogger(Logger logger) { logger_ = std::move(logger); }

void LanguageTable::Log(std::string_view message) const {
  if (logger_) {
    logger_(message);
    return;
  }
  std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
}

LanguageLoadResult LanguageTable::Load(const std::string& path) {
  // A directory opens as a stream too, but reads nothing.
  std::error_code ec;
  std::ifstream in;
  if (std::filesystem::is_regular_file(path, ec)) in.open(path, std::ios::binary);
  if (!in.is_open()) {
    texts_.clear();
    reportedMissing_.clear();
    source_ = path;
    LanguageLoadResult result;
    result.errors.push_back({path, 0, "cannot be read"});
    return result;
  }
  std::ostringstream contents;
  contents << in.rdbuf();
  return LoadFromText(contents.str(), path);
}

LanguageLoadResult LanguageTable::LoadFromText(std::string_view utf8, std::string_view name) {
  texts_.clear();
  reportedMissing_.clear();
  source_ = std::string(name);

  LanguageLoadResult result;
  std::map<std::string, int, std::less<>> lineOfKey;
  auto fail = [&](int line, std::string message) {
    result.errors.push_back({source_, line, std::move(message)});
  };

  if (utf8.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    utf8.remove_prefix(kByteOrderMark.size());
  int lineNo = 0;
  while (!utf8.empty()) {
    ++lineNo;
    size_t end = utf8.find('\n');
    std::string_view line = utf8.substr(0, end);
    utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    line = Trim(line);
    if (line.empty() || line.front() == '#') continue;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      fail(lineNo, "no '=' between key and text");
      continue;
    }
    std::string_view key = Trim(line.substr(0, eq));
    if (key.empty()) {
      fail(lineNo, "empty key before '='");
      continue;
    }
    bool keyOk = true;
    for (char c : key) keyOk = keyOk && IsKeyChar(c);
    if (!keyOk) {
      fail(lineNo,
           "key '" + std::string(key) + "' may hold only letters, digits, '_', '-' and '.'");
      continue;
    }
    if (auto first = lineOfKey.find(key); first != lineOfKey.end()) {
      fail(lineNo, "key " + std::string(key) + " is already defined on line " +
                       std::to_string(first->second));
      continue;
    }
    lineOfKey.emplace(std::string(key), lineNo);

    std::string text, error;
    if (!Unescape(Trim(line.substr(eq + 1)), &text, &error)) {
      fail(lineNo, "text of " + std::string(key) + ": " + error);
      continue;
    }
    ConvertedText converted = Utf8ToCp950(text);
    if (converted.error == TextError::kInvalidInput) {
      fail(lineNo, "text of " + std::string(key) + " is not valid UTF-8");
      continue;
    }
    if (converted.error == TextError::kUnmappable) {
      fail(lineNo, "text of " + std::string(key) + " holds " + CodePoint(converted.badChar) +
                       ", which code page 950 cannot hold");
      continue;
    }
    bool control = false;
    for (unsigned char c : converted.text)
      control = control || (c < 0x20 && c != '\n' && c != '\t');
    if (control) {
      fail(lineNo, "text of " + std::string(key) + " holds a control character");
      continue;
    }
    texts_.emplace(std::string(key), std::move(converted.text));
  }
  result.entries = texts_.size();
  return result;
}

const std::string& LanguageTable::Text(std::string_view key) const {
  static const std::string kEmpty;
  if (auto it = texts_.find(key); it != texts_.end()) return it->second;
  if (reportedMissing_.emplace(std::string(key)).second) {
    std::string where = source_.empty() ? std::string("(none loaded)") : source_;
    Log("language table " + where + ": no text for " + std::string(key));
  }
  return kEmpty;
}

bool LanguageTable::Contains(std::string_view key) const {
  return texts_.find(key) != texts_.end();
}

std::vector<std::string> LanguageTable::Keys() const {
  std::vector<std::string> keys;
  keys.reserve(texts_.size());
  for (const auto& entry : texts_) keys.push_back(entry.first);
  return keys;
}

}  // namespace host
