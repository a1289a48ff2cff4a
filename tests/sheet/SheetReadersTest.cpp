// Real spreadsheet readers open what "保存表单" writes and see every cell:
// LibreOffice (headless, converting to CSV) and xlrd, both told to read the
// texts in code page 936, as a Chinese system does.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

#include "app/MemoryList.h"
#include "app/MemoryUi.h"
#include "sheet/SaveTableCommand.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

// Prints "row column x<hex of the GBK bytes>" for every cell a reader sees.
constexpr const char* kDumpScript = R"PY(
import csv, sys
mode, path = sys.argv[1], sys.argv[2]
cells = []
if mode == 'xlrd':
    import xlrd
    book = xlrd.open_workbook(path, encoding_override='cp936', logfile=sys.stderr)
    sheet = book.sheet_by_index(0)
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            cells.append((r, c, sheet.cell_value(r, c)))
else:
    with open(path, encoding='utf-8', newline='') as f:
        for r, row in enumerate(csv.reader(f)):
            for c, v in enumerate(row):
                cells.append((r, c, v))
for r, c, v in cells:
    print(r, c, 'x' + v.encode('cp936').hex())
)PY";

using Grid = std::map<std::pair<int, int>, std::string>;

bool Shell(const std::string& command) { return std::system(command.c_str()) == 0; }

// The non-empty cells of a dump.
Grid ReadDump(const std::string& text) {
  Grid grid;
  std::istringstream in(text);
  int r = 0, c = 0;
  std::string hex;
  while (in >> r >> c >> hex) {
    std::string bytes;
    for (size_t i = 1; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    if (!bytes.empty()) grid[{r, c}] = bytes;
  }
  return grid;
}

std::string Show(const Grid& grid) {
  std::string out;
  for (const auto& [rc, text] : grid)
    out += std::to_string(rc.first) + "," + std::to_string(rc.second) + "=[" + test::Printable(text) + "] ";
  return out;
}

class SheetReaders : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::vector<std::string> titles = {"文件目录  ", "財務部", "運營", "总经理"};
    const std::vector<std::vector<std::string>> rows = {
        {"D:\\共享\\誠信", "读", "", "修改"},
        {"E:\\運\\表", "拒绝", "修改", ""},
        {"", "", "", ""},
        {" ", "a,b", "\"引号\"", std::string(300, 'z')},
        {"F:\\数据 2024\\", "读", "读", "读"},
    };
    for (const std::string& t : titles) list_.InsertColumn(-1, t, 60, kAlignCentre);
    for (size_t r = 0; r < rows.size(); ++r) {
      list_.InsertRow(-1, rows[r][0]);
      for (size_t c = 1; c < rows[r].size(); ++c) list_.SetCellText(static_cast<int>(r), static_cast<int>(c), rows[r][c]);
    }
    for (size_t c = 0; c < titles.size(); ++c) expected_[{0, static_cast<int>(c)}] = titles[c];
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t c = 0; c < rows[r].size(); ++c)
        if (!rows[r][c].empty()) expected_[{static_cast<int>(r) + 1, static_cast<int>(c)}] = rows[r][c];

    ScriptedUi ui;
    ui.fileAnswers = {dir_.File("table.xls")};
    FileDialog dialog;
    SaveTableCommand(list_, dialog, ui);
    ASSERT_TRUE(os::FileExists(dir_.File("table.xls")));
    ASSERT_TRUE(dir_.Write("dump.py", kDumpScript));
  }

  std::string Dump(const std::string& mode, const std::string& file) {
    const std::string out = dir_.path() + "/dump.txt";
    if (!Shell("/usr/bin/python3 " + dir_.path() + "/dump.py " + mode + " " + file + " >" + out)) return "failed";
    return dir_.Read("dump.txt");
  }

  test::TempDir dir_;
  MemoryList list_;
  Grid expected_;
};

TEST_F(SheetReaders, Xlrd) {
  if (!Shell("/usr/bin/python3 -c 'import xlrd' 2>/dev/null")) GTEST_SKIP() << "python3-xlrd is not installed";
  EXPECT_EQ(Show(ReadDump(Dump("xlrd", dir_.path() + "/table.xls"))), Show(expected_));
}

TEST_F(SheetReaders, LibreOffice) {
  if (!Shell("command -v soffice >/dev/null")) GTEST_SKIP() << "LibreOffice is not installed";
  // A private profile, so that it runs as root, without a display and beside
  // other runs. The locale gives the code page of texts without a code-page
  // record.
  const std::string command = "cd " + dir_.path() +
                              " && LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8 timeout 180 soffice"
                              " -env:UserInstallation=file://" + dir_.path() + "/profile"
                              " --headless --norestore --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76'"
                              " --outdir " + dir_.path() + " table.xls >lo.log 2>&1";
  ASSERT_TRUE(Shell(command)) << dir_.Read("lo.log");
  EXPECT_EQ(Show(ReadDump(Dump("csv", dir_.path() + "/table.csv"))), Show(expected_));
}

}  // namespace
}  // namespace qv
