// Start-up: FolderTable's columns and rows from User.ini, and the layout rules.
#include <gtest/gtest.h>

#include "app/MemoryList.h"
#include "app/StartUp.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

using V = std::vector<std::string>;

V Titles(const ListControl& list) {
  V out;
  for (int c = 0; c < list.ColumnCount(); ++c) out.push_back(list.ColumnTitle(c));
  return out;
}

V Folders(const ListControl& list) {
  V out;
  for (int r = 0; r < list.RowCount(); ++r) out.push_back(list.CellText(r, 0));
  return out;
}

TEST(StartUp, ColumnsAndRowsFromUserFile) {
  const std::string head = "文件目录  ";
  struct Case {
    const char* name;
    const char* file;  // nullptr: no User.ini
    V titles;
    V folders;         // in insertion order (the test list has no sort style)
  } cases[] = {
      {"missing file", nullptr, {head}, {}},
      {"empty file", "", {head}, {}},
      {"positions in file order",
       "[帐号转换成职位]\r\nzhang=财务\r\nli=人事\r\n[默认目录]\r\n1=D:\\共享\\财务\r\n2=D:\\運\r\n",
       {head, "财务", "人事"}, {"D:\\共享\\财务", "D:\\運"}},
      {"line 1 is never used", "zhang=财务\r\n[帐号转换成职位]\r\nzhang=财务\r\n", {head, "财务"}, {}},
      {"LF-only file is one line", "[帐号转换成职位]\nzhang=财务\nli=人事\n[默认目录]\n1=D:\\a\n", {head}, {}},
      {"duplicate positions kept", "[帐号转换成职位]\r\nzhang=财务\r\nwang=财务\r\n", {head, "财务", "财务"}, {}},
      {"an account listed twice gives its first value twice", "[帐号转换成职位]\r\nzhang=财务\r\nzhang=人事\r\n",
       {head, "财务", "财务"}, {}},
      {"a default-folder key that is an account adds its position",
       "[帐号转换成职位]\r\n1=财务\r\n[默认目录]\r\n1=D:\\a\r\n", {head, "财务", "财务"}, {"D:\\a"}},
      {"empty default-folder value still gives a row", "[默认目录]\r\n1=\r\n2=D:\\b\r\n", {head}, {"", "D:\\b"}},
      {"[ inside a value ends the keys", "[默认目录]\r\n1=D:\\[x]\r\n2=D:\\y\r\n", {head}, {"D:\\[x]"}},
      {"entries without = or with empty key add nothing", "[帐号转换成职位]\r\nzhang\r\n=财务\r\n", {head}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ProgramDir dir;
    if (c.file) dir.WriteUserIni(c.file);
    MemoryList table;
    table.InsertColumn(-1, "old", 10, 0);  // columns of an earlier build go
    BuildFolderColumns(table);
    AddDefaultFolders(table);
    EXPECT_EQ(Titles(table), c.titles);
    EXPECT_EQ(Folders(table), c.folders);
    EXPECT_EQ(table.ColumnWidth(0), 200);
    for (int col = 0; col < table.ColumnCount(); ++col) {
      EXPECT_EQ(table.ColumnAlignment(col), kAlignCentre);
      if (col > 0) {
        EXPECT_EQ(table.ColumnWidth(col), 60);
      }
    }
  }
}

TEST(StartUp, LayoutRules) {
  struct Case {
    int w, h;
    MainLayout expected;
  } cases[] = {
      {921, 623, {901, 498, 508, 901, 51}},
      {1280, 1024, {1260, 899, 909, 1260, 410}},
      {870, 600, {850, 475, 485, 850, 0}},
      {500, 100, {480, -25, -15, 480, -370}},  // no lower bound
  };
  for (const Case& c : cases) {
    const MainLayout l = ComputeMainLayout(c.w, c.h);
    EXPECT_EQ(l.tableWidth, c.expected.tableWidth);
    EXPECT_EQ(l.tableHeight, c.expected.tableHeight);
    EXPECT_EQ(l.bottomGroupTop, c.expected.bottomGroupTop);
    EXPECT_EQ(l.bottomGroupWidth, c.expected.bottomGroupWidth);
    EXPECT_EQ(l.progressWidth, c.expected.progressWidth);
  }
}

TEST(StartUp, ClientSizeKeepsPlaceAndFrame) {
  // A window at 50,50 of 921 x 623 whose client area is 905 x 585 (8 px frame, 30 px caption).
  const Rect r = OuterRectForClient({50, 50, 971, 673}, {0, 0, 0, 0}, {0, 0, 905, 585}, 1280, 964);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 1280 + 16);
  EXPECT_EQ(r.bottom - r.top, 964 + 38);
  const Rect child = OuterRectForClient({110, 120, 210, 220}, {100, 100, 500, 500}, {0, 0, 100, 100}, 50, 60);
  EXPECT_EQ(child.left, 10);
  EXPECT_EQ(child.top, 20);
  EXPECT_EQ(child.right - child.left, 50);
  EXPECT_EQ(child.bottom - child.top, 60);
}

}  // namespace
}  // namespace qv
