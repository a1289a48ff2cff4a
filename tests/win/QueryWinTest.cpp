// The whole query on real controls under Wine: a ListView with the sort
// style, real progress bars, WindowUiThread, and the cacls stand-in.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>

#include "query/QueryRun.h"
#include "support/TestSupport.h"
#include "win/CaclsStandIn.h"
#include "win/QueryWinSupport.h"

namespace qv {
namespace {

const std::vector<const char*> kTitles = {"文件目录  ", "管理员", "财务", "系统", "财务"};
constexpr int kColumns = 5;
using test::PumpUntil;

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  PumpUntil([&] { return GetTickCount() - start >= ms; });
}

bool WorkersGone() { return QueryRun::LiveWorkers() == 0; }

class QueryWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cacls.ready());
    program.WriteUserIni(
        "[帐号转换成职位]\r\n"
        "Administrators=管理员\r\n"
        "SYSTEM=系统\r\n"
        "张三=财务\r\n"
        "運營=系统\r\n");
  }
  void TearDown() override { EXPECT_TRUE(PumpUntil(WorkersGone)); }

  void AddRows(const std::vector<std::string>& folders) {
    for (const std::string& f : folders) {
      const int r = main.table.InsertRow(-1, f);
      for (int k = 1; k < kColumns; ++k) main.table.SetCellText(r, k, "旧");
    }
  }
  // Cells 1.. of the row whose folder is folder.
  std::vector<std::string> Cells(const std::string& folder) const {
    for (int r = 0; r < main.table.RowCount(); ++r) {
      if (main.table.CellText(r, 0) != folder) continue;
      std::vector<std::string> cells;
      for (int k = 1; k < kColumns; ++k) cells.push_back(test::Printable(main.table.CellText(r, k)));
      return cells;
    }
    return {"no row " + test::Printable(folder)};
  }
  static std::vector<std::string> P(const std::vector<std::string>& v) {
    std::vector<std::string> out;
    for (const std::string& s : v) out.push_back(test::Printable(s));
    return out;
  }
  bool Finish(QueryRun& run) { return PumpUntil([&] { return !run.Running() && WorkersGone(); }); }

  test::CaclsStandIn cacls;
  test::ProgramDir program;
  test::RealMain main{kTitles};
};

TEST_F(QueryWinTest, FillsExactlyTheCellsTheListingsGive) {
  const std::string finance = "Z:\\qv\\财务部", rnd = "Z:\\qv\\研发 R&D", ops = "Z:\\qv\\運營\\", none = "Z:\\qv\\无";
  AddRows({rnd, finance, none, ops});
  cacls.SetListing(finance,
                   finance + " NT AUTHORITY\\SYSTEM:(OI)(CI)F \r\n"
                   "              BUILTIN\\Administrators:(OI)(CI)F \r\n"
                   "              CORP\\张三:(OI)(CI)C \r\n"
                   "              Everyone:R \r\n\r\n");
  cacls.SetListing(rnd, rnd + " CORP\\张三:(OI)(CI)R \r\n              CORP\\張:N \r\n\r\n");
  cacls.SetListing(ops, ops + " 誠\\運營:(OI)(CI)N \r\n            CORP\\张三:(OI)(CI)(special) \r\n\r\n");
  // none has no listing: the stand-in reports that the folder does not exist.
  QueryRun run(main.context);
  run.Start();
  ASSERT_TRUE(Finish(run));

  EXPECT_EQ(Cells(finance), P({"修改", "修改", "修改", "修改"}));
  EXPECT_EQ(Cells(rnd), P({"", "读", "", "读"}));
  EXPECT_EQ(Cells(ops), P({"", ") ", "拒绝", ") "}));
  EXPECT_EQ(Cells(none), P({"", "", "", ""}));
  EXPECT_EQ(main.progress1.Max(), 4);
  EXPECT_EQ(main.progress1.Pos(), 4);
  // The last row read ends on a line of its listing: every column counted.
  EXPECT_EQ(main.progress2.Max(), kColumns);
  EXPECT_EQ(main.progress2.Pos(), kColumns);

  std::vector<std::string> asked;
  for (const auto& call : cacls.Calls()) {
    ASSERT_EQ(call.args.size(), 1u) << test::Printable(call.commandLine);
    asked.push_back(call.args[0]);
  }
  std::vector<std::string> rows;
  for (int r = 0; r < main.table.RowCount(); ++r) rows.push_back(main.table.CellText(r, 0));
  EXPECT_EQ(P(asked), P(rows));  // each row once, in the table's order
}

