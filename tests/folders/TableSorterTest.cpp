// TableSorter on an in-memory list, through the two files in the program directory.
#include <gtest/gtest.h>

#include "app/MemoryList.h"
#include "app/MemoryUi.h"
#include "folders/TableSorter.h"
#include "os/Files.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

class TableSorterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* t : {"文件目录  ", "管理员", "财务"}) list.InsertColumn(-1, t, 60, kAlignCentre);
  }
  // Rows of (folder, word, word), each with the value 100 + its first index.
  void AddRows(const std::vector<std::string>& keys) {
    for (const std::string& k : keys) {
      const int r = list.InsertRow(-1, k);
      list.SetCellText(r, 1, "读:" + k);
      list.SetCellText(r, 2, "修改:" + k);
      list.SetRowValue(r, 100 + r);
    }
  }
  std::vector<std::string> Column(int c) const {
    std::vector<std::string> out;
    for (int r = 0; r < list.RowCount(); ++r) out.push_back(test::Printable(list.CellText(r, c)));
    return out;
  }
  static std::vector<std::string> Printable(const std::vector<std::string>& v) {
    std::vector<std::string> out;
    for (const std::string& s : v) out.push_back(test::Printable(s));
    return out;
  }
  bool TempFilesGone() const {
    return !os::FileExists(dir.File("Sort_S.aji")) && !os::FileExists(dir.File("Sort_E.aji"));
  }

  test::ProgramDir dir;
  MemoryList list{false};  // no sort style: the order is the sorter's
  ScriptedUi ui;
};

TEST_F(TableSorterTest, TextKeysInByteOrderWithTheirRows) {
  // GBK codes: a blank before "\", capitals before small letters, a key
  // before any longer key it begins, Chinese (lead bytes >= 0x81) last.
  AddRows({"D:\\b", "D:\\運", "D:\\A", "D:\\a", "D:\\a\\b", "D:\\a b", "D:\\運", "D:\\財", "D:\\运", "D:\\", "D:\\a"});
  const std::vector<std::string> before0 = Column(0);
  ASSERT_TRUE(TableSorter(list, 0, kKeyText, kAscending, ui));
  // 运 D4 CB, 財 D8 94, 運 DF 5C.
  EXPECT_EQ(Column(0), Printable({"D:\\", "D:\\A", "D:\\a", "D:\\a", "D:\\a b", "D:\\a\\b", "D:\\b", "D:\\运",
                                  "D:\\財", "D:\\運", "D:\\運"}));
  // Every row keeps its own cells and value.
  for (int r = 0; r < list.RowCount(); ++r) {
    const std::string key = list.CellText(r, 0);
    EXPECT_EQ(list.CellText(r, 1), "读:" + key);
    EXPECT_EQ(list.CellText(r, 2), "修改:" + key);
    const std::int64_t value = list.RowValue(r);
    ASSERT_GE(value - 100, 0);
    ASSERT_LT(value - 100, static_cast<std::int64_t>(before0.size()));
    EXPECT_EQ(test::Printable(key), before0[value - 100]);
  }
  EXPECT_TRUE(TempFilesGone());
  EXPECT_GT(ui.eventPumps, 0);
}

TEST_F(TableSorterTest, OtherKeysAndDirections) {
  struct Case {
    int column, keyKind, direction;
    std::vector<std::string> keys, sorted;
  } const cases[] = {
      {0, kKeyText, kDescending, {"b", "A", "a"}, {"b", "a", "A"}},
      {0, kKeyNumber, kAscending, {"10", "9", "1,000", "-2", "x", "2.5"}, {"-2", "x", "2.5", "9", "10", "1,000"}},
      {0, kKeyDate, kAscending, {"2024-03-01 10:00:00", "2023/12/31", "not a date", "2024-03-01 09:59:59"},
       {"not a date", "2023/12/31", "2024-03-01 09:59:59", "2024-03-01 10:00:00"}},
  };
  for (const Case& c : cases) {
    list.DeleteAllRows();
    AddRows(c.keys);
    ASSERT_TRUE(TableSorter(list, c.column, c.keyKind, c.direction, ui));
    EXPECT_EQ(Column(0), Printable(c.sorted));
  }
  // The key may be any column.
  list.DeleteAllRows();
  AddRows({"1", "2", "3"});
  list.SetCellText(0, 2, "c");
  list.SetCellText(1, 2, "a");
  list.SetCellText(2, 2, "b");
  ASSERT_TRUE(TableSorter(list, 2, kKeyText, kAscending, ui));
  EXPECT_EQ(Column(0), Printable({"2", "3", "1"}));
}

