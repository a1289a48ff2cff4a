// "用户管理" and "目录管理" as the program runs them: opened from the main
// window's popup menu, modal over it, driven through their real controls
// (clicks, typing, Esc and the close box), and User.ini checked byte for byte.
// A modal window runs its own message loop, so the test's actions come from a
// thread timer that the loop dispatches; a watchdog closes the window when the
// script overruns, so no test can hang.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "admin/AdminForms.h"
#include "app/ListViewControl.h"
#include "app/MainWindow.h"
#include "app/MemoryUi.h"
#include "app/MessageLoop.h"
#include "app/Win32Controls.h"
#include "support/TestSupport.h"
#include "win/WinTestSupport.h"

namespace qv {
namespace {

using test::Show;

using test::Printable;
using Rows = std::vector<std::string>;

std::string TextOf(HWND hwnd) { return WindowControl(hwnd).Text(); }

// Every row of a list, its cells joined by "|".
Rows ListRows(HWND list) {
  ListViewControl l(list);
  Rows out;
  for (int i = 0; i < l.RowCount(); ++i) {
    std::string row = l.CellText(i, 0);
    for (int c = 1; c < l.ColumnCount(); ++c) row += "|" + l.CellText(i, c);
    out.push_back(row);
  }
  return out;
}

Rows ColumnTitles(const ListControl& l) {
  Rows out;
  for (int c = 0; c < l.ColumnCount(); ++c) out.push_back(l.ColumnTitle(c));
  return out;
}

// A left click in the middle of a row's first cell, as the mouse makes it.
void ClickRow(HWND list, int row) {
  RECT r{};
  r.left = LVIR_LABEL;
  ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r))) << "row " << row;
  const LPARAM at = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
}

void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }
void Type(HWND edit, const std::string& text) { SetWindowTextA(edit, text.c_str()); }

// Steps run one per timer tick while a command's modal window is open.
class ModalScript {
 public:
  using Step = std::function<void(HWND window)>;
  ModalScript(HWND owner, std::vector<Step> steps) : owner_(owner), steps_(std::move(steps)) {}

  // Runs the command that opens the window; returns when the command has returned.
  void Run(const std::function<void()>& command) {
    current_ = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &ModalScript::Tick);
    command();
    KillTimer(nullptr, timer);
    current_ = nullptr;
    test::PumpMessages();
  }
  size_t stepsRun() const { return next_; }
  bool timedOut() const { return timedOut_; }
  HWND window() const { return window_; }

 private:
  struct Search {
    HWND owner, found;
  };
  static BOOL CALLBACK Visit(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    if (w != s->owner && GetWindow(w, GW_OWNER) == s->owner && IsWindowVisible(w)) {
      s->found = w;
      return FALSE;
    }
    return TRUE;
  }
  // The visible window that the owner's command opened.
  HWND FindOpened() const {
    Search s{owner_, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &ModalScript::Visit, reinterpret_cast<LPARAM>(&s));
    return s.found;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalScript* self = current_;
    if (!self || self->busy_) return;
    self->busy_ = true;
    const HWND w = self->FindOpened();
    if (w && !self->window_) self->window_ = w;
    if (++self->ticks_ > kTickLimit) {
      self->timedOut_ = true;
      if (w) DestroyWindow(w);
    } else if (w && self->next_ < self->steps_.size()) {
      self->steps_[self->next_++](w);
    }
    self->busy_ = false;
  }

  static constexpr int kTickLimit = 500;  // 10 s at 20 ms
  static inline ModalScript* current_ = nullptr;
  HWND owner_;
  std::vector<Step> steps_;
  size_t next_ = 0;
  int ticks_ = 0;
  bool busy_ = false;
  bool timedOut_ = false;
  HWND window_ = nullptr;
};

// The main window as the program builds it, with scripted dialogs; its popup
// menu answers with the item of the given caption.
struct Main {
  ScriptedUi ui;
  std::string choose;
  std::unique_ptr<MainWindow> window;

  Main() {
    MainWindow::Options o;
    o.ui = &ui;
    o.updateCheck = false;
    o.quitOnDestroy = false;
    o.trackMenu = [this](HMENU menu, POINT) {
      char caption[64];
      for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (GetMenuStringA(menu, i, caption, sizeof caption, MF_BYPOSITION) && choose == caption)
          return static_cast<int>(GetMenuItemID(menu, i));
      }
      return 0;
    };
    window = MainWindow::Create(std::move(o));
  }
  HWND hwnd() const { return window->hwnd(); }
  // A right click on the table, then the menu item.
  void Choose(const char* item) {
    choose = item;
    SendMessageA(hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window->table().hwnd()), MAKELPARAM(20, 20));
  }
  void RunMenuItem(ModalScript& script, const char* item) {
    script.Run([&] { Choose(item); });
    EXPECT_FALSE(script.timedOut()) << item;
    EXPECT_TRUE(IsWindowEnabled(hwnd())) << "the main window takes input again";
  }
};

