// The real main window, created in-process under Wine from a test User.ini and
// driven with messages; dialogs come from a ScriptedUi.
#include <gtest/gtest.h>

#include <winsock2.h>

#include <windows.h>
#include <commctrl.h>

#include "app/MainWindow.h"
#include "app/MemoryUi.h"
#include "support/TestSupport.h"
#include "update/UpdateCheck.h"
#include "win/LocalHttpServer.h"
#include "win/WinTestSupport.h"

namespace qv {
namespace {

using V = std::vector<std::string>;

constexpr char kUserIni[] =
    "[帐号转换成职位]\r\nzhang=财务\r\nli=人事\r\nwang=财务\r\n[默认目录]\r\n1=D:\\共享\\b\r\n2=D:\\運\r\n3=D:\\共享\\a\r\n";

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_.WriteUserIni(kUserIni); }
  std::unique_ptr<MainWindow> Create() {
    MainWindow::Options o;
    o.ui = &ui_;
    o.updateCheck = false;
    o.quitOnDestroy = false;
    o.trackMenu = [this](HMENU menu, POINT) {
      shownMenus_.push_back(menu);
      return menuAnswer_;
    };
    auto w = MainWindow::Create(o);
    test::PumpMessages();
    return w;
  }
  test::ProgramDir dir_;
  ScriptedUi ui_;
  std::vector<HMENU> shownMenus_;
  int menuAnswer_ = 0;
};

TEST_F(MainWindowTest, BuildsColumnsAndRowsFromUserFile) {
  auto w = Create();
  ASSERT_TRUE(w);
  ListViewControl& t = w->table();
  V titles;
  for (int c = 0; c < t.ColumnCount(); ++c) titles.push_back(t.ColumnTitle(c));
  EXPECT_EQ(titles, (V{"文件目录  ", "财务", "人事", "财务"}));
  EXPECT_EQ(t.ColumnWidth(0), 200);
  for (int c = 1; c < t.ColumnCount(); ++c) EXPECT_EQ(t.ColumnWidth(c), 60);
  for (int c = 0; c < t.ColumnCount(); ++c) EXPECT_EQ(t.ColumnAlignment(c), kAlignCentre) << c;
  // Rows are placed by the list's sort style as they are inserted.
  V rows;
  for (int r = 0; r < t.RowCount(); ++r) rows.push_back(t.CellText(r, 0));
  EXPECT_EQ(rows, (V{"D:\\共享\\a", "D:\\共享\\b", "D:\\運"}));

  const LONG style = GetWindowLongA(t.hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & LVS_REPORT);
  EXPECT_TRUE(style & LVS_SORTASCENDING);
  EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
  EXPECT_FALSE(style & LVS_SINGLESEL);
  EXPECT_FALSE(style & LVS_NOCOLUMNHEADER);
  const DWORD ex = static_cast<DWORD>(SendMessageA(t.hwnd(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_EQ(ex & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP),
            DWORD(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP));

  char caption[256] = {};
  GetWindowTextA(w->hwnd(), caption, sizeof caption);
  EXPECT_EQ(std::string(caption), std::string(kMainCaption));
  EXPECT_EQ(std::string(caption).substr(0, 39), "Quorvane  Beta V1.0" + std::string(20, ' '));
}

TEST_F(MainWindowTest, ControlsFollowTheLayout) {
  auto w = Create();
  const Form& f = w->form();
  struct Expect {
    const char* name;
    const char* caption;
    int x, y, cx, cy;
  } expected[] = {
      {"分组框1", "添加要查看权限的目录", 5, 8, 308, 53}, {"编辑框2", "", 7, 20, 185, 20},
      {"按钮3", "添加", 198, 19, 39, 21},                 {"按钮4", "子目录", 245, 19, 56, 21},
      {"分组框2", "导出\\导入目录列表", 314, 8, 336, 53},  {"标签2", "导出\\入", 6, 22, 42, 18},
      {"编辑框1", "", 51, 20, 185, 20},                   {"按钮8", "导出", 242, 19, 39, 21},
      {"按钮7", "导入", 289, 19, 39, 21},                 {"按钮1", "开始查询", 656, 12, 59, 21},
      {"按钮2", "保存表单", 656, 38, 59, 21},             {"按钮5", "删除记录", 725, 12, 59, 21},
      {"按钮6", "关闭软件", 725, 38, 59, 21},             {"标签1", "总 进 度:", 788, 16, 53, 16},
      {"标签3", "当前进度:", 788, 40, 53, 16},
  };
  for (const Expect& e : expected) {
    SCOPED_TRACE(e.name);
    test::ExpectControlAt(f.Get(e.name), e.caption, e.x, e.y, e.cx, e.cy);
  }
  EXPECT_EQ(w->context().status.Text(), "提示:");
  // GBK texts go through the edit boxes unchanged, 0x5C second bytes included.
  for (Control* edit : {&w->context().edit1, &w->context().edit2}) {
    edit->SetText("D:\\運\\誠 R&D");
    EXPECT_EQ(edit->Text(), "D:\\運\\誠 R&D");
  }
}

TEST_F(MainWindowTest, InitialSizeThenLayoutOnEveryResize) {
  auto w = Create();
  const int sw = GetSystemMetrics(SM_CXSCREEN);
  RECT client{};
  GetClientRect(w->hwnd(), &client);
  EXPECT_EQ(client.right, sw);
  EXPECT_EQ(client.bottom, GetSystemMetrics(SM_CYSCREEN) - 60);
  // After the initial size the list has the screen's width until the next size change.
  EXPECT_EQ(test::RectIn(w->table().hwnd(), w->hwnd()).right - test::RectIn(w->table().hwnd(), w->hwnd()).left, sw);

  struct Case {
    int w, h;
  } sizes[] = {{1000, 700}, {921, 623}, {860, 500}};
  for (const Case& s : sizes) {
    SCOPED_TRACE(s.w);
    MoveWindow(w->hwnd(), 20, 30, s.w, s.h, TRUE);
    test::PumpMessages();
    const RECT list = test::RectIn(w->table().hwnd(), w->hwnd());
    EXPECT_EQ(list.left, 8);
    EXPECT_EQ(list.top, 0);
    EXPECT_EQ(list.right - list.left, s.w - 20);
    EXPECT_EQ(list.bottom - list.top, s.h - 125);
    const RECT g3 = test::RectIn(w->form().Get("分组框3"), w->hwnd());
    EXPECT_EQ(g3.left, 6);
    EXPECT_EQ(g3.top, s.h - 115);
    EXPECT_EQ(g3.right - g3.left, s.w - 20);
    for (const char* bar : {"进度条1", "进度条2"}) {
      const RECT p = test::RectIn(w->form().Get(bar), w->form().Get("分组框3"));
      EXPECT_EQ(p.left, 845);
      // A width below zero is passed on as it is; the window shows it as zero.
      EXPECT_EQ(p.right - p.left, std::max(0, s.w - 20 - 850));
    }
  }
}

TEST_F(MainWindowTest, StatusShowsTheCurrentRowsFolder) {
  auto w = Create();
  w->table().SelectRow(2);
  test::PumpMessages();
  EXPECT_EQ(w->context().status.Text(), "目录:D:\\運");
  w->table().SelectRow(0);
  EXPECT_EQ(w->context().status.Text(), "目录:D:\\共享\\a");
}

TEST_F(MainWindowTest, RightClickShowsTheMenuEvenOnAnEmptyTable) {
  auto w = Create();
  HMENU menu = w->popupMenu();
  V items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    items.push_back(text);
  }
  EXPECT_EQ(items, (V{"获取子目录", "删除该目录", "目录管理", "用户管理", "修改权限", "退出菜单", "问题反馈"}));

  w->table().DeleteAllRows();
  SendMessageA(w->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w->table().hwnd()), MAKELPARAM(300, 200));
  ASSERT_EQ(shownMenus_.size(), 1u);
  EXPECT_EQ(shownMenus_[0], menu);
  // The menu key: lParam -1.
  SendMessageA(w->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w->table().hwnd()), static_cast<LPARAM>(-1));
  EXPECT_EQ(shownMenus_.size(), 2u);
  // "退出菜单" only closes the menu; "问题反馈" reaches its handler.
  menuAnswer_ = kMenuLeave;
  SendMessageA(w->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w->table().hwnd()), MAKELPARAM(1, 1));
  EXPECT_TRUE(IsWindow(w->hwnd()));
}

