// The folder picker's shell boundary (Win32 only): the three calls the picker
// makes, replaceable so that a test can check the dialog description, the
// callback and the release of the item list.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>

#include "app/Ui.h"

namespace qv {

struct FolderDialogCalls {
  std::function<LPITEMIDLIST(BROWSEINFOA*)> browse;                // SHBrowseForFolderA
  std::function<BOOL(LPCITEMIDLIST, char* path)> pathFromIdList;   // SHGetPathFromIDListA
  std::function<void(void*)> freeIdList;                           // CoTaskMemFree
};

// The system's calls.
const FolderDialogCalls& ShellFolderDialogCalls();

std::string FolderPicker(const FolderPickerArgs& args, const FolderDialogCalls& calls);

// The dialog's callback: on BFFM_INITIALIZED it selects the initial folder of
// the picker that opened the dialog; it ignores everything else; always 1.
int CALLBACK BrowseCallbackProc(HWND dialog, UINT msg, LPARAM lParam, LPARAM data);

// Size of the path buffer, in characters.
inline constexpr size_t kPickerPathChars = 512;

}  // namespace qv
