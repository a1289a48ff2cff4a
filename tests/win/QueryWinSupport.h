// A main window's worth of real controls for running the query under Wine:
// a ListView with the sort style, two progress bars, WindowUiThread, and a
// Ui whose event pump handles this thread's messages.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "app/ListViewControl.h"
#include "app/MainContext.h"
#include "app/MemoryUi.h"
#include "app/WindowUiThread.h"
#include "win/WinTestSupport.h"

namespace qv::test {

class WinProgress : public ProgressBar {
 public:
  explicit WinProgress(HWND parent)
      : hwnd_(CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 420, 300, 16, parent, nullptr,
                              GetModuleHandleA(nullptr), nullptr)) {}
  int Max() const override { return static_cast<int>(SendMessageA(hwnd_, PBM_GETRANGE, FALSE, 0)); }
  void SetMax(int max) override { SendMessageA(hwnd_, PBM_SETRANGE32, 0, max); }
  int Pos() const override { return static_cast<int>(SendMessageA(hwnd_, PBM_GETPOS, 0, 0)); }
  void SetPos(int pos) override { SendMessageA(hwnd_, PBM_SETPOS, pos, 0); }

 private:
  HWND hwnd_;
};

// A QueryRun made after it goes first, as in the program.
struct RealMain {
  explicit RealMain(const std::vector<const char*>& titles) {
    ui.onProcessEvents = [] { PumpMessages(); };
    for (const char* t : titles) table.InsertColumn(-1, t, 60, kAlignCentre);
  }
  HostWindow host;
  ListViewControl table{CreateListView(host.hwnd(), LVS_SORTASCENDING)};
  WinProgress progress1{host.hwnd()}, progress2{host.hwnd()};
  MemoryControl edit1, edit2, status;
  FileDialog dialog1, dialog2;
  ScriptedUi ui;
  WindowUiThread uiThread;
  MainContext context{table, edit1, edit2, progress1, progress2, status, dialog1, dialog2, ui, uiThread};
};

// Handles messages (the worker's calls among them) until done() holds;
// false after limitMs. Between checks it sleeps until a message comes or
// checkMs pass.
inline bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 30000, DWORD checkMs = 5) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpMessages();
    if (done()) return true;
    if (GetTickCount() - start > limitMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, checkMs, QS_ALLINPUT);
  }
}

}  // namespace qv::test