// Folder names that a command interpreter would split, expand or run as a
// second command reach cacls as one argument, byte for byte.
TEST_F(QueryWinTest, EveryFolderNameReachesCaclsIntact) {
  const std::vector<std::string> folders = {
      "Z:\\qv\\a b",     "Z:\\qv\\R&D",          "Z:\\qv\\a&cacls Z:\\qv\\injected", "Z:\\qv\\a^b&&x",
      "Z:\\qv\\50%PATH%", "Z:\\qv\\(x) !x! ;,=", "Z:\\qv\\運",                        "Z:\\qv\\運\\",
      "Z:\\qv\\共享 目录\\", "Z:\\qv\\x\\\\",       "Z:\\",                             ""};
  AddRows(folders);
  for (const std::string& f : folders) cacls.SetListing(f, f + " CORP\\张三:R \r\n");
  QueryRun run(main.context);
  run.Start();
  ASSERT_TRUE(Finish(run));

  std::vector<std::string> asked;
  for (const auto& call : cacls.Calls()) {
    EXPECT_EQ(call.args.size(), 1u) << test::Printable(call.commandLine);
    if (!call.args.empty()) asked.push_back(call.args[0]);
  }
  std::vector<std::string> expected = folders;
  std::sort(expected.begin(), expected.end());
  std::sort(asked.begin(), asked.end());
  EXPECT_EQ(P(asked), P(expected));
  // The listing of each folder was read as its own: its first entry counts.
  for (const std::string& f : folders) EXPECT_EQ(Cells(f), P({"", "读", "", "读"})) << test::Printable(f);
}

TEST_F(QueryWinTest, StopDuringARunTakesEffectAtOnce) {
  const std::vector<std::string> folders = {"Z:\\qv\\1", "Z:\\qv\\2", "Z:\\qv\\3"};
  AddRows(folders);
  for (const std::string& f : folders) cacls.SetListing(f, f + " CORP\\张三:R \r\n");
  test::ScopedEnv slow("QV_CACLS_SLEEP_MS", "1500");
  QueryRun run(main.context);
  run.Start();
  ASSERT_TRUE(PumpUntil([&] { return cacls.Calls().size() == 1; }));
  const DWORD start = GetTickCount();
  run.Stop();
  EXPECT_LT(GetTickCount() - start, 100u);
  // The worker leaves its capture without waiting for the command.
  ASSERT_TRUE(PumpUntil(WorkersGone, 1000));
  PumpFor(200);
  EXPECT_EQ(cacls.Calls().size(), 1u);
  EXPECT_EQ(Cells(folders[0]), P({"", "", "", ""}));  // reached: cleared
  EXPECT_EQ(Cells(folders[1]), P({"旧", "旧", "旧", "旧"}));
  EXPECT_EQ(Cells(folders[2]), P({"旧", "旧", "旧", "旧"}));
  EXPECT_EQ(main.progress1.Pos(), 1);
}

TEST_F(QueryWinTest, TwoQuickStartsRunOnceThroughEveryRow) {
  const std::vector<std::string> folders = {"Z:\\qv\\1", "Z:\\qv\\2", "Z:\\qv\\3"};
  AddRows(folders);
  for (const std::string& f : folders) cacls.SetListing(f, f + " BUILTIN\\Administrators:F \r\n");
  test::ScopedEnv slow("QV_CACLS_SLEEP_MS", "100");
  QueryRun run(main.context);
  run.Start();
  run.Start();
  ASSERT_TRUE(Finish(run));
  for (const std::string& f : folders) EXPECT_EQ(Cells(f), P({"修改", "", "", ""}));
  EXPECT_EQ(main.progress1.Pos(), 3);
  EXPECT_LE(cacls.Calls().size(), 4u);
}

// The program closes while the worker is inside SendMessageA to the UI
// thread: the QueryRun goes without a deadlock, and the worker ends
// without running its operation or anything after it.
TEST_F(QueryWinTest, DestroyedWhileTheWorkerWaitsOnTheUiThread) {
  AddRows({"Z:\\qv\\1"});
  main.progress1.SetPos(7);
  auto run = std::make_unique<QueryRun>(main.context);
  run->Start();
  Sleep(200);  // no messages handled: the worker waits in its first call
  const DWORD start = GetTickCount();
  run.reset();
  EXPECT_LT(GetTickCount() - start, 1000u);
  const DWORD wait = GetTickCount();
  while (!WorkersGone() && GetTickCount() - wait < 5000) Sleep(1);
  EXPECT_TRUE(WorkersGone());
  PumpFor(100);
  EXPECT_EQ(main.progress1.Pos(), 7);
  EXPECT_TRUE(cacls.Calls().empty());
}

// The same while the worker waits for a command: the close does not wait
// for the command either.
TEST_F(QueryWinTest, DestroyedWhileACommandRuns) {
  AddRows({"Z:\\qv\\1", "Z:\\qv\\2"});
  test::ScopedEnv slow("QV_CACLS_SLEEP_MS", "1500");
  auto run = std::make_unique<QueryRun>(main.context);
  run->Start();
  ASSERT_TRUE(PumpUntil([&] { return cacls.Calls().size() == 1; }));
  const DWORD start = GetTickCount();
  run.reset();
  EXPECT_LT(GetTickCount() - start, 100u);
  ASSERT_TRUE(PumpUntil(WorkersGone, 1000));
  EXPECT_EQ(Cells("Z:\\qv\\2"), P({"旧", "旧", "旧", "旧"}));
}

}  // namespace
}  // namespace qv
