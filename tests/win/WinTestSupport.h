// Helpers for the tests that create real windows under Wine.
#pragma once
#include <windows.h>

#include <string>

namespace qv::test {

// A hidden top-level window to parent controls, destroyed at the end of the scope.
class HostWindow {
 public:
  HostWindow();
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

// A ListView in report view with the given extra styles.
HWND CreateListView(HWND parent, DWORD style);

// A window's rectangle in its parent's client coordinates.
RECT RectIn(HWND hwnd, HWND parent);

// Checks a control's caption, and its place and size within its container;
// sizeSlack allows controls that size themselves a little.
void ExpectControlAt(HWND hwnd, const char* caption, int x, int y, int cx, int cy, int sizeSlack = 0);

// Handles every pending message of this thread.
void PumpMessages();

}  // namespace qv::test
