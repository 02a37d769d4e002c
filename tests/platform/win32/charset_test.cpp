// Literals are stored as the target's compiler stores them: CP950 bytes.
#include <cstring>

#include <gtest/gtest.h>

TEST(ExecutionCharset, TraditionalChineseLiteralIsCp950) {
  const char* text = "整戶維持率";
  ASSERT_EQ(std::strlen(text), 10u);
  EXPECT_EQ(static_cast<unsigned char>(text[0]), 0xBE);
  EXPECT_EQ(static_cast<unsigned char>(text[1]), 0xE3);
  // 許 has the trail byte 0x5C, the byte of a backslash.
  const char* xu = "許";
  ASSERT_EQ(std::strlen(xu), 2u);
  EXPECT_EQ(static_cast<unsigned char>(xu[1]), 0x5C);
}
