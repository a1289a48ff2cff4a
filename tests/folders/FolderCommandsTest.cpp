// The main window's folder-list commands on in-memory controls, with scripted
// dialogs and a real directory tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/MemoryMain.h"
#include "folders/FolderCommands.h"
#include "folders/FolderListFile.h"
#include "folders/FolderTree.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

using test::Column0;

using test::AsSet;
using test::FolderTree;
using Rows = std::vector<std::string>;

class FolderCommands : public ::testing::Test {
 protected:
  FolderCommands() {
    m.table.InsertColumn(-1, "文件目录  ", 200, kAlignCentre);
    m.table.InsertColumn(-1, "财务", 60, kAlignCentre);
  }
  // Rows given their text at insertion, as start-up adds them.
  void AddRows(const Rows& rows) {
    for (const std::string& r : rows) m.table.InsertRow(-1, r);
  }
  MemoryMain m;
};

TEST_F(FolderCommands, AddFolderAsksThePickerAndAppendsTheChoice) {
  m.edit2.SetText("D:\\共享");
  m.ui.folderAnswers = {"D:\\共享\\财务"};
  OnAddFolder(m.context);
  ASSERT_EQ(m.ui.folderPicks.size(), 1u);
  const FolderPickerArgs& a = m.ui.folderPicks[0];
  EXPECT_EQ(a.title, "请选择要查看权限的目录");
  EXPECT_EQ(a.initialFolder, "D:\\共享");
  EXPECT_FALSE(a.includeFiles);
  EXPECT_FALSE(a.editBox);
  EXPECT_TRUE(a.newDialogStyle);
  EXPECT_EQ(a.owner, 0);
  EXPECT_EQ(m.edit2.Text(), "D:\\共享\\财务");
  EXPECT_EQ(Column0(m.table), Rows{"D:\\共享\\财务"});
  EXPECT_EQ(m.table.CellText(0, 1), "");
}

TEST_F(FolderCommands, CancelledPickerChangesNothing) {
  AddRows({"D:\\a"});
  m.edit2.SetText("D:\\typed");
  OnAddFolder(m.context);  // no answer: cancelled
  EXPECT_EQ(m.edit2.Text(), "D:\\typed");
  EXPECT_EQ(Column0(m.table), Rows{"D:\\a"});
}

// The table has the sort style: a row inserted empty is placed by its empty
// text, and its text then goes to the index the insert returned.
TEST_F(FolderCommands, AddedRowIsAddressedThroughTheReturnedIndex) {
  AddRows({"D:\\b", "D:\\d"});
  m.ui.folderAnswers = {"D:\\c"};
  OnAddFolder(m.context);
  EXPECT_EQ(Column0(m.table), (Rows{"D:\\c", "D:\\b", "D:\\d"}));
}

TEST_F(FolderCommands, TypedFolderSubfolders) {
  FolderTree tree;
  for (const std::string& typed : {tree.root(), tree.root() + "\\"}) {
    m.table.DeleteAllRows();
    m.edit2.SetText(typed);
    OnAddTypedSubfolders(m.context);
    std::set<std::string> expected;
    for (const std::string& n : FolderTree::RootFolders()) expected.insert(tree.root() + "\\" + n);
    EXPECT_EQ(AsSet(Column0(m.table)), expected);
    EXPECT_EQ(m.table.RowCount(), 5);
    EXPECT_EQ(m.edit2.Text(), typed);
  }
  m.table.DeleteAllRows();
  m.edit2.SetText(tree.Path("missing"));
  OnAddTypedSubfolders(m.context);
  EXPECT_EQ(m.table.RowCount(), 0);
  EXPECT_TRUE(m.ui.messages.empty());
}

TEST_F(FolderCommands, SelectedRowsSubfoldersInSelectionOrderEachOnce) {
  FolderTree tree;
  // 人事 has no subfolder, 财务 has one, 運 has one; 運 is selected twice.
  AddRows({tree.Path("人事"), tree.Path("財"), tree.Path("财务"), tree.Path("運"), tree.Path("運")});
  const Rows before = Column0(m.table);
  std::vector<int> selection;
  for (int i = 0; i < m.table.RowCount(); ++i) {
    if (m.table.CellText(i, 0) != tree.Path("財")) selection.push_back(i);
  }
  m.table.SetSelection(selection);
  OnAddSelectedSubfolders(m.context);

  Rows added = Column0(m.table);
  for (const std::string& r : before) added.erase(std::find(added.begin(), added.end(), r));
  // Each new row was inserted empty, so each landed on top of the earlier ones:
  // read from the bottom up they follow the selection.
  const std::map<std::string, Rows> subfolders{{tree.Path("人事"), {}},
                                              {tree.Path("财务"), {tree.Path("财务\\2013")}},
                                              {tree.Path("運"), {tree.Path("運\\子")}}};
  Rows expectedOrder;
  for (int r : selection) {
    const Rows& subs = subfolders.at(before[r]);
    expectedOrder.insert(expectedOrder.end(), subs.begin(), subs.end());
  }
  ASSERT_EQ(expectedOrder.size(), 3u);
  EXPECT_EQ(Rows(added.rbegin(), added.rend()), expectedOrder);
  // The selection stays on the same rows.
  Rows selected;
  for (int r : m.table.SelectedRows()) selected.push_back(m.table.CellText(r, 0));
  EXPECT_EQ(AsSet(selected), AsSet({tree.Path("人事"), tree.Path("财务"), tree.Path("運")}));
  EXPECT_EQ(m.table.SelectedCount(), 4);
}

