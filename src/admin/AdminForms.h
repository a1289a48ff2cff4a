// The Win32 windows "用户管理" and "目录管理" (Win32 only). Each is built from
// its layout table, owns its controls and its handlers (UserWindow,
// DefaultFolderWindow), and frees itself when it is destroyed.
#pragma once
#include <windows.h>

#include "app/Ui.h"

namespace qv {

// Creates the window owned by owner (which may be null), runs its Load and
// centres it on the screen; the window is not shown yet. Null on failure.
// OpenUserWindow / OpenDefaultFolderWindow then run it modal over the owner.
HWND CreateUserForm(Ui& ui, HWND owner);
HWND CreateDefaultFolderForm(Ui& ui, HWND owner);

// A control of one of these windows by its layout name ("按钮1", "编辑框2",
// "超级列表框_用户列表", ...); null for another window or an unknown name.
HWND AdminFormControl(HWND window, const char* name);

}  // namespace qv
