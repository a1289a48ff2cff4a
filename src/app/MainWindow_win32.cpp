#include "app/MainWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include "admin/AdminWindows.h"
#include "app/StartUp.h"
#include "folders/FolderCommands.h"
#include "grant/GrantWindow.h"
#include "query/QueryRun.h"
#include "sheet/SaveTableCommand.h"
#include "update/UpdateCheck.h"

namespace qv {

// "Quorvane  Beta V1.0", twenty blanks, then the project's name and address.
const char kMainCaption[] = "Quorvane  Beta V1.0                    【Quorvane 项目 quorvane.example.org】";

namespace {

constexpr char kClassName[] = "QuorvaneMainWindow";

// The main window's layout: positions relative to the container.
const LayoutItem kMainLayout[] = {
    {ControlKind::List, "超级列表框_待查权限目录", kIdTable, "", 8, 0, 904, 509, nullptr,
     LVS_SHOWSELALWAYS | LVS_SORTASCENDING},
    {ControlKind::GroupBox, "分组框3", kIdGroup3, "", 6, 508, 906, 64, nullptr},
    {ControlKind::GroupBox, "分组框1", kIdGroup1, "添加要查看权限的目录", 5, 8, 308, 53, "分组框3"},
    {ControlKind::Edit, "编辑框2", kIdEdit2, "", 7, 20, 185, 20, "分组框1"},
    {ControlKind::Button, "按钮3", kIdButton3, "添加", 198, 19, 39, 21, "分组框1"},
    {ControlKind::Button, "按钮4", kIdButton4, "子目录", 245, 19, 56, 21, "分组框1"},
    {ControlKind::GroupBox, "分组框2", kIdGroup2, "导出\\导入目录列表", 314, 8, 336, 53, "分组框3"},
    {ControlKind::Label, "标签2", kIdLabel2, "导出\\入", 6, 22, 42, 18, "分组框2"},
    {ControlKind::Edit, "编辑框1", kIdEdit1, "", 51, 20, 185, 20, "分组框2"},
    {ControlKind::Button, "按钮8", kIdButton8, "导出", 242, 19, 39, 21, "分组框2"},
    {ControlKind::Button, "按钮7", kIdButton7, "导入", 289, 19, 39, 21, "分组框2"},
    {ControlKind::Button, "按钮1", kIdButton1, "开始查询", 656, 12, 59, 21, "分组框3"},
    {ControlKind::Button, "按钮2", kIdButton2, "保存表单", 656, 38, 59, 21, "分组框3"},
    {ControlKind::Button, "按钮5", kIdButton5, "删除记录", 725, 12, 59, 21, "分组框3"},
    {ControlKind::Button, "按钮6", kIdButton6, "关闭软件", 725, 38, 59, 21, "分组框3"},
    {ControlKind::Label, "标签1", kIdLabel1, "总 进 度:", 788, 16, 53, 16, "分组框3"},
    {ControlKind::Progress, "进度条1", kIdProgress1, "", 845, 17, 48, 16, "分组框3"},
    {ControlKind::Label, "标签3", kIdLabel3, "当前进度:", 788, 40, 53, 16, "分组框3"},
    {ControlKind::Progress, "进度条2", kIdProgress2, "", 845, 41, 48, 16, "分组框3"},
    {ControlKind::StatusBar, "状态条1", kIdStatus, "提示:", 0, 581, 801, 20, nullptr},
};

// "右键菜单", in order.
const struct {
  int id;
  const char* caption;
} kPopupItems[] = {
    {kMenuSubfolders, "获取子目录"}, {kMenuDeleteRows, "删除该目录"}, {kMenuDefaultFolders, "目录管理"},
    {kMenuUsers, "用户管理"},       {kMenuGrant, "修改权限"},       {kMenuLeave, "退出菜单"},
    {kMenuFeedback, "问题反馈"},
};

// Event -> handler: buttons and menu items.
const struct {
  int id;
  void (MainWindow::*handler)();
} kCommands[] = {
    {kIdButton3, &MainWindow::AddFolder},          {kIdButton4, &MainWindow::AddTypedSubfolders},
    {kIdButton5, &MainWindow::ClearTable},         {kIdButton8, &MainWindow::ExportList},
    {kIdButton7, &MainWindow::ImportList},         {kIdButton1, &MainWindow::StartQuery},
    {kIdButton2, &MainWindow::SaveTable},          {kIdButton6, &MainWindow::ShutDown},
    {kMenuSubfolders, &MainWindow::AddSelectedSubfolders}, {kMenuDeleteRows, &MainWindow::DeleteSelectedRows},
    {kMenuDefaultFolders, &MainWindow::OpenDefaultFolders}, {kMenuUsers, &MainWindow::OpenUsers},
    {kMenuGrant, &MainWindow::OpenGrant},          {kMenuLeave, &MainWindow::LeaveMenu},
    {kMenuFeedback, &MainWindow::OpenFeedback},
};

void SetWidth(HWND hwnd, int width) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  SetWindowPos(hwnd, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

bool SetClientSize(HWND hwnd, int w, int h) {
  if (IsIconic(hwnd)) return false;
  RECT outer{}, parent{}, client{};
  if (!GetWindowRect(hwnd, &outer)) return false;
  const HWND p = GetParent(hwnd);
  if (!p || !GetWindowRect(p, &parent)) parent = RECT{0, 0, 0, 0};
  if (!GetClientRect(hwnd, &client)) return false;
  const Rect r = OuterRectForClient(ToRect(outer), ToRect(parent), ToRect(client), w, h);
  return MoveWindow(hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE) != FALSE;
}

MainWindow::MainWindow(Options options) : options_(std::move(options)) {
  dialog1_.save = true;
  dialog1_.title = "请选择保存的位置";
  dialog1_.filter = "Excel文件(*.xls)";
  dialog2_.title = "请选择文件位置";
  dialog2_.filter = "文本文件(*.Txt)";
}

std::unique_ptr<MainWindow> MainWindow::Create(Options options) {
  InitControls();
  RegisterFormClass(kClassName, &MainWindow::WndProc);
  std::unique_ptr<MainWindow> w(new MainWindow(std::move(options)));
  HWND hwnd = CreateWindowExA(WS_EX_CONTROLPARENT, kClassName, kMainCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              50, 50, 921, 623, nullptr, nullptr, GetModuleHandleA(nullptr), w.get());
  if (!hwnd) return nullptr;
  return w;
}

MainWindow::~MainWindow() {
  if (query_) query_->Stop();
  if (hwnd_) DestroyWindow(hwnd_);
  if (menu_) DestroyMenu(menu_);
}

LRESULT CALLBACK MainWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  return self->HandleMessage(msg, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      if (!CreateControls()) return -1;
      OnCreated();
      return 0;
    case WM_SIZE:
      SendMessageA(form_.Get("状态条1"), WM_SIZE, 0, 0);
      ApplyLayout();
      return 0;
    case WM_COMMAND:
      // A command from a control or a menu item: the id is the low word.
      if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (hdr->idFrom == kIdTable && hdr->code == LVN_ITEMCHANGED) {
        const auto* lv = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((lv->uChanged & LVIF_STATE) && (lv->uNewState & LVIS_FOCUSED) && !(lv->uOldState & LVIS_FOCUSED))
          OnCurrentRowChanged();
      }
      return 0;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == table_.hwnd()) {
        const bool keyboard = lParam == -1;
        OnContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, keyboard);
        return 0;
      }
      break;
    case WM_CLOSE:
      ShutDown();
      return 0;
    case WM_DESTROY:
      if (query_) query_->Stop();
      if (options_.quitOnDestroy) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

bool MainWindow::CreateControls() {
  if (!form_.Create(hwnd_, kMainLayout, sizeof kMainLayout / sizeof kMainLayout[0])) return false;
  table_.Attach(form_.Get("超级列表框_待查权限目录"));
  SendMessageA(table_.hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP);
  edit1_.Attach(form_.Get("编辑框1"));
  edit2_.Attach(form_.Get("编辑框2"));
  status_.Attach(form_.Get("状态条1"));
  status_.SetText("提示:");
  progress1_.Attach(form_.Get("进度条1"));
  progress2_.Attach(form_.Get("进度条2"));

  menu_ = CreatePopupMenu();
  for (const auto& item : kPopupItems) AppendMenuA(menu_, MF_STRING, item.id, item.caption);

  uiThread_ = std::make_unique<WindowUiThread>();
  Ui& ui = options_.ui ? *options_.ui : win32Ui_;
  context_.reset(new MainContext{table_, edit1_, edit2_, progress1_, progress2_, status_, dialog1_, dialog2_, ui,
                                 *uiThread_});
  context_->hwnd = reinterpret_cast<std::intptr_t>(hwnd_);
  context_->showMain = [this](int cmd) {
    if (hwnd_) ShowWindow(hwnd_, cmd);
  };
  query_ = std::make_unique<QueryRun>(*context_);
  return true;
}

void MainWindow::OnCreated() {
  if (options_.updateCheck) RunUpdateCheck(context_->ui);
  BuildFolderColumns(table_);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  SetClientSize(hwnd_, sw, sh - 60);
  // After the move and its layout: the list keeps the screen width until the next size change.
  SetWidth(table_.hwnd(), sw);
  AddDefaultFolders(table_);
}

void MainWindow::ApplyLayout() {
  if (!table_.hwnd()) return;
  RECT r{};
  GetWindowRect(hwnd_, &r);
  const MainLayout l = ComputeMainLayout(r.right - r.left, r.bottom - r.top);
  SetWindowPos(table_.hwnd(), nullptr, 0, 0, l.tableWidth, l.tableHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const HWND group3 = form_.Get("分组框3");
  RECT g{};
  GetWindowRect(group3, &g);
  MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&g), 2);
  SetWindowPos(group3, nullptr, g.left, l.bottomGroupTop, l.bottomGroupWidth, g.bottom - g.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWidth(form_.Get("进度条1"), l.progressWidth);
  SetWidth(form_.Get("进度条2"), l.progressWidth);
}

void MainWindow::OnCurrentRowChanged() {
  const int row = table_.CurrentRow();
  status_.SetText("目录:" + table_.CellText(row, 0));
}

void MainWindow::OnContextMenu(POINT at, bool fromKeyboard) {
  if (fromKeyboard) {
    // The menu key or Shift+F10: at the focused row, or the list's corner.
    RECT r{};
    const int row = table_.CurrentRow();
    if (row < 0 || !ListView_GetItemRect(table_.hwnd(), row, &r, LVIR_LABEL)) GetClientRect(table_.hwnd(), &r);
    at = POINT{r.left, r.bottom};
    ClientToScreen(table_.hwnd(), &at);
  }
  int chosen = 0;
  if (options_.trackMenu) {
    chosen = options_.trackMenu(menu_, at);
  } else {
    SetForegroundWindow(hwnd_);
    chosen = TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x, at.y, 0, hwnd_, nullptr);
  }
  if (chosen) OnCommand(chosen);
}

void MainWindow::OnCommand(int id) {
  for (const auto& c : kCommands) {
    if (c.id == id) {
      (this->*c.handler)();
      return;
    }
  }
}

void MainWindow::ShutDown() {
  if (query_) query_->Stop();
  if (hwnd_) DestroyWindow(hwnd_);
}

void MainWindow::StartQuery() { query_->Start(); }
void MainWindow::SaveTable() { SaveTableCommand(table_, dialog1_, context_->ui); }
void MainWindow::OpenDefaultFolders() { OpenDefaultFolderWindow(*context_); }
void MainWindow::OpenUsers() { OpenUserWindow(*context_); }
void MainWindow::OpenGrant() { OpenGrantWindow(*context_); }
void MainWindow::OpenFeedback() { OpenFeedbackPage(context_->ui); }
void MainWindow::AddFolder() { OnAddFolder(*context_); }
void MainWindow::AddTypedSubfolders() { OnAddTypedSubfolders(*context_); }
void MainWindow::AddSelectedSubfolders() { OnAddSelectedSubfolders(*context_); }
void MainWindow::DeleteSelectedRows() { OnDeleteSelectedRows(*context_); }
void MainWindow::ClearTable() { OnClearTable(*context_); }
void MainWindow::ImportList() { OnImportFolderList(*context_); }
void MainWindow::ExportList() { OnExportFolderList(*context_); }

}  // namespace qv
