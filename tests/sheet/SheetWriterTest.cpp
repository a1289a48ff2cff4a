// SheetWriter: the grid operations and the exact bytes of the files it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sheet/SheetRecords.h"
#include "sheet/SheetWriter.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

using test::Blank;
using test::Bof;
using test::Eof;
using test::Hex;
using test::Label;

std::vector<std::string> FolderNames(const test::TempDir& dir) {
  std::vector<std::string> names;
  os::FindEntries(dir.path() + "\\*", [&](const os::DirEntry& e) {
    if (e.name != "." && e.name != "..") names.push_back(e.name);
    return true;
  });
  std::sort(names.begin(), names.end());
  return names;
}

TEST(SheetWriter, WritesExactBytes) {
  struct Case {
    const char* what;
    SheetData sheet;
    std::string bytes;
  };
  const Case cases[] = {
      {"no rows: BOF and EOF only", {}, Hex("09 08 08 00 00 00 10 00 00 00 00 00 0A 00 00 00")},
      {"one row, a text and an empty text: 40 bytes",
       {{"ab", ""}},
       Hex("09 08 08 00 00 00 10 00 00 00 00 00"
           " 04 02 0A 00 00 00 00 00 00 00 02 00 61 62"
           " 01 02 06 00 00 00 01 00 17 00"
           " 0A 00 00 00")},
      {"a row without cells still takes a row number",
       {{"x"}, {}, {"y", ""}},
       Bof() + Label(0, 0, "x") + Label(2, 0, "y") + Blank(2, 1) + Eof()},
      {"a single space is a text, not an empty cell",
       {{" "}},
       Bof() + Hex("04 02 09 00 00 00 00 00 00 00 01 00 20") + Eof()},
      {"Chinese texts count their GBK bytes",
       {{"運營", "", "D:\\誠信\\"}},
       Bof() + Hex("04 02 0C 00 00 00 00 00 00 00 04 00") + "運營" + Blank(0, 1) +
           Hex("04 02 10 00 00 00 02 00 00 00 08 00") + "D:\\誠信\\" + Eof()},
      {"empty trailing cells are written",
       {{"", ""}, {"a", "", ""}},
       Bof() + Blank(0, 0) + Blank(0, 1) + Label(1, 0, "a") + Blank(1, 1) + Blank(1, 2) + Eof()},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    SheetWriter writer;
    EXPECT_TRUE(writer.SaveSheetTo(c.sheet, dir.File("t.xls"))) << c.what;
    EXPECT_EQ(test::Printable(dir.Read("t.xls")), test::Printable(c.bytes)) << c.what;
  }
  EXPECT_EQ(Hex("04 02 0C 00 00 00 00 00 00 00 04 00") + "運營", Label(0, 0, "運營"));
  EXPECT_EQ(FolderNames(dir), std::vector<std::string>{"t.xls"});  // no temporary file left behind
}

TEST(SheetWriter, GridOperationsKeepToTheirBounds) {
  SheetWriter w;
  EXPECT_EQ(w.GetCell(1, 1), "");
  EXPECT_FALSE(w.SetCell(1, 1, "x"));

  w.SetRowCount(2, false);
  EXPECT_EQ(w.Sheet(), (SheetData{{""}, {""}}));  // new rows hold one cell
  EXPECT_FALSE(w.SetCell(1, 1, "x"));             // no columns yet
  w.SetColumnCount(3, false);
  EXPECT_TRUE(w.SetCell(2, 3, "c"));
  EXPECT_TRUE(w.SetCell(1, 1, "a"));
  for (auto [row, column] : {std::pair{0, 1}, {3, 1}, {1, 0}, {1, 4}, {-1, -1}}) {
    EXPECT_FALSE(w.SetCell(row, column, "no")) << row << "," << column;
    EXPECT_EQ(w.GetCell(row, column), "") << row << "," << column;
  }
  EXPECT_EQ(w.GetCell(2, 3), "c");

  w.SetRowCount(3, true);  // the added row holds one cell until the columns are set again
  EXPECT_TRUE(w.SetCell(3, 1, "d"));
  EXPECT_FALSE(w.SetCell(3, 2, "no"));
  EXPECT_EQ(w.Sheet(), (SheetData{{"a", "", ""}, {"", "", "c"}, {"d"}}));

  w.SetColumnCount(2, true);
  EXPECT_EQ(w.Sheet(), (SheetData{{"a", ""}, {"", ""}, {"d", ""}}));
  EXPECT_EQ(w.GetCell(2, 3), "");
  EXPECT_EQ(w.AddRow(), 4);
  EXPECT_TRUE(w.SetCell(4, 2, "e"));
  w.SetRowCount(2, true);
  EXPECT_EQ(w.Sheet(), (SheetData{{"a", ""}, {"", ""}}));
  w.SetColumnCount(1, false);
  EXPECT_EQ(w.Sheet(), (SheetData{{""}, {""}}));
  w.SetRowCount(1, false);
  EXPECT_EQ(w.Sheet(), (SheetData{{""}}));
  w.SetRowCount(-1, true);
  EXPECT_TRUE(w.Sheet().empty());

  // A sheet handed in keeps its cells; the column count stays what was set.
  test::TempDir dir;
  EXPECT_TRUE(w.SaveSheetTo({{"p", "q"}}, dir.File("s.xls")));
  EXPECT_EQ(w.GetCell(1, 1), "p");
  EXPECT_EQ(w.GetCell(1, 2), "");
}

