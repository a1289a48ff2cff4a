// The main window: FolderTable, the buttons, two progress bars, the status
// bar and the popup menu "右键菜单". One instance per window, reached from its
// HWND; the window procedure only unpacks messages and calls the handlers.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "app/Form.h"
#include "app/ListViewControl.h"
#include "app/MainContext.h"
#include "app/Win32Controls.h"
#include "app/Win32Ui.h"
#include "app/WindowUiThread.h"

namespace qv {

class QueryRun;

// Control ids of the main window's layout.
enum MainControlId : int {
  kIdTable = 1001, kIdGroup3, kIdGroup1, kIdEdit2, kIdButton3, kIdButton4, kIdGroup2, kIdLabel2, kIdEdit1,
  kIdButton8, kIdButton7, kIdButton1, kIdButton2, kIdButton5, kIdButton6, kIdLabel1, kIdProgress1,
  kIdLabel3, kIdProgress2, kIdStatus,
};
// Items of "右键菜单", in menu order.
enum MainMenuId : int {
  kMenuSubfolders = 2001, kMenuDeleteRows, kMenuDefaultFolders, kMenuUsers, kMenuGrant, kMenuLeave,
  kMenuFeedback,
};

extern const char kMainCaption[];

class MainWindow {
 public:
  struct Options {
    Ui* ui = nullptr;             // dialogs and event pump; Win32Ui when none is given
    bool updateCheck = true;      // the created event's first step
    bool quitOnDestroy = true;    // the program ends with this window
    // Shows the popup menu and returns the chosen item (0 for none). Tests replace it.
    std::function<int(HMENU menu, POINT at)> trackMenu;
  };

  // Creates the window and runs its created event; the window is not shown yet.
  static std::unique_ptr<MainWindow> Create(Options options);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  MainContext& context() { return *context_; }
  ListViewControl& table() { return table_; }
  const Form& form() const { return form_; }
  HMENU popupMenu() const { return menu_; }

  // Handlers, named for what they do; the window procedure calls them.
  void OnCreated();
  void ApplyLayout();
  void OnCurrentRowChanged();
  void OnContextMenu(POINT at, bool fromKeyboard);
  void OnCommand(int id);
  void ShutDown();  // "关闭软件"
  void StartQuery();
  void SaveTable();
  void OpenDefaultFolders();
  void OpenUsers();
  void OpenGrant();
  void OpenFeedback();
  void AddFolder();
  void AddTypedSubfolders();
  void AddSelectedSubfolders();
  void DeleteSelectedRows();
  void ClearTable();
  void ImportList();
  void ExportList();
  void LeaveMenu() {}

 private:
  explicit MainWindow(Options options);
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  bool CreateControls();

  Options options_;
  HWND hwnd_ = nullptr;
  HMENU menu_ = nullptr;
  Form form_;
  ListViewControl table_;
  WindowControl edit1_, edit2_;
  StatusBarControl status_;
  ProgressControl progress1_, progress2_;
  FileDialog dialog1_, dialog2_;
  Win32Ui win32Ui_;
  std::unique_ptr<WindowUiThread> uiThread_;
  std::unique_ptr<MainContext> context_;
  std::unique_ptr<QueryRun> query_;
};

// SetClientSize: the window keeps its place and frame, its client area becomes
// w x h. False (and nothing changes) for a minimised window or a failed query.
bool SetClientSize(HWND hwnd, int w, int h);

}  // namespace qv
