// Benchmarks of the core (not part of the tests): FindText against memmem on
// the same input, and SectionKeys on a large user file.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "common/TextTools.h"
#include "common/UserFile.h"
#include "os/Files.h"

namespace {

// 1 MiB of mixed ASCII and GBK text with the needle at the very end.
std::string MakeHaystack(bool chinese) {
  std::string s;
  const std::string unit = chinese ? "D:\\共享\\運營\\財務 " : "D:\\share\\ops\\files ";
  while (s.size() < (1u << 20)) s += unit;
  s += "NEEDLE:R ";
  return s;
}

void BM_FindText(benchmark::State& state) {
  const std::string text = MakeHaystack(state.range(0) != 0);
  for (auto _ : state) benchmark::DoNotOptimize(qv::FindText(text, "NEEDLE:R"));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_FindText)->Arg(0)->Arg(1);

void BM_Memmem(benchmark::State& state) {
  const std::string text = MakeHaystack(state.range(0) != 0);
  for (auto _ : state) benchmark::DoNotOptimize(memmem(text.data(), text.size(), "NEEDLE:R", 8));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Memmem)->Arg(0)->Arg(1);

void BM_FindTextIgnoreCase(benchmark::State& state) {
  const std::string text = MakeHaystack(true);
  for (auto _ : state) benchmark::DoNotOptimize(qv::FindText(text, "needle:r", 1, true));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_FindTextIgnoreCase);

void BM_SectionKeys10000(benchmark::State& state) {
  const std::string dir = qv::os::MakeTempDirectory("qvbench");
  qv::os::SetProgramDirectoryForTests(dir);
  std::string file = "[帐号转换成职位]\r\n";
  for (int i = 0; i < 10000; ++i) file += "user" + std::to_string(i) + "=职位" + std::to_string(i % 50) + "\r\n";
  file += "[默认目录]\r\n1=D:\\a\r\n";
  qv::os::WriteWholeFile(dir + "\\User.ini", file);
  for (auto _ : state) benchmark::DoNotOptimize(qv::SectionKeys(qv::kPositionSection));
  qv::os::SetProgramDirectoryForTests("");
  qv::os::RemoveTree(dir);
}
BENCHMARK(BM_SectionKeys10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
