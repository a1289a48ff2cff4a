// The folder-list file: line cutting, import lines, the extension rule of export.
#include <gtest/gtest.h>

#include "common/TextTools.h"
#include "folders/FolderListFile.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

using test::Show;

using Lines = std::vector<std::string>;

// The one-pass cut must give the pieces of the shared line helpers exactly,
// double-byte characters whose second byte is CR or "\" included.
TEST(FolderListFile, CrLfLinesMatchTheLineHelpers) {
  const std::string texts[] = {
      "", "\r\n", "\r\n\r\n", "a", "a\r\n", "a\r\nb", "a\r\n\r\nb\r\n", "a\rb\nc", "\n\r", "a\r\r\nb",
      "運\r\n誠", "D:\\運\r\nD:\\誠\\\r\n", std::string("\x81\r\nx", 4), std::string("x\xFE", 2),
      std::string("\xA1\xA1\r\n\xA1", 5), "财务\r\n人事\r\n\r\n",
  };
  for (const std::string& t : texts) {
    EXPECT_EQ(Show(CrLfLines(t)), Show(SplitKeyList(t, "\r\n"))) << test::Printable(t);
    EXPECT_EQ(static_cast<int>(CrLfLines(t).size()), LineCount(t)) << test::Printable(t);
  }
}

TEST(FolderListFile, ImportLines) {
  const struct {
    std::string bytes;
    Lines rows;
  } cases[] = {
      {"D:\\a\r\nD:\\b\r\n", {"D:\\a", "D:\\b"}},
      {"D:\\a\r\n\r\nD:\\b\r\n", {"D:\\a", "D:\\b"}},  // an empty line adds nothing
      {"D:\\a\r\n\r\nD:\\b", {"D:\\a", "D:\\b"}},      // no final CR LF
      {"D:\\a\nD:\\b\n", {"D:\\a\nD:\\b\n"}},          // LF only: one row, LFs kept
      {"D:\\a\rD:\\b", {"D:\\a\rD:\\b"}},              // bare CR stays inside
      {"   \r\n D:\\a \r\n", {"   ", " D:\\a "}},       // nothing trimmed
      {std::string("D:\\a\r\nD:\\b\0D:\\c\r\n", 15), {"D:\\a", "D:\\b"}},  // a zero byte ends the text
      {std::string("\0D:\\a\r\n", 7), {}},
      {"", {}},
      {"\r\n\r\n", {}},
      {"D:\\共享\\财务\r\nE:\\運\\誠\r\n", {"D:\\共享\\财务", "E:\\運\\誠"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Show(FolderListLines(c.bytes)), Show(c.rows)) << test::Printable(c.bytes);
}

TEST(FolderListFile, ExtensionAsPathFindExtensionFindsIt) {
  const struct {
    std::string name, extension;
  } cases[] = {
      {"list.TXT", ".TXT"},      {"list.csv", ".csv"},       {"list", ""},
      {"a.b\\c", ""},            {"D:\\x.y\\list.txt", ".txt"}, {"list.", "."},
      {".txt", ".txt"},          {"a.b.txt", ".txt"},         {"a.txt b", ""},  // a blank ends it
      {"a. txt", ""},            {"D:\\運.txt", ".txt"},      {"D:\\x.運", ".運"},
      {"D:\\x.b運", ".b運"},     // 運 ends in the byte "\": no separator
      {"D:\\a.誠\\b", ""},       {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FindExtension(c.name), c.extension) << test::Printable(c.name);
}

TEST(FolderListFile, ExportTarget) {
  const struct {
    std::string chosen, target;
  } cases[] = {
      {"D:\\list.TXT", "D:\\list.TXT"},   {"D:\\list.txt", "D:\\list.txt"},
      {"D:\\list.Txt", "D:\\list.Txt"},   {"D:\\list.tXt", "D:\\list.tXt"},
      {"D:\\list.csv", "D:\\list.csv.Txt"}, {"D:\\list", "D:\\list.Txt"},
      {"D:\\a.b\\c", "D:\\a.b\\c.Txt"},   {"D:\\list.txt2", "D:\\list.txt2.Txt"},
      {"D:\\list.txt ", "D:\\list.txt .Txt"}, {"D:\\目录.txt", "D:\\目录.txt"},
      {"D:\\運\\目录", "D:\\運\\目录.Txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExportTarget(c.chosen), c.target) << test::Printable(c.chosen);
}

}  // namespace
}  // namespace qv
