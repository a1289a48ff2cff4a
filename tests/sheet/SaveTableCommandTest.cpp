// "保存表单" on the in-memory list with a scripted save dialog.
#include <gtest/gtest.h>

#include "app/MemoryList.h"
#include "app/MemoryUi.h"
#include "sheet/SaveTableCommand.h"
#include "sheet/SheetRecords.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

using test::Blank;
using test::Bof;
using test::Eof;
using test::Label;

void Fill(ListControl& list, const std::vector<std::string>& titles, const std::vector<std::vector<std::string>>& rows) {
  for (const std::string& t : titles) list.InsertColumn(-1, t, 60, kAlignCentre);
  for (const auto& cells : rows) {
    const int r = list.InsertRow(-1, cells.empty() ? std::string() : cells[0]);
    for (size_t c = 1; c < cells.size(); ++c) list.SetCellText(r, static_cast<int>(c), cells[c]);
  }
}

// A dialog that lets the test act while it is open.
class DialogUi : public ScriptedUi {
 public:
  std::function<void()> whileOpen;
  bool RunFileDialog(FileDialog& dialog) override {
    if (whileOpen) whileOpen();
    return ScriptedUi::RunFileDialog(dialog);
  }
};

TEST(SaveTableCommand, TitlesThenEveryRow) {
  test::ProgramDir program;
  MemoryList list;
  Fill(list, {"文件目录  ", "財務", "運營"}, {{"D:\\共享\\誠", "读", ""}, {"E:\\a", "", "修改"}});
  FileDialog dialog;
  dialog.title = "请选择保存的位置";
  dialog.fileName = "上次.xls";
  DialogUi ui;
  ui.fileAnswers = {program.File("表单.xls")};
  ui.whileOpen = [&] { list.SetCellText(0, 1, "拒绝"); };  // too late to reach the file

  SaveTableCommand(list, dialog, ui);

  ASSERT_EQ(ui.fileDialogs.size(), 1u);
  const FileDialog& shown = ui.fileDialogs[0];
  EXPECT_TRUE(shown.save);
  EXPECT_EQ(shown.title, "请选择保存的位置");
  EXPECT_EQ(shown.filter, "文本文档（*.xls）|*.xls");
  EXPECT_EQ(shown.initialDir, program.path());
  EXPECT_EQ(shown.defaultExt, "xls");
  EXPECT_EQ(shown.fileName, "上次.xls");  // the name chosen last is offered again
  const std::string expected = Bof() + Label(0, 0, "文件目录  ") + Label(0, 1, "財務") + Label(0, 2, "運營") +
                               Label(1, 0, "D:\\共享\\誠") + Label(1, 1, "读") + Blank(1, 2) +
                               Label(2, 0, "E:\\a") + Blank(2, 1) + Label(2, 2, "修改") + Eof();
  EXPECT_EQ(test::Printable(program.Read("表单.xls")), test::Printable(expected));
  // Events after every title and cell copied, then after every cell and row written.
  EXPECT_EQ(ui.eventPumps, 3 + 6 + 9 + 3);
}

TEST(SaveTableCommand, ShapesOfTable) {
  struct Case {
    const char* what;
    std::vector<std::string> titles;
    std::vector<std::vector<std::string>> rows;
    std::string bytes;
  };
  const Case cases[] = {
      {"columns but no rows: the title row only", {"文件目录  ", "A"}, {}, Bof() + Label(0, 0, "文件目录  ") + Label(0, 1, "A") + Eof()},
      {"no columns: BOF and EOF", {}, {}, Bof() + Eof()},
      {"rows without columns: BOF and EOF", {}, {{}, {}}, Bof() + Eof()},
  };
  test::ProgramDir program;
  for (const Case& c : cases) {
    MemoryList list;
    Fill(list, c.titles, c.rows);
    FileDialog dialog;
    ScriptedUi ui;
    ui.fileAnswers = {program.File("t.xls")};
    SaveTableCommand(list, dialog, ui);
    EXPECT_EQ(test::Printable(program.Read("t.xls")), test::Printable(c.bytes)) << c.what;
  }
  EXPECT_EQ(program.Read("t.xls").size(), 16u);
}

TEST(SaveTableCommand, CancelWritesNothing) {
  test::ProgramDir program;
  MemoryList list;
  Fill(list, {"文件目录  "}, {{"D:\\x"}});
  FileDialog dialog;
  dialog.fileName = program.File("old.xls");
  ASSERT_TRUE(program.Write("old.xls", "old"));
  ScriptedUi ui;  // no answer: cancel
  SaveTableCommand(list, dialog, ui);
  EXPECT_EQ(ui.fileDialogs.size(), 1u);
  EXPECT_EQ(program.Read("old.xls"), "old");
  int files = 0;
  os::FindEntries(program.path() + "\\*", [&](const os::DirEntry& e) {
    if (!e.directory) ++files;
    return true;
  });
  EXPECT_EQ(files, 1);
}

// The query may add or remove rows while events are processed during the
// copy: cells that no longer fit the sheet are left out, nothing breaks.
TEST(SaveTableCommand, TableChangingDuringTheCopy) {
  test::ProgramDir program;
  for (bool grow : {true, false}) {
    MemoryList list;
    Fill(list, {"文件目录  ", "P"}, {{"a", "1"}, {"b", "2"}});
    FileDialog dialog;
    ScriptedUi ui;
    ui.fileAnswers = {program.File("c.xls")};
    bool changed = false;
    ui.onProcessEvents = [&] {
      if (changed) return;
      changed = true;
      if (grow) {
        Fill(list, {}, {{"c", "3"}});
        list.InsertColumn(-1, "Q", 60, kAlignCentre);
      } else {
        list.DeleteRow(1);
      }
    };
    SaveTableCommand(list, dialog, ui);
    const std::string expected = grow ? Bof() + Label(0, 0, "文件目录  ") + Label(0, 1, "P") + Label(1, 0, "a") +
                                            Label(1, 1, "1") + Label(2, 0, "b") + Label(2, 1, "2") + Eof()
                                      : Bof() + Label(0, 0, "文件目录  ") + Label(0, 1, "P") + Label(1, 0, "a") +
                                            Label(1, 1, "1") + Blank(2, 0) + Blank(2, 1) + Eof();
    EXPECT_EQ(test::Printable(program.Read("c.xls")), test::Printable(expected)) << grow;
  }
}

}  // namespace
}  // namespace qv
