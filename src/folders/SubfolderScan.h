// The immediate subfolders of one folder.
#pragma once
#include <string>
#include <vector>

#include "app/Ui.h"

namespace qv {

// Appends the subfolders of folder to list (folder + name when fullPath, else
// the bare name) and returns the number of entries list holds afterwards.
int SubfolderScan(const std::string& folder, std::vector<std::string>& list, bool fullPath, Ui& ui);

}  // namespace qv
