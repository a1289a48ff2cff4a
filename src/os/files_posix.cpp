// POSIX side of the file seam, used by the host build and its tests.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "common/TextTools.h"
#include "os/Files.h"

namespace qv::os {
namespace {

// "\" characters become "/"; a "\" that is the second byte of a GBK
// character stays a byte of that character.
std::string Native(const std::string& path) {
  std::string out = path;
  for (size_t i = 0; i < out.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(out[i])) && i + 1 < out.size()) {
      ++i;
      continue;
    }
    if (out[i] == '\\') out[i] = '/';
  }
  return out;
}

bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool WriteFlags(const std::string& path, std::string_view bytes, int flags) {
  const int fd = ::open(Native(path).c_str(), O_WRONLY | O_CREAT | flags, 0644);
  if (fd < 0) return false;
  const bool ok = WriteAll(fd, bytes);
  return ::close(fd) == 0 && ok;
}

// Windows wildcard match: "*" any run, "?" one byte; "*.*" matches every name.
bool WildMatch(const char* mask, const char* name) {
  if (std::string_view(mask) == "*.*") return true;
  if (*mask == '\0') return *name == '\0';
  if (*mask == '*') return WildMatch(mask + 1, name) || (*name && WildMatch(mask, name + 1));
  if (*name == '\0') return false;
  return (*mask == '?' || *mask == *name) && WildMatch(mask + 1, name + 1);
}

std::mutex g_dirMutex;
std::string g_programDir;

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& out) {
  out.clear();
  const int fd = ::open(Native(path).c_str(), O_RDONLY);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  char buffer[65536];
  while (ok) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) ok = false;
    if (n <= 0) break;
    out.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  if (!ok) out.clear();
  return ok;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) { return WriteFlags(path, bytes, O_TRUNC); }
bool AppendToFile(const std::string& path, std::string_view bytes) { return WriteFlags(path, bytes, O_APPEND); }
bool RemoveFile(const std::string& path) { return ::unlink(Native(path).c_str()) == 0; }
bool RenameOver(const std::string& source, const std::string& target) {
  return ::rename(Native(source).c_str(), Native(target).c_str()) == 0;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(Native(path).c_str(), &st) == 0;
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(Native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeDirectory(const std::string& path) { return ::mkdir(Native(path).c_str(), 0755) == 0; }
bool RemoveEmptyDirectory(const std::string& path) { return ::rmdir(Native(path).c_str()) == 0; }

bool FindEntries(const std::string& pattern, const std::function<bool(const DirEntry&)>& each) {
  std::string native = Native(pattern);
  const size_t slash = native.rfind('/');
  std::string dir = slash == std::string::npos ? "." : native.substr(0, slash + 1);
  const std::string mask = slash == std::string::npos ? native : native.substr(slash + 1);
  if (dir.empty()) dir = "/";
  DIR* d = ::opendir(dir.c_str());
  if (!d) return false;
  bool any = false;
  while (const dirent* e = ::readdir(d)) {
    if (!WildMatch(mask.c_str(), e->d_name)) continue;
    struct stat st {};
    DirEntry entry;
    entry.name = e->d_name;
    entry.directory = ::stat((dir + "/" + entry.name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    any = true;
    if (!each(entry)) break;
  }
  ::closedir(d);
  return any;
}

std::string ProgramDirectory() {
  {
    std::lock_guard<std::mutex> lock(g_dirMutex);
    if (!g_programDir.empty()) return g_programDir;
  }
  char buffer[PATH_MAX + 1] = {};
  const ssize_t n = ::readlink("/proc/self/exe", buffer, PATH_MAX);
  std::string exe = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string(".");
  const size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
}

void SetProgramDirectoryForTests(const std::string& dir) {
  std::lock_guard<std::mutex> lock(g_dirMutex);
  g_programDir = dir;
}

LocalTime Now() {
  const time_t t = ::time(nullptr);
  struct tm tm {};
  ::localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string MakeTempDirectory(const std::string& prefix) {
  const char* base = std::getenv("TMPDIR");
  std::string templ = std::string(base && *base ? base : "/tmp") + "/" + prefix + "XXXXXX";
  if (!::mkdtemp(templ.data())) return {};
  return templ;
}

void RemoveTree(const std::string& path) {
  const std::string native = Native(path);
  if (DIR* d = ::opendir(native.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      const std::string child = native + "/" + name;
      struct stat st {};
      if (::lstat(child.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        ::chmod(child.c_str(), 0755);
        RemoveTree(child);
      } else {
        ::unlink(child.c_str());
      }
    }
    ::closedir(d);
  }
  ::rmdir(native.c_str());
}

}  // namespace qv::os
