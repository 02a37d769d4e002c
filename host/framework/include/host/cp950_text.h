// Conversions between UTF-8 (files, logs) and the CP950 bytes that every text holds
// inside the host. They go through the Win32 code-page functions, so they convert exactly
// as the target does.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace host {

enum class TextError {
  kNone,
  kInvalidInput,  // not a valid sequence of the source encoding
  kUnmappable,    // a character the target encoding cannot hold
};

struct ConvertedText {
  std::string text;  // the whole converted text; empty unless error is kNone
  TextError error = TextError::kNone;
  char32_t badChar = 0;  // with kUnmappable: the first character that could not be converted

  bool ok() const { return error == TextError::kNone; }
};

ConvertedText Utf8ToCp950(std::string_view utf8);
ConvertedText Cp950ToUtf8(std::string_view cp950);
// For files a person opens (sheets, printouts): a text that does not convert keeps its
// ASCII and shows "?" for the rest rather than breaking the file.
std::string Cp950ToUtf8ForFile(std::string_view cp950);

}  // namespace host