void ExpectFrame(HWND w, const char* title, int width, int height) {
  EXPECT_EQ(TextOf(w), title);
  RECT r{};
  GetWindowRect(w, &r);
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_EQ(r.bottom - r.top, height);
  // Centred on the screen.
  EXPECT_LE(std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
  const LONG style = GetWindowLongA(w, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

void ExpectListStyle(HWND list) {
  const LONG style = GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
  EXPECT_FALSE(style & (LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_EDITLABELS | LVS_NOCOLUMNHEADER));
  const LRESULT ex = SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_EQ(ex & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  EXPECT_FALSE(ex & LVS_EX_CHECKBOXES);
}

TEST(AdminWindows, UserWindowRoundTripFromTheMenu) {
  test::ProgramDir dir;
  dir.WriteUserIni("[帐号转换成职位]\r\nzhang=财务部\r\nli=人事部\r\n[默认目录]\r\n1=C:\\運\r\n");
  auto main = std::make_unique<Main>();
  ASSERT_TRUE(main->window);
  EXPECT_EQ(Show(ColumnTitles(main->window->table())), Show({"文件目录  ", "财务部", "人事部"}));
  const HWND owner = main->hwnd();

  auto c = [](HWND w, const char* name) { return AdminFormControl(w, name); };
  ModalScript script(owner, {
      [&](HWND w) {
        ExpectFrame(w, "用户管理", 361, 511);
        EXPECT_FALSE(IsWindowEnabled(owner)) << "modal over the main window";
        const HWND list = c(w, "超级列表框_用户列表");
        ExpectListStyle(list);
        ListViewControl l(list);
        EXPECT_EQ(Show(ColumnTitles(l)), Show({"帐号及职位"}));
        EXPECT_EQ(l.ColumnWidth(0), 305);
        EXPECT_EQ(Show(ListRows(list)), Show({"zhang=财务部", "li=人事部"}));
        for (const char* b : {"按钮1", "按钮2", "按钮3"}) EXPECT_TRUE(IsWindowEnabled(c(w, b))) << b;
        EXPECT_EQ(TextOf(c(w, "按钮1")), "修改");
        EXPECT_EQ(TextOf(c(w, "按钮2")), "添加");
        EXPECT_EQ(TextOf(c(w, "按钮3")), "删除");
      },
      [&](HWND w) {  // 添加
        Type(c(w, "编辑框1"), "wang");
        Type(c(w, "编辑框2"), "审计部");
        Click(c(w, "按钮2"));
        EXPECT_EQ(Show(ListRows(c(w, "超级列表框_用户列表"))), Show({"zhang=财务部", "li=人事部", "wang=审计部"}));
      },
      [&](HWND w) {  // a click on a row fills the boxes
        ClickRow(c(w, "超级列表框_用户列表"), 0);
        EXPECT_EQ(TextOf(c(w, "编辑框1")), "zhang");
        EXPECT_EQ(TextOf(c(w, "编辑框2")), "财务部");
      },
      [&](HWND w) {  // 修改
        Type(c(w, "编辑框2"), "总经办");
        Click(c(w, "按钮1"));
        EXPECT_EQ(Show(ListRows(c(w, "超级列表框_用户列表"))), Show({"li=人事部", "wang=审计部", "zhang=总经办"}));
        EXPECT_EQ(TextOf(c(w, "编辑框1")), "");
        EXPECT_EQ(TextOf(c(w, "编辑框2")), "");
      },
      [&](HWND w) {  // 删除
        ClickRow(c(w, "超级列表框_用户列表"), 0);
        Click(c(w, "按钮3"));
        EXPECT_EQ(Show(ListRows(c(w, "超级列表框_用户列表"))), Show({"wang=审计部", "zhang=总经办"}));
        EXPECT_EQ(TextOf(c(w, "编辑框1")), "wang");
        EXPECT_EQ(TextOf(c(w, "编辑框2")), "审计部");
      },
      [&](HWND w) {  // Esc closes
        PostMessageA(c(w, "编辑框1"), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
      },
  });
  main->RunMenuItem(script, "用户管理");
  EXPECT_EQ(script.stepsRun(), 6u);
  EXPECT_FALSE(IsWindow(script.window()));
  EXPECT_EQ(Printable(dir.UserIni()),
            Printable("[帐号转换成职位]\r\nzhang=总经办\r\nwang=审计部\r\n[默认目录]\r\n1=C:\\運\r\n"));

  // The next start shows the new positions as columns.
  main.reset();
  Main next;
  ASSERT_TRUE(next.window);
  EXPECT_EQ(Show(ColumnTitles(next.window->table())), Show({"文件目录  ", "总经办", "审计部"}));
}

TEST(AdminWindows, EachOpeningLoadsTheFileAnew) {
  test::ProgramDir dir;
  dir.WriteUserIni("[帐号转换成职位]\r\nzhang=财务部\r\n");
  Main main;
  ASSERT_TRUE(main.window);
  Rows seen;
  auto readAndClose = [&](HWND w) {
    seen = ListRows(AdminFormControl(w, "超级列表框_用户列表"));
    PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  };
  ModalScript first(main.hwnd(), {readAndClose});
  main.RunMenuItem(first, "用户管理");
  EXPECT_EQ(Show(seen), Show({"zhang=财务部"}));

  dir.WriteUserIni("[帐号转换成职位]\r\nli=人事部\r\nzhang=总经办\r\n");
  ModalScript second(main.hwnd(), {readAndClose});
  main.RunMenuItem(second, "用户管理");
  EXPECT_EQ(Show(seen), Show({"li=人事部", "zhang=总经办"}));
}

TEST(AdminWindows, DefaultFolderWindowRoundTripFromTheMenu) {
  test::ProgramDir dir;
  const std::string root = dir.path() + "\\d";
  for (const char* sub : {"", "\\共享", "\\共享\\财务", "\\共享\\人事", "\\運"}) ASSERT_TRUE(os::MakeDirectory(root + sub));
  dir.WriteUserIni("[帐号转换成职位]\r\nzhang=财务部\r\n[默认目录]\r\n1=" + root + "\\共享\r\n2=" + root +
                   "\\共享\\人事\r\n3=" + root + "\\運\r\n");
  auto main = std::make_unique<Main>();
  ASSERT_TRUE(main->window);
  const HWND owner = main->hwnd();
  ScriptedUi& ui = main->ui;
  ui.folderAnswers = {root + "\\共享\\财务", root + "\\運\\新"};

  auto c = [](HWND w, const char* name) { return AdminFormControl(w, name); };
  auto rows = [&](HWND w) { return Show(ListRows(c(w, "超级列表框_目录列表"))); };
  ModalScript script(owner, {
      [&](HWND w) {
        ExpectFrame(w, "目录管理", 669, 487);
        EXPECT_FALSE(IsWindowEnabled(owner)) << "modal over the main window";
        const HWND list = c(w, "超级列表框_目录列表");
        ExpectListStyle(list);
        ListViewControl l(list);
        EXPECT_EQ(Show(ColumnTitles(l)), Show({"标记", "目录"}));
        EXPECT_EQ(l.ColumnWidth(0), 40);
        EXPECT_EQ(l.ColumnWidth(1), 567);
        EXPECT_EQ(rows(w), Show({"1|" + root + "\\共享", "2|" + root + "\\共享\\人事", "3|" + root + "\\運"}));
        EXPECT_FALSE(IsWindowEnabled(c(w, "按钮3"))) << "修改 starts disabled";
        for (const char* b : {"按钮4", "按钮5", "按钮6"}) EXPECT_TRUE(IsWindowEnabled(c(w, b))) << b;
        EXPECT_EQ(TextOf(c(w, "编辑框1")), "");
        EXPECT_EQ(TextOf(c(w, "编辑框2")), "");
      },
      [&](HWND w) {  // 添加 of a missing folder: the message, nothing else
        Type(c(w, "编辑框2"), root + "\\没有");
        Click(c(w, "按钮6"));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "目录不存在或您没权限查看该目录");
        EXPECT_EQ(ui.messages[0].title, "提示");
        EXPECT_EQ(ui.messages[0].flags, kMbOk | kMbTaskModal);
        EXPECT_EQ(ListRows(c(w, "超级列表框_目录列表")).size(), 3u);
      },
      [&](HWND w) {  // 浏览, then 添加
        Click(c(w, "按钮5"));
        ASSERT_EQ(ui.folderPicks.size(), 1u);
        EXPECT_EQ(ui.folderPicks[0].title, "请选择要查看权限的目录");
        EXPECT_EQ(ui.folderPicks[0].initialFolder, root + "\\没有");
        EXPECT_EQ(TextOf(c(w, "编辑框2")), root + "\\共享\\财务");
        Click(c(w, "按钮6"));
        EXPECT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(rows(w), Show({"1|" + root + "\\共享", "2|" + root + "\\共享\\人事", "3|" + root + "\\運",
                                 "4|" + root + "\\共享\\财务"}));
      },
      [&](HWND w) {  // a click on a row shows its folder and enables 修改
        ClickRow(c(w, "超级列表框_目录列表"), 1);
        EXPECT_EQ(TextOf(c(w, "编辑框1")), root + "\\共享\\人事");
        EXPECT_TRUE(IsWindowEnabled(c(w, "按钮3")));
      },
      [&](HWND w) {  // 修改 through the picker
        Click(c(w, "按钮3"));
        ASSERT_EQ(ui.folderPicks.size(), 2u);
        EXPECT_EQ(ui.folderPicks[1].initialFolder, root + "\\共享\\人事");
        EXPECT_EQ(TextOf(c(w, "编辑框1")), root + "\\運\\新");
        EXPECT_EQ(rows(w), Show({"1|" + root + "\\共享", "3|" + root + "\\運", "4|" + root + "\\共享\\财务",
                                 "2|" + root + "\\運\\新"}));
      },
      [&](HWND w) {  // 删除: row 0 goes, the new row 0 is selected and shown
        ClickRow(c(w, "超级列表框_目录列表"), 0);
        EXPECT_EQ(TextOf(c(w, "编辑框1")), root + "\\共享");
        Click(c(w, "按钮4"));
        EXPECT_EQ(rows(w), Show({"3|" + root + "\\運", "4|" + root + "\\共享\\财务", "2|" + root + "\\運\\新"}));
        EXPECT_EQ(ListViewControl(c(w, "超级列表框_目录列表")).SelectedRows(), std::vector<int>{0});
        EXPECT_EQ(TextOf(c(w, "编辑框1")), root + "\\運");
      },
      [&](HWND w) {  // 修改 is enabled exactly while 编辑框1 holds text
        Type(c(w, "编辑框1"), "");
        EXPECT_FALSE(IsWindowEnabled(c(w, "按钮3")));
        Type(c(w, "编辑框1"), "x");
        EXPECT_TRUE(IsWindowEnabled(c(w, "按钮3")));
      },
      [&](HWND w) {  // the close box
        PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
      },
  });
  main->RunMenuItem(script, "目录管理");
  EXPECT_EQ(script.stepsRun(), 8u);
  EXPECT_FALSE(IsWindow(script.window()));
  // Closing stored the rows in list order under 1 ... 3, and key 4 no longer stands.
  EXPECT_EQ(Printable(dir.UserIni()),
            Printable("[帐号转换成职位]\r\nzhang=财务部\r\n[默认目录]\r\n2=" + root + "\\共享\\财务\r\n3=" + root +
                      "\\運\\新\r\n1=" + root + "\\運\r\n"));

  // The next start shows these folders as rows, each once.
  main.reset();
  Main next;
  ASSERT_TRUE(next.window);
  Rows folders;
  for (int i = 0; i < next.window->table().RowCount(); ++i) folders.push_back(next.window->table().CellText(i, 0));
  std::sort(folders.begin(), folders.end());
  Rows expected{root + "\\運", root + "\\共享\\财务", root + "\\運\\新"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Show(folders), Show(expected));
}

TEST(AdminWindows, EscClosesAndTheFolderWindowSavesOnAnyClose) {
  test::ProgramDir dir;
  dir.WriteUserIni("[默认目录]\r\n1=C:\\a\r\n2=\r\n5=C:\\b\r\n");
  ScriptedUi ui;
  HWND w = CreateDefaultFolderForm(ui, nullptr);
  ASSERT_TRUE(w);
  EXPECT_FALSE(IsWindowVisible(w)) << "shown only by its modal loop";
  EXPECT_EQ(Show(ListRows(AdminFormControl(w, "超级列表框_目录列表"))), Show({"1|C:\\a", "5|C:\\b"}));
  // Esc as the message loop delivers it.
  ShowWindow(w, SW_SHOW);
  PostMessageA(AdminFormControl(w, "编辑框2"), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  for (int i = 0; i < 100 && IsWindow(w); ++i) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchOne(msg);
    Sleep(10);
  }
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(Printable(dir.UserIni()), Printable("[默认目录]\r\n1=C:\\a\r\n2=C:\\b\r\n"));

  HWND u = CreateUserForm(ui, nullptr);
  ASSERT_TRUE(u);
  EXPECT_EQ(AdminFormControl(u, "超级列表框_目录列表"), nullptr);
  EXPECT_NE(AdminFormControl(u, "超级列表框_用户列表"), nullptr);
  EXPECT_EQ(AdminFormControl(GetDesktopWindow(), "编辑框1"), nullptr);
  DestroyWindow(u);
  EXPECT_EQ(Printable(dir.UserIni()), Printable("[默认目录]\r\n1=C:\\a\r\n2=C:\\b\r\n"));
}

}  // namespace
}  // namespace qv
