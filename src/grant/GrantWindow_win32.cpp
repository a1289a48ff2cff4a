#include "grant/GrantWindow.h"

#include <algorithm>
#include <vector>

#include "grant/GrantOperation.h"
#include "grant/GrantWindowWin32.h"

namespace qv {

const char kGrantCaption[] = "权限管理";

namespace {

constexpr char kClassName[] = "QuorvaneGrantWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;  // fixed border

// The window's layout: positions relative to the container.
const LayoutItem kGrantLayout[] = {
    {ControlKind::GroupBox, "分组框1", kGrantGroup1, "用户列表", 8, 2, 160, 238, nullptr},
    {ControlKind::List, "超级列表框_待选择用户", kGrantUsers, "", 2, 16, 153, 217, "分组框1", LVS_SINGLESEL},
    {ControlKind::GroupBox, "分组框3", kGrantGroup3, "待授权用户", 8, 244, 160, 284, nullptr},
    {ControlKind::List, "超级列表框_待授权用户", kGrantChosen, "", 2, 16, 153, 261, "分组框3", LVS_SINGLESEL},
    {ControlKind::GroupBox, "分组框2", kGrantGroup2, "要授权的文件目录", 172, 2, 618, 479, nullptr},
    {ControlKind::List, "超级列表框_待授权目录", kGrantFolders, "", 4, 13, 610, 413, "分组框2", LVS_SINGLESEL},
    {ControlKind::GroupBox, "分组框4", kGrantGroup4, "添加要查看权限的目录", 4, 432, 608, 39, "分组框2"},
    {ControlKind::Edit, "编辑框2", kGrantEdit2, "", 7, 14, 481, 20, "分组框4"},
    {ControlKind::Button, "按钮3", kGrantButton3, "添加", 494, 13, 39, 21, "分组框4"},
    {ControlKind::Button, "按钮4", kGrantButton4, "子目录", 546, 13, 56, 21, "分组框4"},
    {ControlKind::Label, "标签1", kGrantLabel1, "授选中用户权限为：", 176, 496, 109, 24, nullptr},
    // One group: the first radio button starts it, the next button ends it.
    {ControlKind::Radio, "单选框1", kGrantRadio1, "修改", 307, 499, 44, 17, nullptr, WS_GROUP},
    {ControlKind::Radio, "单选框2", kGrantRadio2, "读取", 397, 499, 44, 17, nullptr},
    {ControlKind::Radio, "单选框3", kGrantRadio3, "无", 487, 499, 44, 17, nullptr},
    {ControlKind::Button, "按钮_确定授权", kGrantOk, "确定授权", 562, 499, 80, 22, nullptr, WS_GROUP},
    {ControlKind::Button, "按钮_取消授权", kGrantCancel, "取消授权", 704, 499, 80, 22, nullptr},
    {ControlKind::Splitter, "分隔条1", kGrantSplitter, "", 293, 518, 243, 2, nullptr},
};

// The one column of each list, from the layout.
const struct {
  const char* list;
  const char* title;
  int width;
} kColumns[] = {
    {"超级列表框_待选择用户", "帐号及职位", 130},
    {"超级列表框_待授权用户", "已选择职位", 130},
    {"超级列表框_待授权目录", "待授权目录", 587},
};

// Button -> handler.
const struct {
  int id;
  void (GrantWindowLogic::*handler)();
} kButtons[] = {
    {kGrantButton3, &GrantWindowLogic::OnAddFolder},
    {kGrantButton4, &GrantWindowLogic::OnAddSubfolders},
    {kGrantOk, &GrantWindowLogic::OnGrant},
};

// The open grant windows (user-interface thread only).
std::vector<GrantWindow*> g_open;
// The object whose window is being created, until its WM_NCCREATE takes it.
GrantWindow* g_creating = nullptr;

}  // namespace

GrantWindow::GrantWindow(MainContext& main, GrantFunction grant)
    : main_(main), grant_(std::move(grant)), mainHwnd_(reinterpret_cast<HWND>(main.hwnd)) {
  ++alive_;
}

HWND GrantWindow::Find(const MainContext& main) {
  for (GrantWindow* w : g_open) {
    if (&w->main_ == &main) return w->hwnd_;
  }
  return nullptr;
}

GrantWindow* GrantWindow::From(HWND hwnd) {
  if (!hwnd || !IsWindow(hwnd)) return nullptr;
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpA(cls, kClassName) != 0) return nullptr;
  return reinterpret_cast<GrantWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

HWND GrantWindow::Open(MainContext& main, GrantFunction grant) {
  if (HWND existing = Find(main)) {
    // One grant window per main window: a second "修改权限" brings it up.
    if (IsIconic(existing)) ShowWindow(existing, SW_RESTORE);
    ShowWindow(existing, SW_SHOW);
    SetForegroundWindow(existing);
    main.showMain(kShowMinimized);
    return existing;
  }
  InitControls();
  RegisterFormClass(kClassName, &GrantWindow::WndProc);
  auto* w = new GrantWindow(main, std::move(grant));
  g_creating = w;
  // The layout says 50,50; the window opens centred.
  HWND hwnd = CreateWindowExA(WS_EX_CONTROLPARENT, kClassName, kGrantCaption, kStyle, 50, 50, 797, 562, nullptr,
                              nullptr, GetModuleHandleA(nullptr), w);
  if (!hwnd) {
    // Taken by WM_NCCREATE means released at WM_NCDESTROY; otherwise it is ours.
    if (g_creating == w) delete w;
    g_creating = nullptr;
    return nullptr;
  }
  g_creating = nullptr;
  CenterOnScreen(hwnd);
  ShowWindow(hwnd, SW_SHOW);
  main.showMain(kShowMinimized);
  SetForegroundWindow(hwnd);
  return hwnd;
}

LRESULT CALLBACK GrantWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<GrantWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (g_creating == self) g_creating = nullptr;
  }
  auto* self = reinterpret_cast<GrantWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    // A handler still on the stack (inside its event pump) releases it when it returns.
    if (self->busy_ > 0) self->destroyed_ = true;
    else delete self;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  return self->HandleMessage(msg, wParam, lParam);
}

