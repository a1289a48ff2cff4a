// InterpretListing on a long listing and a wide table: 2,000 lines, 100
// position columns, every account known to User.ini (read anew per line).
#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/MemoryList.h"
#include "app/MemoryMain.h"
#include "app/MemoryUi.h"
#include "os/Files.h"
#include "query/InterpretListing.h"

namespace {

void BM_InterpretListing(benchmark::State& state) {
  const std::string dir = qv::os::MakeTempDirectory("qvbench");
  qv::os::SetProgramDirectoryForTests(dir);
  std::string ini = "[帐号转换成职位]\r\n";
  char line[128];
  for (int a = 0; a < 200; ++a) {
    std::snprintf(line, sizeof line, "user%03d=职位%02d\r\n", a, a % 100);
    ini += line;
  }
  qv::os::WriteWholeFile(dir + "\\User.ini", ini);

  qv::MemoryList table(true);
  table.InsertColumn(-1, "文件目录  ", 200, qv::kAlignCentre);
  for (int c = 0; c < 99; ++c) {
    std::snprintf(line, sizeof line, "职位%02d", c);
    table.InsertColumn(-1, line, 60, qv::kAlignCentre);
  }
  table.InsertRow(-1, "D:\\共享\\财务部");
  const std::string folder = "D:\\共享\\财务部";
  std::string listing;
  for (int j = 0; j < 2000; ++j) {
    std::snprintf(line, sizeof line, "CORP\\user%03d:(OI)(CI)%c \r\n", j % 200, "RFCWN"[j % 5]);
    listing += (j == 0 ? folder + " " : std::string(folder.size() + 1, ' ')) + line;
  }
  qv::MemoryProgress progress2;
  qv::DirectUiThread ui;

  for (auto _ : state) {
    qv::InterpretListing(table, progress2, ui, 0, folder, listing);
    benchmark::DoNotOptimize(table.CellText(0, 1));
  }
  state.SetItemsProcessed(state.iterations() * 2000);
  qv::os::SetProgramDirectoryForTests(std::string());
  qv::os::RemoveTree(dir);
}
BENCHMARK(BM_InterpretListing)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
