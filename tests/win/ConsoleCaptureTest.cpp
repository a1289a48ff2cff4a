// ConsoleCapture under Wine, with the cacls stand-in as the command.
#include <gtest/gtest.h>

#include <windows.h>

#include "query/ConsoleCapture.h"
#include "support/TestSupport.h"
#include "win/CaclsStandIn.h"

namespace qv {
namespace {

class ConsoleCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(cacls.ready()); }
  // Output of the given size: numbered CR LF lines with Chinese text, so
  // that a chunk lost, doubled or out of order shows.
  static std::string Numbered(size_t size) {
    std::string out;
    for (int n = 0; out.size() < size; ++n) out += std::to_string(n) + " 帐号運誠\\ abc\r\n";
    out.resize(size);
    return out;
  }
  test::CaclsStandIn cacls;
};

TEST_F(ConsoleCaptureTest, EmptyCommandStartsNothing) {
  EXPECT_EQ(CaptureOutput(""), "");
  EXPECT_EQ(CaptureProgramOutput(""), "");
  EXPECT_TRUE(cacls.Calls().empty());
}

TEST_F(ConsoleCaptureTest, OutputArrivesWholeAndInOrder) {
  // 1023 bytes a read; 200,000 bytes is more than the pipe holds, so the
  // command waits for the reads.
  for (size_t size : {1u, 1023u, 1024u, 5000u, 200000u}) {
    const std::string folder = "D:\\size" + std::to_string(size);
    const std::string listing = Numbered(size);
    cacls.SetListing(folder, listing);
    EXPECT_EQ(CaptureProgramOutput(CaclsCommandLine(folder)), listing) << size;
    EXPECT_EQ(CaptureOutput(CaclsCommandLine(folder)), listing) << size << " through the interpreter";
  }
}

TEST_F(ConsoleCaptureTest, StandardErrorIsCaptured) {
  cacls.SetListing("D:\\x", "D:\\x CORP\\张三:R \r\n");
  cacls.dir().Write("stderr.txt", "拒绝访问。\r\n");
  test::ScopedEnv err("QV_CACLS_STDERR", cacls.dir().File("stderr.txt"));
  EXPECT_EQ(CaptureProgramOutput(CaclsCommandLine("D:\\x")), "拒绝访问。\r\nD:\\x CORP\\张三:R \r\n");
}

TEST_F(ConsoleCaptureTest, ZeroByteCutsTheRestOfItsRead) {
  cacls.SetListing("D:\\x", std::string("abc\0def\r\n", 9));
  EXPECT_EQ(CaptureProgramOutput(CaclsCommandLine("D:\\x")), "abc");
  cacls.SetListing("D:\\y", std::string("\0", 1));
  EXPECT_EQ(CaptureProgramOutput(CaclsCommandLine("D:\\y")), "");
}

TEST_F(ConsoleCaptureTest, InterpreterCommands) {
  EXPECT_EQ(CaptureOutput("echo hello"), "hello\r\n");
  EXPECT_EQ(CaptureOutput("rem"), "");  // ends at once, writes nothing
  // An exit code that reads like "still running" still ends the capture.
  EXPECT_EQ(CaptureOutput("exit 259"), "");
  EXPECT_EQ(CaptureProgramOutput("qv_no_such_program_here.exe x"), "");
}

TEST_F(ConsoleCaptureTest, CancelReturnsWithoutWaitingForTheCommand) {
  test::ScopedEnv sleep("QV_CACLS_SLEEP_MS", "3000");
  const DWORD start = GetTickCount();
  const std::string out = CaptureProgramOutput(CaclsCommandLine("D:\\x"), [&] { return GetTickCount() - start > 100; });
  EXPECT_EQ(out, "");
  EXPECT_LT(GetTickCount() - start, 1500u);
}

}  // namespace
}  // namespace qv
