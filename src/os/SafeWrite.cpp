#include "os/SafeWrite.h"

#include "common/TextTools.h"
#include "os/Files.h"

namespace qv::os {

std::string FolderOf(const std::string& path) {
  size_t cut = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(path[i]);
    if (IsLeadByte(b) && i + 1 < path.size()) {
      ++i;
      continue;
    }
    if (b == '\\' || b == '/' || b == ':') cut = i + 1;
  }
  return path.substr(0, cut);
}

std::string TemporaryNameBeside(const std::string& target, const std::string& stem) {
  const std::string folder = FolderOf(target);
  for (int n = 1; n <= 1000; ++n) {
    std::string candidate = folder + "~" + stem + std::to_string(n) + ".tmp";
    if (!FileExists(candidate)) return candidate;
  }
  return {};
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes) {
  if (path.empty() || DirectoryExists(path)) return false;
  const std::string temp = TemporaryNameBeside(path, "qvsave");
  if (temp.empty()) return false;
  if (!WriteWholeFile(temp, bytes) || !RenameOver(temp, path)) {
    RemoveFile(temp);
    return false;
  }
  return true;
}

}  // namespace qv::os
