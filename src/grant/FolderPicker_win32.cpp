#include "grant/FolderPicker.h"

#include <objbase.h>

#include <utility>

#include "grant/FolderPickerShell.h"

namespace qv {
namespace {

// The initial folder of the dialog being opened; the callback reads it. The
// picker is modal on the user-interface thread, but its dialog lets that
// thread's other windows run, so a second picker may open inside the first:
// each call sets its own copy and puts the previous one back when it returns.
thread_local std::string t_initialFolder;

// COM for the new dialog style, for the length of one dialog.
class ComApartment {
 public:
  ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (ok_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool ok_;
};

}  // namespace

int CALLBACK BrowseCallbackProc(HWND dialog, UINT msg, LPARAM, LPARAM) {
  if (msg == BFFM_INITIALIZED)
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(t_initialFolder.c_str()));
  return 1;
}

const FolderDialogCalls& ShellFolderDialogCalls() {
  static const FolderDialogCalls calls{
      [](BROWSEINFOA* info) { return SHBrowseForFolderA(info); },
      [](LPCITEMIDLIST list, char* path) { return SHGetPathFromIDListA(list, path); },
      [](void* memory) { CoTaskMemFree(memory); },
  };
  return calls;
}

std::string FolderPicker(const FolderPickerArgs& args, const FolderDialogCalls& calls) {
  BROWSEINFOA info{};
  info.hwndOwner = reinterpret_cast<HWND>(args.owner);
  info.pidlRoot = nullptr;
  info.pszDisplayName = nullptr;
  info.lpszTitle = args.title.c_str();
  info.ulFlags = (args.includeFiles ? BIF_BROWSEINCLUDEFILES : 0) | (args.editBox ? BIF_EDITBOX : 0) |
                 (args.newDialogStyle ? BIF_NEWDIALOGSTYLE : 0);
  info.lpfn = &BrowseCallbackProc;
  info.lParam = 0;

  ComApartment com;
  std::string saved = std::exchange(t_initialFolder, args.initialFolder);
  LPITEMIDLIST chosen = calls.browse(&info);
  t_initialFolder = std::move(saved);
  if (!chosen) return {};

  std::string buffer(kPickerPathChars, ' ');
  const BOOL ok = calls.pathFromIdList(chosen, buffer.data());
  calls.freeIdList(chosen);
  if (!ok) return {};
  // std::string keeps a zero after its last byte, so the text ends at the
  // buffer's end at the latest.
  buffer.resize(std::char_traits<char>::length(buffer.c_str()));
  return TrimFolderText(buffer);
}

std::string FolderPicker(const FolderPickerArgs& args) { return FolderPicker(args, ShellFolderDialogCalls()); }

}  // namespace qv
