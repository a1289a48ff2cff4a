#include "sheet/SaveTableCommand.h"

namespace qv {

// Filled in by the spreadsheet work.
void SaveTableCommand(ListControl&, FileDialog&, Ui&) {}

}  // namespace qv
