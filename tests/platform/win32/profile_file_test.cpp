// Profile (.ini) files through GetPrivateProfileInt/String and WritePrivateProfileString.
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "test_support.h"

using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

class ProfileFileTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    std::random_device rd;
    dir_ = fs::temp_directory_path() /
           ("qz-profile-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
    PlatformTest::TearDown();
  }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  std::string Create(const std::string& name, const std::string& bytes) const {
    std::string path = PathOf(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // A value read with room to spare; *ret receives the length returned.
  static std::string Get(const char* section, const char* key, const char* def,
                         const std::string& file, DWORD* ret = nullptr) {
    char buf[256];
    std::memset(buf, 0x0C, sizeof buf);
    DWORD n = GetPrivateProfileStringA(section, key, def, buf, sizeof buf, file.c_str());
    if (ret) *ret = n;
    EXPECT_EQ(std::strlen(buf), n);
    return buf;
  }

  // The buffer as filled for an enumeration: `bytes` bytes from its start.
  static std::string List(const char* section, DWORD size, const std::string& file, DWORD* ret,
                          size_t bytes) {
    char buf[256];
    std::memset(buf, 0x0C, sizeof buf);
    *ret = GetPrivateProfileStringA(section, nullptr, "default", buf, size, file.c_str());
    return std::string(buf, bytes);
  }

  fs::path dir_;
};

const char kSample[] =
    "[section1]\r\n"
    "name1=val1\r\n"
    "name2=\"val2\"\r\n"
    "name3\r\n"
    "; name5=commented out\r\n"
    "name4=a\r\n"
    "[section2]\r\n";

}  // namespace

TEST_F(ProfileFileTest, MissingFileSectionOrKeyGivesTheDefault) {
  const std::string missing = PathOf("none.ini");
  const std::string file = Create("a.ini", kSample);
  DWORD ret = 0;
  EXPECT_EQ(Get("section1", "name1", "dflt", missing, &ret), "dflt");
  EXPECT_EQ(ret, 4u);
  EXPECT_EQ(Get("nosuch", "name1", "dflt", file), "dflt");
  EXPECT_EQ(Get("section1", "nosuch", "dflt", file), "dflt");
  EXPECT_EQ(Get("section2", "name1", "dflt", file), "dflt");
  // A line without '=' names a key that has no value.
  EXPECT_EQ(Get("section1", "name3", "dflt", file), "dflt");
  EXPECT_EQ(Get("section1", "name5", "dflt", file), "dflt");
  // A null default is an empty one; trailing spaces of a default are dropped.
  EXPECT_EQ(Get("section1", "nosuch", nullptr, file, &ret), "");
  EXPECT_EQ(ret, 0u);
  EXPECT_EQ(Get("section1", "nosuch", "one two  ", file, &ret), "one two");
  EXPECT_EQ(ret, 7u);

  // A directory where the file should be, or no file name at all, reads as no file.
  EXPECT_EQ(Get("section1", "name1", "dflt", dir_.string()), "dflt");
  char buf[8];
  EXPECT_EQ(GetPrivateProfileStringA("section1", "name1", "dflt", buf, sizeof buf, nullptr), 4u);
  EXPECT_STREQ(buf, "dflt");

  EXPECT_EQ(GetPrivateProfileIntA("section1", "x", 70, missing.c_str()), 70u);
  EXPECT_EQ(GetPrivateProfileIntA("section1", "name1", 8, dir_.string().c_str()), 8u);
  EXPECT_EQ(GetPrivateProfileIntA("nosuch", "x", -1, file.c_str()), 4294967295u);
  EXPECT_EQ(GetPrivateProfileIntA("section1", "nosuch", 5, file.c_str()), 5u);
}

TEST_F(ProfileFileTest, NamesIgnoreCaseAndSurroundingSpaces) {
  const std::string file = Create("a.ini",
                                  "[ Trade Setup ]\r\n"
                                  "  Max Lots   =   25   \r\n"
                                  "\tTab\t=\t\"  padded  \"\t\r\n");
  DWORD ret = 0;
  EXPECT_EQ(Get("trade setup", "MAX LOTS", "", file, &ret), "25");
  EXPECT_EQ(ret, 2u);
  EXPECT_EQ(Get("  TRADE SETUP  ", "  max lots ", "", file), "25");
  // Quotes keep the spaces inside them.
  EXPECT_EQ(Get("Trade Setup", "tab", "", file), "  padded  ");
  EXPECT_EQ(GetPrivateProfileIntA("TRADE setup", "max LOTS", 0, file.c_str()), 25u);
}

