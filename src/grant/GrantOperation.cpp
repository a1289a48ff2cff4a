#include "grant/GrantOperation.h"

namespace qv {
namespace {

// Memory the security API allocated, released with LocalFree once.
class ApiMemory {
 public:
  explicit ApiMemory(SecurityApi& api) : api_(api) {}
  ~ApiMemory() {
    if (p_) api_.LocalFree(p_);
  }
  ApiMemory(const ApiMemory&) = delete;
  ApiMemory& operator=(const ApiMemory&) = delete;
  void** put() { return &p_; }
  void* get() const { return p_; }

 private:
  SecurityApi& api_;
  void* p_ = nullptr;
};

}  // namespace

bool GrantOperation(SecurityApi& api, const std::string& folder, const std::string& account, std::uint32_t mask,
                    int mode) {
  void* dacl = nullptr;  // points into the descriptor: not released on its own
  void* descriptor = nullptr;
  if (api.GetNamedSecurityInfo(folder, kSeFileObject, kDaclSecurityInformation, &dacl, &descriptor) !=
      kErrorSuccess)
    return false;
  ApiMemory ownedDescriptor(api);
  *ownedDescriptor.put() = descriptor;

  AccessEntry entry;
  api.BuildExplicitAccessWithName(entry, account, mask, mode, kSubContainersAndObjectsInherit);

  ApiMemory newAcl(api);
  if (api.SetEntriesInAcl(1, &entry, dacl, newAcl.put()) != kErrorSuccess) return false;

  // No protection flag: the folder keeps whatever it inherits from its parent.
  return api.SetNamedSecurityInfo(folder, kSeFileObject, kDaclSecurityInformation, newAcl.get()) == kErrorSuccess;
}

}  // namespace qv
