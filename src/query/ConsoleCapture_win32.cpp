#include <windows.h>

#include <cstring>

#include "os/Handles.h"
#include "query/ConsoleCapture.h"

namespace qv {
namespace {

constexpr DWORD kBufferSize = 1024;
constexpr DWORD kMostPerRead = kBufferSize - 1;  // the byte after the data stays 0
// While the command runs and nothing is waiting, a pass waits on the process
// instead of spinning: its end is seen at once, and output that arrives
// meanwhile waits in the pipe for the next pass. The wait grows from 1 ms to
// 16 ms while nothing comes, and starts again at 1 ms after output.
constexpr DWORD kFirstIdleWaitMs = 1;
constexpr DWORD kLongestIdleWaitMs = 16;

bool NtFamily() {
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&v)) return true;
#pragma GCC diagnostic pop
  return v.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

DWORD WaitingBytes(HANDLE readEnd) {
  DWORD waiting = 0;
  // Fails once the pipe is broken and empty: then nothing is waiting.
  if (!readEnd || !PeekNamedPipe(readEnd, nullptr, 0, nullptr, &waiting, nullptr)) return 0;
  return waiting;
}

// One read of at most 1023 bytes; a 0 byte cuts the chunk there.
void ReadChunk(HANDLE readEnd, std::string& result) {
  char buffer[kBufferSize];
  std::memset(buffer, 0, sizeof buffer);
  DWORD got = 0;
  if (!ReadFile(readEnd, buffer, kMostPerRead, &got, nullptr)) return;
  result.append(buffer, strnlen(buffer, got));
}

std::string Capture(std::string commandLine, const CaptureCancel& cancelled) {
  SECURITY_ATTRIBUTES sa{};
  sa.nLength = sizeof sa;
  sa.lpSecurityDescriptor = nullptr;
  sa.bInheritHandle = TRUE;
  win::KernelHandle readEnd, writeEnd;
  if (!CreatePipe(readEnd.put(), writeEnd.put(), &sa, 0)) {
    readEnd.release();  // CreatePipe leaves its outputs undefined on failure
    writeEnd.release();
  }

  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  si.wShowWindow = SW_HIDE;
  si.hStdInput = nullptr;
  si.hStdOutput = writeEnd.get();
  si.hStdError = writeEnd.get();
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    pi = PROCESS_INFORMATION{};
  }
  win::KernelHandle process(pi.hProcess), thread(pi.hThread);
  // Only the command holds the write end now, so the pipe breaks when it ends.
  writeEnd.reset();

  std::string result;
  bool ended = false;
  DWORD idleWait = kFirstIdleWaitMs;
  for (;;) {
    if (cancelled && cancelled()) break;
    if (WaitingBytes(readEnd.get()) > 0) {
      ReadChunk(readEnd.get(), result);
      idleWait = kFirstIdleWaitMs;
      continue;
    }
    // Nothing waiting after the command has ended: everything it wrote is read.
    if (ended) break;
    DWORD code = 0;  // stays 0 when the query fails (no process)
    GetExitCodeProcess(process.get(), &code);
    if (code != STILL_ACTIVE) {
      ended = true;  // look once more: output written just before the end
    } else if (WaitForSingleObject(process.get(), idleWait) == WAIT_OBJECT_0) {
      ended = true;  // a command whose exit code happens to be 259 ends too
    } else if (idleWait < kLongestIdleWaitMs) {
      idleWait *= 2;
    }
  }
  return result;
}

}  // namespace

std::string CaptureOutput(const std::string& command, const CaptureCancel& cancelled) {
  if (command.empty()) return {};
  return Capture(InterpreterCommandLine(command, NtFamily()), cancelled);
}

std::string CaptureProgramOutput(const std::string& commandLine, const CaptureCancel& cancelled) {
  if (commandLine.empty()) return {};
  return Capture(commandLine, cancelled);
}

}  // namespace qv
