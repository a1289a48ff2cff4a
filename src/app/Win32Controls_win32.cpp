#include "app/Win32Controls.h"

#include <commctrl.h>
#include <string.h>

namespace qv {

std::string WindowControl::Text() const {
  // The reported length may count characters: leave room for two bytes each.
  const int n = GetWindowTextLengthA(hwnd_);
  if (n <= 0) return {};
  std::string text(2 * static_cast<size_t>(n) + 2, '\0');
  GetWindowTextA(hwnd_, text.data(), static_cast<int>(text.size()));
  text.resize(strnlen(text.data(), text.size()));
  return text;
}

void WindowControl::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }
bool WindowControl::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
void WindowControl::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
bool WindowControl::Checked() const { return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void WindowControl::SetChecked(bool checked) {
  SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string StatusBarControl::Text() const {
  // SB_GETTEXTA takes no buffer size, and the length it reports may count
  // characters: leave room for two bytes each.
  const size_t n = LOWORD(SendMessageA(hwnd(), SB_GETTEXTLENGTHA, 0, 0));
  std::string text(2 * n + 2, '\0');
  SendMessageA(hwnd(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text.data()));
  text.resize(strnlen(text.data(), text.size()));
  return text;
}

void StatusBarControl::SetText(const std::string& text) {
  SendMessageA(hwnd(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int ProgressControl::Max() const { return static_cast<int>(SendMessageA(hwnd_, PBM_GETRANGE, FALSE, 0)); }
void ProgressControl::SetMax(int max) { SendMessageA(hwnd_, PBM_SETRANGE32, 0, max); }
int ProgressControl::Pos() const { return static_cast<int>(SendMessageA(hwnd_, PBM_GETPOS, 0, 0)); }
void ProgressControl::SetPos(int pos) { SendMessageA(hwnd_, PBM_SETPOS, pos, 0); }

}  // namespace qv
