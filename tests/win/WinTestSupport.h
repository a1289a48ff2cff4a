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

// Handles every pending message of this thread.
void PumpMessages();

}  // namespace qv::test
