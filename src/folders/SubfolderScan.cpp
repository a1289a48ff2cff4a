#include "folders/SubfolderScan.h"

#include "common/TextTools.h"
#include "os/Files.h"

namespace qv {

int SubfolderScan(const std::string& folder, std::vector<std::string>& list, bool fullPath, Ui& ui) {
  // The last character decides, not the last byte: "D:\運" ends in the byte
  // 0x5C inside 運 and still needs its "\". An empty folder becomes "\", the
  // root of the current drive.
  const std::string base = EndsWithBackslashChar(folder) ? folder : folder + "\\";
  os::FindEntries(base + "*.*", [&](const os::DirEntry& entry) {
    if (!entry.directory) return true;  // files are not looked at
    if (!entry.name.empty() && entry.name[0] != '.') list.push_back(fullPath ? base + entry.name : entry.name);
    ui.ProcessEvents();  // after every folder entry, kept or skipped
    return true;
  });
  return static_cast<int>(list.size());
}

}  // namespace qv
