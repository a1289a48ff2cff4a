#include "app/WindowUiThread.h"

namespace qv {
namespace {

constexpr UINT kRunMessage = WM_APP + 0x51;
constexpr char kClassName[] = "QuorvaneUiThread";

}  // namespace

LRESULT CALLBACK WindowUiThread::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kRunMessage) {
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 1;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

WindowUiThread::WindowUiThread() : threadId_(GetCurrentThreadId()) {
  static const ATOM cls = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &WindowUiThread::WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc);
  }();
  (void)cls;
  hwnd_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
}

WindowUiThread::~WindowUiThread() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void WindowUiThread::Run(const std::function<void()>& op) {
  if (GetCurrentThreadId() == threadId_) {
    op();
    return;
  }
  // SendMessageA returns without running anything once the window is destroyed.
  SendMessageA(hwnd_, kRunMessage, 0, reinterpret_cast<LPARAM>(&op));
}

}  // namespace qv
