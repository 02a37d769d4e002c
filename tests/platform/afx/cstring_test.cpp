// CString in code page 950: byte lengths, formatting, and searches and case
// changes that never touch a trail byte. The double-byte characters below have
// trail bytes that are ASCII: 許 功 蓋 么 end in '\', 于 in '_', 弋 in '|',
// 兀 in 'a', 叉 in 'e', 乙 in 'A', 凡 in 'Z'.
#include <afxstr.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(CStringTest, LengthsAreBytesAndConstructionIsSafe) {
  CString s("許功蓋");
  EXPECT_EQ(s.GetLength(), 6);
  EXPECT_EQ(static_cast<unsigned char>(s[1]), 0x5C);
  EXPECT_EQ(CString('x', 3), "xxx");
  EXPECT_EQ(CString("abcdef", 3), "abc");
  EXPECT_TRUE(CString(static_cast<LPCSTR>(nullptr)).IsEmpty());
  EXPECT_TRUE(CString(MAKEINTRESOURCE(101)).IsEmpty());
  EXPECT_EQ(s.GetAt(6), '\0');
  EXPECT_EQ(s.GetAt(-1), '\0');
  s.Empty();
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_STREQ(static_cast<LPCSTR>(s), "");
}

TEST(CStringTest, FormatFollowsPrintfAndHasNoLengthLimit) {
  CString s;
  s.Format("%05d|%-4s|%.2f|%x", 42, "ab", 3.14159, 255);
  EXPECT_EQ(s, "00042|ab  |3.14|ff");
  s.AppendFormat("+%s", "許");
  EXPECT_EQ(s, "00042|ab  |3.14|ff+許");

  const std::string big(100000, 'q');
  s.Format("<%s>", big.c_str());
  ASSERT_EQ(s.GetLength(), 100002);
  EXPECT_EQ(s.Left(3), "<qq");
  EXPECT_EQ(s.Right(2), "q>");

  // Text used as data stays data.
  CString data("%s%n%d");
  s.Format("%s", static_cast<LPCSTR>(data));
  EXPECT_EQ(s, "%s%n%d");
}

TEST(CStringTest, ConcatenationAndComparison) {
  CString a("abc");
  CString b = a + "def" + 'g';
  EXPECT_EQ(b, "abcdefg");
  b += CString("!");
  EXPECT_EQ("abcdefg!", b);
  EXPECT_TRUE(a != b);
  EXPECT_TRUE(CString("B") < CString("a"));  // byte-wise
  EXPECT_TRUE(CString("z") < CString("許"));  // 0x7A < 0xB3
  EXPECT_EQ(CString("abc").Compare("abd"), -1);
  EXPECT_EQ(CString("abd").Compare("abc"), 1);
  EXPECT_EQ(CString("AbC").CompareNoCase("aBc"), 0);
  // 兀 (A4 61) and A4 41 (乙) differ only in a trail byte that looks like a letter.
  EXPECT_NE(CString("兀").CompareNoCase("乙"), 0);
  EXPECT_EQ(CString("兀x").CompareNoCase("兀X"), 0);
}

TEST(CStringTest, SearchesNeverMatchTrailBytes) {
  CString s("許功蓋\\end");
  EXPECT_EQ(s.Find('\\'), 6);
  EXPECT_EQ(s.ReverseFind('\\'), 6);
  EXPECT_EQ(CString("許功蓋").Find('\\'), -1);
  EXPECT_EQ(CString("許功蓋").ReverseFind('\\'), -1);

  CString t("于_弋|兀a");
  EXPECT_EQ(t.Find('_'), 2);
  EXPECT_EQ(t.Find('|'), 5);
  EXPECT_EQ(t.Find('a'), 8);
  EXPECT_EQ(t.Find('a', 3), 8);
  EXPECT_EQ(t.FindOneOf("|a_"), 2);
  EXPECT_EQ(CString("于弋兀").FindOneOf("_|a"), -1);
  EXPECT_EQ(CString("x兀y").FindOneOf("兀"), 1);

  // A substring matches at character starts only: "\\e" would match across 蓋 and '\\'.
  EXPECT_EQ(CString("蓋e").Find("\\e"), -1);
  EXPECT_EQ(CString("許功蓋\\e").Find("\\e"), 6);
  EXPECT_EQ(CString("abcabc").Find("bc", 2), 4);
  EXPECT_EQ(CString("abc").Find("c", 9), -1);
  EXPECT_EQ(CString("abc").Find('c', -1), -1);
  EXPECT_EQ(CString("abc").Find(""), -1);
}

