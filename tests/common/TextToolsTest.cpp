// Text helpers: table-driven over the documented examples and the GBK traps
// ("運" is DF 5C: its second byte is a backslash).
#include <gtest/gtest.h>

#include "common/TextTools.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

using test::Printable;

TEST(TextTools, LineCountAndNthLine) {
  struct Case {
    std::string text;
    int count;
    std::vector<std::string> lines;  // NthLine 1..count+1
  } cases[] = {
      {"", 0, {""}},
      {"abc", 1, {"abc", ""}},
      {"abc\r\n", 1, {"abc", ""}},
      {"a\r\n\r\n", 2, {"a", "", ""}},
      {"\r\n", 1, {"", ""}},
      {"a\nb\rc", 1, {"a\nb\rc", ""}},             // lone LF or CR breaks nothing
      {"甲\r\n乙\r\n丙", 3, {"甲", "乙", "丙", ""}},
      {"\x81\r\nx", 1, {"\x81\r\nx", ""}},          // the CR is the lead byte's second byte
      {"運\r\n誠", 2, {"運", "誠", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Printable(c.text));
    EXPECT_EQ(LineCount(c.text), c.count);
    for (size_t n = 0; n < c.lines.size(); ++n) EXPECT_EQ(NthLine(c.text, static_cast<int>(n) + 1), c.lines[n]) << n + 1;
    EXPECT_EQ(NthLine(c.text, 0), "");
    EXPECT_EQ(NthLine(c.text, -1), "");
  }
}

TEST(TextTools, SplitText) {
  using V = std::vector<std::string>;
  struct Case {
    std::string text, delimiter;
    V pieces;
  } cases[] = {
      {"", "|", {""}},
      {"a|b", "|", {"a", "b"}},
      {"a||b|", "|", {"a", "", "b", ""}},
      {"a\r\nb\r\n", "\r\n", {"a", "b", ""}},
      {"abc", "", {"abc"}},
      {"運|運", "\\", {"運|運"}},                 // no piece starts inside 運
      {"a\\運\\b", "\\", {"a", "運", "b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Printable(c.text));
    EXPECT_EQ(SplitText(c.text, c.delimiter), c.pieces);
  }
}

TEST(TextTools, FindText) {
  struct Case {
    std::string text, sought;
    int start;
    bool ignoreCase;
    int expected;
  } cases[] = {
      {"", "a", 1, false, -1},
      {"abc", "", 1, false, -1},
      {"abcabc", "bc", 1, false, 2},
      {"abcabc", "bc", 3, false, 5},
      {"abcabc", "bc", 0, false, 2},
      {"abcabc", "bc", -5, false, 2},
      {"abcabc", "bc", 6, false, -1},
      {"abcabc", "bc", 99, false, -1},
      {"ABC", "b", 1, false, -1},
      {"ABC", "b", 1, true, 2},
      {"D:\\運\\x", "\\", 1, false, 3},
      {"運\\x", "\\", 1, false, 3},              // the 0x5C inside 運 is no match
      {"運x", "\\x", 1, false, -1},
      {"誠", "\\", 1, false, -1},
      {"a運", "\\", 2, false, -1},              // start on the lead byte
      {"a運\\", "\\", 3, false, 4},             // start on the second byte: next character
      {"\xB0\x41", "a", 1, true, -1},           // a second byte never folds
      {"\xB0\x41", "\xB0\x61", 1, true, -1},
      {"\xB0\x41", "\xB0\x41", 1, true, 1},
      {"x\xC0", "\xC0", 1, false, 2},           // a lead byte at the very end stands alone
      {"中文ABC", "abc", 1, true, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Printable(c.text) + " / " + Printable(c.sought));
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.ignoreCase), c.expected);
  }
}

TEST(TextTools, MidAndRight) {
  EXPECT_EQ(MidText("abcdef", 2, 3), "bcd");
  EXPECT_EQ(MidText("abcdef", 4, 99), "def");
  EXPECT_EQ(MidText("abcdef", 7, 1), "");
  EXPECT_EQ(MidText("abcdef", 6, 1), "f");
  EXPECT_EQ(MidText("abcdef", 2, 0), "");
  EXPECT_EQ(MidText("abcdef", 2, -1), "");
  EXPECT_EQ(MidText("運", 2, 1), "\\");     // cuts at bytes, not characters
  EXPECT_EQ(RightText("a", 2), "a");
  EXPECT_EQ(RightText("", 2), "");
  EXPECT_EQ(RightText("abc", 0), "");
  EXPECT_EQ(RightText("abc", -1), "");
  EXPECT_EQ(RightText("abc", 2), "bc");
}

TEST(TextTools, BetweenBeforeAfterLast) {
  struct Case {
    std::string text, a, b;
    std::string between, before, afterLast;
  } cases[] = {
      {"x y z", " ", " ", "y", "x", "z"},
      {"x y", " ", " ", "", "x", "y"},
      {"a:b\\c:d:e", "\\", ":", "c", "a:b", "c:d:e"},
      {"ab:cd\\EF:gh:", "\\", ":", "EF", "ab:cd", "EF:gh:"},
      {"<TITLE>t - x", "<title>", " - ", "t", "", ""},
      {"A=B=C", "=", "=", "B", "A", "C"},
      {"=x", "=", "q", "", "", "x"},
      {"abc", "abc", "c", "", "", ""},
      {"運\\運:x", "\\", ":", "運", "運", "運:x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Printable(c.text));
    EXPECT_EQ(TextBetween(c.text, c.a, c.b), c.between);
    EXPECT_EQ(TextBefore(c.text, c.a), c.before);
    EXPECT_EQ(TextAfterLast(c.text, c.a), c.afterLast);
  }
  EXPECT_EQ(TextBetween("say \"hi\" now", "#引号", "#引号"), "hi");
  EXPECT_EQ(TextBetween("ABCxDEF", "abc", "def"), "x");
  EXPECT_EQ(TextBefore("ABC=1", "b"), "");       // case-sensitive
  EXPECT_EQ(TextAfterLast("x=ABC", "b"), "");
  EXPECT_EQ(TextBetween("q - <title>T - x - y", "<title>", " - "), "T");
}

TEST(TextTools, KeyListAndLastCharacter) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitKeyList(""), V{});
  EXPECT_EQ(SplitKeyList("a|b|"), (V{"a", "b"}));
  EXPECT_EQ(SplitKeyList("|a||b"), (V{"", "a", "", "b"}));
  EXPECT_TRUE(EndsWithBackslashChar("D:\\"));
  EXPECT_TRUE(EndsWithBackslashChar("D:\\運\\"));
  EXPECT_FALSE(EndsWithBackslashChar("D:\\運"));
  EXPECT_FALSE(EndsWithBackslashChar("誠"));
  EXPECT_FALSE(EndsWithBackslashChar(""));
}

}  // namespace
}  // namespace qv
