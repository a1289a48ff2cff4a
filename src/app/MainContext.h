// What the main window's handlers work on: its controls through the seams,
// the two file dialog components, the dialogs and event pump, and the UI
// thread. The Win32 MainWindow fills it with real controls; tests fill it
// with in-memory ones (MemoryMainContext in MemoryUi.h's spirit).
#pragma once
#include <functional>

#include "app/ListControl.h"
#include "app/Ui.h"

namespace qv {

class QueryRun;

struct MainContext {
  ListControl& table;        // 超级列表框_待查权限目录, FolderTable
  Control& edit1;            // 编辑框1: path of the folder-list file
  Control& edit2;            // 编辑框2: folder path to add
  ProgressBar& progress1;    // 进度条1: folders
  ProgressBar& progress2;    // 进度条2: columns
  Control& status;           // 状态条1, part 0
  FileDialog& dialog1;       // 通用对话框1: save the table
  FileDialog& dialog2;       // 通用对话框2: folder-list file
  Ui& ui;
  UiThread& uiThread;
  // Shows the main window minimised, maximised, ... (SW_* values); no-op in tests.
  std::function<void(int showCommand)> showMain = [](int) {};
  std::intptr_t hwnd = 0;    // the main window (HWND), 0 in tests
};

inline constexpr int kShowMinimized = 6;  // SW_MINIMIZE
inline constexpr int kShowMaximized = 3;  // SW_MAXIMIZE

}  // namespace qv
