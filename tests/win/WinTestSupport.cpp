#include "win/WinTestSupport.h"

#include <windows.h>
#include <commctrl.h>

namespace qv::test {

HostWindow::HostWindow() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QvTestHost";
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
  hwnd_ = CreateWindowExA(0, "QvTestHost", "test", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
}

HostWindow::~HostWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
  PumpMessages();
}

HWND CreateListView(HWND parent, DWORD style) {
  return CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | style, 0, 0, 600, 400, parent,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace qv::test
