#include "grant/FolderPicker.h"

namespace qv {

// Filled in by the folder-list work.
std::string FolderPicker(const FolderPickerArgs&) { return {}; }

}  // namespace qv
