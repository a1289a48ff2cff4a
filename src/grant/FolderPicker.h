// The shell's folder selection dialog (Win32 only): the chosen folder's path,
// trimmed of ASCII and full-width spaces, or "" when cancelled.
#pragma once
#include <string>

#include "app/Ui.h"

namespace qv {

std::string FolderPicker(const FolderPickerArgs& args);

}  // namespace qv
