#include "app/Win32Ui.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "app/MessageLoop.h"
#include "common/TextTools.h"
#include "grant/FolderPicker.h"

namespace qv {

std::string DialogFilter(const std::string& filter) {
  std::vector<std::string> parts = SplitText(filter, "|");
  if (parts.size() % 2 == 1) parts.push_back("*.*");
  std::string out;
  for (const std::string& p : parts) {
    out.append(p);
    out.push_back('\0');
  }
  out.push_back('\0');
  return out;
}

int Win32Ui::ShowMessage(const std::string& text, const std::string& title, unsigned flags) {
  return MessageBoxA(nullptr, text.c_str(), title.c_str(), flags);
}

bool Win32Ui::RunFileDialog(FileDialog& dialog) {
  const std::string filter = DialogFilter(dialog.filter);
  std::vector<char> file(32768, '\0');
  dialog.fileName.copy(file.data(), std::min(dialog.fileName.size(), file.size() - 1));
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = dialog.initialDir.empty() ? nullptr : dialog.initialDir.c_str();
  ofn.lpstrTitle = dialog.title.empty() ? nullptr : dialog.title.c_str();
  ofn.lpstrDefExt = dialog.defaultExt.empty() ? nullptr : dialog.defaultExt.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | (dialog.save ? 0 : OFN_FILEMUSTEXIST);
  const BOOL ok = dialog.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return false;
  dialog.fileName = file.data();
  return true;
}

std::string Win32Ui::PickFolder(const FolderPickerArgs& args) { return FolderPicker(args); }

void Win32Ui::ShellOpen(const std::string& target) {
  ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Ui::ProcessEvents() {
  // Long loops ask after every item; one look at the queue costs about as much
  // as writing a spreadsheet cell ten times over, so look at most every 10 ms:
  // events still get through at once to the eye, and a 300,000-cell save takes
  // milliseconds instead of seconds.
  const DWORD now = GetTickCount();
  if (pumped_ && now - lastPump_ < 10) return;
  pumped_ = true;
  lastPump_ = now;
  ProcessPendingMessages();
}

}  // namespace qv
