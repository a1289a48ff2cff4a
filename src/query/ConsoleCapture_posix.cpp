// The host build has no console commands to capture: the query's tests hand
// the run a capture function of their own.
#include "query/ConsoleCapture.h"

namespace qv {

std::string CaptureOutput(const std::string&, const CaptureCancel&) { return {}; }
std::string CaptureProgramOutput(const std::string&, const CaptureCancel&) { return {}; }

}  // namespace qv
