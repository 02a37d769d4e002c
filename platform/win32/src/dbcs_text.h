// Byte strings in the ANSI code page, walked a character at a time: a lead
// byte and the trail byte after it are one character, and only single-byte
// letters have a case.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace headless::detail {

inline bool IsLead(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE; }

// The start of the character that holds byte `pos` (pos itself at a boundary).
std::size_t CharStart(const std::string& s, std::size_t pos);
std::size_t NextCharPos(const std::string& s, std::size_t pos);
std::size_t PrevCharPos(const std::string& s, std::size_t pos);
// The longest head of s, at most `bytes` long, that ends on a character boundary.
std::size_t FitChars(const std::string& s, std::size_t bytes);
// Case folds single-byte letters; trail bytes stay as they are.
void ToUpperSingleByte(std::string& s);
void ToLowerSingleByte(std::string& s);
// Whether `text` starts with `prefix`, ignoring the case of single-byte letters.
bool StartsWithNoCase(const std::string& text, const std::string& prefix);
bool EqualNoCase(const std::string& a, const std::string& b);
// Copies as WM_GETTEXT does: at most max - 1 bytes, never half a character, NUL-terminated.
int CopyOut(const std::string& text, LPSTR buf, int max);

}  // namespace headless::detail
