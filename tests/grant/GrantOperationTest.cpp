// GrantOperation against a recording fake of the security API: the calls and
// their arguments, the result of a failure at each step, and that every
// allocation obtained is released exactly once.
#include <gtest/gtest.h>

#include <map>

#include "grant/GrantOperation.h"

namespace qv {
namespace {

class RecordingApi : public SecurityApi {
 public:
  // Results per step; 0 is success.
  std::uint32_t getResult = 0, setEntriesResult = 0, setResult = 0;
  bool nullDacl = false;

  std::vector<std::string> calls;
  std::string getObject, setObject, trustee;
  int getType = -1, setType = -1, mode = -1;
  std::uint32_t getInfo = 0, setInfo = 0, permissions = 0, inheritance = 0;
  unsigned entryCount = 0;
  bool entryZeroAtBuild = false, sameEntry = false;
  void* oldAclPassed = nullptr;
  void* aclStored = nullptr;
  std::map<void*, int> frees;  // allocation -> times released
  std::vector<void*> allocations;

  std::uint32_t GetNamedSecurityInfo(const std::string& object, int type, std::uint32_t info, void** dacl,
                                     void** descriptor) override {
    calls.push_back("get");
    getObject = object;
    getType = type;
    getInfo = info;
    if (getResult != 0) return getResult;  // nothing handed out
    *descriptor = Allocate();
    *dacl = nullDacl ? nullptr : static_cast<char*>(*descriptor) + 20;  // inside the descriptor
    return 0;
  }
  void BuildExplicitAccessWithName(AccessEntry& entry, const std::string& name, std::uint32_t p, int m,
                                   std::uint32_t inh) override {
    calls.push_back("build");
    entryZeroAtBuild = std::all_of(std::begin(entry.bytes), std::end(entry.bytes), [](unsigned char b) { return b == 0; });
    built_ = &entry;
    entry.bytes[0] = 0x5A;  // filled
    trustee = name;
    permissions = p;
    mode = m;
    inheritance = inh;
  }
  std::uint32_t SetEntriesInAcl(unsigned count, AccessEntry* entries, void* oldAcl, void** newAcl) override {
    calls.push_back("entries");
    entryCount = count;
    sameEntry = entries == built_ && entries->bytes[0] == 0x5A;
    oldAclPassed = oldAcl;
    if (setEntriesResult != 0) return setEntriesResult;
    *newAcl = Allocate();
    return 0;
  }
  std::uint32_t SetNamedSecurityInfo(const std::string& object, int type, std::uint32_t info, void* dacl) override {
    calls.push_back("set");
    setObject = object;
    setType = type;
    setInfo = info;
    aclStored = dacl;
    return setResult;
  }
  void LocalFree(void* memory) override {
    calls.push_back("free");
    ++frees[memory];
  }

  ~RecordingApi() override {
    for (auto& b : blocks_) delete[] b;
  }
  // Every allocation released once, nothing else released.
  void ExpectAllReleasedOnce() const {
    EXPECT_EQ(frees.size(), allocations.size());
    for (void* a : allocations) {
      auto it = frees.find(a);
      EXPECT_TRUE(it != frees.end() && it->second == 1) << "allocation " << a;
    }
  }

 private:
  void* Allocate() {
    blocks_.push_back(new char[64]);
    allocations.push_back(blocks_.back());
    return blocks_.back();
  }
  std::vector<char*> blocks_;
  AccessEntry* built_ = nullptr;
};

TEST(GrantOperation, TheThreeChoicesAndNoOthers) {
  ASSERT_EQ(std::size(kGrantChoices), 3u);
  EXPECT_STREQ(kGrantChoices[0].caption, "修改");
  EXPECT_EQ(kGrantChoices[0].mask, 0x10000000u);
  EXPECT_EQ(kGrantChoices[0].mode, 2);
  EXPECT_STREQ(kGrantChoices[1].caption, "读取");
  EXPECT_EQ(kGrantChoices[1].mask, 0x80000000u);
  EXPECT_EQ(kGrantChoices[1].mode, 2);
  EXPECT_STREQ(kGrantChoices[2].caption, "无");
  EXPECT_EQ(kGrantChoices[2].mask, 0x10000000u);
  EXPECT_EQ(kGrantChoices[2].mode, 3);
}

TEST(GrantOperation, ArgumentsOfEachCallForEachChoice) {
  for (const GrantChoice& choice : kGrantChoices) {
    RecordingApi api;
    // Folder and account go on unchanged: blanks, trailing "\", 運 (DF 5C).
    const std::string folder = "D:\\共享\\運\\ ", account = " zhang ";
    EXPECT_TRUE(GrantOperation(api, folder, account, choice.mask, choice.mode)) << choice.caption;
    EXPECT_EQ(api.calls, (std::vector<std::string>{"get", "build", "entries", "set", "free", "free"}));
    EXPECT_EQ(api.getObject, folder);
    EXPECT_EQ(api.getType, 1);  // SE_FILE_OBJECT
    EXPECT_EQ(api.getInfo, 4u);  // DACL_SECURITY_INFORMATION
    EXPECT_TRUE(api.entryZeroAtBuild);
    EXPECT_EQ(api.trustee, account);
    EXPECT_EQ(api.permissions, choice.mask);
    EXPECT_EQ(api.mode, choice.mode);
    EXPECT_EQ(api.inheritance, 3u);  // SUB_CONTAINERS_AND_OBJECTS_INHERIT
    EXPECT_EQ(api.entryCount, 1u);
    EXPECT_TRUE(api.sameEntry);
    EXPECT_EQ(api.oldAclPassed, static_cast<char*>(api.allocations[0]) + 20);  // the folder's DACL
    EXPECT_EQ(api.setObject, folder);
    EXPECT_EQ(api.setType, 1);
    EXPECT_EQ(api.setInfo, 4u);  // no PROTECTED_DACL_SECURITY_INFORMATION
    EXPECT_EQ(api.aclStored, api.allocations[1]);  // the merged ACL
    api.ExpectAllReleasedOnce();
  }
}

TEST(GrantOperation, FailureAtEachStep) {
  const struct {
    const char* name;
    std::uint32_t get, entries, set;
    std::vector<std::string> calls;
    size_t allocations;
  } cases[] = {
      {"folder unreadable", 2, 0, 0, {"get"}, 0},
      {"account unknown", 0, 1332, 0, {"get", "build", "entries", "free"}, 1},
      {"not allowed to store", 0, 0, 5, {"get", "build", "entries", "set", "free", "free"}, 2},
  };
  for (const auto& c : cases) {
    RecordingApi api;
    api.getResult = c.get;
    api.setEntriesResult = c.entries;
    api.setResult = c.set;
    EXPECT_FALSE(GrantOperation(api, "D:\\a", "zhang", kGenericRead, kSetAccess)) << c.name;
    EXPECT_EQ(api.calls, c.calls) << c.name;
    EXPECT_EQ(api.allocations.size(), c.allocations) << c.name;
    api.ExpectAllReleasedOnce();
  }
}

// A folder without a DACL hands the merge no old list; the descriptor is still released.
TEST(GrantOperation, NullDacl) {
  RecordingApi api;
  api.nullDacl = true;
  EXPECT_TRUE(GrantOperation(api, "D:\\a", "zhang", kGenericAll, kDenyAccess));
  EXPECT_EQ(api.oldAclPassed, nullptr);
  api.ExpectAllReleasedOnce();
}

}  // namespace
}  // namespace qv