TEST_F(MainWindowTest, CloseButtonAndSystemCloseEndTheWindow) {
  {
    auto w = Create();
    HWND button = w->form().Get("按钮6");
    SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(kIdButton6, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(w->hwnd(), nullptr);
  }
  {
    auto w = Create();
    HWND hwnd = w->hwnd();
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
  }
}

TEST_F(MainWindowTest, ClearTableKeepsColumns) {
  auto w = Create();
  HWND button = w->form().Get("按钮5");
  SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(kIdButton5, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  EXPECT_EQ(w->table().RowCount(), 0);
  EXPECT_EQ(w->table().ColumnCount(), 4);
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// The update check as the created event's first step, against a local server.
class MainWindowUpdateTest : public ::testing::Test {
 protected:
  ~MainWindowUpdateTest() override { SetUpdatePageAddressForTests(""); }
  std::unique_ptr<MainWindow> Start(const std::string& address) {
    SetUpdatePageAddressForTests(address);
    MainWindow::Options o;
    o.ui = &ui_;
    o.quitOnDestroy = false;  // the update check stays on
    auto w = MainWindow::Create(o);
    test::PumpMessages();
    return w;
  }
  test::ProgramDir dir_;
  ScriptedUi ui_;
};

TEST_F(MainWindowUpdateTest, OfferOnlyForAnotherReleaseTitle) {
  std::string title;
  test::LocalHttpServer server([&](const std::string&) {
    return test::HttpResponse("200 OK", "", "<html><head><title>" + title + " - 论坛</title></head></html>");
  });
  ASSERT_TRUE(server.ok());
  dir_.WriteUserIni("[帐号转换成职位]\r\nzhang=财务\r\n[默认目录]\r\n1=D:\\a\r\n");
  const std::string page = server.Url("/thread-1024-1-1.html");

  title = "【首发-Quorvane  Beta V1.0】";
  auto same = Start(page);
  ASSERT_TRUE(same);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(same->table().RowCount(), 1);  // start-up went on

  title = "【首发-Quorvane  Beta V1.1】";
  ui_.messageAnswers = {kIdYes};
  auto newer = Start(page);
  ASSERT_TRUE(newer);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "检测到新版本，是否现在更新？");
  EXPECT_EQ(ui_.messages[0].title, "更新提示：");
  EXPECT_EQ(ui_.messages[0].flags, kMbYesNo | kMbTaskModal);
  EXPECT_EQ(ui_.opened, (std::vector<std::string>{page}));
  EXPECT_EQ(newer->table().ColumnCount(), 2);
  EXPECT_EQ(server.Requests().size(), 2u);
}

TEST_F(MainWindowUpdateTest, StartsNormallyWhenNothingListens) {
  dir_.WriteUserIni("[默认目录]\r\n1=D:\\a\r\n");
  auto w = Start("http://127.0.0.1:" + std::to_string(test::UnusedLocalPort()) + "/t.html");
  ASSERT_TRUE(w);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(w->table().RowCount(), 1);
}

}  // namespace
}  // namespace qv