TEST(SheetWriter, EventsAfterEveryCellAndRow) {
  int events = 0;
  SheetWriter w([&] { ++events; });
  test::TempDir dir;
  EXPECT_TRUE(w.SaveSheetTo({{"a", "b", ""}, {}, {"c"}}, dir.File("e.xls")));
  EXPECT_EQ(events, 4 + 3);
}

TEST(SheetWriter, SavingAgainReplacesTheWholeFile) {
  test::TempDir dir;
  const std::string name = dir.File("表.xls");
  SheetWriter w;
  ASSERT_TRUE(w.SaveSheetTo({{"long first text", "x", "y"}, {"z"}}, name));
  ASSERT_TRUE(w.SaveSheetTo({{"b"}}, name));
  EXPECT_EQ(test::Printable(dir.Read("表.xls")), test::Printable(Bof() + Label(0, 0, "b") + Eof()));
  EXPECT_EQ(FolderNames(dir), std::vector<std::string>{"表.xls"});
}

TEST(SheetWriter, NothingIsWrittenWhereNoFileCanBe) {
  test::TempDir dir;
  ASSERT_TRUE(os::MakeDirectory(dir.File("子目录")));
  SheetWriter w;
  w.SetRowCount(1, false);
  w.SetColumnCount(1, false);
  w.SetCell(1, 1, "kept");
  EXPECT_FALSE(w.SaveToFile(dir.File("missing\\t.xls")));
  EXPECT_FALSE(w.SaveToFile(dir.File("子目录")));  // the name of a folder
  EXPECT_FALSE(w.SaveToFile(""));
  EXPECT_TRUE(os::DirectoryExists(dir.File("子目录")));
  EXPECT_EQ(FolderNames(dir), std::vector<std::string>{"子目录"});
  EXPECT_EQ(w.GetCell(1, 1), "kept");
}

// Rows, columns and text lengths are 16-bit fields: what lies beyond them
// is left out, and no record carries a wrapped number or a wrong length.
TEST(SheetWriter, StopsAtTheLimitsOfTheFormat) {
  test::TempDir dir;
  const std::string name = dir.File("big.xls");
  SheetWriter w;

  // Texts of 65,527 bytes fit; longer ones are cut, never inside a character.
  const std::string fits(65527, 'a');
  const std::string ascii = fits + "bc";
  std::string chinese;
  for (int i = 0; i < 32764; ++i) chinese += "運";  // 65,528 bytes
  ASSERT_TRUE(w.SaveSheetTo({{fits, ascii, chinese}}, name));
  EXPECT_TRUE(dir.Read("big.xls") ==
              Bof() + Label(0, 0, fits) + Label(0, 1, fits) + Label(0, 2, chinese.substr(0, 65526)) + Eof());

  // The 65,537th row would be row 0 again: it is not written.
  SheetData rows(65537);
  rows[65533] = {"a"};
  rows[65535] = {"b", ""};
  rows[65536] = {"c"};
  ASSERT_TRUE(w.SaveSheetTo(rows, name));
  EXPECT_EQ(test::Printable(dir.Read("big.xls")),
            test::Printable(Bof() + Label(65533, 0, "a") + Label(65535, 0, "b") + Blank(65535, 1) + Eof()));

  // Likewise the 65,537th cell of a row.
  SheetData wide{SheetRow(65537), {"next"}};
  wide[0][65535] = "last";
  wide[0][65536] = "beyond";
  ASSERT_TRUE(w.SaveSheetTo(wide, name));
  std::string expected = Bof();
  for (unsigned c = 0; c < 65535; ++c) expected += Blank(0, c);
  expected += Label(0, 65535, "last") + Label(1, 0, "next") + Eof();
  EXPECT_TRUE(dir.Read("big.xls") == expected);
}

}  // namespace
}  // namespace qv
