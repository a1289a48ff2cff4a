#include <windows.h>
#include <aclapi.h>

#include <cstring>
#include <vector>

#include "grant/GrantOperation.h"

namespace qv {
namespace {

static_assert(sizeof(EXPLICIT_ACCESS_A) <= sizeof(AccessEntry::bytes));

// A writable copy: some declarations of the A-functions take LPSTR.
std::vector<char> Writable(const std::string& text) { return std::vector<char>(text.c_str(), text.c_str() + text.size() + 1); }

class Advapi32 : public SecurityApi {
 public:
  std::uint32_t GetNamedSecurityInfo(const std::string& object, int type, std::uint32_t info, void** dacl,
                                     void** descriptor) override {
    std::vector<char> name = Writable(object);
    PACL acl = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    const DWORD r = ::GetNamedSecurityInfoA(name.data(), static_cast<SE_OBJECT_TYPE>(type), info, nullptr, nullptr,
                                            &acl, nullptr, &sd);
    *dacl = acl;
    *descriptor = sd;
    return r;
  }

  void BuildExplicitAccessWithName(AccessEntry& entry, const std::string& trustee, std::uint32_t permissions,
                                   int mode, std::uint32_t inheritance) override {
    EXPLICIT_ACCESS_A ea;
    std::memcpy(&ea, entry.bytes, sizeof ea);
    // The trustee keeps a pointer to the name; the caller's string outlives the entry's use.
    ::BuildExplicitAccessWithNameA(&ea, const_cast<LPSTR>(trustee.c_str()), permissions,
                                   static_cast<ACCESS_MODE>(mode), inheritance);
    std::memcpy(entry.bytes, &ea, sizeof ea);
  }

  std::uint32_t SetEntriesInAcl(unsigned count, AccessEntry* entries, void* oldAcl, void** newAcl) override {
    std::vector<EXPLICIT_ACCESS_A> eas(count);
    for (unsigned i = 0; i < count; ++i) std::memcpy(&eas[i], entries[i].bytes, sizeof eas[i]);
    PACL acl = nullptr;
    const DWORD r = ::SetEntriesInAclA(count, eas.data(), static_cast<PACL>(oldAcl), &acl);
    *newAcl = acl;
    return r;
  }

  std::uint32_t SetNamedSecurityInfo(const std::string& object, int type, std::uint32_t info, void* dacl) override {
    std::vector<char> name = Writable(object);
    return ::SetNamedSecurityInfoA(name.data(), static_cast<SE_OBJECT_TYPE>(type), info, nullptr, nullptr,
                                   static_cast<PACL>(dacl), nullptr);
  }

  void LocalFree(void* memory) override { ::LocalFree(memory); }
};

}  // namespace

SecurityApi& SystemSecurityApi() {
  static Advapi32 api;
  return api;
}

bool GrantOperation(const std::string& folder, const std::string& account, std::uint32_t mask, int mode) {
  return GrantOperation(SystemSecurityApi(), folder, account, mask, mode);
}

}  // namespace qv
