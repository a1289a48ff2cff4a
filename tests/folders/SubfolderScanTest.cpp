// SubfolderScan on a real directory tree through the file seam.
#include <gtest/gtest.h>

#include "app/MemoryUi.h"
#include "folders/FolderTree.h"
#include "folders/SubfolderScan.h"

namespace qv {
namespace {

using test::AsSet;
using test::FolderTree;

std::set<std::string> WithPrefix(const std::string& prefix, const std::set<std::string>& names) {
  std::set<std::string> out;
  for (const std::string& n : names) out.insert(prefix + n);
  return out;
}

TEST(SubfolderScan, OneLevelOfFoldersWithAndWithoutTrailingBackslash) {
  FolderTree tree;
  for (const std::string& folder : {tree.root(), tree.root() + "\\"}) {
    ScriptedUi ui;
    std::vector<std::string> list;
    EXPECT_EQ(SubfolderScan(folder, list, true, ui), 5);
    EXPECT_EQ(AsSet(list), WithPrefix(tree.root() + "\\", FolderTree::RootFolders())) << folder;
    // Events are let through once per folder entry, dot entries included, not for files.
    EXPECT_EQ(ui.eventPumps, FolderTree::kRootFolderEntries);
  }
}

TEST(SubfolderScan, BareNamesAndAnAppendedList) {
  FolderTree tree;
  ScriptedUi ui;
  std::vector<std::string> list{"earlier"};
  EXPECT_EQ(SubfolderScan(tree.root(), list, false, ui), 6);
  EXPECT_EQ(list.front(), "earlier");
  list.erase(list.begin());
  EXPECT_EQ(AsSet(list), FolderTree::RootFolders());
}

// "運" ends in the byte 0x5C: the folder still gets its "\" and its own
// subfolders are listed, not the entries of its parent that start with 運.
TEST(SubfolderScan, FolderEndingInASecondByteBackslash) {
  FolderTree tree;
  for (const std::string& folder : {tree.Path("運"), tree.Path("運") + "\\"}) {
    ScriptedUi ui;
    std::vector<std::string> list;
    EXPECT_EQ(SubfolderScan(folder, list, true, ui), 1) << test::Printable(folder);
    EXPECT_EQ(list, std::vector<std::string>{tree.Path("運\\子")});
  }
}

TEST(SubfolderScan, NothingFromMissingPathsFilesAndEmptyFolders) {
  FolderTree tree;
  for (const std::string& folder : {tree.Path("missing"), tree.Path("readme.txt"), tree.Path("人事"),
                                    tree.Path("missing\\deeper\\")}) {
    ScriptedUi ui;
    std::vector<std::string> list{"kept"};
    EXPECT_EQ(SubfolderScan(folder, list, true, ui), 1) << test::Printable(folder);
    EXPECT_EQ(list, std::vector<std::string>{"kept"});
  }
}

// An empty folder text is "\": the root of the current drive.
TEST(SubfolderScan, EmptyFolderIsTheRootOfTheCurrentDrive) {
  ScriptedUi ui;
  std::vector<std::string> list;
  SubfolderScan("", list, true, ui);
  ASSERT_FALSE(list.empty());
  for (const std::string& path : list) {
    EXPECT_EQ(path[0], '\\') << path;
    EXPECT_NE(path[1], '.') << path;
    EXPECT_TRUE(os::DirectoryExists(path)) << path;
  }
}

}  // namespace
}  // namespace qv
