// UiThread on Win32: a message-only window of the user-interface thread runs
// each operation that a worker sends it with SendMessageA, while the worker waits.
#pragma once
#include <windows.h>

#include "app/Ui.h"

namespace qv {

class WindowUiThread : public UiThread {
 public:
  WindowUiThread();  // on the user-interface thread
  ~WindowUiThread() override;
  WindowUiThread(const WindowUiThread&) = delete;
  WindowUiThread& operator=(const WindowUiThread&) = delete;

  // From any thread. On the user-interface thread itself the operation runs
  // at once; after the window is gone it does not run at all.
  void Run(const std::function<void()>& op) override;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  DWORD threadId_ = 0;
};

}  // namespace qv