TEST(CStringTest, CaseChangesLeaveDoubleByteCharactersAlone) {
  CString s("兀叉乙凡ab");
  s.MakeUpper();
  EXPECT_EQ(s, "兀叉乙凡AB");
  s.MakeLower();
  EXPECT_EQ(s, "兀叉乙凡ab");
  CString r("ab許");
  r.MakeReverse();
  EXPECT_EQ(r, "許ba");
}

TEST(CStringTest, PiecesAndEdits) {
  CString s("Hello, 世界");
  EXPECT_EQ(s.Left(5), "Hello");
  EXPECT_EQ(s.Mid(7), "世界");
  EXPECT_EQ(s.Mid(7, 2), "世");
  EXPECT_EQ(s.Right(4), "世界");
  EXPECT_EQ(s.Left(100), s);
  EXPECT_EQ(s.Mid(100), "");
  EXPECT_EQ(s.Left(-1), "");

  CString t("  \t許功 \r\n");
  t.Trim();
  EXPECT_EQ(t, "許功");
  CString u("__于__");
  u.Trim('_');
  EXPECT_EQ(u, "于");  // the trail byte of 于 is '_' and stays
  CString v("|弋|x|");
  v.Trim("|x");
  EXPECT_EQ(v, "弋");
  CString w("xx于");
  w.TrimRight("_");
  EXPECT_EQ(w, "xx于");

  CString r("a\\許\\b");
  EXPECT_EQ(r.Replace('\\', '/'), 2);
  EXPECT_EQ(r, "a/許/b");
  CString q("蓋蓋\\\\");
  EXPECT_EQ(q.Replace("\\", "-"), 2);
  EXPECT_EQ(q, "蓋蓋--");
  EXPECT_EQ(q.Replace("蓋", ""), 2);
  EXPECT_EQ(q, "--");
  EXPECT_EQ(q.Replace("", "x"), 0);

  CString m("a|弋|b");
  EXPECT_EQ(m.Remove('|'), 2);
  EXPECT_EQ(m, "a弋b");
  EXPECT_EQ(m.Insert(1, "__"), 6);
  EXPECT_EQ(m, "a__弋b");
  EXPECT_EQ(m.Insert(99, '!'), 7);
  EXPECT_EQ(m.Delete(1, 2), 5);
  EXPECT_EQ(m, "a弋b!");
  EXPECT_EQ(m.Delete(3, 99), 3);
  EXPECT_EQ(m.Delete(9), 3);
}

TEST(CStringTest, TokenizeSkipsEmptyTokensAndStepsOverTrailBytes) {
  CString s("|a||于|弋");
  int pos = 0;
  std::vector<std::string> tokens;
  for (CString tok = s.Tokenize("|", pos); pos != -1; tok = s.Tokenize("|", pos))
    tokens.push_back(tok.GetString());
  EXPECT_EQ(tokens, (std::vector<std::string>{"a", "于", "弋"}));
  int past = 50;
  EXPECT_TRUE(s.Tokenize("|", past).IsEmpty());
  EXPECT_EQ(past, -1);
}

TEST(CStringTest, BuffersSetTheLength) {
  CString s("abc");
  char* p = s.GetBuffer(10);
  EXPECT_STREQ(p, "abc");
  std::strcpy(p, "許功蓋!");
  s.ReleaseBuffer();
  EXPECT_EQ(s.GetLength(), 7);
  p = s.GetBufferSetLength(2);
  p[1] = 'z';
  s.ReleaseBuffer(2);
  EXPECT_EQ(s.GetLength(), 2);
  EXPECT_EQ(s[1], 'z');
  s.GetBuffer(4);
  s.ReleaseBuffer(99);  // never longer than the buffer
  EXPECT_EQ(s.GetLength(), 4);
}

}  // namespace
