// The grant window "权限管理" (Win32 only).
#pragma once
#include "app/MainContext.h"

namespace qv {

// Menu "修改权限": opens the window (not modal) and minimises the main window.
void OpenGrantWindow(MainContext& main);

}  // namespace qv
