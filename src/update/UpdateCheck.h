// The update check at start-up and the feedback page.
#pragma once
#include "app/Ui.h"

namespace qv {

void RunUpdateCheck(Ui& ui);     // first step of the main window's created event
void OpenFeedbackPage(Ui& ui);   // menu "问题反馈"

}  // namespace qv
