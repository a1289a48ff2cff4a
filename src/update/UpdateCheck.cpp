#include "update/UpdateCheck.h"

namespace qv {

// Filled in by the update work.
void RunUpdateCheck(Ui&) {}
void OpenFeedbackPage(Ui&) {}

}  // namespace qv
