// Start-up with a large User.ini, timed under Wine (a measurement, not a
// check: run with --gtest_also_run_disabled_tests).
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "app/MainWindow.h"
#include "app/MemoryUi.h"
#include "support/TestSupport.h"
#include "win/WinTestSupport.h"

namespace qv {
namespace {

TEST(StartUpTiming, DISABLED_TwoHundredPositionsThousandFolders) {
  test::ProgramDir dir;
  std::string ini = "; timing\r\n[帐号转换成职位]\r\n";
  for (int i = 0; i < 200; ++i) ini += "user" + std::to_string(i) + "=职位" + std::to_string(i) + "\r\n";
  ini += "[默认目录]\r\n";
  for (int i = 1; i <= 1000; ++i) ini += std::to_string(i) + "=D:\\共享\\目录" + std::to_string(i) + "\r\n";
  dir.WriteUserIni(ini);
  ScriptedUi ui;
  MainWindow::Options o;
  o.ui = &ui;
  o.updateCheck = false;
  o.quitOnDestroy = false;
  LARGE_INTEGER f, t0, t1;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t0);
  auto w = MainWindow::Create(o);
  ShowWindow(w->hwnd(), SW_SHOWMAXIMIZED);
  test::PumpMessages();
  QueryPerformanceCounter(&t1);
  ASSERT_EQ(w->table().ColumnCount(), 201);
  ASSERT_EQ(w->table().RowCount(), 1000);
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  std::printf("start-up: %.0f ms, peak working set %.1f MiB\n", 1000.0 * (t1.QuadPart - t0.QuadPart) / f.QuadPart,
              pmc.PeakWorkingSetSize / 1048576.0);
}

}  // namespace
}  // namespace qv
