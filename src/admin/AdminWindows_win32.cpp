#include "admin/AdminWindows.h"

#include <windows.h>
#include <commctrl.h>
#include <string.h>

#include <memory>

#include "admin/AdminForms.h"
#include "admin/DefaultFolderWindow.h"
#include "admin/UserWindow.h"
#include "app/Form.h"
#include "app/ListViewControl.h"
#include "app/MessageLoop.h"
#include "app/Win32Controls.h"

namespace qv {
namespace {

constexpr char kUserClass[] = "QuorvaneUserWindow";
constexpr char kFolderClass[] = "QuorvaneDefaultFolderWindow";

// Ids stay clear of IDOK and IDCANCEL, which the keyboard sends (Enter, Esc).
enum UserControlId : int {
  kUserGroup1 = 101, kUserList, kUserLabel1, kUserEdit1, kUserLabel2, kUserEdit2, kUserButton1, kUserButton2,
  kUserButton3,
};
enum FolderControlId : int {
  kFolderGroup1 = 201, kFolderList, kFolderLabel1, kFolderEdit1, kFolderLabel2, kFolderEdit2, kFolderButton3,
  kFolderButton4, kFolderButton5, kFolderButton6,
};

// Report view with one selected row at most, the selection shown without the focus.
constexpr DWORD kListStyle = LVS_SINGLESEL | LVS_SHOWSELALWAYS;
constexpr DWORD kListExStyle = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;

// "用户管理", 361 x 511; positions relative to the container.
const LayoutItem kUserLayout[] = {
    {ControlKind::GroupBox, "分组框1", kUserGroup1, "用户列表", 8, 2, 343, 384, nullptr},
    {ControlKind::List, "超级列表框_用户列表", kUserList, "", 2, 16, 334, 360, "分组框1", kListStyle},
    {ControlKind::Label, "标签1", kUserLabel1, "帐号:", 8, 393, 32, 16, nullptr},
    {ControlKind::Edit, "编辑框1", kUserEdit1, "", 40, 391, 306, 20, nullptr},
    {ControlKind::Label, "标签2", kUserLabel2, "职位:", 8, 422, 32, 16, nullptr},
    {ControlKind::Edit, "编辑框2", kUserEdit2, "", 40, 420, 306, 20, nullptr},
    {ControlKind::Button, "按钮1", kUserButton1, "修改", 3, 450, 61, 24, nullptr},
    {ControlKind::Button, "按钮2", kUserButton2, "添加", 145, 450, 61, 24, nullptr},
    {ControlKind::Button, "按钮3", kUserButton3, "删除", 288, 450, 61, 24, nullptr},
};

// "目录管理", 669 x 487.
const LayoutItem kFolderLayout[] = {
    {ControlKind::GroupBox, "分组框1", kFolderGroup1, "默认查看目录", 13, 8, 643, 384, nullptr},
    {ControlKind::List, "超级列表框_目录列表", kFolderList, "", 2, 16, 633, 360, "分组框1", kListStyle},
    {ControlKind::Label, "标签1", kFolderLabel1, "修改:", 13, 399, 32, 16, nullptr},
    {ControlKind::Edit, "编辑框1", kFolderEdit1, "", 45, 397, 467, 20, nullptr},
    {ControlKind::Label, "标签2", kFolderLabel2, "增加:", 13, 428, 32, 16, nullptr},
    {ControlKind::Edit, "编辑框2", kFolderEdit2, "", 45, 426, 467, 20, nullptr},
    {ControlKind::Button, "按钮3", kFolderButton3, "修改", 518, 395, 64, 24, nullptr, WS_DISABLED},
    {ControlKind::Button, "按钮4", kFolderButton4, "删除", 592, 395, 64, 24, nullptr},
    {ControlKind::Button, "按钮5", kFolderButton5, "浏览", 518, 424, 64, 24, nullptr},
    {ControlKind::Button, "按钮6", kFolderButton6, "添加", 592, 424, 64, 24, nullptr},
};

// Event -> handler: button clicks.
const struct {
  int id;
  void (UserWindow::*handler)();
} kUserClicks[] = {
    {kUserButton2, &UserWindow::Add},
    {kUserButton1, &UserWindow::Change},
    {kUserButton3, &UserWindow::Delete},
};
const struct {
  int id;
  void (DefaultFolderWindow::*handler)();
} kFolderClicks[] = {
    {kFolderButton5, &DefaultFolderWindow::Browse},
    {kFolderButton6, &DefaultFolderWindow::Add},
    {kFolderButton3, &DefaultFolderWindow::Change},
    {kFolderButton4, &DefaultFolderWindow::Delete},
};

// What both windows share: the frame, the window procedure and the life of
// the state object, which the window owns from WM_NCCREATE to WM_NCDESTROY.
class AdminForm {
 public:
  virtual ~AdminForm() = default;
  HWND hwnd() const { return hwnd_; }
  const Form& form() const { return form_; }

