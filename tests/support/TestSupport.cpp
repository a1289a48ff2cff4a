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

bool PermissionsApply() {
#ifdef _WIN32
  return true;
#else
  return ::geteuid() != 0;
#endif
}

}  // namespace qv::test
