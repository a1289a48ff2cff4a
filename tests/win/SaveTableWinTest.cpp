// "保存表单" on a real ListView, and a save that must leave the old file alone.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/ListViewControl.h"
#include "app/MemoryUi.h"
#include "sheet/SaveTableCommand.h"
#include "sheet/SheetRecords.h"
#include "sheet/SheetWriter.h"
#include "support/TestSupport.h"
#include "win/WinTestSupport.h"

namespace qv {
namespace {

using test::Blank;
using test::Bof;
using test::Eof;
using test::Label;

// Scripted dialogs, real message pumping.
class PumpingUi : public ScriptedUi {
 public:
  void ProcessEvents() override {
    ScriptedUi::ProcessEvents();
    test::PumpMessages();
  }
};

TEST(SaveTableWin, RealListViewToFile) {
  test::ProgramDir program;
  test::HostWindow host;
  ListViewControl list(test::CreateListView(host.hwnd(), 0));
  for (const char* title : {"文件目录  ", "財務", "運營"}) list.InsertColumn(-1, title, 60, kAlignCentre);
  list.InsertRow(-1, "D:\\共享\\誠");
  list.SetCellText(0, 1, "读");
  list.InsertRow(-1, "E:\\表");
  list.SetCellText(1, 2, "拒绝");

  FileDialog dialog;
  dialog.title = "请选择保存的位置";
  PumpingUi ui;
  ui.fileAnswers = {program.File("表单.xls")};
  SaveTableCommand(list, dialog, ui);

  ASSERT_EQ(ui.fileDialogs.size(), 1u);
  EXPECT_EQ(ui.fileDialogs[0].initialDir, program.path());
  EXPECT_EQ(ui.fileDialogs[0].filter, "文本文档（*.xls）|*.xls");
  const std::string expected = Bof() + Label(0, 0, "文件目录  ") + Label(0, 1, "財務") + Label(0, 2, "運營") +
                               Label(1, 0, "D:\\共享\\誠") + Label(1, 1, "读") + Blank(1, 2) +
                               Label(2, 0, "E:\\表") + Blank(2, 1) + Label(2, 2, "拒绝") + Eof();
  EXPECT_EQ(test::Printable(program.Read("表单.xls")), test::Printable(expected));
}

// A name the file system refuses: the finished temporary file cannot take
// it, so it is removed again and the folder holds what it held before.
// (Wine, unlike Windows, lets MoveFileEx replace a read-only file, so that
// case cannot be checked here.)
TEST(SaveTableWin, RefusedNameLeavesTheFolderAsItWas) {
  test::TempDir dir;
  ASSERT_TRUE(dir.Write("旧.xls", "old"));
  SheetWriter writer;
  for (const char* name : {"坏?.xls", "坏*.xls", "坏<.xls"}) EXPECT_FALSE(writer.SaveSheetTo({{"new"}}, dir.File(name))) << name;
  std::vector<std::string> names;
  os::FindEntries(dir.path() + "\\*", [&](const os::DirEntry& e) {
    if (!e.directory) names.push_back(e.name);
    return true;
  });
  EXPECT_EQ(names, std::vector<std::string>{"旧.xls"});
  EXPECT_EQ(dir.Read("旧.xls"), "old");
}

}  // namespace
}  // namespace qv
