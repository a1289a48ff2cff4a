#include <windows.h>

#include "query/QueryRunPlatform.h"

namespace qv {

void LetWorkerCallsThrough(MainContext&) {
  // Peeking handles the messages sent to this thread; PM_QS_SENDMESSAGE with
  // PM_NOREMOVE leaves every posted message (input, timers) where it is.
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  SwitchToThread();
}

}  // namespace qv