TEST_F(FolderCommands, DeleteSelectedRowsFromTheHighestDown) {
  AddRows({"D:\\0", "D:\\1", "D:\\2", "D:\\3", "D:\\4", "D:\\5", "D:\\6"});
  OnDeleteSelectedRows(m.context);  // nothing selected
  EXPECT_EQ(m.table.RowCount(), 7);
  m.table.SetSelection({2, 5});
  OnDeleteSelectedRows(m.context);
  EXPECT_EQ(Column0(m.table), (Rows{"D:\\0", "D:\\1", "D:\\3", "D:\\4", "D:\\6"}));
  m.table.SetSelection({0, 1, 2, 3, 4});
  OnDeleteSelectedRows(m.context);
  EXPECT_EQ(m.table.RowCount(), 0);
}

TEST_F(FolderCommands, ClearTableKeepsTheColumns) {
  OnClearTable(m.context);
  AddRows({"D:\\a", "D:\\b"});
  OnClearTable(m.context);
  EXPECT_EQ(m.table.RowCount(), 0);
  EXPECT_EQ(m.table.ColumnCount(), 2);
  EXPECT_EQ(m.table.ColumnTitle(1), "财务");
}

TEST_F(FolderCommands, ImportUsesTheOpenDialogAndAppends) {
  test::TempDir dir;
  dir.Write("list.txt", "D:\\a\r\n\r\nD:\\共享\\運");
  AddRows({"D:\\a"});
  m.ui.fileAnswers = {dir.File("list.txt"), dir.File("list.txt")};
  m.dialog2.save = true;  // left from an export
  OnImportFolderList(m.context);
  ASSERT_EQ(m.ui.fileDialogs.size(), 1u);
  EXPECT_FALSE(m.ui.fileDialogs[0].save);
  EXPECT_EQ(m.ui.fileDialogs[0].title, "请选择文件位置");
  EXPECT_EQ(m.ui.fileDialogs[0].filter, "文本文件(*.Txt)");
  EXPECT_EQ(m.edit1.Text(), dir.File("list.txt"));
  EXPECT_EQ(AsSet(Column0(m.table)), AsSet({"D:\\a", "D:\\共享\\運"}));
  EXPECT_EQ(m.table.RowCount(), 3);  // nothing compared: D:\a twice

  OnImportFolderList(m.context);  // the same file again: listed again
  EXPECT_EQ(m.ui.fileDialogs[1].fileName, dir.File("list.txt"));  // the last choice is offered
  EXPECT_EQ(m.table.RowCount(), 5);
}

