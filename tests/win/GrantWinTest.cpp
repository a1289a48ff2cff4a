// The grant under Wine: the real advapi32 calls, and the real grant window
// opened from the real main window's popup menu.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/MainWindow.h"
#include "app/MemoryUi.h"
#include "app/MessageLoop.h"
#include "folders/FolderListFile.h"
#include "grant/GrantLog.h"
#include "grant/GrantOperation.h"
#include "grant/GrantWindowWin32.h"
#include "support/TestSupport.h"
#include "win/WinTestSupport.h"

namespace qv {
namespace {

using test::Column0;

std::string UserName() {
  char name[256] = {};
  DWORD n = sizeof name;
  GetUserNameA(name, &n);
  return name;
}

// Wine keeps no file DACL, so these check the results of the calls only.
TEST(GrantOperationWine, RealCallsOnAnExistingAndAMissingFolder) {
  test::TempDir dir;
  os::MakeDirectory(dir.File("共享運"));
  for (const GrantChoice& c : kGrantChoices) {
    EXPECT_TRUE(GrantOperation(dir.File("共享運"), UserName(), c.mask, c.mode)) << c.caption << " " << UserName();
    EXPECT_TRUE(GrantOperation(dir.File("共享運"), "Everyone", c.mask, c.mode)) << c.caption;
    EXPECT_FALSE(GrantOperation(dir.File("missing"), UserName(), c.mask, c.mode)) << c.caption;
    EXPECT_FALSE(GrantOperation(dir.File("共享運"), "无此帐号_qv", c.mask, c.mode)) << c.caption;
  }
}

// The files in the program directory's Log folder, by name.
std::vector<std::pair<std::string, std::string>> LogFiles(const test::ProgramDir& dir) {
  std::vector<std::pair<std::string, std::string>> files;
  os::FindEntries(dir.File("Log\\*.*"), [&](const os::DirEntry& e) {
    if (!e.directory) files.push_back({e.name, dir.Read("Log\\" + e.name)});
    return true;
  });
  std::sort(files.begin(), files.end());
  return files;
}

class GrantWindowWine : public ::testing::Test {
 protected:
  void SetUp() override {
    os::MakeDirectory(dir_.File("共享A"));
    os::MakeDirectory(dir_.File("運B"));
    dir_.WriteUserIni("[帐号转换成职位]\r\n" + UserName() + "=财务\r\nEveryone = 人事\r\nnobody_qv=人事\r\n[默认目录]\r\n1=" +
                      dir_.File("共享A") + "\r\n2=" + dir_.File("運B") + "\r\n3=D:\\x");
    MainWindow::Options o;
    o.ui = &ui_;
    o.updateCheck = false;
    o.quitOnDestroy = false;
    o.trackMenu = [this](HMENU, POINT) { return menuAnswer_; };
    main_ = MainWindow::Create(o);
    ASSERT_TRUE(main_);
    ShowWindow(main_->hwnd(), SW_SHOWMAXIMIZED);
    test::PumpMessages();
  }
  void TearDown() override {
    main_.reset();
    test::PumpMessages();
    EXPECT_EQ(GrantWindow::Alive(), 0);
  }
  // Right click in the table, then "修改权限".
  HWND OpenFromMenu() {
    menuAnswer_ = kMenuGrant;
    SendMessageA(main_->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main_->table().hwnd()), MAKELPARAM(50, 50));
    test::PumpMessages();
    return GrantWindow::Find(main_->context());
  }
  void SelectMainRows(const std::vector<std::string>& texts) {
    std::vector<int> rows;
    for (int i = 0; i < main_->table().RowCount(); ++i) {
      if (std::find(texts.begin(), texts.end(), main_->table().CellText(i, 0)) != texts.end()) rows.push_back(i);
    }
    main_->table().SetSelection(rows);
  }
  static void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }
  // A double click on a row of a list, as the mouse makes it.
  static void DoubleClickRow(HWND list, int row) {
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    test::PumpMessages();
  }

  test::ProgramDir dir_;
  ScriptedUi ui_;
  int menuAnswer_ = 0;
  std::unique_ptr<MainWindow> main_;
};