TEST_F(ProfileFileTest, OnePairOfMatchingQuotesIsStripped) {
  const std::string file = Create("q.ini",
                                  "[q]\r\n"
                                  "double=\"val2\"\r\n"
                                  "single='val3'\r\n"
                                  "mixed=\"val4'\r\n"
                                  "lone=\"\r\n"
                                  "inner=a \"b\" c\r\n"
                                  "twice=\"\"x\"\"\r\n"
                                  "empty=\"\"\r\n"
                                  "number=\"42\"\r\n");
  DWORD ret = 0;
  EXPECT_EQ(Get("q", "double", "", file, &ret), "val2");
  EXPECT_EQ(ret, 4u);
  EXPECT_EQ(Get("q", "single", "", file), "val3");
  EXPECT_EQ(Get("q", "mixed", "", file), "\"val4'");
  EXPECT_EQ(Get("q", "lone", "", file), "\"");
  EXPECT_EQ(Get("q", "inner", "", file), "a \"b\" c");
  EXPECT_EQ(Get("q", "twice", "", file), "\"x\"");
  // An empty quoted value is a value, not a missing key.
  EXPECT_EQ(Get("q", "empty", "dflt", file, &ret), "");
  EXPECT_EQ(ret, 0u);
  EXPECT_EQ(GetPrivateProfileIntA("q", "number", 0, file.c_str()), 42u);
}

TEST_F(ProfileFileTest, IntegersAreReadAsWin32ReadsThem) {
  const std::string file = PathOf("n.ini");
  struct Case {
    const char* value;
    UINT expected;
  } cases[] = {
      {"12abc", 12},       {"abc", 0},         {"  7  ", 7},
      {"-5", 4294967291u}, {"+1", 1},          {"-1", 4294967295u},
      {"0x1A", 26},        {"0x1Az", 26},      {"010", 10},
      {"0o17", 15},        {"0b101", 5},       {"1x34", 1},
      {"4294967296", 0},   {"4294967297", 1},  {"-4294967297", 4294967295u},
      {"42A94967297", 42}, {"B4294967297", 0}, {"--2", 0},
      {"12 34", 12},       {"3.9", 3},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WritePrivateProfileStringA("n", "v", c.value, file.c_str()));
    EXPECT_EQ(GetPrivateProfileIntA("n", "v", 99, file.c_str()), c.expected) << c.value;
  }
  // An empty value reads back as nothing at all, so the default is returned.
  ASSERT_TRUE(WritePrivateProfileStringA("n", "v", "", file.c_str()));
  EXPECT_EQ(GetPrivateProfileIntA("n", "v", 99, file.c_str()), 99u);
  EXPECT_EQ(GetPrivateProfileIntA("n", "v", -3, file.c_str()), static_cast<UINT>(-3));
}

TEST_F(ProfileFileTest, ValueIsCutToTheBuffer) {
  const std::string file = Create("t.ini", kSample);
  char buf[16];
  std::strcpy(buf, "kumquat");
  EXPECT_EQ(GetPrivateProfileStringA("section1", "name1", "default", buf, 0, file.c_str()), 0u);
  EXPECT_STREQ(buf, "kumquat");
  EXPECT_EQ(GetPrivateProfileStringA("section1", "name1", "default", buf, 4, file.c_str()), 3u);
  EXPECT_STREQ(buf, "val");
  EXPECT_EQ(GetPrivateProfileStringA("section1", "name1", "default", buf, 5, file.c_str()), 4u);
  EXPECT_STREQ(buf, "val1");
  EXPECT_EQ(GetPrivateProfileStringA("section1", "name4", "default", buf, 1, file.c_str()), 0u);
  EXPECT_STREQ(buf, "");
  // The default is cut the same way.
  EXPECT_EQ(GetPrivateProfileStringA("section1", "nosuch", "default", buf, 4, file.c_str()), 3u);
  EXPECT_STREQ(buf, "def");
}

