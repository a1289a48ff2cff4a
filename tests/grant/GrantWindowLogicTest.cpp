// The grant window's handlers on in-memory controls with a fake grant.
#include <gtest/gtest.h>

#include "app/MemoryList.h"
#include "app/MemoryUi.h"
#include "folders/FolderListFile.h"
#include "grant/GrantLog.h"
#include "grant/GrantOperation.h"
#include "grant/GrantWindowLogic.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

using test::Column0;

using Rows = std::vector<std::string>;

struct Grant {
  std::string folder, account;
  std::uint32_t mask;
  int mode;
  bool operator==(const Grant&) const = default;
};

class GrantWindowLogicTest : public ::testing::Test {
 protected:
  GrantWindowLogicTest() {
    for (MemoryList* l : {&users, &chosen, &folders}) l->InsertColumn(-1, "c", 130, kAlignLeft);
  }
  void Open(const Rows& mainRows = {}, const std::vector<int>& selected = {}) {
    MemoryList main(true, true);
    main.InsertColumn(-1, "文件目录  ", 200, kAlignCentre);
    for (const std::string& r : mainRows) main.InsertRow(-1, r);
    main.SetSelection(selected);
    logic.OnCreated(main);
  }
  void Choose(const Rows& accounts) {
    for (const std::string& a : accounts) chosen.SetCellText(chosen.InsertRow(-1), 0, a);
  }
  void AddFolders(const Rows& paths) {
    for (const std::string& p : paths) folders.SetCellText(folders.InsertRow(-1), 0, p);
  }
  std::string LogFile() const { return dir.Read("Log\\" + GrantLogStamp(time) + ".Txt"); }

  test::ProgramDir dir;
  // The grant window's lists: no sort style, one selected row at most.
  MemoryList users{false, false}, chosen{false, false}, folders{false, false};
  MemoryControl edit2, modify, read, deny;
  ScriptedUi ui;
  std::vector<Grant> grants;
  std::function<bool(const Grant&)> result = [](const Grant& g) { return g.account != "1"; };
  os::LocalTime time{2013, 5, 1, 14, 3, 7};
  GrantWindowLogic logic{GrantControls{users, chosen, folders, edit2, modify, read, deny}, ui,
                         [this](const std::string& f, const std::string& a, std::uint32_t m, int mode) {
                           grants.push_back({f, a, m, mode});
                           return result(grants.back());
                         },
                         [this] { return time; }};
};

TEST_F(GrantWindowLogicTest, CreatedListsEveryLineWithAnEqualsSignAndTheSelectedFolders) {
  dir.WriteUserIni(
      "[帐号转换成职位]\r\nzhang=财务\r\nli = 人事\r\n\r\n[默认目录]\r\n1=D:\\共享\r\nno equals here\r\nlast=行");
  Open({"D:\\b", "D:\\a", "D:\\運", "D:\\c"}, {3, 0, 2});
  EXPECT_EQ(Column0(users), (Rows{"zhang=财务", "li = 人事", "1=D:\\共享", "last=行"}));
  EXPECT_EQ(Column0(chosen), Rows{});
  // The main table is sorted: rows 0, 2, 3 are D:\a, D:\c, D:\運.
  EXPECT_EQ(Column0(folders), (Rows{"D:\\a", "D:\\c", "D:\\運"}));
}

TEST_F(GrantWindowLogicTest, CreatedWithoutUserFileOrSelection) {
  Open({"D:\\a"}, {});
  EXPECT_EQ(users.RowCount(), 0);
  EXPECT_EQ(folders.RowCount(), 0);
  dir.WriteUserIni("zhang=财务\r\n");  // the last line with its line break
  Open();
  EXPECT_EQ(Column0(users), Rows{"zhang=财务"});
}

