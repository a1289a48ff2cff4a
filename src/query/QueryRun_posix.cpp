#include <thread>

#include "query/QueryRunPlatform.h"

namespace qv {

void LetWorkerCallsThrough(MainContext& main) {
  main.ui.ProcessEvents();
  std::this_thread::yield();
}

}  // namespace qv
