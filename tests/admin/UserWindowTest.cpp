// "用户管理": the handlers on in-memory controls over a real User.ini in a
// temporary program directory (natively, and under Wine through the system's
// profile functions).
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "admin/UserWindow.h"
#include "app/MemoryList.h"
#include "app/MemoryUi.h"
#include "common/UserFile.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

using test::Show;

using test::Printable;
using Rows = std::vector<std::string>;

// One opening of the window: controls, handlers, Load.
struct Opened {
  MemoryList list{false, false};  // single selection, no sort style
  MemoryControl account, position;
  UserWindow window{list, account, position};

  Opened() {
    list.InsertColumn(-1, "帐号及职位", 305, kAlignLeft);
    window.Load();
  }
  Rows rows() const {
    Rows out;
    for (int i = 0; i < list.RowCount(); ++i) out.push_back(list.CellText(i, 0));
    return out;
  }
  // A left click on a row: it becomes the selected one, then Pick runs.
  void Click(int row) {
    list.SetSelection({row});
    window.Pick();
  }
};

const char kUsers[] = "[帐号转换成职位]\r\nzhang=财务部\r\nli=人事部\r\n[默认目录]\r\n1=D:\\共享\r\n";

struct Case {
  const char* name;
  std::optional<std::string> file;  // nullopt: no User.ini
  std::function<void(Opened&, test::ProgramDir&)> act;
  Rows rows;                        // the list afterwards
  std::string account, position;    // the boxes afterwards
  std::optional<std::string> after; // User.ini afterwards (nullopt: still missing)
  Rows reopened;                    // the list of the next opening
};

void RunCase(const Case& c) {
  SCOPED_TRACE(c.name);
  test::ProgramDir dir;
  if (c.file) dir.WriteUserIni(*c.file);
  {
    Opened w;
    c.act(w, dir);
    EXPECT_EQ(Show(w.rows()), Show(c.rows));
    EXPECT_EQ(Printable(w.account.Text()), Printable(c.account));
    EXPECT_EQ(Printable(w.position.Text()), Printable(c.position));
  }
  EXPECT_EQ(os::FileExists(UserFilePath()), c.after.has_value());
  if (c.after) {
    EXPECT_EQ(Printable(dir.UserIni()), Printable(*c.after));
  }
  Opened again;
  EXPECT_EQ(Show(again.rows()), Show(c.reopened));
}

TEST(UserWindow, LoadShowsEveryKeyInFileOrder) {
  const Case cases[] = {
      {"no file: empty list, nothing written", std::nullopt, [](Opened&, test::ProgramDir&) {}, {}, "", "",
       std::nullopt, {}},
      {"entries in order; a key twice shows its first value twice; an empty value shows as k=",
       "[帐号转换成职位]\r\nzhang=财务部\r\nli=人事部\r\nzhang=审计部\r\nwang=\r\n[默认目录]\r\n1=D:\\a\r\n",
       [](Opened&, test::ProgramDir&) {},
       {"zhang=财务部", "li=人事部", "zhang=财务部", "wang="}, "", "",
       "[帐号转换成职位]\r\nzhang=财务部\r\nli=人事部\r\nzhang=审计部\r\nwang=\r\n[默认目录]\r\n1=D:\\a\r\n",
       {"zhang=财务部", "li=人事部", "zhang=财务部", "wang="}},
      {"a position holding = shows whole; the text between the two = is listed as a key too",
       "[帐号转换成职位]\r\na=b=c\r\n", [](Opened&, test::ProgramDir&) {}, {"a=b=c", "b="}, "", "",
       "[帐号转换成职位]\r\na=b=c\r\n", {"a=b=c", "b="}},
      {"section without entries", "[帐号转换成职位]\r\n[默认目录]\r\n1=D:\\a\r\n", [](Opened&, test::ProgramDir&) {},
       {}, "", "", "[帐号转换成职位]\r\n[默认目录]\r\n1=D:\\a\r\n", {}},
  };
  for (const Case& c : cases) RunCase(c);
}