TEST_F(GrantWindowWine, OpensFromTheMenuWithItsLayout) {
  SelectMainRows({dir_.File("運B"), dir_.File("共享A")});
  const HWND g = OpenFromMenu();
  ASSERT_TRUE(g);
  GrantWindow* w = GrantWindow::From(g);
  ASSERT_TRUE(w);
  EXPECT_TRUE(IsWindowVisible(g));
  EXPECT_TRUE(IsIconic(main_->hwnd()));  // the main window is minimised, the grant window stays
  EXPECT_EQ(GetParent(g), nullptr);
  EXPECT_EQ(GetWindow(g, GW_OWNER), nullptr);
  char caption[64] = {};
  GetWindowTextA(g, caption, sizeof caption);
  EXPECT_EQ(std::string(caption), "权限管理");
  RECT r{};
  GetWindowRect(g, &r);
  EXPECT_EQ(r.right - r.left, 797);
  EXPECT_EQ(r.bottom - r.top, 562);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 797) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 562) / 2);
  const LONG style = GetWindowLongA(g, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

  const struct {
    const char* name;
    const char* caption;
    int x, y, cx, cy;
  } controls[] = {
      {"分组框1", "用户列表", 8, 2, 160, 238},         {"超级列表框_待选择用户", "", 2, 16, 153, 217},
      {"分组框3", "待授权用户", 8, 244, 160, 284},     {"超级列表框_待授权用户", "", 2, 16, 153, 261},
      {"分组框2", "要授权的文件目录", 172, 2, 618, 479}, {"超级列表框_待授权目录", "", 4, 13, 610, 413},
      {"分组框4", "添加要查看权限的目录", 4, 432, 608, 39}, {"编辑框2", "", 7, 14, 481, 20},
      {"按钮3", "添加", 494, 13, 39, 21},              {"按钮4", "子目录", 546, 13, 56, 21},
      {"标签1", "授选中用户权限为：", 176, 496, 109, 24}, {"单选框1", "修改", 307, 499, 44, 17},
      {"单选框2", "读取", 397, 499, 44, 17},           {"单选框3", "无", 487, 499, 44, 17},
      {"按钮_确定授权", "确定授权", 562, 499, 80, 22},  {"按钮_取消授权", "取消授权", 704, 499, 80, 22},
      {"分隔条1", "", 293, 518, 243, 2},
  };
  for (const auto& c : controls) {
    SCOPED_TRACE(c.name);
    // The etched line of the splitter bar sizes itself (Wine adds 2 px of edge).
    const int slack = std::string(c.name) == "分隔条1" ? 2 : 0;
    test::ExpectControlAt(w->form().Get(c.name), c.caption, c.x, c.y, c.cx, c.cy, slack);
  }
  const struct {
    ListViewControl& list;
    const char* title;
    int width;
  } lists[] = {{w->users(), "帐号及职位", 130}, {w->chosen(), "已选择职位", 130}, {w->folders(), "待授权目录", 587}};
  for (const auto& l : lists) {
    SCOPED_TRACE(l.title);
    EXPECT_EQ(l.list.ColumnCount(), 1);
    EXPECT_EQ(l.list.ColumnTitle(0), l.title);
    EXPECT_EQ(l.list.ColumnWidth(0), l.width);
    const LONG ls = GetWindowLongA(l.list.hwnd(), GWL_STYLE);
    EXPECT_TRUE(ls & LVS_REPORT);
    EXPECT_TRUE(ls & LVS_SINGLESEL);
    EXPECT_FALSE(ls & (LVS_SHOWSELALWAYS | LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_NOCOLUMNHEADER));
    const DWORD ex = static_cast<DWORD>(SendMessageA(l.list.hwnd(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
    EXPECT_FALSE(ex & LVS_EX_FULLROWSELECT);
  }
  for (const char* radio : {"单选框1", "单选框2", "单选框3"}) {
    EXPECT_EQ(SendMessageA(w->form().Get(radio), BM_GETCHECK, 0, 0), BST_UNCHECKED) << radio;
  }
  // Every line with "=", of every section; the selected folders in row order.
  EXPECT_EQ(Column0(w->users()), (std::vector<std::string>{UserName() + "=财务", "Everyone = 人事", "nobody_qv=人事",
                                                           "1=" + dir_.File("共享A"), "2=" + dir_.File("運B"),
                                                           "3=D:\\x"}));
  EXPECT_EQ(w->chosen().RowCount(), 0);
  std::vector<std::string> selected;
  for (int row : main_->table().SelectedRows()) selected.push_back(main_->table().CellText(row, 0));
  EXPECT_EQ(Column0(w->folders()), selected);
  EXPECT_EQ(w->folders().RowCount(), 2);
}

TEST_F(GrantWindowWine, RunWritesTheLogAndTellsTheUser) {
  SelectMainRows({dir_.File("共享A"), dir_.File("運B")});
  const HWND g = OpenFromMenu();
  GrantWindow* w = GrantWindow::From(g);
  ASSERT_TRUE(w);
  // Double clicks move the first three accounts over, in this order.
  for (int i = 0; i < 3; ++i) DoubleClickRow(w->users().hwnd(), 0);
  ASSERT_EQ(Column0(w->chosen()), (std::vector<std::string>{UserName() + "=财务", "Everyone = 人事", "nobody_qv=人事"}));
  DoubleClickRow(w->chosen().hwnd(), 1);  // and one back: to the end of the first list
  EXPECT_EQ(w->users().CellText(w->users().RowCount() - 1, 0), "Everyone = 人事");
  DoubleClickRow(w->users().hwnd(), w->users().RowCount() - 1);
  ASSERT_EQ(Column0(w->chosen()), (std::vector<std::string>{UserName() + "=财务", "nobody_qv=人事", "Everyone = 人事"}));

  // One group: a click on 修改 then on 读取 leaves 读取 alone.
  Click(w->form().Get("单选框1"));
  Click(w->form().Get("单选框2"));
  EXPECT_EQ(SendMessageA(w->form().Get("单选框1"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(w->form().Get("单选框2"), BM_GETCHECK, 0, 0), BST_CHECKED);

  ASSERT_FALSE(os::DirectoryExists(dir_.File("Log")));
  Click(w->form().Get("按钮_确定授权"));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "授权完毕");
  EXPECT_EQ(ui_.messages[0].title, "提示");
  EXPECT_EQ(ui_.messages[0].flags, kMbOk | kMbTaskModal);
  const auto files = LogFiles(dir_);
  ASSERT_EQ(files.size(), 1u);  // Log was made for it
  EXPECT_EQ(files[0].first.substr(files[0].first.size() - 4), ".Txt");
  std::string expected;
  for (const std::string& folder : Column0(w->folders())) {
    expected += "为用户：" + UserName() + "授权：" + folder + "----真\r\n";
    expected += "为用户：nobody_qv授权：" + folder + "----假\r\n";
    expected += "为用户：Everyone 授权：" + folder + "----假\r\n";  // the blank before "=" stays in the account
  }
  EXPECT_EQ(test::Printable(files[0].second), test::Printable(expected));
  EXPECT_TRUE(IsWindow(g));  // the window stays for another run
}

TEST_F(GrantWindowWine, TwoRunsInOneSecondKeepBothLogs) {
  SelectMainRows({dir_.File("共享A")});
  GrantWindow* w = GrantWindow::From(OpenFromMenu());
  ASSERT_TRUE(w);
  DoubleClickRow(w->users().hwnd(), 0);
  Click(w->form().Get("单选框3"));
  const std::string line = "为用户：" + UserName() + "授权：" + dir_.File("共享A") + "----真\r\n";
  // Runs take milliseconds: within a few tries two of them share a second.
  bool shared = false;
  for (int attempt = 0; attempt < 5 && !shared; ++attempt) {
    os::RemoveTree(dir_.File("Log"));
    Click(w->form().Get("按钮_确定授权"));
    Click(w->form().Get("按钮_确定授权"));
    const auto files = LogFiles(dir_);
    std::string all;
    for (const auto& f : files) all += f.second;
    EXPECT_EQ(all, line + line);  // nothing lost either way
    shared = files.size() == 1;
  }
  EXPECT_TRUE(shared);
}

TEST_F(GrantWindowWine, EveryWayOfClosingMaximisesTheMainWindow) {
  const HWND edit = [&] {
    const HWND g = OpenFromMenu();
    return GrantWindow::From(g)->form().Get("编辑框2");
  }();
  // Esc in the edit box: the message loop's dialog navigation makes it IDCANCEL.
  const HWND g1 = GrantWindow::Find(main_->context());
  PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(edit, WM_KEYUP, VK_ESCAPE, 0);
  ProcessPendingMessages();
  EXPECT_FALSE(IsWindow(g1));
  EXPECT_TRUE(IsZoomed(main_->hwnd()));
  EXPECT_EQ(GrantWindow::Find(main_->context()), nullptr);

  const HWND g2 = OpenFromMenu();
  ASSERT_TRUE(g2);
  EXPECT_TRUE(IsIconic(main_->hwnd()));
  EXPECT_EQ(OpenFromMenu(), g2);  // a second "修改权限" brings up the open one
  Click(GrantWindow::From(g2)->form().Get("按钮_取消授权"));
  EXPECT_FALSE(IsWindow(g2));
  EXPECT_TRUE(IsZoomed(main_->hwnd()));

  const HWND g3 = OpenFromMenu();
  SendMessageA(g3, WM_CLOSE, 0, 0);  // the close box
  EXPECT_FALSE(IsWindow(g3));
  EXPECT_TRUE(IsZoomed(main_->hwnd()));
  EXPECT_TRUE(LogFiles(dir_).empty());  // closing grants and logs nothing
}

TEST_F(GrantWindowWine, AddAndSubfoldersButtons) {
  GrantWindow* w = GrantWindow::From(OpenFromMenu());
  ASSERT_TRUE(w);
  EXPECT_EQ(w->folders().RowCount(), 0);
  w->edit2().SetText(dir_.path());
  Click(w->form().Get("按钮3"));  // cancelled
  EXPECT_EQ(w->folders().RowCount(), 0);
  ui_.folderAnswers = {dir_.File("運B")};
  Click(w->form().Get("按钮3"));
  ASSERT_EQ(ui_.folderPicks.size(), 2u);
  EXPECT_EQ(ui_.folderPicks[1].title, "请选择要查看权限的目录");
  EXPECT_EQ(ui_.folderPicks[1].initialFolder, dir_.path());
  EXPECT_EQ(w->edit2().Text(), dir_.File("運B"));
  EXPECT_EQ(Column0(w->folders()), std::vector<std::string>{dir_.File("運B")});

  w->edit2().SetText(dir_.path());
  Click(w->form().Get("按钮4"));
  // The program directory's folders, after the one added before, in the order found.
  std::vector<std::string> rows = Column0(w->folders());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], dir_.File("運B"));
  std::sort(rows.begin() + 1, rows.end());
  std::vector<std::string> expected{dir_.File("共享A"), dir_.File("運B")};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(std::vector<std::string>(rows.begin() + 1, rows.end()), expected);
  EXPECT_EQ(w->edit2().Text(), dir_.path());
}

// During a run the window lets events through: a second click is ignored and
// a close waits for the run to end.
TEST_F(GrantWindowWine, ClickAndCloseDuringARun) {
  SelectMainRows({dir_.File("共享A"), dir_.File("運B")});
  int grants = 0;
  const HWND g = GrantWindow::Open(main_->context(), [&](const std::string&, const std::string&, std::uint32_t, int) {
    ++grants;
    return true;
  });
  GrantWindow* w = GrantWindow::From(g);
  ASSERT_TRUE(w);
  DoubleClickRow(w->users().hwnd(), 0);
  DoubleClickRow(w->users().hwnd(), 0);
  Click(w->form().Get("单选框1"));
  int pumps = 0;
  ui_.onProcessEvents = [&] {
    ++pumps;
    if (pumps == 1) Click(w->form().Get("按钮_确定授权"));
    if (pumps == 2) SendMessageA(g, WM_CLOSE, 0, 0);
    if (pumps == 3) Click(w->form().Get("按钮_取消授权"));
    if (pumps <= 3) {
      EXPECT_TRUE(IsWindow(g));
    }
  };
  Click(w->form().Get("按钮_确定授权"));
  ui_.onProcessEvents = nullptr;
  EXPECT_EQ(grants, 4);
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_FALSE(IsWindow(g));  // closed once the run was over
  EXPECT_TRUE(IsZoomed(main_->hwnd()));
  const auto files = LogFiles(dir_);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(CrLfLines(files[0].second).size(), 4u);
}

// The grant window works on the main window's context, so it goes with it,
// even in the middle of a run.
TEST_F(GrantWindowWine, MainWindowDestroyedDuringARunAndWhileOpen) {
  SelectMainRows({dir_.File("共享A"), dir_.File("運B")});
  int grants = 0;
  const HWND g = GrantWindow::Open(main_->context(), [&](const std::string&, const std::string&, std::uint32_t, int) {
    ++grants;
    return true;
  });
  GrantWindow* w = GrantWindow::From(g);
  DoubleClickRow(w->users().hwnd(), 0);
  Click(w->form().Get("单选框2"));
  ui_.onProcessEvents = [&] {
    if (IsWindow(main_->hwnd())) DestroyWindow(main_->hwnd());
  };
  Click(w->form().Get("按钮_确定授权"));
  ui_.onProcessEvents = nullptr;
  EXPECT_FALSE(IsWindow(g));
  EXPECT_EQ(grants, 1);  // the lists went with the window: the run ended there
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(LogFiles(dir_).size(), 1u);  // what was granted is still logged

  main_.reset();
  SetUp();
  const HWND g2 = OpenFromMenu();
  ASSERT_TRUE(g2);
  main_.reset();
  EXPECT_FALSE(IsWindow(g2));
}

}  // namespace
}  // namespace qv
