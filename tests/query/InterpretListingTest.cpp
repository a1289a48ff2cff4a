// Reading cacls listings into the cells of a row, on in-memory controls.
#include <gtest/gtest.h>

#include "app/MemoryList.h"
#include "app/MemoryMain.h"
#include "app/MemoryUi.h"
#include "common/TextTools.h"
#include "query/InterpretListing.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

// Accounts and positions; 運 (DF 5C) and 誠 (D5 5C) end in a byte that is "\".
constexpr char kUserIni[] =
    "[帐号转换成职位]\r\n"
    "Administrators=管理员\r\n"
    "root=管理员\r\n"
    "SYSTEM=系统\r\n"
    "张三=财务\r\n"
    "李四=人事\r\n"
    "運營=運營部\r\n"
    "nocolumn=没有这列\r\n"
    "[默认目录]\r\n";

// Column titles: the folder column, then positions; 财务 twice.
const std::vector<std::string> kTitles = {"文件目录  ", "管理员", "财务", "系统", "人事", "财务", "運營部"};

struct Case {
  const char* name;
  std::string folder;
  std::string listing;
  std::vector<std::string> row;  // expected cells 1.. of the row, in title order
};

const Case kCases[] = {
    {"cacls layout with inheritance flags",
     "D:\\共享",
     "D:\\共享 BUILTIN\\Administrators:(OI)(CI)F \r\n"
     "       CORP\\张三:(OI)(CI)R \r\n"
     "       CORP\\李四:C \r\n"
     "       CORP\\root:W \r\n"
     "\r\n",
     {"修改", "读", "", "修改", "读", ""}},
    {"accounts without a backslash write nothing",
     "D:\\x",
     "D:\\x Everyone:(OI)(CI)F \r\n"
     "     CREATOR OWNER:(OI)(CI)(IO)F \r\n"
     "     SYSTEM:F \r\n",
     {"", "", "", "", "", ""}},
    {"two-word authority first, after the folder text",
     "D:\\x",
     "D:\\x NT AUTHORITY\\SYSTEM:(OI)(CI)F \r\n"
     "     BUILTIN\\Administrators:R \r\n",
     {"读", "", "修改", "", "", ""}},
    {"folder with blanks keeps its first entry",
     "D:\\项目 a b",
     "D:\\项目 a b CORP\\张三:(OI)(CI)R \r\n"
     "           NT AUTHORITY\\SYSTEM:N \r\n",
     {"", "读", "拒绝", "", "读", ""}},
    {"first line of another folder: cut between its first two blanks",
     "D:\\y",
     "D:\\x NT AUTHORITY\\SYSTEM:(OI)(CI)F \r\n"
     "     CORP\\张三:R \r\n",
     {"", "读", "", "", "读", ""}},
    {"first line without a second blank writes nothing",
     "D:\\y",
     "D:\\x CORP\\张三:F",
     {"", "", "", "", "", ""}},
    {"first line of the folder without a closing blank: its own two bytes",
     "D:\\x",
     "D:\\x CORP\\张三:F",
     {"", ":F", "", "", ":F", ""}},
    {"LF alone: one line, the first account gets the last two bytes",
     "D:\\x",
     "D:\\x CORP\\张三:(OI)(CI)R \n     CORP\\李四:N \n     CORP\\root:R ",
     {"", "读", "", "", "读", ""}},
    {"codes that are no permission are written as they stand",
     "D:\\x",
     "D:\\x CORP\\张三:(special access:) \r\n"
     "     CORP\\李四:r \r\n",
     {"", ") ", "", "r ", ") ", ""}},
    {"several lines of one position: the last one wins",
     "D:\\x",
     "D:\\x BUILTIN\\Administrators:N \r\n"
     "     CORP\\root:R \r\n"
     "     CORP\\张三:R \r\n"
     "     OTHER\\张三:N \r\n",
     {"读", "拒绝", "", "", "拒绝", ""}},
    {"GBK accounts and domains whose second bytes are backslashes",
     "D:\\運",
     "D:\\運 誠信\\運營:(OI)(CI)C \r\n"
     "     運\\李四:R \r\n",
     {"", "", "", "读", "", "修改"}},
    {"a position without a column and unknown accounts write nothing",
     "D:\\x",
     "D:\\x CORP\\nocolumn:F \r\n"
     "     CORP\\stranger:F \r\n",
     {"", "", "", "", "", ""}},
    {"an error text instead of a listing",
     "D:\\none",
     "系统找不到指定的文件。\r\n",
     {"", "", "", "", "", ""}},
};

class InterpretListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.WriteUserIni(kUserIni);
    for (const std::string& t : kTitles) table.InsertColumn(-1, t, 60, kAlignCentre);
    for (const char* f : {"D:\\a", "D:\\b", "D:\\c"}) table.InsertRow(-1, f);
  }
  std::vector<std::string> Row(int r) const {
    std::vector<std::string> cells;
    for (int k = 1; k < table.ColumnCount(); ++k) cells.push_back(test::Printable(table.CellText(r, k)));
    return cells;
  }
  static std::vector<std::string> Printable(const std::vector<std::string>& v) {
    std::vector<std::string> out;
    for (const std::string& s : v) out.push_back(test::Printable(s));
    return out;
  }

  test::ProgramDir dir;
  MemoryList table;
  MemoryProgress progress2;
  DirectUiThread ui;
};

TEST_F(InterpretListingTest, WritesTheWordsOfEachListing) {
  const int columns = static_cast<int>(kTitles.size());
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    for (int r = 0; r < 3; ++r) {
      for (int k = 1; k < columns; ++k) table.SetCellText(r, k, "");
    }
    InterpretListing(table, progress2, ui, 1, c.folder, c.listing);
    EXPECT_EQ(Row(1), Printable(c.row));
    const std::vector<std::string> untouched(columns - 1, "");
    EXPECT_EQ(Row(0), untouched);
    EXPECT_EQ(Row(2), untouched);
    EXPECT_EQ(table.CellText(1, 0), "D:\\b");
    // Every line counts the columns from 0 to all of them.
    EXPECT_EQ(progress2.Max(), columns);
    EXPECT_EQ(progress2.Pos(), columns);
  }
}

TEST_F(InterpretListingTest, EmptyListingTouchesNothing) {
  table.SetCellText(0, 1, "读");
  progress2.SetMax(9);
  progress2.SetPos(4);
  InterpretListing(table, progress2, ui, 0, "D:\\a", "");
  EXPECT_EQ(table.CellText(0, 1), "读");
  EXPECT_EQ(progress2.Max(), 9);
  EXPECT_EQ(progress2.Pos(), 4);
}

TEST_F(InterpretListingTest, StopsBeforeTheNextLine) {
  int asked = 0;
  InterpretListing(table, progress2, ui, 0, "D:\\a",
                   "D:\\a CORP\\张三:R \r\n     CORP\\李四:R \r\n", [&] { return ++asked > 1; });
  EXPECT_EQ(table.CellText(0, 2), "读");
  EXPECT_EQ(table.CellText(0, 4), "");
}

TEST(ListingLines, CountsLikeLineCountAndNthLine) {
  const std::string cases[] = {
      "",
      "\r\n",
      "a",
      "a\r\n",
      "a\r\nb",
      "a\r\n\r\nb\r\n\r\n",
      "a\nb\n",
      "a\rb\r",
      "\r\r\n\n",
      std::string("\x81\r\nx\r\n"),       // a lead byte takes the CR as its second byte
      std::string("運\r\n誠\\\r\n\xFE"),  // second bytes 0x5C; a lead byte at the end
  };
  for (const std::string& text : cases) {
    std::vector<std::string> expected;
    for (int j = 1; j <= LineCount(text); ++j) expected.push_back(NthLine(text, j));
    EXPECT_EQ(ListingLines(text), expected) << test::Printable(text);
  }
}

TEST(PermissionWord, CodesAndOtherBytes) {
  struct Case {
    std::string code, word;
  } const cases[] = {{"R ", "读"}, {"F ", "修改"}, {"C ", "修改"}, {"W ", "修改"}, {"N ", "拒绝"},
                     {"r ", "r "}, {"R", "R"},      {"", ""},        {"RR", "RR"},    {") ", ") "}};
  for (const Case& c : cases) EXPECT_EQ(PermissionWord(c.code), c.word) << c.code;
}

}  // namespace
}  // namespace qv
