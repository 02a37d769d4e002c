#include "dbcs_text.h"

#include <algorithm>
#include <cstring>

namespace headless::detail {

std::size_t CharStart(const std::string& s, std::size_t pos) {
  pos = std::min(pos, s.size());
  std::size_t i = 0;
  while (i < pos) {
    std::size_t next = NextCharPos(s, i);
    if (next > pos) break;
    i = next;
  }
  return i;
}

std::size_t NextCharPos(const std::string& s, std::size_t pos) {
  if (pos >= s.size()) return s.size();
  return (IsLead(s[pos]) && pos + 1 < s.size()) ? pos + 2 : pos + 1;
}

std::size_t PrevCharPos(const std::string& s, std::size_t pos) {
  if (pos == 0) return 0;
  return CharStart(s, pos - 1);
}

std::size_t FitChars(const std::string& s, std::size_t bytes) {
  return bytes >= s.size() ? s.size() : CharStart(s, bytes);
}

namespace {
template <class F>
void foldSingleBytes(std::string& s, F fold) {
  for (std::size_t i = 0; i < s.size(); i = NextCharPos(s, i))
    if (!IsLead(s[i]) || i + 1 == s.size()) s[i] = fold(s[i]);
}
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
}  // namespace

void ToUpperSingleByte(std::string& s) { foldSingleBytes(s, upper); }
void ToLowerSingleByte(std::string& s) { foldSingleBytes(s, lower); }

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size();) {
    if (IsLead(prefix[i]) && i + 1 < prefix.size()) {
      if (prefix[i] != text[i] || prefix[i + 1] != text[i + 1]) return false;
      i += 2;
    } else {
      if (IsLead(text[i]) && i + 1 < text.size()) return false;  // a byte against a character
      if (lower(prefix[i]) != lower(text[i])) return false;
      ++i;
    }
  }
  return true;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && StartsWithNoCase(a, b);
}

int CopyOut(const std::string& text, LPSTR buf, int max) {
  if (!buf || max <= 0) return 0;
  const std::size_t n = FitChars(text, static_cast<std::size_t>(max - 1));
  std::memcpy(buf, text.data(), n);
  buf[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace headless::detail
