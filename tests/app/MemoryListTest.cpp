// The in-memory list: the rules the handlers rely on.
#include <gtest/gtest.h>

#include "app/MemoryList.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

using test::Column0;

TEST(MemoryList, ColumnsRowsAndCells) {
  MemoryList list;
  EXPECT_EQ(list.InsertColumn(-1, "文件目录  ", 200, kAlignCentre), 0);
  EXPECT_EQ(list.InsertColumn(-1, "财务", 60, kAlignCentre), 1);
  EXPECT_EQ(list.ColumnTitle(0), "文件目录  ");
  EXPECT_EQ(list.ColumnWidth(1), 60);
  EXPECT_EQ(list.InsertRow(-1, "D:\\a"), 0);
  EXPECT_EQ(list.InsertRow(-1), 1);
  list.SetCellText(1, 0, "D:\\b");
  list.SetCellText(0, 1, "读");
  EXPECT_EQ(list.CellText(0, 1), "读");
  EXPECT_EQ(list.CellText(1, 1), "");   // never set
  EXPECT_EQ(list.CellText(9, 0), "");   // past the end
  list.DeleteColumn(0);
  EXPECT_EQ(list.ColumnTitle(0), "财务");
  EXPECT_EQ(list.CellText(0, 0), "读");  // later columns move left
}

TEST(MemoryList, SelectionFollowsInsertAndDelete) {
  MemoryList list;
  list.InsertColumn(-1, "c", 10, 0);
  for (const char* t : {"a", "b", "c", "d", "e"}) list.InsertRow(-1, t);
  list.SetSelection({1, 4});
  EXPECT_EQ(list.SelectedRows(), (std::vector<int>{1, 4}));
  EXPECT_EQ(list.CurrentRow(), 1);
  list.DeleteRow(4);
  list.DeleteRow(1);
  EXPECT_EQ(Column0(list), (std::vector<std::string>{"a", "c", "d"}));
  EXPECT_EQ(list.SelectedCount(), 0);
  int changes = 0;
  list.onCurrentChanged = [&] { ++changes; };
  list.SelectRow(2);
  list.SelectRow(2);
  EXPECT_EQ(changes, 1);
  list.DeleteAllRows();
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(list.ColumnCount(), 1);
}

TEST(MemoryList, ReplaceAllRowsKeepsValuesAndClearsSelection) {
  MemoryList list;
  list.InsertColumn(-1, "a", 10, 0);
  list.InsertColumn(-1, "b", 10, 0);
  list.InsertRow(-1, "x");
  list.SelectRow(0);
  list.ReplaceAllRows({{{"p", "1"}, 7}, {{"q", "2"}, 9}});
  EXPECT_EQ(list.CellText(1, 1), "2");
  EXPECT_EQ(list.RowValue(1), 9);
  EXPECT_EQ(list.SelectedCount(), 0);
}

}  // namespace
}  // namespace qv
