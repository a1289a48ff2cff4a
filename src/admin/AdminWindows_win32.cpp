#include "admin/AdminWindows.h"

namespace qv {

// Filled in by the users and default folders work.
void OpenUserWindow(MainContext&) {}
void OpenDefaultFolderWindow(MainContext&) {}

}  // namespace qv
