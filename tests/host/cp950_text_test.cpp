#include "host/cp950_text.h"

#include <string>

#include <gtest/gtest.h>

namespace {

std::string Utf8(std::u8string_view s) { return std::string(s.begin(), s.end()); }

TEST(Cp950Text, ConvertsBothWaysAsTheCompilerEncodesLiterals) {
  // 許 and 功 end in 0x5C, the byte of a backslash.
  host::ConvertedText narrow = host::Utf8ToCp950(Utf8(u8"許功蓋，庫存：100股"));
  ASSERT_TRUE(narrow.ok());
  EXPECT_EQ(narrow.text, "許功蓋，庫存：100股");

  host::ConvertedText wide = host::Cp950ToUtf8(narrow.text);
  ASSERT_TRUE(wide.ok());
  EXPECT_EQ(wide.text, Utf8(u8"許功蓋，庫存：100股"));

  EXPECT_TRUE(host::Utf8ToCp950("").ok());
  EXPECT_EQ(host::Utf8ToCp950("").text, "");
}

TEST(Cp950Text, ReportsInvalidInputAndTheFirstUnmappableCharacter) {
  host::ConvertedText broken = host::Utf8ToCp950("abc\xC3\x28");
  EXPECT_EQ(broken.error, host::TextError::kInvalidInput);
  EXPECT_EQ(broken.text, "");

  // Hangul and an emoji (a surrogate pair in UTF-16) have no CP950 form.
  host::ConvertedText hangul = host::Utf8ToCp950(Utf8(u8"股票한글"));
  EXPECT_EQ(hangul.error, host::TextError::kUnmappable);
  EXPECT_EQ(hangul.badChar, U'\uD55C');
  EXPECT_EQ(hangul.text, "");

  host::ConvertedText emoji = host::Utf8ToCp950(Utf8(u8"市值😀"));
  EXPECT_EQ(emoji.error, host::TextError::kUnmappable);
  EXPECT_EQ(emoji.badChar, U'\U0001F600');

  // A lead byte without its trail byte.
  EXPECT_EQ(host::Cp950ToUtf8("\xA4").error, host::TextError::kInvalidInput);
}

}  // namespace