 protected:
  // Hands the object to a new top-level window of the given outer size; null
  // (and the object deleted) on failure.
  static HWND CreateFrame(std::unique_ptr<AdminForm> self, const char* className, const char* title, int w, int h,
                          HWND owner);

  virtual bool CreateControls() = 0;
  virtual void OnCommand(int id, int code) = 0;
  virtual void OnNotify(const NMHDR& hdr) = 0;
  virtual void OnDestroying() {}

  void SetUpList(ListViewControl& list, const char* name) {
    list.Attach(form_.Get(name));
    SendMessageA(list.hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, kListExStyle, kListExStyle);
  }

  HWND hwnd_ = nullptr;
  Form form_;
  HWND focus_ = nullptr;  // the control that had the focus when the window was last left

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
};

HWND AdminForm::CreateFrame(std::unique_ptr<AdminForm> self, const char* className, const char* title, int w,
                            int h, HWND owner) {
  InitControls();
  RegisterFormClass(className, &AdminForm::WndProc);
  // The window takes the object over in WM_NCCREATE; if it never got that
  // far the object is still here and goes with the unique_ptr.
  return CreateWindowExA(WS_EX_CONTROLPARENT, className, title, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                         50, 50, w, h, owner, nullptr, GetModuleHandleA(nullptr), &self);
}

LRESULT CALLBACK AdminForm::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* owner = static_cast<std::unique_ptr<AdminForm>*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    AdminForm* self = owner->release();
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<AdminForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    delete self;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  return self->HandleMessage(msg, wParam, lParam);
}

LRESULT AdminForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      return CreateControls() ? 0 : -1;
    case WM_COMMAND:
      // Esc comes as IDCANCEL from the keyboard handling of the message loop.
      if (LOWORD(wParam) == IDCANCEL) {
        DestroyWindow(hwnd_);
      } else if (lParam != 0) {
        OnCommand(LOWORD(wParam), HIWORD(wParam));
      }
      return 0;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND f = GetFocus();
        if (f && IsChild(hwnd_, f)) focus_ = f;
      }
      break;
    case WM_SETFOCUS:
      if (focus_ && IsWindow(focus_)) SetFocus(focus_);
      return 0;
    case WM_DESTROY:
      // The controls still exist here: the window's data is read from them.
      OnDestroying();
      return 0;
  }
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

class UserForm : public AdminForm {
 public:
  static HWND Create(Ui&, HWND owner) {
    auto self = std::make_unique<UserForm>();
    UserForm* form = self.get();
    const HWND hwnd = CreateFrame(std::move(self), kUserClass, "用户管理", 361, 511, owner);
    if (!hwnd) return nullptr;
    form->handlers_.Load();
    CenterOnScreen(hwnd);
    return hwnd;
  }

 private:
  bool CreateControls() override {
    if (!form_.Create(hwnd_, kUserLayout, sizeof kUserLayout / sizeof kUserLayout[0])) return false;
    SetUpList(list_, "超级列表框_用户列表");
    list_.InsertColumn(-1, "帐号及职位", 305, kAlignLeft);
    edit1_.Attach(form_.Get("编辑框1"));
    edit2_.Attach(form_.Get("编辑框2"));
    focus_ = list_.hwnd();
    return true;
  }

  void OnCommand(int id, int code) override {
    if (code != BN_CLICKED) return;
    for (const auto& c : kUserClicks) {
      if (c.id == id) (handlers_.*c.handler)();
    }
  }

