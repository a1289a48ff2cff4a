// The grant window "权限管理" on Win32: its layout, its controls and the thin
// window procedure around GrantWindowLogic. One object per window, reached
// from its HWND, released when the window is gone. Not modal and without a
// parent, so it stays on screen while the main window is minimised.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/Form.h"
#include "app/ListViewControl.h"
#include "app/MainContext.h"
#include "app/Win32Controls.h"
#include "grant/GrantWindowLogic.h"

namespace qv {

enum GrantControlId : int {
  kGrantGroup1 = 1101, kGrantUsers, kGrantGroup3, kGrantChosen, kGrantGroup2, kGrantFolders, kGrantGroup4,
  kGrantEdit2, kGrantButton3, kGrantButton4, kGrantLabel1, kGrantRadio1, kGrantRadio2, kGrantRadio3, kGrantOk,
  kGrantCancel, kGrantSplitter,
};

extern const char kGrantCaption[];  // "权限管理"

class GrantWindow {
 public:
  // Opens the window for this main window, or brings up the one already open
  // for it; then minimises the main window. Returns the window, or nullptr.
  static HWND Open(MainContext& main, GrantFunction grant);
  // The window open for this main window, or nullptr.
  static HWND Find(const MainContext& main);
  static GrantWindow* From(HWND hwnd);
  // Window objects alive (for the tests: every one is released with its window).
  static int Alive() { return alive_; }

  HWND hwnd() const { return hwnd_; }
  const Form& form() const { return form_; }
  ListViewControl& users() { return users_; }
  ListViewControl& chosen() { return chosen_; }
  ListViewControl& folders() { return folders_; }
  WindowControl& edit2() { return edit2_; }
  GrantWindowLogic& logic() { return *logic_; }

  // Handlers; the window procedure unpacks messages and calls them.
  void OnCommand(int id);
  void OnDoubleClick(int listId);
  // "取消授权", Esc and the close box. While a handler is running (a grant
  // run or a scan lets events through) the window is closed when it returns.
  void Close();

 private:
  GrantWindow(MainContext& main, GrantFunction grant);
  ~GrantWindow() { --alive_; }
  GrantWindow(const GrantWindow&) = delete;
  GrantWindow& operator=(const GrantWindow&) = delete;
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MainWatchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR data);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  bool CreateControls();
  void OnDestroying();
  // Runs a handler with the window kept alive; false when the window object
  // is gone afterwards (it must not be touched then).
  template <typename F>
  bool Guarded(F handler);

  MainContext& main_;
  GrantFunction grant_;
  HWND hwnd_ = nullptr;
  HWND mainHwnd_ = nullptr;
  bool mainGone_ = false;
  int busy_ = 0;
  bool closePending_ = false;
  bool destroyed_ = false;
  Form form_;
  ListViewControl users_, chosen_, folders_;
  WindowControl edit2_, radio1_, radio2_, radio3_;
  std::unique_ptr<GrantWindowLogic> logic_;
  static inline int alive_ = 0;
};

}  // namespace qv
