// The cacls stand-in for tests under Wine: a copy in a temporary folder that
// is the current directory for the scope, so that "cacls" finds it before
// the system's (which lists nothing). Listings are given per folder; every
// call is logged with the arguments the stand-in received.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace qv::test {

// An environment variable set for the scope (inherited by the commands).
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) { SetEnvironmentVariableA(name, value.c_str()); }
  ~ScopedEnv() { SetEnvironmentVariableA(name_, nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
};

class CaclsStandIn {
 public:
  CaclsStandIn();
  // Waits for stand-ins that a stopped run left running, then removes all.
  ~CaclsStandIn();
  CaclsStandIn(const CaclsStandIn&) = delete;
  CaclsStandIn& operator=(const CaclsStandIn&) = delete;

  bool ready() const { return ready_; }
  const TempDir& dir() const { return dir_; }
  // What "cacls folder" prints from now on.
  void SetListing(const std::string& folder, const std::string& listing) const;

  struct Call {
    std::vector<std::string> args;  // as the stand-in's C runtime read them
    std::string commandLine;        // its raw command line
  };
  std::vector<Call> Calls() const;

 private:
  TempDir dir_;
  std::string oldDirectory_;
  bool ready_ = false;
};

}  // namespace qv::test
