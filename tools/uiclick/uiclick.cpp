// Demo helper for tools/run: presses a button of a running program's window,
// the way a user's click would (BM_CLICK).
//   uiclick.exe <window class> <button caption> [seconds to wait for the window]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Search {
  const char* caption;
  HWND found;
};

BOOL CALLBACK FindButton(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<Search*>(lParam);
  char cls[32] = {}, text[256] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  GetWindowTextA(hwnd, text, sizeof text);
  if (_stricmp(cls, "Button") == 0 && std::strcmp(text, s->caption) == 0) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: uiclick <window class> <button caption> [seconds]\n");
    return 2;
  }
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 30;
  HWND top = nullptr;
  for (int i = 0; i < seconds * 10 && !(top = FindWindowA(argv[1], nullptr)); ++i) Sleep(100);
  if (!top) {
    std::fprintf(stderr, "uiclick: no window of class %s\n", argv[1]);
    return 1;
  }
  Search s{argv[2], nullptr};
  EnumChildWindows(top, FindButton, reinterpret_cast<LPARAM>(&s));
  if (!s.found) {
    std::fprintf(stderr, "uiclick: no button %s\n", argv[2]);
    return 1;
  }
  // The button's parent reacts as to a click; posted so this helper never waits on it.
  PostMessageA(GetParent(s.found), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(s.found), BN_CLICKED),
               reinterpret_cast<LPARAM>(s.found));
  return 0;
}
