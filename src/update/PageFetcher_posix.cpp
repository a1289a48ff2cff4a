// The host build has no web transport: every fetch finds no connection.
// The update check's logic is tested there with a fetch function of its own.
#include "update/PageFetcher.h"

namespace qv {

std::string FetchPage(const std::string&, const FetchOptions&) { return {}; }

}  // namespace qv
