// The grant under Wine: the real advapi32 calls, and the real grant window
// opened from the real main window's popup menu.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/MainWindow.h"
#include "app/MemoryUi.h"
#include "app/MessageLoop.h"
#include "grant/GrantLog.h"
#include "grant/GrantOperation.h"
#include "grant/GrantWindowWin32.h"
#include "support/TestSupport.h"
#include "win/WinTestSupport.h"

namespace qv {
namespace {

std::string UserName() {
  char name[256] = {};
  DWORD n = sizeof name;
  GetUserNameA(name, &n);
  return name;
}

// Wine keeps no file DACL, so these check the results of the calls only.
TEST(GrantOperationWine, RealCallsOnAnExistingAndAMissingFolder) {
  test::TempDir dir;
  os::MakeDirectory(dir.File("共享運"));
  for (const GrantChoice& c : kGrantChoices) {
    EXPECT_TRUE(GrantOperation(dir.File("共享運"), UserName(), c.mask, c.mode)) << c.caption << " " << UserName();
    EXPECT_TRUE(GrantOperation(dir.File("共享運"), "Everyone", c.mask, c.mode)) << c.caption;
    EXPECT_FALSE(GrantOperation(dir.File("missing"), UserName(), c.mask, c.mode)) << c.caption;
    EXPECT_FALSE(GrantOperation(dir.File("共享運"), "无此帐号_qv", c.mask, c.mode)) << c.caption;
  }
}

}  // namespace
}  // namespace qv