TEST_F(TableSorterTest, EmptyListAndLeftoverFiles) {
  dir.Write("Sort_S.aji", std::string(1000, 'x'));  // left by an earlier sort: replaced
  ASSERT_TRUE(TableSorter(list, 0, kKeyText, kAscending, ui));
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_TRUE(TempFilesGone());
}

TEST_F(TableSorterTest, NoPlaceForTheSourceTableLeavesTheListAlone) {
  AddRows({"b", "a"});
  for (const std::string& where : {dir.File("missing"), dir.File("a file")}) {
    dir.Write("a file", "x");
    os::SetProgramDirectoryForTests(where);
    EXPECT_FALSE(TableSorter(list, 0, kKeyText, kAscending, ui));
    os::SetProgramDirectoryForTests(dir.path());
    EXPECT_EQ(Column(0), Printable({"b", "a"}));
    EXPECT_EQ(list.RowValue(0), 100);
  }
  EXPECT_TRUE(TempFilesGone());
}

TEST_F(TableSorterTest, NoPlaceForTheSortedCopyLosesNoRow) {
  AddRows({"c", "b", "a"});
  ASSERT_TRUE(os::MakeDirectory(dir.File("Sort_E.aji")));  // the sorted copy cannot be written
  EXPECT_FALSE(TableSorter(list, 0, kKeyText, kAscending, ui));
  EXPECT_EQ(Column(0), Printable({"c", "b", "a"}));
  EXPECT_EQ(Column(1), Printable({"读:c", "读:b", "读:a"}));
  EXPECT_FALSE(os::FileExists(dir.File("Sort_S.aji")));
  os::RemoveEmptyDirectory(dir.File("Sort_E.aji"));
}

// Events are let through during a sort: a second sort started from them is
// refused and the first one completes.
TEST_F(TableSorterTest, SecondSortDuringASortIsRefused) {
  AddRows({"c", "b", "a"});
  MemoryList other{false};
  other.InsertColumn(-1, "x", 60, kAlignLeft);
  other.InsertRow(-1, "z");
  other.InsertRow(-1, "y");
  int nested = 0;
  bool nestedResult = true;
  ui.onProcessEvents = [&] {
    if (nested++ == 0) nestedResult = TableSorter(other, 0, kKeyText, kAscending, ui);
  };
  ASSERT_TRUE(TableSorter(list, 0, kKeyText, kAscending, ui));
  EXPECT_FALSE(nestedResult);
  EXPECT_EQ(Column(0), Printable({"a", "b", "c"}));
  EXPECT_EQ(other.CellText(0, 0), "z");
  ui.onProcessEvents = nullptr;
  EXPECT_TRUE(TableSorter(other, 0, kKeyText, kAscending, ui));  // the guard is released
  EXPECT_EQ(other.CellText(0, 0), "y");
}

// A handler that adds a row while the sort lets events through: rebuilding
// from the rows read before would lose it.
TEST_F(TableSorterTest, RowsChangedDuringTheSortAreKept) {
  AddRows({"c", "b", "a"});
  bool added = false;
  ui.onProcessEvents = [&] {
    if (!added) list.InsertRow(-1, "new");
    added = true;
  };
  EXPECT_FALSE(TableSorter(list, 0, kKeyText, kAscending, ui));
  EXPECT_EQ(Column(0), Printable({"c", "b", "a", "new"}));
  EXPECT_TRUE(TempFilesGone());
}

}  // namespace
}  // namespace qv
