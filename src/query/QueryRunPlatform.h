// The one platform step of the query run.
#pragma once
#include "app/MainContext.h"

namespace qv {

// On the UI thread: lets a worker's pending UiThread call be handled, and
// nothing else (no clicks or other handlers run). Win32: the messages sent to
// this thread; host: the event pump of the in-memory UI.
void LetWorkerCallsThrough(MainContext& main);

}  // namespace qv
