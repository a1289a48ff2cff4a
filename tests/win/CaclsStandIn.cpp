#include "win/CaclsStandIn.h"

#include "common/TextTools.h"
#include "os/Files.h"

namespace qv::test {
namespace {

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

std::string Unhex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

// Built beside the test program's folder: build\<preset>\cacls.exe.
std::string BuiltStandIn() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path, n);
  for (int up = 0; up < 2; ++up) dir = dir.substr(0, dir.find_last_of('\\'));
  return dir + "\\cacls.exe";
}

}  // namespace

CaclsStandIn::CaclsStandIn() {
  char old[MAX_PATH];
  oldDirectory_.assign(old, GetCurrentDirectoryA(MAX_PATH, old));
  os::MakeDirectory(dir_.File("listings"));
  ready_ = CopyFileA(BuiltStandIn().c_str(), dir_.File("cacls.exe").c_str(), FALSE) &&
           SetCurrentDirectoryA(dir_.path().c_str());
  SetEnvironmentVariableA("QV_CACLS_LISTINGS", dir_.File("listings").c_str());
  SetEnvironmentVariableA("QV_CACLS_LOG", dir_.File("calls.log").c_str());
}

CaclsStandIn::~CaclsStandIn() {
  SetEnvironmentVariableA("QV_CACLS_LISTINGS", nullptr);
  SetEnvironmentVariableA("QV_CACLS_LOG", nullptr);
  SetCurrentDirectoryA(oldDirectory_.c_str());
  // A stand-in still running keeps its file: wait for it to end.
  for (int i = 0; i < 1000 && os::FileExists(dir_.File("cacls.exe")); ++i) {
    if (!DeleteFileA(dir_.File("cacls.exe").c_str())) Sleep(10);
  }
}

void CaclsStandIn::SetListing(const std::string& folder, const std::string& listing) const {
  os::WriteWholeFile(dir_.File("listings\\" + Hex(folder) + ".txt"), listing);
}

std::vector<CaclsStandIn::Call> CaclsStandIn::Calls() const {
  std::string log;
  os::ReadWholeFile(dir_.File("calls.log"), log);
  std::vector<Call> calls;
  for (int j = 1; j <= LineCount(log); ++j) {
    const std::vector<std::string> fields = SplitText(NthLine(log, j), "\t");
    Call call;
    const size_t n = fields.empty() ? 0 : std::stoul(fields[0]);
    for (size_t i = 1; i <= n && i < fields.size(); ++i) call.args.push_back(Unhex(fields[i]));
    for (size_t i = n + 1; i < fields.size(); ++i) call.commandLine += (i > n + 1 ? "\t" : "") + fields[i];
    calls.push_back(std::move(call));
  }
  return calls;
}

}  // namespace qv::test
