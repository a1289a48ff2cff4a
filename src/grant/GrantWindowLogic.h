// What the grant window "权限管理" does, on its controls through the seams:
// the account lists, the folder list, the three choices and the grant run
// with its log. The Win32 window (GrantWindow_win32.cpp) only creates the
// controls and calls these handlers.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "app/ListControl.h"
#include "app/Ui.h"
#include "os/Files.h"

namespace qv {

struct GrantControls {
  ListControl& users;    // 超级列表框_待选择用户 "帐号及职位"
  ListControl& chosen;   // 超级列表框_待授权用户 "已选择职位"
  ListControl& folders;  // 超级列表框_待授权目录 "待授权目录"
  Control& edit2;        // 编辑框2
  Control& modify;       // 单选框1 "修改"
  Control& read;         // 单选框2 "读取"
  Control& deny;         // 单选框3 "无"
};

// GrantOperation's signature: folder, account, access mask, access mode.
using GrantFunction =
    std::function<bool(const std::string& folder, const std::string& account, std::uint32_t mask, int mode)>;

class GrantWindowLogic {
 public:
  GrantWindowLogic(const GrantControls& controls, Ui& ui, GrantFunction grant,
                   std::function<os::LocalTime()> now = &os::Now);

  // Window created: every line of User.ini that holds "=" as an account row,
  // then the main table's selected folders in ascending row order.
  void OnCreated(const ListControl& mainTable);
  // Double clicks: the first selected row moves to the end of the other list.
  void OnUsersDoubleClick();
  void OnChosenDoubleClick();
  void OnAddFolder();      // 按钮3 "添加"
  void OnAddSubfolders();  // 按钮4 "子目录"
  // 按钮_确定授权: every folder with every chosen account, the log, "授权完毕".
  // The run lets window events through; a click on the button meanwhile is
  // ignored, so no run starts inside another.
  void OnGrant();
  bool running() const { return running_; }

 private:
  GrantControls c_;
  Ui& ui_;
  GrantFunction grant_;
  std::function<os::LocalTime()> now_;
  bool running_ = false;
};

}  // namespace qv
