// Win32 side of the file seam: ANSI functions only.
#include <windows.h>

#include <atomic>
#include <mutex>

#include "common/TextTools.h"
#include "os/Files.h"
#include "os/Handles.h"

namespace qv::os {
namespace {

std::mutex g_dirMutex;
std::string g_programDir;

bool WriteHandle(HANDLE h, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// Position (0-based) of the last "\" character, or npos.
size_t LastBackslash(const std::string& s) {
  size_t last = std::string::npos;
  for (int p = FindText(s, "\\"); p > 0; p = FindText(s, "\\", p + 1)) last = static_cast<size_t>(p - 1);
  return last;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& out) {
  out.clear();
  win::FileHandle f(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return false;
  char buffer[65536];
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(f.get(), buffer, sizeof buffer, &n, nullptr)) {
      out.clear();
      return false;
    }
    if (n == 0) break;
    out.append(buffer, n);
  }
  return true;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  // Other writers are shut out while the file is written.
  win::FileHandle f(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return false;
  return WriteHandle(f.get(), bytes);
}

bool AppendToFile(const std::string& path, std::string_view bytes) {
  win::FileHandle f(::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return false;
  return WriteHandle(f.get(), bytes);
}

bool RemoveFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

bool RenameOver(const std::string& source, const std::string& target) {
  return ::MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool FileExists(const std::string& path) {
  return !path.empty() && ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DirectoryExists(const std::string& path) {
  const DWORD a = path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectory(const std::string& path) { return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE; }
bool RemoveEmptyDirectory(const std::string& path) { return ::RemoveDirectoryA(path.c_str()) != FALSE; }

bool FindEntries(const std::string& pattern, const std::function<bool(const DirEntry&)>& each) {
  WIN32_FIND_DATAA data{};
  win::FindHandle find(::FindFirstFileA(pattern.c_str(), &data));
  if (!find) return false;
  do {
    DirEntry entry;
    entry.name = data.cFileName;
    entry.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!each(entry)) break;
  } while (::FindNextFileA(find.get(), &data));
  return true;
}

std::string ProgramDirectory() {
  {
    std::lock_guard<std::mutex> lock(g_dirMutex);
    if (!g_programDir.empty()) return g_programDir;
  }
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t slash = LastBackslash(path);
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void SetProgramDirectoryForTests(const std::string& dir) {
  std::lock_guard<std::mutex> lock(g_dirMutex);
  g_programDir = dir;
}

LocalTime Now() {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

std::string MakeTempDirectory(const std::string& prefix) {
  char base[MAX_PATH + 1] = {};
  const DWORD n = ::GetTempPathA(MAX_PATH, base);
  if (n == 0 || n > MAX_PATH) return {};
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string dir = std::string(base) + prefix + std::to_string(::GetCurrentProcessId()) + "_" +
                            std::to_string(::GetTickCount()) + "_" + std::to_string(counter++);
    if (::CreateDirectoryA(dir.c_str(), nullptr)) return dir;
  }
  return {};
}

void RemoveTree(const std::string& path) {
  FindEntries(path + "\\*", [&](const DirEntry& e) {
    if (e.name == "." || e.name == "..") return true;
    const std::string child = path + "\\" + e.name;
    ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (e.directory) RemoveTree(child);
    else ::DeleteFileA(child.c_str());
    return true;
  });
  ::RemoveDirectoryA(path.c_str());
}

}  // namespace qv::os
