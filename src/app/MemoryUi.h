// Host side of the UI seams: plain fields, and scripted dialog answers that a
// test sets beforehand and checks afterwards.
#pragma once
#include <deque>
#include <functional>
#include <vector>

#include "app/Ui.h"

namespace qv {

class MemoryControl : public Control {
 public:
  explicit MemoryControl(std::string text = {}, bool enabled = true) : text_(std::move(text)), enabled_(enabled) {}
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override {
    const bool changed = text != text_;
    text_ = text;
    if (changed && onTextChanged) onTextChanged();
  }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Checked() const override { return checked_; }
  void SetChecked(bool checked) override { checked_ = checked; }
  std::function<void()> onTextChanged;

 private:
  std::string text_;
  bool enabled_;
  bool checked_ = false;
};

class MemoryProgress : public ProgressBar {
 public:
  int Max() const override { return max_; }
  void SetMax(int max) override { max_ = max; }
  int Pos() const override { return pos_; }
  void SetPos(int pos) override { pos_ = pos; }

 private:
  int max_ = 100;
  int pos_ = 0;
};

class ScriptedUi : public Ui {
 public:
  struct Message {
    std::string text, title;
    unsigned flags;
  };
  // Answers, taken in order; when a queue is empty: OK/No, cancel, "".
  std::deque<int> messageAnswers;
  std::deque<std::string> fileAnswers;  // "" means cancel
  std::deque<std::string> folderAnswers;
  // What happened.
  std::vector<Message> messages;
  std::vector<FileDialog> fileDialogs;  // the dialog as it was when opened
  std::vector<FolderPickerArgs> folderPicks;
  std::vector<std::string> opened;
  int eventPumps = 0;
  std::function<void()> onProcessEvents;

  int ShowMessage(const std::string& text, const std::string& title, unsigned flags) override {
    messages.push_back({text, title, flags});
    if (messageAnswers.empty()) return (flags & 0xF) == kMbYesNo ? kIdNo : kIdOk;
    const int a = messageAnswers.front();
    messageAnswers.pop_front();
    return a;
  }
  bool RunFileDialog(FileDialog& dialog) override {
    fileDialogs.push_back(dialog);
    std::string answer;
    if (!fileAnswers.empty()) {
      answer = fileAnswers.front();
      fileAnswers.pop_front();
    }
    if (answer.empty()) return false;
    dialog.fileName = answer;
    return true;
  }
  std::string PickFolder(const FolderPickerArgs& args) override {
    folderPicks.push_back(args);
    if (folderAnswers.empty()) return {};
    std::string a = folderAnswers.front();
    folderAnswers.pop_front();
    return a;
  }
  void ShellOpen(const std::string& target) override { opened.push_back(target); }
  void ProcessEvents() override {
    ++eventPumps;
    if (onProcessEvents) onProcessEvents();
  }
};

}  // namespace qv
