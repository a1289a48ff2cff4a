// The windows "用户管理" and "目录管理", both modal over the main window (Win32 only).
#pragma once
#include "app/MainContext.h"

namespace qv {

void OpenUserWindow(MainContext& main);           // menu "用户管理"
void OpenDefaultFolderWindow(MainContext& main);  // menu "目录管理"

}  // namespace qv
