// The message loop and its variants: the program's loop, the event pump that
// long handlers call, and the loop of a modal window.
#pragma once
#include <windows.h>

namespace qv {

// Dispatches one message, with keyboard navigation (Tab, and Esc as IDCANCEL)
// for the top-level window it belongs to.
void DispatchOne(MSG& msg);
// Handles every pending message; false when WM_QUIT was seen (it is posted again).
bool ProcessPendingMessages();
// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();
// Shows window modal over owner (disabled meanwhile) until window is destroyed.
void RunModal(HWND window, HWND owner);

}  // namespace qv
