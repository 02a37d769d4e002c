#include "afxstr.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr UINT kCodePage = 950;

bool isLead(char c) { return IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(c)) != FALSE; }

// Bytes of the character at i: 2 for a lead byte with a trail byte after it.
size_t charLen(const char* s, size_t i, size_t n) {
  return (isLead(s[i]) && i + 1 < n && s[i + 1] != '\0') ? 2 : 1;
}
size_t charLen(const std::string& s, size_t i) { return charLen(s.data(), i, s.size()); }

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Whether the character s[i..i+len) is one of the characters of the set.
bool inSet(const char* s, size_t i, size_t len, const char* set) {
  // One pass over the set, a character at a time (tokenizing calls this per byte).
  for (size_t j = 0; set[j] != '\0';) {
    const size_t l = (isLead(set[j]) && set[j + 1] != '\0') ? 2 : 1;
    if (l == len && set[j] == s[i] && (l == 1 || set[j + 1] == s[i + 1])) return true;
    j += l;
  }
  return false;
}

// Start of the first character at or after iStart whose bytes begin `sub`.
int findSub(const std::string& s, const char* sub, size_t start) {
  const size_t m = std::strlen(sub);
  if (m == 0) return -1;
  for (size_t i = start; i + m <= s.size(); i += charLen(s, i))
    if (std::memcmp(s.data() + i, sub, m) == 0) return static_cast<int>(i);
  return -1;
}

std::string vformat(const char* fmt, va_list args) {
  if (!fmt) return {};
  char small[256];
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(small, sizeof small, fmt, copy);
  va_end(copy);
  if (n < 0) return {};
  if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
  std::vector<char> big(static_cast<size_t>(n) + 1);
  std::vsnprintf(big.data(), big.size(), fmt, args);
  return std::string(big.data(), static_cast<size_t>(n));
}

bool validPointer(LPCSTR psz) { return psz && !IS_INTRESOURCE(psz); }

}  // namespace

CString::CString(LPCSTR psz) {
  if (validPointer(psz)) m_str = psz;
}

CString::CString(LPCSTR pch, int nLength) {
  if (validPointer(pch) && nLength > 0) m_str.assign(pch, static_cast<size_t>(nLength));
}

CString::CString(char ch, int nRepeat) {
  if (nRepeat > 0) m_str.assign(static_cast<size_t>(nRepeat), ch);
}

CString& CString::operator=(LPCSTR psz) {
  if (!validPointer(psz))
    m_str.clear();
  else
    m_str = psz;  // std::string copes with psz pointing into m_str
  return *this;
}

CString& CString::operator=(char ch) {
  m_str.assign(1, ch);
  return *this;
}

char CString::GetAt(int iChar) const {
  if (iChar < 0 || iChar >= GetLength()) return '\0';
  return m_str[static_cast<size_t>(iChar)];
}

void CString::SetAt(int iChar, char ch) {
  if (iChar >= 0 && iChar < GetLength()) m_str[static_cast<size_t>(iChar)] = ch;
}

void CString::Format(LPCSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  FormatV(pszFormat, args);
  va_end(args);
}

void CString::AppendFormat(LPCSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  AppendFormatV(pszFormat, args);
  va_end(args);
}

void CString::FormatV(LPCSTR pszFormat, va_list args) { m_str = vformat(pszFormat, args); }
void CString::AppendFormatV(LPCSTR pszFormat, va_list args) { m_str += vformat(pszFormat, args); }

CString& CString::operator+=(const CString& s) {
  m_str += s.m_str;
  return *this;
}
CString& CString::operator+=(LPCSTR psz) {
  if (validPointer(psz)) m_str += psz;
  return *this;
}
CString& CString::operator+=(char ch) {
  m_str += ch;
  return *this;
}

int CString::Compare(LPCSTR psz) const {
  if (!validPointer(psz)) psz = "";
  const int r = std::strcmp(m_str.c_str(), psz);  // strcmp compares as unsigned char
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCSTR psz) const {
  if (!validPointer(psz)) psz = "";
  const char* a = m_str.c_str();
  const char* b = psz;
  const size_t na = m_str.size(), nb = std::strlen(b);
  size_t i = 0, j = 0;
  while (i < na && j < nb) {
    const size_t la = charLen(a, i, na), lb = charLen(b, j, nb);
    unsigned ca, cb;
    if (la == 2)
      ca = static_cast<unsigned>(static_cast<BYTE>(a[i])) << 8 | static_cast<BYTE>(a[i + 1]);
    else
      ca = static_cast<BYTE>(lower(a[i]));
    if (lb == 2)
      cb = static_cast<unsigned>(static_cast<BYTE>(b[j])) << 8 | static_cast<BYTE>(b[j + 1]);
    else
      cb = static_cast<BYTE>(lower(b[j]));
    if (ca != cb) return ca < cb ? -1 : 1;
    i += la, j += lb;
  }
  if (i < na) return 1;
  if (j < nb) return -1;
  return 0;
}