TEST(UserWindow, PickAddChangeDelete) {
  const Case cases[] = {
      {"pick fills the boxes: the text before the first = and after the last", "[帐号转换成职位]\r\nli=人事部\r\na=b=c\r\n",
       [](Opened& w, test::ProgramDir&) { w.Click(1); },
       {"li=人事部", "a=b=c", "b="}, "a", "c", "[帐号转换成职位]\r\nli=人事部\r\na=b=c\r\n",
       {"li=人事部", "a=b=c", "b="}},
      {"no row selected: pick, change and delete do nothing", kUsers,
       [](Opened& w, test::ProgramDir&) {
         w.account.SetText("zhang");
         w.position.SetText("x");
         w.window.Pick();
         w.window.Change();
         w.window.Delete();
       },
       {"zhang=财务部", "li=人事部"}, "zhang", "x", kUsers, {"zhang=财务部", "li=人事部"}},
      {"add appends a row and the entry; the boxes keep their texts", kUsers,
       [](Opened& w, test::ProgramDir&) {
         w.account.SetText("wang");
         w.position.SetText("审计部");
         w.window.Add();
       },
       {"zhang=财务部", "li=人事部", "wang=审计部"}, "wang", "审计部",
       "[帐号转换成职位]\r\nzhang=财务部\r\nli=人事部\r\nwang=审计部\r\n[默认目录]\r\n1=D:\\共享\r\n",
       {"zhang=财务部", "li=人事部", "wang=审计部"}},
      {"the same account added twice: two rows, one entry with the last position", kUsers,
       [](Opened& w, test::ProgramDir&) {
         w.account.SetText("wang");
         w.position.SetText("审计部");
         w.window.Add();
         w.position.SetText("后勤部");
         w.window.Add();
       },
       {"zhang=财务部", "li=人事部", "wang=审计部", "wang=后勤部"}, "wang", "后勤部",
       "[帐号转换成职位]\r\nzhang=财务部\r\nli=人事部\r\nwang=后勤部\r\n[默认目录]\r\n1=D:\\共享\r\n",
       {"zhang=财务部", "li=人事部", "wang=后勤部"}},
      {"the first add creates the file with its section", std::nullopt,
       [](Opened& w, test::ProgramDir&) {
         w.account.SetText("運");
         w.position.SetText("誠");
         w.window.Add();
       },
       {"運=誠"}, "運", "誠", "[帐号转换成职位]\r\n運=誠\r\n", {"運=誠"}},
      {"change: the row moves to the end, the entry keeps its line, the boxes empty", kUsers,
       [](Opened& w, test::ProgramDir&) {
         w.Click(0);
         w.account.SetText("zhao");
         w.window.Change();
       },
       {"li=人事部", "zhao=财务部"}, "", "",
       "[帐号转换成职位]\r\nzhao=财务部\r\nli=人事部\r\n[默认目录]\r\n1=D:\\共享\r\n", {"zhao=财务部", "li=人事部"}},
      {"change with the pair unchanged: only the row moves", kUsers,
       [](Opened& w, test::ProgramDir&) {
         w.Click(0);
         w.window.Change();
       },
       {"li=人事部", "zhang=财务部"}, "", "", kUsers, {"zhang=财务部", "li=人事部"}},
      {"change replaces whole lines only: ab=x is changed, cab=x is not",
       "[帐号转换成职位]\r\ncab=x\r\nab=x\r\n",
       [](Opened& w, test::ProgramDir&) {
         w.Click(1);
         w.position.SetText("y");
         w.window.Change();
       },
       {"cab=x", "ab=y"}, "", "", "[帐号转换成职位]\r\ncab=x\r\nab=y\r\n", {"cab=x", "ab=y"}},
      {"change of a row the file no longer holds (edited by hand since the window opened): only the list changes",
       kUsers,
       [](Opened& w, test::ProgramDir& dir) {
         dir.WriteUserIni("[帐号转换成职位]\r\nzhang=总经办\r\nli=人事部\r\n");
         w.Click(0);
         w.position.SetText("审计部");
         w.window.Change();
       },
       {"li=人事部", "zhang=审计部"}, "", "", "[帐号转换成职位]\r\nzhang=总经办\r\nli=人事部\r\n",
       {"zhang=总经办", "li=人事部"}},
      {"delete removes the row's entry, then row 0 is picked", kUsers,
       [](Opened& w, test::ProgramDir&) {
         w.Click(1);
         w.window.Delete();
       },
       {"zhang=财务部"}, "zhang", "财务部", "[帐号转换成职位]\r\nzhang=财务部\r\n[默认目录]\r\n1=D:\\共享\r\n",
       {"zhang=财务部"}},
      {"delete after a box was edited still removes the row's own entry, not the boxes' one", kUsers,
       [](Opened& w, test::ProgramDir&) {
         w.Click(1);
         w.account.SetText("zhang");
         w.position.SetText("财务部");
         w.window.Delete();
       },
       {"zhang=财务部"}, "zhang", "财务部", "[帐号转换成职位]\r\nzhang=财务部\r\n[默认目录]\r\n1=D:\\共享\r\n",
       {"zhang=财务部"}},
      {"delete of a row whose position holds =: its line goes, not only the row",
       "[帐号转换成职位]\r\nli=人事部\r\na=b=c\r\n",
       [](Opened& w, test::ProgramDir&) {
         w.Click(1);  // the boxes read a and c
         w.window.Delete();
       },
       {"li=人事部", "b="}, "li", "人事部", "[帐号转换成职位]\r\nli=人事部\r\n", {"li=人事部"}},
      {"delete of the last row: the list empties, the boxes keep their texts", "[帐号转换成职位]\r\n運=誠\r\n",
       [](Opened& w, test::ProgramDir&) {
         w.Click(0);
         w.window.Delete();
       },
       {}, "運", "誠", "[帐号转换成职位]\r\n", {}},
      {"delete of one of two equal rows removes the first equal line",
       "[帐号转换成职位]\r\nzhang=财务部\r\nzhang=审计部\r\n",
       [](Opened& w, test::ProgramDir&) {
         w.Click(1);  // shows zhang=财务部, the first value
         w.window.Delete();
       },
       {"zhang=财务部"}, "zhang", "财务部", "[帐号转换成职位]\r\nzhang=审计部\r\n", {"zhang=审计部"}},
  };
  for (const Case& c : cases) RunCase(c);
}

}  // namespace
}  // namespace qv
