// The control seams on real Win32 controls.
#pragma once
#include <windows.h>

#include "app/Ui.h"

namespace qv {

// Edit boxes, labels, buttons and radio buttons.
class WindowControl : public Control {
 public:
  explicit WindowControl(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND hwnd() const { return hwnd_; }
  std::string Text() const override;
  void SetText(const std::string& text) override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  bool Checked() const override;
  void SetChecked(bool checked) override;

 private:
  HWND hwnd_;
};

// Part 0 of a status bar.
class StatusBarControl : public WindowControl {
 public:
  using WindowControl::WindowControl;
  std::string Text() const override;
  void SetText(const std::string& text) override;
};

class ProgressControl : public ProgressBar {
 public:
  explicit ProgressControl(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  int Max() const override;
  void SetMax(int max) override;
  int Pos() const override;
  void SetPos(int pos) override;

 private:
  HWND hwnd_;
};

}  // namespace qv
