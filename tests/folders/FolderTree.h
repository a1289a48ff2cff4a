// A small folder tree for the scan and folder-list tests: Chinese names, a
// folder whose name ends in the byte "\" (運, DF 5C), a ".git" folder, a hidden
// folder, and files that must never show up as folders.
#pragma once
#include <set>
#include <string>
#include <vector>

#include "os/Files.h"
#include "support/TestSupport.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace qv::test {

class FolderTree {
 public:
  FolderTree() {
    for (const char* d : {"财务", "财务\\2013", "人事", "運", "運\\子", "運x", ".git", "隐藏"})
      os::MakeDirectory(Path(d));
    dir_.Write("readme.txt", "x");
    dir_.Write("誠.txt", "x");
    dir_.Write("運\\file", "x");
#ifdef _WIN32
    SetFileAttributesA(Path("隐藏").c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
  }
  const std::string& root() const { return dir_.path(); }
  std::string Path(const std::string& relative) const { return dir_.path() + "\\" + relative; }
  // The folders a scan of the root must find, as bare names.
  static std::set<std::string> RootFolders() { return {"财务", "人事", "運", "運x", "隐藏"}; }
  // Folder entries a search of the root returns: ".", "..", the folders and ".git".
  static constexpr int kRootFolderEntries = 8;

 private:
  TempDir dir_;
};

inline std::set<std::string> AsSet(const std::vector<std::string>& v) { return {v.begin(), v.end()}; }

}  // namespace qv::test
