// Figures of the query under Wine, not timed tests: run them by hand with
//   tools/wine-run 32 build/win32/tests/quorvane_tests.exe \
//       --gtest_also_run_disabled_tests --gtest_filter='*QueryBenchmark*'
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "folders/TableSorter.h"
#include "os/Handles.h"
#include "query/ConsoleCapture.h"
#include "query/QueryRun.h"
#include "support/TestSupport.h"
#include "win/CaclsStandIn.h"
#include "win/QueryWinSupport.h"

namespace qv {
namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

std::string Folder(int i) {
  char name[64];
  std::snprintf(name, sizeof name, "Z:\\qv\\共享\\folder%04d", i);
  return name;
}

// The bare cost of the command: the same process start, its output in the
// same kind of pipe, waited for without polling.
void RunBare(const std::string& folder) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  win::KernelHandle readEnd, writeEnd;
  CreatePipe(readEnd.put(), writeEnd.put(), &sa, 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  si.wShowWindow = SW_HIDE;
  si.hStdOutput = si.hStdError = writeEnd.get();
  PROCESS_INFORMATION pi{};
  std::string line = CaclsCommandLine(folder);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return;
  win::KernelHandle process(pi.hProcess), thread(pi.hThread);
  writeEnd.reset();
  WaitForSingleObject(process.get(), INFINITE);
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(readEnd.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
  }
}

constexpr char kListing[] =
    "Z:\\qv NT AUTHORITY\\SYSTEM:(OI)(CI)F \r\n"
    "      BUILTIN\\Administrators:(OI)(CI)F \r\n"
    "      CORP\\张三:(OI)(CI)C \r\n"
    "      CORP\\李四:R \r\n"
    "      Everyone:(OI)(CI)R \r\n"
    "\r\n";

TEST(QueryBenchmark, DISABLED_QueryOfAThousandFolders) {
  test::CaclsStandIn cacls;
  ASSERT_TRUE(cacls.ready());
  SetEnvironmentVariableA("QV_CACLS_LOG", nullptr);
  cacls.dir().Write("listing.txt", kListing);
  test::ScopedEnv listing("QV_CACLS_LISTING", cacls.dir().File("listing.txt"));
  test::ProgramDir program;
  program.WriteUserIni("[帐号转换成职位]\r\nAdministrators=管理员\r\nSYSTEM=系统\r\n张三=财务\r\n李四=人事\r\n");

  test::RealMain main({"文件目录  ", "管理员", "财务", "系统", "人事", "财务", "访客"});
  ListControl& table = main.table;
  char count[16] = {};
  const int kFolders = GetEnvironmentVariableA("QV_BENCH_FOLDERS", count, sizeof count) ? atoi(count) : 1000;
  for (int i = 0; i < kFolders; ++i) table.InsertRow(-1, Folder(i));

  LARGE_INTEGER t0 = Now();
  for (int i = 0; i < kFolders; ++i) RunBare(Folder(i));
  const double bare1 = Seconds(t0, Now());
  t0 = Now();
  for (int i = 0; i < kFolders; ++i) CaptureProgramOutput(CaclsCommandLine(Folder(i)));
  const double captures = Seconds(t0, Now());

  QueryRun run(main.context);
  t0 = Now();
  run.Start();
  ASSERT_TRUE(test::PumpUntil([&] { return !run.Running() && QueryRun::LiveWorkers() == 0; }, 600000, 100));
  const double query = Seconds(t0, Now());
  EXPECT_EQ(table.CellText(kFolders - 1, 2), "修改");

  t0 = Now();
  for (int i = 0; i < kFolders; ++i) RunBare(Folder(i));
  const double bare2 = Seconds(t0, Now());
  const double bare = (bare1 + bare2) / 2;
  std::printf("query of %d folders: %.2f ms a folder; the stand-in alone: %.2f ms (%.2f, %.2f); ratio %.3f; "
              "the captures alone: %.2f ms a folder\n",
              kFolders, 1000 * query / kFolders, 1000 * bare / kFolders, 1000 * bare1 / kFolders,
              1000 * bare2 / kFolders, query / bare, 1000 * captures / kFolders);
}

TEST(QueryBenchmark, DISABLED_CaptureCpuWhileTheCommandSleeps) {
  test::CaclsStandIn cacls;
  ASSERT_TRUE(cacls.ready());
  cacls.SetListing("D:\\x", kListing);
  test::ScopedEnv sleep("QV_CACLS_SLEEP_MS", "1000");
  auto cpu = [] {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](FILETIME f) { return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    return (ticks(kernel) + ticks(user)) / 10000.0;  // ms
  };
  const double cpu0 = cpu();
  const LARGE_INTEGER t0 = Now();
  const std::string out = CaptureProgramOutput(CaclsCommandLine("D:\\x"));
  const double wall = Seconds(t0, Now());
  const double used = cpu() - cpu0;
  EXPECT_EQ(out, kListing);
  std::printf("capture of a command that sleeps 1 s: %.0f ms wall, %.1f ms CPU of the capturing thread\n",
              1000 * wall, used);
}

// TableSorter on the main table's kind of list, and what of it is the
// ListView's own placing of 10,000 rows inserted with the sort style.
TEST(QueryBenchmark, DISABLED_TableSorterOnTenThousandRows) {
  test::ProgramDir program;
  test::HostWindow host;
  ScriptedUi ui;
  ui.onProcessEvents = [] { test::PumpMessages(); };
  constexpr int kRows = 10000;
  for (const DWORD style : {static_cast<DWORD>(LVS_SORTASCENDING), static_cast<DWORD>(0)}) {
    ListViewControl list(test::CreateListView(host.hwnd(), style));
    for (const char* t : {"文件目录  ", "管理员", "财务", "系统", "人事", "财务", "访客"}) {
      list.InsertColumn(-1, t, 60, kAlignCentre);
    }
    std::vector<ListRow> rows;
    for (int i = 0; i < kRows; ++i) {
      ListRow row;
      row.cells.push_back(Folder((i * 7919) % kRows));
      for (int k = 1; k < 7; ++k) row.cells.push_back(k % 2 ? "读" : "修改");
      rows.push_back(row);
    }
    LARGE_INTEGER t0 = Now();
    list.ReplaceAllRows(rows);
    const double replace = Seconds(t0, Now());
    t0 = Now();
    EXPECT_TRUE(TableSorter(list, 0, kKeyText, kAscending, ui));
    const double took = Seconds(t0, Now());
    EXPECT_EQ(list.RowCount(), kRows);
    std::printf("TableSorter on %d rows of 7 columns, %s: %.2f s; the ListView's ReplaceAllRows alone: %.2f s\n",
                kRows, style ? "sort style" : "no sort style", took, replace);
    DestroyWindow(static_cast<ListViewControl&>(list).hwnd());
  }
}

}  // namespace
}  // namespace qv
