// The grant log's name, line and file.
#include <gtest/gtest.h>

#include "grant/GrantLog.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

TEST(GrantLog, StampDropsTheTrailingZeroParts) {
  const struct {
    os::LocalTime t;
    std::string stamp;
  } cases[] = {
      {{2013, 5, 1, 14, 3, 7}, "2013年5月1日14时3分7秒"},
      {{2013, 5, 1, 14, 0, 7}, "2013年5月1日14时0分7秒"},
      {{2013, 5, 1, 9, 30, 0}, "2013年5月1日9时30分"},
      {{2013, 5, 1, 14, 0, 0}, "2013年5月1日14时"},
      {{2013, 5, 1, 0, 0, 0}, "2013年5月1日"},
      {{2013, 12, 31, 0, 0, 5}, "2013年12月31日0时0分5秒"},
      {{2013, 12, 31, 0, 10, 0}, "2013年12月31日0时10分"},
      {{2013, 12, 31, 23, 59, 59}, "2013年12月31日23时59分59秒"},
  };
  for (const auto& c : cases) EXPECT_EQ(GrantLogStamp(c.t), c.stamp) << c.stamp;
}

TEST(GrantLog, LineAndPath) {
  EXPECT_EQ(GrantLogLine("zhang", "D:\\共享\\運", true), "为用户：zhang授权：D:\\共享\\運----真\r\n");
  EXPECT_EQ(GrantLogLine("1", "D:\\a", false), "为用户：1授权：D:\\a----假\r\n");
  test::ProgramDir dir;
  EXPECT_EQ(GrantLogPath({2013, 5, 1, 14, 3, 7}), dir.path() + "\\Log\\2013年5月1日14时3分7秒.Txt");
}

TEST(GrantLog, LogFolderIsMadeAndASecondRunInTheSameSecondAppends) {
  test::ProgramDir dir;
  const os::LocalTime t{2013, 5, 1, 14, 3, 7};
  ASSERT_FALSE(os::DirectoryExists(dir.File("Log")));
  EXPECT_TRUE(WriteGrantLog("first\r\n", t));
  EXPECT_TRUE(os::DirectoryExists(dir.File("Log")));
  EXPECT_TRUE(WriteGrantLog("second\r\n", t));
  EXPECT_TRUE(WriteGrantLog("", t));
  EXPECT_EQ(dir.Read("Log\\2013年5月1日14时3分7秒.Txt"), "first\r\nsecond\r\n");
  // A run that attempted nothing still leaves its (empty) file.
  EXPECT_TRUE(WriteGrantLog("", {2013, 5, 1, 14, 3, 8}));
  EXPECT_TRUE(os::FileExists(dir.File("Log\\2013年5月1日14时3分8秒.Txt")));
  EXPECT_EQ(dir.Read("Log\\2013年5月1日14时3分8秒.Txt"), "");
}

TEST(GrantLog, UnwritableLogFailsQuietly) {
  test::ProgramDir dir;
  dir.Write("Log", "a file where the folder should be");
  EXPECT_FALSE(WriteGrantLog("line\r\n", {2013, 5, 1, 14, 3, 7}));
}

}  // namespace
}  // namespace qv
