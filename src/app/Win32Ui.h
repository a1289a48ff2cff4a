// The dialogs and the event pump on Win32.
#pragma once
#include "app/Ui.h"

namespace qv {

class Win32Ui : public Ui {
 public:
  int ShowMessage(const std::string& text, const std::string& title, unsigned flags) override;
  bool RunFileDialog(FileDialog& dialog) override;
  std::string PickFolder(const FolderPickerArgs& args) override;
  void ShellOpen(const std::string& target) override;
  void ProcessEvents() override;

 private:
  bool pumped_ = false;
  unsigned long lastPump_ = 0;
};

// The filter text as the common dialogs take it: "desc|pattern|..." becomes
// "desc\0pattern\0...\0\0"; a bare description gets the pattern "*.*".
std::string DialogFilter(const std::string& filter);

}  // namespace qv
