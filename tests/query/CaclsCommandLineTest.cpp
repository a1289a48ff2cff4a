// The command line that hands a folder to cacls: one argument, read back by
// the C runtime as exactly the folder's bytes.
#include <gtest/gtest.h>

#include "query/ConsoleCapture.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

TEST(CaclsCommandLine, QuotesTheFolderAsOneArgument) {
  struct Case {
    std::string folder, line;
  } const cases[] = {
      {"D:\\共享", "cacls \"D:\\共享\""},
      {"D:\\a b", "cacls \"D:\\a b\""},
      {"D:\\R&D", "cacls \"D:\\R&D\""},
      {"D:\\50%PATH%^!x!(1);a,b=c", "cacls \"D:\\50%PATH%^!x!(1);a,b=c\""},
      {"", "cacls \"\""},
      // Backslashes before the closing quote are doubled, or the last would
      // escape the quote; backslashes elsewhere stay single.
      {"D:\\", "cacls \"D:\\\\\""},
      {"D:\\a b\\\\", "cacls \"D:\\a b\\\\\\\\\""},
      {"\\\\srv\\share\\", "cacls \"\\\\srv\\share\\\\\""},
      // 運 is DF 5C: its second byte is no backslash and is not doubled ...
      {"D:\\運", "cacls \"D:\\運\""},
      {"D:\\誠", "cacls \"D:\\誠\""},
      // ... but a backslash character after it is.
      {"D:\\運\\", "cacls \"D:\\運\\\\\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(test::Printable(CaclsCommandLine(c.folder)), test::Printable(c.line)) << test::Printable(c.folder);
  }
}

TEST(CaclsCommandLine, InterpreterByPlatform) {
  EXPECT_EQ(InterpreterCommandLine("cacls D:\\x", true), "cmd.exe /c cacls D:\\x");
  EXPECT_EQ(InterpreterCommandLine("cacls D:\\x", false), "command.com /c cacls D:\\x");
}

}  // namespace
}  // namespace qv
