// Quorvane.exe: start-up, the message loop, and the end of the program.
#include <windows.h>

#include "app/MainWindow.h"
#include "app/MessageLoop.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int code = 0;
  {
    std::unique_ptr<qv::MainWindow> window = qv::MainWindow::Create({});
    if (!window) return 1;
    ShowWindow(window->hwnd(), SW_SHOWMAXIMIZED);
    UpdateWindow(window->hwnd());
    code = qv::RunMessageLoop();
  }
  // A query worker may still be inside its command: the process's end takes it along.
  ExitProcess(static_cast<UINT>(code));
}
