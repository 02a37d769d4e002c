// CString: a multibyte string in code page 950. Lengths and indexes are in
// bytes; searching and case changes step over double-byte characters, so a
// trail byte is never matched or changed.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>

#if defined(__GNUC__)
#define AFX_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define AFX_PRINTF_FORMAT(fmt, args)
#endif

class CString {
 public:
  CString() = default;
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  // A null pointer or a resource id (as MAKEINTRESOURCE makes) gives an empty string.
  CString(LPCSTR psz);  // NOLINT: converts implicitly, as the framework's does
  CString(LPCSTR pch, int nLength);
  explicit CString(char ch, int nRepeat = 1);
  CString(const std::string& s) : m_str(s) {}  // NOLINT

  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(LPCSTR psz);
  CString& operator=(char ch);

  int GetLength() const { return static_cast<int>(m_str.size()); }
  BOOL IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  // 0 for an index out of range.
  char GetAt(int iChar) const;
  void SetAt(int iChar, char ch);
  char operator[](int iChar) const { return GetAt(iChar); }
  operator LPCSTR() const { return m_str.c_str(); }
  LPCSTR GetString() const { return m_str.c_str(); }
  const std::string& str() const { return m_str; }

  // printf rules; the result has any length. The format is always the first
  // argument: pass data through "%s".
  void Format(LPCSTR pszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
  void AppendFormat(LPCSTR pszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
  void FormatV(LPCSTR pszFormat, va_list args);
  void AppendFormatV(LPCSTR pszFormat, va_list args);

  CString& operator+=(const CString& s);
  CString& operator+=(LPCSTR psz);
  CString& operator+=(char ch);
  void Append(LPCSTR psz) { *this += psz; }
  void AppendChar(char ch) { *this += ch; }

  // Byte-wise (unsigned) comparison.
  int Compare(LPCSTR psz) const;
  // Case-insensitive for single-byte letters; double-byte characters compare as they are.
  int CompareNoCase(LPCSTR psz) const;

  // Byte indexes of whole characters; -1 when not found or when iStart is past the end.
  int Find(char ch, int iStart = 0) const;
  int Find(LPCSTR pszSub, int iStart = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(LPCSTR pszCharSet) const;

  CString Left(int nCount) const;
  CString Mid(int iFirst) const;
  CString Mid(int iFirst, int nCount) const;
  CString Right(int nCount) const;
  CString SpanIncluding(LPCSTR pszCharSet) const;
  CString SpanExcluding(LPCSTR pszCharSet) const;

  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();
  CString& Trim();
  CString& Trim(char chTarget);
  CString& Trim(LPCSTR pszTargets);
  CString& TrimLeft();
  CString& TrimLeft(char chTarget);
  CString& TrimLeft(LPCSTR pszTargets);
  CString& TrimRight();
  CString& TrimRight(char chTarget);
  CString& TrimRight(LPCSTR pszTargets);

  // Number of replacements or removals made.
  int Replace(char chOld, char chNew);
  int Replace(LPCSTR pszOld, LPCSTR pszNew);
  int Remove(char chRemove);
  // New length.
  int Insert(int iIndex, char ch);
  int Insert(int iIndex, LPCSTR psz);
  int Delete(int iIndex, int nCount = 1);

  // The next token after iStart, skipping leading delimiters; at the end an
  // empty string and iStart = -1.
  CString Tokenize(LPCSTR pszTokens, int& iStart) const;

  // A writable buffer of at least nMinBufferLength bytes plus the terminator,
  // holding the current text; ReleaseBuffer sets the length (-1: up to the first NUL).
  LPSTR GetBuffer(int nMinBufferLength = 0);
  LPSTR GetBufferSetLength(int nNewLength);
  void ReleaseBuffer(int nNewLength = -1);
  void Preallocate(int nLength) { m_str.reserve(nLength > 0 ? static_cast<size_t>(nLength) : 0); }

 private:
  std::string m_str;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCSTR b);
CString operator+(LPCSTR a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCSTR b);
bool operator==(LPCSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCSTR b);
bool operator!=(LPCSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCSTR b);
bool operator<(LPCSTR a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);
