// The immediate subfolders of one folder.
#pragma once
#include <string>
#include <vector>

#include "app/Ui.h"

namespace qv {

// Appends the subfolders of folder to list and returns the number of entries
// list holds afterwards. With fullPath an entry is the folder, with a "\"
// added unless it ends in one, followed by the name; else the bare name.
// One level deep; names starting with "." are left out (".", "..", ".git");
// hidden and system folders are kept. A folder that is missing or unreadable
// adds nothing. Pending window events are handled after every folder entry
// the search returns (".", ".." and dot folders included), so a long scan
// keeps the windows alive.
int SubfolderScan(const std::string& folder, std::vector<std::string>& list, bool fullPath, Ui& ui);

}  // namespace qv