  void OnNotify(const NMHDR& hdr) override {
    if (hdr.idFrom == kUserList && hdr.code == NM_CLICK) handlers_.Pick();
  }

  ListViewControl list_;
  WindowControl edit1_, edit2_;
  UserWindow handlers_{list_, edit1_, edit2_};
};

// The owner takes no input while the window's Load lets events through.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner) : owner_(owner && IsWindowEnabled(owner) ? owner : nullptr) {
    if (owner_) EnableWindow(owner_, FALSE);
  }
  ~OwnerDisabled() {
    if (owner_) EnableWindow(owner_, TRUE);
  }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;

 private:
  HWND owner_;
};

class DefaultFolderForm : public AdminForm {
 public:
  explicit DefaultFolderForm(Ui& ui) : handlers_{list_, edit1_, edit2_, button3_, ui} {}

  static HWND Create(Ui& ui, HWND owner) {
    auto self = std::make_unique<DefaultFolderForm>(ui);
    DefaultFolderForm* form = self.get();
    const HWND hwnd = CreateFrame(std::move(self), kFolderClass, "目录管理", 669, 487, owner);
    if (!hwnd) return nullptr;
    {
      const OwnerDisabled quiet(owner);
      form->handlers_.Load();  // the sort lets pending events through
    }
    if (!IsWindow(hwnd)) return nullptr;
    CenterOnScreen(hwnd);
    return hwnd;
  }

 private:
  bool CreateControls() override {
    if (!form_.Create(hwnd_, kFolderLayout, sizeof kFolderLayout / sizeof kFolderLayout[0])) return false;
    SetUpList(list_, "超级列表框_目录列表");
    list_.InsertColumn(-1, "标记", 40, kAlignLeft);
    list_.InsertColumn(-1, "目录", 567, kAlignLeft);
    edit1_.Attach(form_.Get("编辑框1"));
    edit2_.Attach(form_.Get("编辑框2"));
    button3_.Attach(form_.Get("按钮3"));
    focus_ = list_.hwnd();
    return true;
  }

  void OnCommand(int id, int code) override {
    if (id == kFolderEdit1 && code == EN_CHANGE) {
      handlers_.Gate();
      return;
    }
    if (code != BN_CLICKED) return;
    for (const auto& c : kFolderClicks) {
      if (c.id == id) (handlers_.*c.handler)();
    }
  }

  void OnNotify(const NMHDR& hdr) override {
    if (hdr.idFrom != kFolderList || hdr.code != LVN_ITEMCHANGED) return;
    // Another row got the focus.
    const auto& lv = reinterpret_cast<const NMLISTVIEW&>(hdr);
    if ((lv.uChanged & LVIF_STATE) && (lv.uNewState & LVIS_FOCUSED) && !(lv.uOldState & LVIS_FOCUSED))
      handlers_.Show();
  }

  void OnDestroying() override { handlers_.Save(); }

  ListViewControl list_;
  WindowControl edit1_, edit2_, button3_;
  DefaultFolderWindow handlers_;
};

bool IsAdminForm(HWND hwnd) {
  char cls[64] = {};
  if (!hwnd || !GetClassNameA(hwnd, cls, sizeof cls)) return false;
  return strcmp(cls, kUserClass) == 0 || strcmp(cls, kFolderClass) == 0;
}

void RunOver(HWND window, const MainContext& main) {
  if (window) RunModal(window, reinterpret_cast<HWND>(main.hwnd));
}

}  // namespace

HWND CreateUserForm(Ui& ui, HWND owner) { return UserForm::Create(ui, owner); }
HWND CreateDefaultFolderForm(Ui& ui, HWND owner) { return DefaultFolderForm::Create(ui, owner); }

HWND AdminFormControl(HWND window, const char* name) {
  if (!IsAdminForm(window)) return nullptr;
  const auto* self = reinterpret_cast<const AdminForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return self ? self->form().Get(name) : nullptr;
}

void OpenUserWindow(MainContext& main) { RunOver(CreateUserForm(main.ui, reinterpret_cast<HWND>(main.hwnd)), main); }

void OpenDefaultFolderWindow(MainContext& main) {
  RunOver(CreateDefaultFolderForm(main.ui, reinterpret_cast<HWND>(main.hwnd)), main);
}

}  // namespace qv
