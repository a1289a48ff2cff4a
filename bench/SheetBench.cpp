// Saving a 10,000 x 30 table as .xls: the time of SheetWriter and of the
// whole "保存表单" command against writing the same bytes with one write,
// and the process's peak memory. Builds natively and for Windows (run under
// Wine); prints one line per figure.
#include <algorithm>
#include <cstdio>
#include <string>

#include "app/MemoryList.h"
#include "app/MemoryUi.h"
#include "os/Files.h"
#include "sheet/SaveTableCommand.h"
#include "sheet/SheetWriter.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#include <sys/time.h>
#endif

namespace {

// Milliseconds on a monotonic clock. (<chrono> cannot be compiled with the
// GBK execution character set: it holds a "µs" literal.)
double NowMs() {
#ifdef _WIN32
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
#else
  struct timeval t {};
  gettimeofday(&t, nullptr);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1e3;
#endif
}

constexpr int kRows = 10000;
constexpr int kColumns = 30;
constexpr int kRuns = 5;

double PeakMemoryMiB() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS c{};
  c.cb = sizeof c;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c)) return -1;
  return static_cast<double>(c.PeakWorkingSetSize) / (1024.0 * 1024.0);
#else
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_maxrss) / 1024.0;  // KiB on Linux
#endif
}

void PumpMessages() {
#ifdef _WIN32
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
#endif
}

// The same pump, but at most once per timer tick (about 16 ms on Windows):
// what a throttled event pump would cost.
void PumpMessagesPerTick() {
#ifdef _WIN32
  static DWORD last = 0;
  const DWORD now = GetTickCount();
  if (now == last) return;
  last = now;
  PumpMessages();
#endif
}

// Folder paths in column 0, permission words or nothing in the others, as
// after a query.
std::string CellText(int r, int c) {
  if (c == 0) return "D:\\共享\\部门" + std::to_string(r / 100) + "\\项目" + std::to_string(r);
  static const char* const kWords[] = {"读", "修改", "", "拒绝", ""};
  return kWords[(r * 7 + c) % 5];
}

template <typename F>
double BestMs(F&& f) {
  double best = 1e30;
  for (int i = 0; i < kRuns; ++i) {
    const double t0 = NowMs();
    f();
    best = std::min(best, NowMs() - t0);
  }
  return best;
}

}  // namespace

int main() {
  using namespace qv;
  const std::string dir = os::MakeTempDirectory("qvbench");
  const std::string file = dir + "\\table.xls";
  const std::string copy = dir + "\\copy.xls";

  SheetData sheet(kRows, SheetRow(kColumns));
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kColumns; ++c) sheet[r][c] = CellText(r, c);
  const double peakWithSheet = PeakMemoryMiB();

  long events = 0;
  SheetWriter counting([&] { ++events; });
  const double copyAndWriteMs = BestMs([&] { counting.SaveSheetTo(sheet, file); });
  events = 0;
  const double writerMs = BestMs([&] { counting.SaveToFile(file); });
  const double peakAfterWriter = PeakMemoryMiB();

  std::string bytes;
  os::ReadWholeFile(file, bytes);
  const double oneWriteMs = BestMs([&] { os::WriteWholeFile(copy, bytes); });

  SheetWriter pumping(PumpMessages);
  pumping.SaveSheetTo(sheet, file);
  const double pumpingMs = BestMs([&] { pumping.SaveToFile(file); });

  SheetWriter throttled(PumpMessagesPerTick);
  throttled.SaveSheetTo(sheet, file);
  const double throttledMs = BestMs([&] { throttled.SaveToFile(file); });

  MemoryList list;
  for (int c = 0; c < kColumns; ++c) list.InsertColumn(-1, c == 0 ? "文件目录  " : "职位" + std::to_string(c), 60, kAlignCentre);
  for (int r = 0; r < kRows; ++r) {
    list.InsertRow(-1, sheet[r][0]);
    for (int c = 1; c < kColumns; ++c) list.SetCellText(r, c, sheet[r][c]);
  }
  const double commandMs = BestMs([&] {
    ScriptedUi ui;
    ui.fileAnswers = {file};
    FileDialog dialog;
    SaveTableCommand(list, dialog, ui);
  });
  const double peakEnd = PeakMemoryMiB();

  std::printf("table: %d rows x %d columns, file %zu bytes, best of %d runs\n", kRows, kColumns, bytes.size(), kRuns);
  std::printf("one write of the same bytes:          %8.2f ms\n", oneWriteMs);
  std::printf("SaveToFile, no-op event callback:     %8.2f ms  (ratio %.1f, %ld event calls per save)\n", writerMs,
              writerMs / oneWriteMs, events / kRuns);
  std::printf("SaveSheetTo (copy of the sheet + save): %6.2f ms  (ratio %.1f)\n", copyAndWriteMs,
              copyAndWriteMs / oneWriteMs);
  std::printf("SaveToFile, message pump per event:   %8.2f ms  (ratio %.1f)\n", pumpingMs, pumpingMs / oneWriteMs);
  std::printf("SaveToFile, pump once per timer tick: %8.2f ms  (ratio %.1f)\n", throttledMs, throttledMs / oneWriteMs);
  std::printf("SaveTableCommand, in-memory list:    %8.2f ms  (ratio %.1f)\n", commandMs, commandMs / oneWriteMs);
  std::printf("peak memory: %.1f MiB with the sheet built, %.1f MiB after the saves, %.1f MiB at the end\n",
              peakWithSheet, peakAfterWriter, peakEnd);
  os::RemoveTree(dir);
  return 0;
}
