// User.ini operations on a real file in a temporary program directory
// (natively on the host, under Wine through the system's profile functions).
#include <gtest/gtest.h>

#include "common/TextTools.h"
#include "common/UserFile.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

using test::Printable;
using V = std::vector<std::string>;

TEST(UserFile, PathIsProgramDirectory) {
  test::ProgramDir dir;
  EXPECT_EQ(UserFilePath(), dir.path() + "\\User.ini");
}

TEST(UserFile, SectionKeys) {
  struct Case {
    const char* name;
    std::string file, section, expected;
  } cases[] = {
      {"section ends the file with CR LF", "[a]\r\nx=1\r\n[默认目录]\r\n1=D:\\a\r\n2=D:\\b\r\n", "默认目录", "1|2"},
      {"section ends the file without CR LF", "[默认目录]\r\n1=D:\\a\r\n2=D:\\b", "默认目录", "1|2"},
      {"section followed by another", "[s]\r\na=1\r\nb=2\r\n[t]\r\nc=3\r\n", "s", "a|b"},
      {"empty last value at end of file is dropped", "[s]\r\na=1\r\nb=", "s", "a"},
      {"[ in a value ends the section", "[s]\r\n1=D:\\[x]\r\n2=D:\\y\r\n", "s", "1"},
      {"= in a value adds a key", "[s]\r\n3=D:\\a=b\r\n4=D:\\c\r\n", "s", "3|D:\\a|4"},
      {"blank line after the header", "[s]\r\n\r\na=1\r\nb=2\r\n", "s", "a|b"},
      {"entry starting with =", "[s]\r\n=1\r\nb=2\r\n", "s", "|b"},
      {"key holding |", "[s]\r\na|b=1\r\n", "s", "a|b"},
      {"same key twice", "[s]\r\na=1\r\na=2\r\n", "s", "a|a"},
      {"missing section", "[t]\r\na=1\r\n", "s", ""},
      {"section without =", "[s]\r\nabc\r\n", "s", ""},
      {"spaces kept", "[s]\r\n a b =1\r\n", "s", " a b "},
      {"GBK keys with 0x5C bytes", "[運]\r\n誠=1\r\n運=2\r\n", "運", "誠|運"},
      {"a NUL ends the text", std::string("[s]\r\na=1\r\n\0b=2\r\n", sizeof("[s]\r\na=1\r\n\0b=2\r\n") - 1), "s", "a"},
      {"LF-only: first key loses a byte, the rest run together", "[s]\nab=1\ncd=2\n", "s", "b|1\ncd"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ProgramDir dir;
    dir.WriteUserIni(c.file);
    EXPECT_EQ(Printable(SectionKeys(c.section)), Printable(c.expected));
  }
  test::ProgramDir none;
  EXPECT_EQ(SectionKeys("s"), "");
}

TEST(UserFile, ReadValueEdges) {
  test::ProgramDir dir;
  EXPECT_EQ(ReadValue("s", "k"), "");  // no file
  dir.WriteUserIni("[帐号转换成职位]\r\nzhang=财务\r\n");
  EXPECT_EQ(ReadValue("帐号转换成职位", "zhang"), "财务");
  EXPECT_EQ(PositionOf("zhang"), "财务");
  EXPECT_EQ(ReadValue("  帐号转换成职位", "\t zhang"), "财务");  // leading blanks skipped
  EXPECT_EQ(ReadValue("帐号转换成职位", ""), "");
  EXPECT_EQ(ReadValue("帐号转换成职位", "   "), "");
  EXPECT_EQ(ReadValue("", "zhang"), "");
  EXPECT_EQ(PositionOf("li"), "");
}

TEST(UserFile, WriteValueCreatesFileAndSection) {
  test::ProgramDir dir;
  WriteValue("帐号转换成职位", "zhang", "财务");
  EXPECT_EQ(Printable(dir.UserIni()), Printable("[帐号转换成职位]\r\nzhang=财务\r\n"));
  WriteValue("默认目录", "1", "D:\\運");
  WriteValue("帐号转换成职位", "li", "");
  EXPECT_EQ(Printable(dir.UserIni()),
            Printable("[帐号转换成职位]\r\nzhang=财务\r\nli=\r\n[默认目录]\r\n1=D:\\運\r\n"));
  EXPECT_EQ(SectionKeys("帐号转换成职位"), "zhang|li");
}

TEST(UserFile, WholeText) {
  test::ProgramDir dir;
  EXPECT_EQ(ReadWholeText(), "");
  WriteWholeText("a=1");
  EXPECT_EQ(dir.UserIni(), "a=1");  // nothing added
  dir.WriteUserIni(std::string("ab\0cd", 5));
  EXPECT_EQ(ReadWholeText(), "ab");
  WriteWholeText("");
  EXPECT_EQ(dir.UserIni(), "");
}

TEST(UserFile, LineOperations) {
  using namespace line_ops;
  EXPECT_EQ(LeftText("abc", 0), "");
  EXPECT_EQ(LeftText("abc", 9), "abc");
  EXPECT_EQ(PieceCount(""), 1);
  EXPECT_EQ(PieceCount("a\r\nb\r\n"), 3);
  EXPECT_EQ(LineStart("a\r\nb", 2), 4);
  EXPECT_EQ(LineStart("a\r\n", 2), -1);
  EXPECT_EQ(LineStart("", 1), -1);
  EXPECT_EQ(LineStart("a", 3), -1);
  EXPECT_EQ(LineLength("ab\r\nc", 1), 2);
  EXPECT_EQ(LineLength("ab\r\nc", 3), -1);
  EXPECT_EQ(ReplaceBytes("abc", 0, 1, "X"), "Xbc");
  EXPECT_EQ(ReplaceBytes("abc", 4, 1, "X"), "abcX");
  EXPECT_EQ(ReplaceBytes("abc", 2, 9, ""), "a");
  EXPECT_EQ(ReplaceBytes("abc", 2, -1, "X"), "aXbc");

  struct Case {
    std::string text;
    int n;
    std::string expected;
  } cases[] = {
      {"a\r\nb\r\nc", 1, "b\r\nc"},
      {"a\r\nb\r\nc", 2, "a\r\nc"},
      {"a\r\nb\r\nc", 3, "a\r\nb"},
      {"a", 1, ""},
      {"a\r\nb\r\n", 3, "a\r\nb\r\n"},   // the empty remainder after a final CR LF
      {"a\r\nb", 0, "a\r\nb"},
      {"a\r\nb", 5, "a\r\nb"},
      {"運\r\n誠", 2, "運"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Printable(c.text) + " line " + std::to_string(c.n));
    EXPECT_EQ(Printable(DeleteLine(c.text, c.n)), Printable(c.expected));
  }

  EXPECT_EQ(HeaderLine("[a]\r\nx=1\r\n[s]\r\n", "s"), 3);
  EXPECT_EQ(HeaderLine("[a]\r\nx=1\r\n", "s"), -1);
  EXPECT_EQ(HeaderLine("[a]\r\nx=默认目录\r\n[默认目录]\r\n", "默认目录"), 2);  // searched bare
}

TEST(UserFile, SectionLines) {
  const std::string t = "[帐号转换成职位]\r\na=1\r\n\r\nb=2\r\n[默认目录]\r\n1=D:\\[x]\r\n2\r\n=3\r\n";
  EXPECT_EQ(SectionLines(t, "帐号转换成职位"), (V{"a=1", "", "b=2"}));
  EXPECT_EQ(SectionLines(t, "默认目录"), (V{"1=D:\\[x]", "2", "=3"}));
  EXPECT_EQ(SectionLines(t, "none"), V{});
  EXPECT_EQ(SectionLines("", "s"), V{});
}

TEST(UserFile, DeleteEntryLine) {
  struct Case {
    const char* name;
    std::string before, section, entry, after;
  } cases[] = {
      {"first match below the header", "[s]\r\na=1\r\nb=2\r\nb=2\r\n", "s", "b=2", "[s]\r\na=1\r\nb=2\r\n"},
      {"not in the file: untouched", "[s]\r\na=1\r\n", "s", "c=3", "[s]\r\na=1\r\n"},
      {"line above the header is not looked at", "b=2\r\n[s]\r\na=1\r\n", "s", "b=2", "b=2\r\n[s]\r\na=1\r\n"},
      {"scan runs past the next header", "[s]\r\na=1\r\n[t]\r\nb=2\r\n", "s", "b=2", "[s]\r\na=1\r\n[t]\r\n"},
      {"last line without CR LF", "[s]\r\na=1\r\nb=2", "s", "b=2", "[s]\r\na=1"},
      {"GBK", "[默认目录]\r\n1=D:\\運\r\n2=D:\\誠\r\n", "默认目录", "1=D:\\運", "[默认目录]\r\n2=D:\\誠\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ProgramDir dir;
    dir.WriteUserIni(c.before);
    DeleteEntryLine(c.section, c.entry);
    EXPECT_EQ(Printable(dir.UserIni()), Printable(c.after));
  }
  test::ProgramDir none;
  DeleteEntryLine("s", "a=1");
  EXPECT_FALSE(os::FileExists(UserFilePath()));
}

TEST(UserFile, ReplaceEntryText) {
  struct Case {
    const char* name;
    std::string before, oldEntry, newEntry, after;
  } cases[] = {
      {"every equal line", "[s]\r\na=1\r\nb=2\r\na=1\r\n", "a=1", "a=9", "[s]\r\na=9\r\nb=2\r\na=9\r\n"},
      {"whole lines only", "[s]\r\ncab=x\r\nab=x\r\n", "ab=x", "ab=y", "[s]\r\ncab=x\r\nab=y\r\n"},
      {"no match: unchanged", "[s]\r\nab=x\r\n", "b=x", "b=y", "[s]\r\nab=x\r\n"},
      {"no final CR LF kept", "[s]\r\na=1", "a=1", "a=2", "[s]\r\na=2"},
      {"GBK", "[s]\r\n張=運\r\n", "張=運", "張=誠", "[s]\r\n張=誠\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ProgramDir dir;
    dir.WriteUserIni(c.before);
    ReplaceEntryText(c.oldEntry, c.newEntry);
    EXPECT_EQ(Printable(dir.UserIni()), Printable(c.after));
  }
}

TEST(UserFile, BadFilesNeverCrash) {
  test::ProgramDir dir;
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 131) & 0xFF));
  for (const std::string& file : {binary, std::string("[[[[===]]]\r\n\r\n=\r\n["), std::string("\xFF"),
                                  std::string("[s]\n\n\r\r\n=\n")}) {
    dir.WriteUserIni(file);
    SectionKeys("s");
    ReadValue("s", "a");
    SectionLines(ReadWholeText(), "s");
    DeleteEntryLine("s", "=");
    ReplaceEntryText("=", "x=");
  }
}

}  // namespace
}  // namespace qv