TEST_F(FolderCommands, ImportLineRules) {
  test::TempDir dir;
  const struct {
    std::string bytes;
    Rows rows;
  } cases[] = {
      {"D:\\a\r\n\r\nD:\\b\r\n", {"D:\\b", "D:\\a"}},
      {"D:\\a\r\n\r\nD:\\b", {"D:\\b", "D:\\a"}},
      {"D:\\a\nD:\\b\n", {"D:\\a\nD:\\b\n"}},
      {"  \r\n\r\n", {"  "}},
      {std::string("D:\\a\r\nD:\\b\0D:\\c\r\n", 15), {"D:\\b", "D:\\a"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    dir.Write("in.txt", c.bytes);
    m.table.DeleteAllRows();
    m.ui.fileAnswers = {dir.File("in.txt")};
    OnImportFolderList(m.context);
    EXPECT_EQ(Column0(m.table), c.rows) << test::Printable(c.bytes);
  }
}

TEST_F(FolderCommands, ImportCancelledOrUnreadable) {
  m.edit1.SetText("D:\\earlier.txt");
  OnImportFolderList(m.context);  // cancelled
  EXPECT_EQ(m.edit1.Text(), "D:\\earlier.txt");
  EXPECT_EQ(m.table.RowCount(), 0);

  test::TempDir dir;
  m.ui.fileAnswers = {dir.File("missing.txt")};
  OnImportFolderList(m.context);
  EXPECT_EQ(m.edit1.Text(), dir.File("missing.txt"));
  EXPECT_EQ(m.table.RowCount(), 0);
  EXPECT_TRUE(m.ui.messages.empty());
}

TEST_F(FolderCommands, ExportWritesEveryRowWithCrLf) {
  test::TempDir dir;
  AddRows({"D:\\a", "D:\\b"});
  m.ui.fileAnswers = {dir.File("out.txt")};
  OnExportFolderList(m.context);
  ASSERT_EQ(m.ui.fileDialogs.size(), 1u);
  EXPECT_TRUE(m.ui.fileDialogs[0].save);
  EXPECT_EQ(dir.Read("out.txt"), "D:\\a\r\nD:\\b\r\n");
  EXPECT_EQ(dir.Read("out.txt").size(), 12u);

  // Chinese paths and an empty cell (an empty line).
  const int row = m.table.InsertRow(-1);
  EXPECT_EQ(row, 0);
  m.table.InsertRow(-1, "E:\\共享\\運");
  m.ui.fileAnswers = {dir.File("out.txt")};
  OnExportFolderList(m.context);
  EXPECT_EQ(test::Printable(dir.Read("out.txt")), test::Printable("\r\nD:\\a\r\nD:\\b\r\nE:\\共享\\運\r\n"));

  m.table.DeleteAllRows();
  m.ui.fileAnswers = {dir.File("out.txt")};
  OnExportFolderList(m.context);
  EXPECT_TRUE(os::FileExists(dir.File("out.txt")));
  EXPECT_EQ(dir.Read("out.txt"), "");
}

TEST_F(FolderCommands, ExportNameRule) {
  test::TempDir dir;
  AddRows({"D:\\a"});
  const struct {
    std::string chosen, written;
  } cases[] = {
      {"list.TXT", "list.TXT"}, {"list.csv", "list.csv.Txt"}, {"list", "list.Txt"}, {"目录.txt", "目录.txt"},
  };
  for (const auto& c : cases) {
    m.ui.fileAnswers = {dir.File(c.chosen)};
    OnExportFolderList(m.context);
    EXPECT_EQ(dir.Read(c.written), "D:\\a\r\n") << c.chosen;
    EXPECT_EQ(m.edit1.Text(), dir.File(c.chosen));  // as chosen, without the ".Txt" added
    EXPECT_EQ(m.dialog2.fileName, dir.File(c.chosen));
  }
  EXPECT_FALSE(os::FileExists(dir.File("list.csv")));
  EXPECT_FALSE(os::FileExists(dir.File("list")));
  // "a.b\c": the dot is in a folder name, so the file gets ".Txt".
  os::MakeDirectory(dir.File("a.b"));
  m.ui.fileAnswers = {dir.File("a.b\\c")};
  OnExportFolderList(m.context);
  EXPECT_EQ(dir.Read("a.b\\c.Txt"), "D:\\a\r\n");
}

TEST_F(FolderCommands, ExportCancelledOrUnwritable) {
  test::TempDir dir;
  AddRows({"D:\\a"});
  m.edit1.SetText("D:\\earlier.txt");
  OnExportFolderList(m.context);  // cancelled
  EXPECT_EQ(m.edit1.Text(), "D:\\earlier.txt");

  m.ui.fileAnswers = {dir.File("missing\\out.txt")};
  OnExportFolderList(m.context);  // the folder does not exist: nothing, silently
  EXPECT_FALSE(os::FileExists(dir.File("missing")));
  EXPECT_TRUE(m.ui.messages.empty());
}

TEST_F(FolderCommands, ImportThenExportDropsTheEmptyLines) {
  test::TempDir dir;
  dir.Write("in.txt", "D:\\x\r\n\r\n \r\nD:\\共享\r\n");
  m.ui.fileAnswers = {dir.File("in.txt"), dir.File("out.txt")};
  OnImportFolderList(m.context);
  OnExportFolderList(m.context);
  EXPECT_EQ(m.ui.fileDialogs[1].fileName, dir.File("in.txt"));  // offered again, then replaced
  const std::string out = dir.Read("out.txt");
  EXPECT_EQ(out.size(), std::string("D:\\x\r\n \r\nD:\\共享\r\n").size());
  EXPECT_EQ(AsSet(CrLfLines(out)), AsSet({"D:\\x", " ", "D:\\共享"}));
}

}  // namespace
}  // namespace qv