// The main window going away takes the grant window with it: the grant
// window works on the main window's context.
LRESULT CALLBACK GrantWindow::MainWatchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR data) {
  if (msg == WM_DESTROY) {
    const HWND grant = reinterpret_cast<HWND>(data);
    RemoveWindowSubclass(hwnd, &GrantWindow::MainWatchProc, id);
    if (GrantWindow* w = From(grant)) {
      w->mainGone_ = true;
      DestroyWindow(grant);
    }
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

template <typename F>
bool GrantWindow::Guarded(F handler) {
  ++busy_;
  handler();
  if (--busy_ > 0) return true;
  if (destroyed_) {
    delete this;
    return false;
  }
  if (closePending_) {
    closePending_ = false;
    DestroyWindow(hwnd_);  // releases this object at WM_NCDESTROY
    return false;
  }
  return true;
}

LRESULT GrantWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      if (!CreateControls()) return -1;
      g_open.push_back(this);
      if (mainHwnd_) {
        SetWindowSubclass(mainHwnd_, &GrantWindow::MainWatchProc, reinterpret_cast<UINT_PTR>(hwnd_),
                          reinterpret_cast<DWORD_PTR>(hwnd_));
      }
      logic_->OnCreated(main_.table);
      return 0;
    case WM_COMMAND: {
      // Esc comes as IDCANCEL (from the dialog navigation of the message loop).
      const int id = LOWORD(wParam);
      if (id == IDCANCEL || HIWORD(wParam) == BN_CLICKED) Guarded([&] { OnCommand(id); });
      return 0;
    }
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (hdr->code == NM_DBLCLK) {
        const int id = static_cast<int>(hdr->idFrom);
        Guarded([&] { OnDoubleClick(id); });
      }
      return 0;
    }
    case WM_CLOSE:
      Guarded([&] { Close(); });
      return 0;
    case WM_DESTROY:
      OnDestroying();
      return 0;
  }
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

bool GrantWindow::CreateControls() {
  if (!form_.Create(hwnd_, kGrantLayout, sizeof kGrantLayout / sizeof kGrantLayout[0])) return false;
  users_.Attach(form_.Get("超级列表框_待选择用户"));
  chosen_.Attach(form_.Get("超级列表框_待授权用户"));
  folders_.Attach(form_.Get("超级列表框_待授权目录"));
  for (const auto& c : kColumns) {
    const HWND list = form_.Get(c.list);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES);
    ListViewControl(list).InsertColumn(-1, c.title, c.width, kAlignLeft);
  }
  edit2_.Attach(form_.Get("编辑框2"));
  radio1_.Attach(form_.Get("单选框1"));
  radio2_.Attach(form_.Get("单选框2"));
  radio3_.Attach(form_.Get("单选框3"));
  logic_ = std::make_unique<GrantWindowLogic>(
      GrantControls{users_, chosen_, folders_, edit2_, radio1_, radio2_, radio3_}, main_.ui, grant_);
  return true;
}

void GrantWindow::OnCommand(int id) {
  if (id == IDCANCEL || id == kGrantCancel) {
    Close();
    return;
  }
  for (const auto& b : kButtons) {
    if (b.id == id) {
      (logic_.get()->*b.handler)();
      return;
    }
  }
}

void GrantWindow::OnDoubleClick(int listId) {
  if (listId == kGrantUsers) logic_->OnUsersDoubleClick();
  else if (listId == kGrantChosen) logic_->OnChosenDoubleClick();
}

void GrantWindow::Close() {
  if (busy_ > 0) closePending_ = true;
  else if (hwnd_) DestroyWindow(hwnd_);
}

void GrantWindow::OnDestroying() {
  g_open.erase(std::remove(g_open.begin(), g_open.end(), this), g_open.end());
  if (mainGone_) return;
  if (mainHwnd_) RemoveWindowSubclass(mainHwnd_, &GrantWindow::MainWatchProc, reinterpret_cast<UINT_PTR>(hwnd_));
  // Whichever way the window closes, the main window comes back maximised.
  main_.showMain(kShowMaximized);
}

void OpenGrantWindow(MainContext& main) {
  GrantWindow::Open(main, [](const std::string& folder, const std::string& account, std::uint32_t mask, int mode) {
    return GrantOperation(folder, account, mask, mode);
  });
}

}  // namespace qv
