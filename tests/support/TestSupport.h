// Helpers shared by the tests of every folder.
#pragma once
#include <string>
#include <string_view>

#include <vector>

#include "app/ListControl.h"
#include "os/Files.h"

namespace qv::test {

// A fresh directory, removed with everything in it at the end of the scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }
  bool Write(const std::string& name, std::string_view bytes) const { return os::WriteWholeFile(File(name), bytes); }
  std::string Read(const std::string& name) const;

 private:
  std::string path_;
};

// A temporary directory that is the program directory for the scope, so that
// User.ini, Log and the sort files land there.
class ProgramDir : public TempDir {
 public:
  ProgramDir() { os::SetProgramDirectoryForTests(path()); }
  ~ProgramDir() { os::SetProgramDirectoryForTests(std::string()); }
  void WriteUserIni(std::string_view bytes) const { Write("User.ini", bytes); }
  std::string UserIni() const { return Read("User.ini"); }
};

// The column-0 texts of every row, top to bottom.
std::vector<std::string> Column0(const ListControl& list);

// Bytes shown as hex with printable ASCII kept, for readable failures.
std::string Printable(std::string_view bytes);

// A list of texts as "[a] [b] ", each shown with Printable.
std::string Show(const std::vector<std::string>& texts);

// Whether file permissions stop this process (root on Linux ignores them).
bool PermissionsApply();

}  // namespace qv::test