TEST_F(ProfileFileTest, NullSectionListsSectionNames) {
  const std::string file = Create("s.ini", kSample);
  DWORD ret = 0;
  EXPECT_EQ(List(nullptr, 100, file, &ret, 19), "section1\0section2\0\0"s);
  EXPECT_EQ(ret, 18u);
  EXPECT_EQ(List(nullptr, 20, file, &ret, 19), "section1\0section2\0\0"s);
  EXPECT_EQ(ret, 18u);
  // Too small: the result is size - 2 (an exact fit counts as cut).
  List(nullptr, 16, file, &ret, 16);
  EXPECT_EQ(ret, 14u);
  List(nullptr, 19, file, &ret, 19);
  EXPECT_EQ(ret, 17u);

  // No file: an empty list.
  EXPECT_EQ(List(nullptr, 10, PathOf("none.ini"), &ret, 1), "\0"s);
  EXPECT_EQ(ret, 0u);
}

TEST_F(ProfileFileTest, ACutListEndsInTwoNuls) {
  QZ_HEADLESS_ONLY("Wine's ANSI calls end a cut list with one NUL, Windows with two");
  const std::string file = Create("s.ini", kSample);
  DWORD ret = 0;
  // The last name is cut and followed by two NULs.
  EXPECT_EQ(List(nullptr, 16, file, &ret, 16), "section1\0secti\0\0"s);
  EXPECT_EQ(List(nullptr, 19, file, &ret, 19), "section1\0section2\0\0"s);
  EXPECT_EQ(List("section1", 14, file, &ret, 14), "name1\0name2\0\0\0"s);
  EXPECT_EQ(ret, 12u);
}

TEST_F(ProfileFileTest, NullKeyListsKeysWithValues) {
  const std::string file = Create("k.ini",
                                  "[section1]\r\n"
                                  "name1=val1\r\n"
                                  "name2=\r\n"
                                  "name3\r\n"
                                  "; note=not a key\r\n"
                                  "=nameless\r\n"
                                  "name4=val4\r\n"
                                  "[Empty]\r\n");
  DWORD ret = 0;
  // A key without a name is listed too, as an empty string.
  EXPECT_EQ(List("SECTION1", 100, file, &ret, 20), "name1\0name2\0\0name4\0\0"s);
  EXPECT_EQ(ret, 19u);
  List("section1", 16, file, &ret, 16);
  EXPECT_EQ(ret, 14u);
  // A section without keys, or none at all, gives the default.
  char buf[32];
  EXPECT_EQ(GetPrivateProfileStringA("empty", nullptr, "none", buf, sizeof buf, file.c_str()), 4u);
  EXPECT_STREQ(buf, "none");
  EXPECT_EQ(GetPrivateProfileStringA("nosuch", nullptr, "", buf, sizeof buf, file.c_str()), 0u);
  EXPECT_STREQ(buf, "");
}

