// The shell's folder selection dialog: the chosen folder's path, trimmed of
// ASCII and full-width spaces, or "" when cancelled or when the chosen item
// has no file-system path.
#pragma once
#include <string>
#include <string_view>

#include "app/Ui.h"

namespace qv {

// Win32 only: SHBrowseForFolderA with the initial folder selected.
std::string FolderPicker(const FolderPickerArgs& args);

// The text without leading and trailing blanks: the ASCII space and the
// full-width space of the ANSI code page (A1 A1). Walks whole characters, so
// the A1 A1 of two neighbouring characters (B0 A1 | A1 B0) is no blank.
std::string TrimFolderText(std::string_view text);

}  // namespace qv
