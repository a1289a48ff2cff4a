#include "support/TestSupport.h"

#include <cstdio>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace qv::test {

TempDir::TempDir() : path_(os::MakeTempDirectory("qvtest")) {}
TempDir::~TempDir() {
  if (!path_.empty()) os::RemoveTree(path_);
}

std::string TempDir::Read(const std::string& name) const {
  std::string bytes;
  os::ReadWholeFile(File(name), bytes);
  return bytes;
}

std::vector<std::string> Column0(const ListControl& list) {
  std::vector<std::string> out;
  for (int r = 0; r < list.RowCount(); ++r) out.push_back(list.CellText(r, 0));
  return out;
}

std::string Printable(std::string_view bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out.push_back(static_cast<char>(c));
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  return out;
}

std::string Show(const std::vector<std::string>& texts) {
  std::string s;
  for (const std::string& t : texts) s += "[" + Printable(t) + "] ";
  return s;
}

bool PermissionsApply() {
#ifdef _WIN32
  return true;
#else
  return ::geteuid() != 0;
#endif
}

}  // namespace qv::test
