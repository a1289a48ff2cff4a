// "用户管理": the handlers of the window that edits the section
// "帐号转换成职位" of User.ini, one row per entry (account + "=" + position).
// They work on the control seams, so the Win32 window and the tests share them.
#pragma once
#include "app/ListControl.h"
#include "app/Ui.h"

namespace qv {

class UserWindow {
 public:
  // list: 超级列表框_用户列表; account: 编辑框1; position: 编辑框2.
  UserWindow(ListControl& list, Control& account, Control& position)
      : list_(list), account_(account), position_(position) {}

  // Window created: one row per key of the section, in file order.
  void Load();
  // Left click in the list: the selected row's entry into the two boxes.
  void Pick();
  // "添加": a row for the two boxes, and the entry into the file.
  void Add();
  // "修改": the selected row becomes the boxes' entry, moved to the end of the
  // list; its line in the file is replaced where it stands.
  void Change();
  // "删除": the selected row goes, with the file's line that equals its text.
  void Delete();

 private:
  int SelectedRow() const;

  ListControl& list_;
  Control& account_;
  Control& position_;
};

}  // namespace qv