int CString::Find(char ch, int iStart) const {
  if (iStart < 0 || iStart >= GetLength()) return -1;
  for (size_t i = static_cast<size_t>(iStart); i < m_str.size(); i += charLen(m_str, i))
    if (charLen(m_str, i) == 1 && m_str[i] == ch) return static_cast<int>(i);
  return -1;
}

int CString::Find(LPCSTR pszSub, int iStart) const {
  if (!validPointer(pszSub) || iStart < 0 || iStart > GetLength()) return -1;
  return findSub(m_str, pszSub, static_cast<size_t>(iStart));
}

int CString::ReverseFind(char ch) const {
  int found = -1;
  for (size_t i = 0; i < m_str.size(); i += charLen(m_str, i))
    if (charLen(m_str, i) == 1 && m_str[i] == ch) found = static_cast<int>(i);
  return found;
}

int CString::FindOneOf(LPCSTR pszCharSet) const {
  if (!validPointer(pszCharSet)) return -1;
  for (size_t i = 0; i < m_str.size();) {
    const size_t l = charLen(m_str, i);
    if (inSet(m_str.data(), i, l, pszCharSet)) return static_cast<int>(i);
    i += l;
  }
  return -1;
}

CString CString::Left(int nCount) const {
  if (nCount <= 0) return CString();
  return CString(m_str.substr(0, static_cast<size_t>(nCount)));
}

CString CString::Mid(int iFirst) const { return Mid(iFirst, GetLength()); }

CString CString::Mid(int iFirst, int nCount) const {
  if (iFirst < 0) iFirst = 0;
  if (nCount <= 0 || iFirst >= GetLength()) return CString();
  return CString(m_str.substr(static_cast<size_t>(iFirst), static_cast<size_t>(nCount)));
}

CString CString::Right(int nCount) const {
  if (nCount <= 0) return CString();
  if (nCount >= GetLength()) return *this;
  return CString(m_str.substr(m_str.size() - static_cast<size_t>(nCount)));
}

CString CString::SpanIncluding(LPCSTR pszCharSet) const {
  if (!validPointer(pszCharSet)) return CString();
  size_t i = 0;
  while (i < m_str.size()) {
    const size_t l = charLen(m_str, i);
    if (!inSet(m_str.data(), i, l, pszCharSet)) break;
    i += l;
  }
  return CString(m_str.substr(0, i));
}

CString CString::SpanExcluding(LPCSTR pszCharSet) const {
  if (!validPointer(pszCharSet)) return *this;
  const int at = FindOneOf(pszCharSet);
  return at < 0 ? *this : Left(at);
}

CString& CString::MakeUpper() {
  for (size_t i = 0; i < m_str.size(); i += charLen(m_str, i))
    if (charLen(m_str, i) == 1) m_str[i] = upper(m_str[i]);
  return *this;
}

CString& CString::MakeLower() {
  for (size_t i = 0; i < m_str.size(); i += charLen(m_str, i))
    if (charLen(m_str, i) == 1) m_str[i] = lower(m_str[i]);
  return *this;
}

CString& CString::MakeReverse() {
  // Characters in reverse order, each double-byte character kept whole.
  std::string out;
  out.reserve(m_str.size());
  for (size_t i = 0; i < m_str.size();) {
    const size_t l = charLen(m_str, i);
    out.insert(0, m_str, i, l);
    i += l;
  }
  m_str.swap(out);
  return *this;
}

namespace {

template <class Pred>
void trimLeft(std::string& s, Pred trims) {
  size_t i = 0;
  while (i < s.size()) {
    const size_t l = charLen(s, i);
    if (!trims(s.data(), i, l)) break;
    i += l;
  }
  s.erase(0, i);
}

template <class Pred>
void trimRight(std::string& s, Pred trims) {
  size_t keep = 0;  // end of the last character that stays
  for (size_t i = 0; i < s.size();) {
    const size_t l = charLen(s, i);
    if (!trims(s.data(), i, l)) keep = i + l;
    i += l;
  }
  s.resize(keep);
}

auto spaces() {
  return [](const char* s, size_t i, size_t l) { return l == 1 && isSpace(s[i]); };
}
auto oneChar(char c) {
  return [c](const char* s, size_t i, size_t l) { return l == 1 && s[i] == c; };
}
auto charSet(LPCSTR set) {
  return [set](const char* s, size_t i, size_t l) { return set && inSet(s, i, l, set); };
}

}  // namespace

