#include "win/WinTestSupport.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

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

RECT RectIn(HWND hwnd, HWND parent) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ExpectControlAt(HWND hwnd, const char* caption, int x, int y, int cx, int cy, int sizeSlack) {
  ASSERT_TRUE(hwnd);
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  EXPECT_EQ(std::string(text), caption);
  const RECT r = RectIn(hwnd, GetParent(hwnd));
  EXPECT_EQ(r.left, x);
  EXPECT_EQ(r.top, y);
  EXPECT_NEAR(r.right - r.left, cx, sizeSlack);
  EXPECT_NEAR(r.bottom - r.top, cy, sizeSlack);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace qv::test