TEST_F(GrantWindowLogicTest, DoubleClicksMoveTheFirstSelectedRowToTheEnd) {
  dir.WriteUserIni("[x]\r\na=1\r\nb=2\r\nc=3\r\n");
  Open();
  logic.OnUsersDoubleClick();  // nothing selected: nothing moves
  EXPECT_EQ(users.RowCount(), 3);
  users.SetSelection({1});
  logic.OnUsersDoubleClick();
  EXPECT_EQ(Column0(users), (Rows{"a=1", "c=3"}));
  EXPECT_EQ(Column0(chosen), Rows{"b=2"});
  users.SetSelection({0});
  logic.OnUsersDoubleClick();
  EXPECT_EQ(Column0(chosen), (Rows{"b=2", "a=1"}));
  chosen.SetSelection({0});
  logic.OnChosenDoubleClick();  // back to the end, not to its old place
  EXPECT_EQ(Column0(users), (Rows{"c=3", "b=2"}));
  EXPECT_EQ(Column0(chosen), Rows{"a=1"});
  logic.OnChosenDoubleClick();  // the selection went with the deleted row
  EXPECT_EQ(Column0(chosen), Rows{"a=1"});
}

TEST_F(GrantWindowLogicTest, RunIsFolderMajorAndLogsEveryGrant) {
  Choose({"zhang=财务", "li = 人事", "1=D:\\共享"});
  AddFolders({"D:\\共享\\財", "E:\\運"});
  read.SetChecked(true);
  logic.OnGrant();
  const std::uint32_t r = kGenericRead;
  EXPECT_EQ(grants, (std::vector<Grant>{{"D:\\共享\\財", "zhang", r, 2}, {"D:\\共享\\財", "li ", r, 2},
                                        {"D:\\共享\\財", "1", r, 2}, {"E:\\運", "zhang", r, 2},
                                        {"E:\\運", "li ", r, 2}, {"E:\\運", "1", r, 2}}));
  EXPECT_EQ(test::Printable(LogFile()),
            test::Printable("为用户：zhang授权：D:\\共享\\財----真\r\n"
                            "为用户：li 授权：D:\\共享\\財----真\r\n"
                            "为用户：1授权：D:\\共享\\財----假\r\n"
                            "为用户：zhang授权：E:\\運----真\r\n"
                            "为用户：li 授权：E:\\運----真\r\n"
                            "为用户：1授权：E:\\運----假\r\n"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "授权完毕");
  EXPECT_EQ(ui.messages[0].title, "提示");
  EXPECT_EQ(ui.messages[0].flags, kMbOk | kMbTaskModal);
  EXPECT_EQ(ui.eventPumps, 12);  // after every grant and after every account
  // The lists are left as they were.
  EXPECT_EQ(chosen.RowCount(), 3);
  EXPECT_EQ(folders.RowCount(), 2);
}

TEST_F(GrantWindowLogicTest, EachChoiceGrantsItsArguments) {
  Choose({"zhang=财务"});
  AddFolders({"D:\\a"});
  MemoryControl* radios[] = {&modify, &read, &deny};
  for (int k = 0; k < 3; ++k) {
    for (MemoryControl* r : radios) r->SetChecked(false);
    radios[k]->SetChecked(true);
    grants.clear();
    logic.OnGrant();
    ASSERT_EQ(grants.size(), 1u);
    EXPECT_EQ(grants[0], (Grant{"D:\\a", "zhang", kGrantChoices[k].mask, kGrantChoices[k].mode}));
  }
}

TEST_F(GrantWindowLogicTest, NothingToGrantStillWritesAnEmptyLogAndTellsTheUser) {
  Choose({"zhang=财务"});
  AddFolders({"D:\\a"});
  logic.OnGrant();  // no choice made
  EXPECT_TRUE(grants.empty());
  EXPECT_TRUE(os::FileExists(dir.File("Log\\" + GrantLogStamp(time) + ".Txt")));
  EXPECT_EQ(LogFile(), "");
  EXPECT_EQ(ui.messages.size(), 1u);

  chosen.DeleteAllRows();
  folders.DeleteAllRows();
  modify.SetChecked(true);
  time.second = 8;
  logic.OnGrant();  // empty lists
  EXPECT_TRUE(grants.empty());
  EXPECT_TRUE(os::FileExists(dir.File("Log\\" + GrantLogStamp(time) + ".Txt")));
  EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(GrantWindowLogicTest, TwoRunsInOneSecondShareOneLog) {
  Choose({"zhang=财务"});
  AddFolders({"D:\\a"});
  deny.SetChecked(true);
  logic.OnGrant();
  read.SetChecked(true);
  deny.SetChecked(false);
  logic.OnGrant();
  EXPECT_EQ(LogFile(), "为用户：zhang授权：D:\\a----真\r\n为用户：zhang授权：D:\\a----真\r\n");
  EXPECT_EQ(grants.size(), 2u);
  EXPECT_EQ(grants[0].mode, kDenyAccess);
  EXPECT_EQ(grants[1].mask, kGenericRead);
}

// The run lets events through; a second click on "确定授权" then must not
// start a run inside the first.
TEST_F(GrantWindowLogicTest, ClickDuringARunIsIgnored) {
  Choose({"a=1", "b=2"});
  AddFolders({"D:\\a", "D:\\b"});
  modify.SetChecked(true);
  int nested = 0;
  ui.onProcessEvents = [&] {
    if (nested++ < 3) logic.OnGrant();
    EXPECT_TRUE(logic.running());
  };
  logic.OnGrant();
  EXPECT_FALSE(logic.running());
  EXPECT_EQ(grants.size(), 4u);
  EXPECT_EQ(CrLfLines(LogFile()).size(), 4u);
  EXPECT_EQ(ui.messages.size(), 1u);
  ui.onProcessEvents = nullptr;
  logic.OnGrant();  // the next click runs again
  EXPECT_EQ(grants.size(), 8u);
}

// Rows moved during a run: the account list is read again for every folder.
TEST_F(GrantWindowLogicTest, AccountListIsReadAgainForEveryFolder) {
  dir.WriteUserIni("[x]\r\nb=2\r\n");
  Open();
  Choose({"a=1"});
  AddFolders({"D:\\a", "D:\\b"});
  read.SetChecked(true);
  bool moved = false;
  ui.onProcessEvents = [&] {
    if (moved) return;
    moved = true;
    users.SetSelection({0});
    logic.OnUsersDoubleClick();
  };
  logic.OnGrant();
  ASSERT_EQ(grants.size(), 3u);
  EXPECT_EQ(grants[0].account, "a");
  EXPECT_EQ(grants[1].account, "a");
  EXPECT_EQ(grants[2].account, "b");
}

TEST_F(GrantWindowLogicTest, AddFolderAndSubfolders) {
  edit2.SetText("D:\\共享");
  logic.OnAddFolder();  // cancelled
  EXPECT_EQ(folders.RowCount(), 0);
  EXPECT_EQ(edit2.Text(), "D:\\共享");
  ui.folderAnswers = {"D:\\共享\\運"};
  logic.OnAddFolder();
  ASSERT_EQ(ui.folderPicks.size(), 2u);
  EXPECT_EQ(ui.folderPicks[1].title, "请选择要查看权限的目录");
  EXPECT_EQ(ui.folderPicks[1].initialFolder, "D:\\共享");
  EXPECT_TRUE(ui.folderPicks[1].newDialogStyle);
  EXPECT_EQ(edit2.Text(), "D:\\共享\\運");
  EXPECT_EQ(Column0(folders), Rows{"D:\\共享\\運"});

  test::TempDir tree;
  os::MakeDirectory(tree.File("财务"));
  os::MakeDirectory(tree.File(".git"));
  tree.Write("file.txt", "x");
  edit2.SetText(tree.path());
  logic.OnAddSubfolders();
  EXPECT_EQ(Column0(folders), (Rows{"D:\\共享\\運", tree.File("财务")}));
  EXPECT_EQ(edit2.Text(), tree.path());
}

}  // namespace
}  // namespace qv