CString& CString::TrimLeft() { return trimLeft(m_str, spaces()), *this; }
CString& CString::TrimLeft(char chTarget) { return trimLeft(m_str, oneChar(chTarget)), *this; }
CString& CString::TrimLeft(LPCSTR pszTargets) {
  if (validPointer(pszTargets)) trimLeft(m_str, charSet(pszTargets));
  return *this;
}
CString& CString::TrimRight() { return trimRight(m_str, spaces()), *this; }
CString& CString::TrimRight(char chTarget) { return trimRight(m_str, oneChar(chTarget)), *this; }
CString& CString::TrimRight(LPCSTR pszTargets) {
  if (validPointer(pszTargets)) trimRight(m_str, charSet(pszTargets));
  return *this;
}
CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

int CString::Replace(char chOld, char chNew) {
  int n = 0;
  for (size_t i = 0; i < m_str.size(); i += charLen(m_str, i))
    if (charLen(m_str, i) == 1 && m_str[i] == chOld) m_str[i] = chNew, ++n;
  return n;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew) {
  if (!validPointer(pszOld) || *pszOld == '\0') return 0;
  const std::string with = validPointer(pszNew) ? pszNew : "";
  const size_t m = std::strlen(pszOld);
  std::string out;
  int n = 0;
  size_t i = 0;
  while (i < m_str.size()) {
    if (i + m <= m_str.size() && std::memcmp(m_str.data() + i, pszOld, m) == 0) {
      out += with;
      i += m;
      ++n;
      continue;
    }
    const size_t l = charLen(m_str, i);
    out.append(m_str, i, l);
    i += l;
  }
  if (n) m_str.swap(out);
  return n;
}

int CString::Remove(char chRemove) {
  std::string out;
  int n = 0;
  for (size_t i = 0; i < m_str.size();) {
    const size_t l = charLen(m_str, i);
    if (l == 1 && m_str[i] == chRemove)
      ++n;
    else
      out.append(m_str, i, l);
    i += l;
  }
  m_str.swap(out);
  return n;
}

int CString::Insert(int iIndex, char ch) {
  if (iIndex < 0) iIndex = 0;
  if (iIndex > GetLength()) iIndex = GetLength();
  m_str.insert(static_cast<size_t>(iIndex), 1, ch);
  return GetLength();
}

int CString::Insert(int iIndex, LPCSTR psz) {
  if (iIndex < 0) iIndex = 0;
  if (iIndex > GetLength()) iIndex = GetLength();
  if (validPointer(psz)) m_str.insert(static_cast<size_t>(iIndex), std::string(psz));
  return GetLength();
}

int CString::Delete(int iIndex, int nCount) {
  if (iIndex < 0) iIndex = 0;
  if (nCount > 0 && iIndex < GetLength())
    m_str.erase(static_cast<size_t>(iIndex), static_cast<size_t>(nCount));
  return GetLength();
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const {
  if (iStart < 0 || iStart >= GetLength()) {
    iStart = -1;
    return CString();
  }
  if (!validPointer(pszTokens) || *pszTokens == '\0') {
    CString rest = Mid(iStart);
    iStart = GetLength();
    return rest;
  }
  size_t i = static_cast<size_t>(iStart);
  while (i < m_str.size()) {
    const size_t l = charLen(m_str, i);
    if (!inSet(m_str.data(), i, l, pszTokens)) break;
    i += l;
  }
  if (i >= m_str.size()) {
    iStart = -1;
    return CString();
  }
  const size_t begin = i;
  while (i < m_str.size()) {
    const size_t l = charLen(m_str, i);
    if (inSet(m_str.data(), i, l, pszTokens)) break;
    i += l;
  }
  CString token(m_str.substr(begin, i - begin));
  // Past the delimiter that ended the token.
  iStart = static_cast<int>(i < m_str.size() ? i + charLen(m_str, i) : i);
  return token;
}

LPSTR CString::GetBuffer(int nMinBufferLength) {
  if (nMinBufferLength > GetLength()) m_str.resize(static_cast<size_t>(nMinBufferLength));
  return m_str.data();
}

LPSTR CString::GetBufferSetLength(int nNewLength) {
  m_str.resize(nNewLength > 0 ? static_cast<size_t>(nNewLength) : 0);
  return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
  size_t n = static_cast<size_t>(nNewLength);
  if (nNewLength < 0) n = ::strnlen(m_str.data(), m_str.size());
  if (n > m_str.size()) n = m_str.size();
  m_str.resize(n);
}

CString operator+(const CString& a, const CString& b) {
  CString r(a);
  return r += b;
}
CString operator+(const CString& a, LPCSTR b) {
  CString r(a);
  return r += b;
}
CString operator+(LPCSTR a, const CString& b) {
  CString r(a);
  return r += b;
}
CString operator+(const CString& a, char b) {
  CString r(a);
  return r += b;
}
CString operator+(char a, const CString& b) {
  CString r(a);
  return r += b;
}

bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, LPCSTR b) { return !(a == b); }
bool operator!=(LPCSTR a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCSTR b) { return a.Compare(b) < 0; }
bool operator<(LPCSTR a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
