// The file seam on real files: GBK names, FindFirstFileA semantics.
#include <gtest/gtest.h>

#include <algorithm>

#include "os/Files.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

TEST(Files, ReadWriteAppendRemove) {
  test::TempDir dir;
  const std::string path = dir.File("財務運.txt");
  std::string bytes;
  EXPECT_FALSE(os::ReadWholeFile(path, bytes));
  EXPECT_FALSE(os::FileExists(path));
  ASSERT_TRUE(os::WriteWholeFile(path, std::string("a\0b", 3)));
  ASSERT_TRUE(os::ReadWholeFile(path, bytes));
  EXPECT_EQ(bytes, std::string("a\0b", 3));
  ASSERT_TRUE(os::AppendToFile(path, "cd"));
  ASSERT_TRUE(os::ReadWholeFile(path, bytes));
  EXPECT_EQ(bytes, std::string("a\0bcd", 5));
  ASSERT_TRUE(os::WriteWholeFile(path, "x"));
  ASSERT_TRUE(os::ReadWholeFile(path, bytes));
  EXPECT_EQ(bytes, "x");
  EXPECT_TRUE(os::FileExists(path));
  EXPECT_FALSE(os::DirectoryExists(path));
  EXPECT_TRUE(os::RemoveFile(path));
  EXPECT_FALSE(os::FileExists(path));
  EXPECT_FALSE(os::WriteWholeFile(dir.File("no\\such\\dir.txt"), "x"));
  EXPECT_FALSE(os::ReadWholeFile(dir.path(), bytes));  // a directory is no file
}

TEST(Files, RenameOver) {
  test::TempDir dir;
  ASSERT_TRUE(dir.Write("new.tmp", "new"));
  ASSERT_TRUE(dir.Write("old.txt", "old"));
  EXPECT_TRUE(os::RenameOver(dir.File("new.tmp"), dir.File("old.txt")));
  EXPECT_EQ(dir.Read("old.txt"), "new");
  EXPECT_FALSE(os::FileExists(dir.File("new.tmp")));
}

TEST(Files, FindEntriesListsOneLevelWithDots) {
  test::TempDir dir;
  ASSERT_TRUE(os::MakeDirectory(dir.File("甲")));
  ASSERT_TRUE(os::MakeDirectory(dir.File("運")));
  ASSERT_TRUE(os::MakeDirectory(dir.File("運\\inner")));
  ASSERT_TRUE(dir.Write("file.txt", "x"));
  std::vector<std::pair<std::string, bool>> seen;
  EXPECT_TRUE(os::FindEntries(dir.path() + "\\*.*", [&](const os::DirEntry& e) {
    seen.emplace_back(e.name, e.directory);
    return true;
  }));
  std::sort(seen.begin(), seen.end());
  const std::vector<std::pair<std::string, bool>> expected = {
      {".", true}, {"..", true}, {"file.txt", false}, {"甲", true}, {"運", true}};
  EXPECT_EQ(seen, expected);
  EXPECT_FALSE(os::FindEntries(dir.File("missing") + "\\*.*", [](const os::DirEntry&) { return true; }));
  int count = 0;
  os::FindEntries(dir.path() + "\\*.*", [&](const os::DirEntry&) { return ++count < 2; });
  EXPECT_EQ(count, 2);  // the callback stops the search
}

TEST(Files, ProgramDirectoryAndTime) {
  const std::string real = os::ProgramDirectory();
  EXPECT_FALSE(real.empty());
  EXPECT_NE(real.back(), '\\');
  os::SetProgramDirectoryForTests("X:\\运行");
  EXPECT_EQ(os::ProgramDirectory(), "X:\\运行");
  os::SetProgramDirectoryForTests("");
  EXPECT_EQ(os::ProgramDirectory(), real);
  const os::LocalTime t = os::Now();
  EXPECT_GE(t.year, 2020);
  EXPECT_TRUE(t.month >= 1 && t.month <= 12 && t.hour >= 0 && t.hour <= 23);
}

}  // namespace
}  // namespace qv

#include "os/SafeWrite.h"

namespace qv {
namespace {

TEST(SafeWrite, ReplacesWholeOrNotAtAll) {
  test::TempDir dir;
  const std::string target = dir.File("列表運.txt");
  ASSERT_TRUE(os::WriteWholeFile(target, "old"));
  EXPECT_TRUE(os::WriteFileReplacing(target, "new\r\n"));
  EXPECT_EQ(dir.Read("列表運.txt"), "new\r\n");
  EXPECT_FALSE(os::WriteFileReplacing(dir.path(), "x"));                 // a folder is no file
  EXPECT_FALSE(os::WriteFileReplacing(dir.File("missing\\a.txt"), "x"));  // no such folder
  EXPECT_EQ(dir.Read("列表運.txt"), "new\r\n");
  int entries = 0;
  os::FindEntries(dir.path() + "\\*.*", [&](const os::DirEntry& e) {
    entries += e.name != "." && e.name != "..";
    return true;
  });
  EXPECT_EQ(entries, 1);  // no temporary file left behind
}

TEST(SafeWrite, FolderOfKeepsGbkNames) {
  EXPECT_EQ(os::FolderOf("D:\\運\\a.txt"), "D:\\運\\");
  EXPECT_EQ(os::FolderOf("D:\\運"), "D:\\");  // the 0x5C of 運 is no separator
  EXPECT_EQ(os::FolderOf("D:a.txt"), "D:");
  EXPECT_EQ(os::FolderOf("a.txt"), "");
}

}  // namespace
}  // namespace qv
