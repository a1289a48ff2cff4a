// Reorders every row of a list by the text of one column, through the two
// temporary files "\Sort_S.aji" and "\Sort_E.aji" in the program directory.
#pragma once
#include "app/ListControl.h"
#include "app/Ui.h"

namespace qv {

inline constexpr int kKeyText = 0, kKeyNumber = 1, kKeyDate = 2;
inline constexpr int kAscending = 1, kDescending = 0;

// True when the rows were rebuilt; false when the source table could not be
// made (the list is then untouched).
bool TableSorter(ListControl& list, int column, int keyKind, int direction, Ui& ui);

}  // namespace qv
