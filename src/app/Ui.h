// The seams between the windows' logic and the toolkit: the controls a
// handler touches, the dialogs, and the event pump. The Win32 side wraps real
// controls and system dialogs; the host side (MemoryUi.h) holds plain fields
// and scripted answers that a test sets and then checks.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace qv {

// An edit box, label, button, radio button or status bar.
class Control {
 public:
  virtual ~Control() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Checked() const = 0;  // radio buttons
  virtual void SetChecked(bool checked) = 0;
};

class ProgressBar {
 public:
  virtual ~ProgressBar() = default;
  virtual int Max() const = 0;
  virtual void SetMax(int max) = 0;
  virtual int Pos() const = 0;
  virtual void SetPos(int pos) = 0;
};

// Message box flags and answers (the Win32 values).
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbTaskModal = 0x2000;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// A common file dialog component: its properties persist between uses, so the
// file chosen last is offered again.
struct FileDialog {
  bool save = false;        // kind: save or open
  std::string title;
  std::string filter;       // "description|pattern|..." or a bare description
  std::string initialDir;
  std::string defaultExt;
  std::string fileName;     // in: offered; out: chosen
};

// The title every caller gives the folder picker.
inline constexpr const char* kFolderPickerTitle = "请选择要查看权限的目录";

struct FolderPickerArgs {
  std::string title = "请选择一个文件夹";
  bool includeFiles = false;
  std::string initialFolder;
  bool editBox = false;
  bool newDialogStyle = true;
  std::intptr_t owner = 0;  // HWND, 0 for none
};

class Ui {
 public:
  virtual ~Ui() = default;
  // Task-modal, no owner. Returns the button chosen (kIdOk, kIdYes, ...).
  virtual int ShowMessage(const std::string& text, const std::string& title, unsigned flags) = 0;
  // Opens the dialog; true when the user confirmed (dialog.fileName is then the choice).
  virtual bool RunFileDialog(FileDialog& dialog) = 0;
  // The folder picker; the chosen path trimmed, or "" when cancelled.
  virtual std::string PickFolder(const FolderPickerArgs& args) = 0;
  // The shell's "open" action on a document or address.
  virtual void ShellOpen(const std::string& target) = 0;
  // Lets pending window events be handled.
  virtual void ProcessEvents() = 0;
};

}  // namespace qv

namespace qv {

// Runs one control operation on the user-interface thread while the calling
// worker waits (Win32: SendMessageA to the main window; host: a direct call).
class UiThread {
 public:
  virtual ~UiThread() = default;
  virtual void Run(const std::function<void()>& op) = 0;
};

}  // namespace qv
