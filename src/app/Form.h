// Win32 windows built from layout tables: one line per control (kind, name,
// caption, position, size, container), as the windows' documented layouts
// list them. Containers are real parent windows (group boxes); they pass the
// commands and notifications of their children on to the top-level window.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace qv {

enum class ControlKind { List, GroupBox, Edit, Button, Label, Progress, StatusBar, Radio, Splitter };

struct LayoutItem {
  ControlKind kind;
  const char* name;       // the layout's name, e.g. "按钮1"
  int id;                 // control id (WM_COMMAND / WM_NOTIFY)
  const char* caption;
  int x, y, w, h;         // relative to the container
  const char* container;  // name of the containing group box, or nullptr for the window
  DWORD style = 0;        // extra styles (list styles, first radio's WS_GROUP, ...)
};

class Form {
 public:
  // Creates every control as a child of top (or of its container) in table order.
  bool Create(HWND top, const LayoutItem* items, size_t count);
  HWND Get(const char* name) const;
  HWND GetById(int id) const;
  const LayoutItem* Item(const char* name) const;

 private:
  struct Entry {
    const LayoutItem* item;
    HWND hwnd;
  };
  std::vector<Entry> entries_;
};

// The user-interface font (Chinese-capable), shared by every window.
HFONT UiFont();
// Registers a window class once; returns its name.
const char* RegisterFormClass(const char* className, WNDPROC proc, HICON icon = nullptr);
// Places a window in the middle of the primary screen.
void CenterOnScreen(HWND hwnd);
// Common controls 6 classes, once per process.
void InitControls();

}  // namespace qv
