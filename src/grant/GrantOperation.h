// Sets one account's access on one folder through the security API: one
// explicit access entry, inherited by subfolders and files, merged into the
// folder's DACL. True when the new DACL was stored.
#pragma once
#include <cstdint>
#include <string>

namespace qv {

// The Win32 values, for the portable code.
inline constexpr std::uint32_t kGenericAll = 0x10000000;
inline constexpr std::uint32_t kGenericRead = 0x80000000;
inline constexpr int kSetAccess = 2;   // SET_ACCESS
inline constexpr int kDenyAccess = 3;  // DENY_ACCESS
inline constexpr std::uint32_t kSubContainersAndObjectsInherit = 3;
inline constexpr int kSeFileObject = 1;
inline constexpr std::uint32_t kDaclSecurityInformation = 4;
inline constexpr std::uint32_t kErrorSuccess = 0;

// The grant window's three choices, in the order of its radio buttons; the
// program grants nothing else.
struct GrantChoice {
  const char* caption;
  std::uint32_t mask;
  int mode;
};
inline constexpr GrantChoice kGrantChoices[3] = {
    {"修改", kGenericAll, kSetAccess},
    {"读取", kGenericRead, kSetAccess},
    {"无", kGenericAll, kDenyAccess},
};

// Room for one EXPLICIT_ACCESS_A, zero-filled; the platform side fills it.
struct AccessEntry {
  alignas(8) unsigned char bytes[64] = {};
};

// The four advapi32 calls and LocalFree, as the operation makes them.
// Pointers are the system's (ACL, security descriptor); 0 results are
// ERROR_SUCCESS.
class SecurityApi {
 public:
  virtual ~SecurityApi() = default;
  // GetNamedSecurityInfoA(object, type, info, owner: none, group: none, &dacl, SACL: none, &descriptor)
  virtual std::uint32_t GetNamedSecurityInfo(const std::string& object, int type, std::uint32_t info, void** dacl,
                                             void** descriptor) = 0;
  // BuildExplicitAccessWithNameA(&entry, trustee, permissions, mode, inheritance); trustee must
  // outlive the use of entry.
  virtual void BuildExplicitAccessWithName(AccessEntry& entry, const std::string& trustee,
                                           std::uint32_t permissions, int mode, std::uint32_t inheritance) = 0;
  // SetEntriesInAclA(count, entries, oldAcl, &newAcl)
  virtual std::uint32_t SetEntriesInAcl(unsigned count, AccessEntry* entries, void* oldAcl, void** newAcl) = 0;
  // SetNamedSecurityInfoA(object, type, info, owner: none, group: none, dacl, SACL: none)
  virtual std::uint32_t SetNamedSecurityInfo(const std::string& object, int type, std::uint32_t info,
                                             void* dacl) = 0;
  virtual void LocalFree(void* memory) = 0;
};

// The operation on any implementation of the calls. Folder and account are
// passed on unchanged. The descriptor of the first call and the ACL of the
// third are released on every path on which they were obtained.
bool GrantOperation(SecurityApi& api, const std::string& folder, const std::string& account, std::uint32_t mask,
                    int mode);

// On the system's advapi32 (Win32 builds only).
SecurityApi& SystemSecurityApi();
bool GrantOperation(const std::string& folder, const std::string& account, std::uint32_t mask, int mode);

}  // namespace qv