TEST_F(ProfileFileTest, WritesBuildTheFileSectionBySection) {
  const std::string file = PathOf("w.ini");
  ASSERT_TRUE(WritePrivateProfileStringA("App", "key", "", file.c_str()));
  EXPECT_EQ(Contents(file), "[App]\r\nkey=\r\n");
  ASSERT_TRUE(fs::remove(file));

  ASSERT_TRUE(WritePrivateProfileStringA("App1", "key1", "string1", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("App1", "key2", "string2", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("App2", "key4", "string4", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("app1", "key3", "string3", file.c_str()));
  EXPECT_EQ(Contents(file),
            "[App1]\r\n"
            "key1=string1\r\n"
            "key2=string2\r\n"
            "key3=string3\r\n"
            "[App2]\r\n"
            "key4=string4\r\n");
  EXPECT_EQ(Get("APP1", "KEY3", "", file), "string3");
  EXPECT_EQ(GetPrivateProfileIntA("App2", "key4", 9, file.c_str()), 0u);
}

TEST_F(ProfileFileTest, ReplacingAValueKeepsEveryOtherLine) {
  const std::string file = Create("r.ini",
                                  "; Order settings\r\n"
                                  "[Main]\r\n"
                                  "Width = 10\r\n"
                                  "; height in rows\r\n"
                                  "Height=20\r\n"
                                  "[Other]\r\n"
                                  "x=1\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("main", "WIDTH", "15", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Main", "Depth", "  3", file.c_str()));
  EXPECT_EQ(Contents(file),
            "; Order settings\r\n"
            "[Main]\r\n"
            "Width=15\r\n"
            "; height in rows\r\n"
            "Height=20\r\n"
            "Depth=3\r\n"
            "[Other]\r\n"
            "x=1\r\n");
  EXPECT_EQ(GetPrivateProfileIntA("Main", "width", 0, file.c_str()), 15u);
}

TEST_F(ProfileFileTest, NullValueDeletesAKeyAndNullKeyASection) {
  const std::string file = Create("d.ini",
                                  "[App1]\r\n"
                                  "key1=string1\r\n"
                                  "key2=string2\r\n"
                                  "[App2]\r\n"
                                  "key4=string4\r\n"
                                  "[App3]\r\n"
                                  "key5=string5\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("app1", "KEY2", nullptr, file.c_str()));
  EXPECT_EQ(Get("App1", "key2", "gone", file), "gone");
  // Deleting what is not there succeeds and changes nothing.
  ASSERT_TRUE(WritePrivateProfileStringA("App1", "key2", nullptr, file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Nosuch", nullptr, nullptr, file.c_str()));
  EXPECT_EQ(Contents(file),
            "[App1]\r\n"
            "key1=string1\r\n"
            "[App2]\r\n"
            "key4=string4\r\n"
            "[App3]\r\n"
            "key5=string5\r\n");
  // The value is not needed to delete a section.
  ASSERT_TRUE(WritePrivateProfileStringA("APP1", nullptr, "ignored", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("App2", nullptr, nullptr, file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("App3", "key5", nullptr, file.c_str()));
  EXPECT_EQ(Contents(file), "[App3]\r\n");

  // Deleting in a missing file does not create it.
  const std::string missing = PathOf("none.ini");
  ASSERT_TRUE(WritePrivateProfileStringA("App", "key", nullptr, missing.c_str()));
  EXPECT_FALSE(fs::exists(missing));
}

TEST_F(ProfileFileTest, WritesWithoutASectionOrPlaceFail) {
  const std::string file = PathOf("f.ini");
  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "key", "string", file.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(fs::exists(file));
  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringA("App", "key", "string", ""));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  // A directory is no file to write.
  EXPECT_FALSE(WritePrivateProfileStringA("App", "key", "string", dir_.string().c_str()));
}

TEST_F(ProfileFileTest, LineEndsAndCommentsAreUnderstood) {
  const std::string crlf = Create("crlf.ini", "[s]\r\n;k=commented\r\nk=crlf\r\n");
  const std::string lf = Create("lf.ini", "[s]\nk=lf\n");
  const std::string cr = Create("cr.ini", "[s]\rk=cr\r[t]\rk=2\r");
  const std::string unterminated = Create("u.ini", "[s]\r\nk=last");
  EXPECT_EQ(Get("s", "k", "", crlf), "crlf");
  EXPECT_EQ(Get("s", "k", "", lf), "lf");
  EXPECT_EQ(Get("s", "k", "", cr), "cr");
  EXPECT_EQ(GetPrivateProfileIntA("t", "k", 0, cr.c_str()), 2u);
  EXPECT_EQ(Get("s", "k", "", unterminated), "last");

  // Writes keep the file readable whatever its line ends.
  ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "new", lf.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("s", "j", "added", lf.c_str()));
  EXPECT_EQ(Get("s", "k", "", lf), "new");
  EXPECT_EQ(Get("s", "j", "", lf), "added");
  ASSERT_TRUE(WritePrivateProfileStringA("s", "j", "added", unterminated.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("t", "k", "3", unterminated.c_str()));
  EXPECT_EQ(Contents(unterminated), "[s]\r\nk=last\r\nj=added\r\n[t]\r\nk=3\r\n");
}

TEST_F(ProfileFileTest, MalformedLinesNeverHideGoodOnes) {
  const std::string file = Create("m.ini",
                                  "key=before any section\r\n"
                                  "[broken\r\n"
                                  "just some words\r\n"
                                  "[]\r\n"
                                  "k=in nameless\r\n"
                                  "[good]\r\n"
                                  "\x01\x02\xff garbage\r\n"
                                  "k==x=\r\n"
                                  "[good]\r\n"
                                  "k=second copy\r\n"
                                  "other=1\r\n"
                                  "[[odd]]\r\n"
                                  "v=2\r\n"s);
  // Lines before the first header form a section without a name.
  EXPECT_EQ(Get("", "key", "dflt", file), "before any section");
  EXPECT_EQ(Get("", "k", "dflt", file), "dflt");
  EXPECT_EQ(Get("[broken", "key", "dflt", file), "dflt");
  // The first of two sections with one name is the one used.
  EXPECT_EQ(Get("good", "k", "", file), "=x=");
  EXPECT_EQ(Get("good", "other", "dflt", file), "dflt");
  EXPECT_EQ(Get("[odd]", "v", "", file), "2");
  DWORD ret = 0;
  EXPECT_EQ(List(nullptr, 100, file, &ret, 17), "good\0good\0[odd]\0\0"s);
  EXPECT_EQ(ret, 16u);
}

TEST_F(ProfileFileTest, EveryCallSeesTheFileAsItIsNow) {
  const std::string file = Create("c.ini", "[s]\r\nk=123\r\n");
  EXPECT_EQ(GetPrivateProfileIntA("s", "k", 0, file.c_str()), 123u);
  Create("c.ini", "[s]\r\nk=124\r\n");
  EXPECT_EQ(GetPrivateProfileIntA("s", "k", 0, file.c_str()), 124u);
  fs::remove(file);
  EXPECT_EQ(GetPrivateProfileIntA("s", "k", 421, file.c_str()), 421u);
}

TEST_F(ProfileFileTest, Cp950NamesAndValuesAreBytes) {
  // 乙 is A4 41 and 兀 is A4 61: their trail bytes differ as 'A' and 'a' do. 包 ends in 0x5D, ']'.
  const std::string file = Create("c.ini",
                                  "[帳戶]\r\n"
                                  "乙=一\r\n"
                                  "許功蓋=\"整戶維持率\"\r\n"
                                  "[包\r\n"
                                  "x=1\r\n");
  EXPECT_EQ(Get("帳戶", "乙", "", file), "一");
  EXPECT_EQ(Get("帳戶", "兀", "none", file), "none");
  EXPECT_EQ(Get("帳戶", "許功蓋", "", file), "整戶維持率");
  DWORD ret = 0;
  EXPECT_EQ(List(nullptr, 100, file, &ret, 6), "帳戶\0\0"s);
  EXPECT_EQ(ret, 5u);

  ASSERT_TRUE(WritePrivateProfileStringA("帳戶", "許功蓋", "成交", file.c_str()));
  EXPECT_EQ(Get("帳戶", "許功蓋", "", file), "成交");
}

TEST_F(ProfileFileTest, BackslashPathsNameTheSameFile) {
  // 許 ends in 0x5C, a backslash byte, which must not become a separator.
  fs::create_directories(dir_ / testsupport::AnsiPath("許") / "cfg");
  std::string windowsStyle = dir_.string() + "\\許\\cfg\\OrderCfg.ini";
  for (char& c : windowsStyle)
    if (c == '/') c = '\\';
  ASSERT_TRUE(WritePrivateProfileStringA("Order", "Lots", "3", windowsStyle.c_str()));
  EXPECT_EQ(Contents(dir_ / testsupport::AnsiPath("許") / "cfg" / "OrderCfg.ini"),
            "[Order]\r\nLots=3\r\n");
  EXPECT_EQ(GetPrivateProfileIntA("order", "lots", 0, windowsStyle.c_str()), 3u);
}

TEST_F(ProfileFileTest, ALeadByteBeforeABlankOrAClosingBracket) {
  QZ_HEADLESS_ONLY("Windows reads the file as UTF-16 and keeps an unpaired lead byte its own way");
  // A lead byte before a tab stands alone: the tab is a blank, and the header still closes.
  const std::string file = Create("l.ini", "[ \xa5\xe6\xa9\t]\r\nk=1\r\n");
  EXPECT_EQ(GetPrivateProfileIntA("\xa5\xe6\xa9", "k", 0, file.c_str()), 1u);
  ASSERT_TRUE(WritePrivateProfileStringA("\xa5\xe6\xa9", "k", "2", file.c_str()));
  EXPECT_EQ(GetPrivateProfileIntA("\xa5\xe6\xa9", "k", 0, file.c_str()), 2u);

  // A new header for a name ending in a lone lead byte would read its ']' as a trail byte and
  // never read back: the write is refused and the file left as it was.
  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringA("\xa4\xa4\xa9", "k", "3", file.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(Contents(file), "[ \xa5\xe6\xa9\t]\r\nk=2\r\n");
  EXPECT_TRUE(WritePrivateProfileStringA("\xa4\xa4\xa9", nullptr, nullptr, file.c_str()));
}
