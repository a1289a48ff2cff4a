// "保存表单": the whole table, titles first, into an .xls file chosen in a dialog.
#pragma once
#include "app/ListControl.h"
#include "app/Ui.h"

namespace qv {

void SaveTableCommand(ListControl& list, FileDialog& dialog, Ui& ui);

}  // namespace qv
