#include "grant/GrantWindow.h"

namespace qv {

// Filled in by the grant work.
void OpenGrantWindow(MainContext&) {}

}  // namespace qv
