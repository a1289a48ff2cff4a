// Stand-in for cacls.exe: "cacls folder" prints the folder's access list the
// way the query reads it:
//
//   D:\共享 BUILTIN\Administrators:(OI)(CI)F 
//           NT AUTHORITY\SYSTEM:(OI)(CI)F 
//
// (the path, one blank, the first entry; each further entry indented by
// blanks to stand under the first; every line ends with one blank; an empty
// line closes the listing). Entries come from GetNamedSecurityInfoA, names
// from LookupAccountSidA; a deny entry shows "N", an allow entry "F", "C",
// "W" or "R" by its rights, or its mask in parentheses when none fits.
//
// For tests, environment variables change what it does:
//   QV_CACLS_LOG       file to which every call appends one line: the number
//                      of arguments, each argument in hex, and the raw command
//                      line (GetCommandLineA), separated by tabs, then CR LF
//   QV_CACLS_LISTINGS  folder of fixed listings: when it holds a file named
//                      by the first argument in hex plus ".txt", that file's
//                      bytes are printed instead
//   QV_CACLS_LISTING   a file printed for every folder that has none of its
//                      own in QV_CACLS_LISTINGS
//   QV_CACLS_SLEEP_MS  milliseconds to wait before printing
//   QV_CACLS_STDERR    file whose bytes are written to standard error before
//                      the listing
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <cstdlib>
#include <string>

namespace {

std::string Env(const char* name) {
  char buffer[4096];
  const DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  // The text up to its 0: Wine's count is not always in bytes for GBK texts.
  return n > 0 && n < sizeof buffer ? std::string(buffer) : std::string();
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

void Write(HANDLE to, const std::string& bytes) {
  DWORD done = 0;
  for (size_t at = 0; at < bytes.size(); at += done) {
    if (!WriteFile(to, bytes.data() + at, static_cast<DWORD>(bytes.size() - at), &done, nullptr) || done == 0) return;
  }
}

bool ReadFileBytes(const std::string& path, std::string& out) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  char buffer[65536];
  DWORD got = 0;
  out.clear();
  while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(f);
  return true;
}

void Log(int argc, char** argv) {
  const std::string path = Env("QV_CACLS_LOG");
  if (path.empty()) return;
  std::string line = std::to_string(argc - 1);
  for (int i = 1; i < argc; ++i) line += "\t" + Hex(argv[i]);
  line += "\t";
  line += GetCommandLineA();
  line += "\r\n";
  // Several stand-ins may end at once: retry while another one has the file.
  for (int attempt = 0; attempt < 200; ++attempt) {
    HANDLE f = CreateFileA(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
      Write(f, line);
      CloseHandle(f);
      return;
    }
    Sleep(5);
  }
}

std::string AccountName(PSID sid) {
  char name[256], domain[256];
  DWORD nameLen = sizeof name, domainLen = sizeof domain;
  SID_NAME_USE use;
  if (LookupAccountSidA(nullptr, sid, name, &nameLen, domain, &domainLen, &use)) {
    return domain[0] ? std::string(domain) + "\\" + name : std::string(name);
  }
  char* text = nullptr;
  if (ConvertSidToStringSidA(sid, &text)) {
    std::string s = text;
    LocalFree(text);
    return s;
  }
  return "?";
}

std::string Rights(bool deny, ACCESS_MASK mask) {
  if (deny) return "N";
  auto has = [mask](ACCESS_MASK m) { return (mask & m) == m; };
  if (has(GENERIC_ALL) || has(FILE_ALL_ACCESS)) return "F";
  if (has(FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE) ||
      has(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | DELETE))
    return "C";
  if (has(FILE_GENERIC_WRITE) || has(GENERIC_WRITE)) return "W";
  if (has(FILE_GENERIC_READ) || has(GENERIC_READ)) return "R";
  char buffer[32];
  wsprintfA(buffer, "(0x%08lX)", static_cast<unsigned long>(mask));
  return buffer;
}

std::string Flags(BYTE flags) {
  std::string out;
  if (flags & OBJECT_INHERIT_ACE) out += "(OI)";
  if (flags & CONTAINER_INHERIT_ACE) out += "(CI)";
  if (flags & INHERIT_ONLY_ACE) out += "(IO)";
  if (flags & NO_PROPAGATE_INHERIT_ACE) out += "(NP)";
  return out;
}

std::string Listing(const std::string& path) {
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR sd = nullptr;
  const DWORD rc = GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                         &dacl, nullptr, &sd);
  if (rc != ERROR_SUCCESS) {
    return rc == ERROR_FILE_NOT_FOUND || rc == ERROR_PATH_NOT_FOUND ? "The system cannot find the file specified.\r\n"
                                                                    : "Access is denied.\r\n";
  }
  std::string out = path + " ";
  const std::string indent(path.size() + 1, ' ');
  bool first = true;
  if (!dacl) {
    out += "Everyone:F \r\n";
    first = false;
  }
  for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
    ACE_HEADER* ace = nullptr;
    if (!GetAce(dacl, i, reinterpret_cast<void**>(&ace))) continue;
    const bool deny = ace->AceType == ACCESS_DENIED_ACE_TYPE;
    if (!deny && ace->AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    // Both kinds share the layout: header, mask, SID.
    const auto* allowed = reinterpret_cast<ACCESS_ALLOWED_ACE*>(ace);
    const PSID sid = const_cast<DWORD*>(&allowed->SidStart);
    if (!first) out += indent;
    out += AccountName(sid) + ":" + Flags(ace->AceFlags) + Rights(deny, allowed->Mask) + " \r\n";
    first = false;
  }
  if (first) out += "\r\n";
  out += "\r\n";
  LocalFree(sd);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  Log(argc, argv);
  const std::string sleepMs = Env("QV_CACLS_SLEEP_MS");
  if (!sleepMs.empty()) Sleep(static_cast<DWORD>(std::strtoul(sleepMs.c_str(), nullptr, 10)));
  std::string err;
  if (ReadFileBytes(Env("QV_CACLS_STDERR"), err)) Write(GetStdHandle(STD_ERROR_HANDLE), err);

  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (argc < 2) {
    Write(out, "Usage: cacls folder\r\n");
    return 1;
  }
  const std::string folder = argv[1];
  const std::string fixed = Env("QV_CACLS_LISTINGS");
  std::string bytes;
  const std::string shared = Env("QV_CACLS_LISTING");
  if ((!fixed.empty() && ReadFileBytes(fixed + "\\" + Hex(folder) + ".txt", bytes)) ||
      (!shared.empty() && ReadFileBytes(shared, bytes))) {
    Write(out, bytes);
    return 0;
  }
  Write(out, Listing(folder));
  return 0;
}
