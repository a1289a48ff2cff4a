// The file, directory, time and program-directory seam.
// Paths and names are ANSI (GBK) bytes with "\" as separator, as on Windows.
// The Win32 side uses the A-functions; the POSIX side maps "\" characters
// (never the second byte of a double-byte character) to "/".
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace qv::os {

// The whole file as bytes. False (and empty out) when it is missing or unreadable.
bool ReadWholeFile(const std::string& path, std::string& out);
// Creates or truncates the file and writes the bytes. False when any step fails.
bool WriteWholeFile(const std::string& path, std::string_view bytes);
// Appends the bytes, creating the file when missing.
bool AppendToFile(const std::string& path, std::string_view bytes);
bool RemoveFile(const std::string& path);
// Replaces target by source in one step (source is gone afterwards).
bool RenameOver(const std::string& source, const std::string& target);
bool FileExists(const std::string& path);   // a file or a directory
bool DirectoryExists(const std::string& path);
bool MakeDirectory(const std::string& path);
bool RemoveEmptyDirectory(const std::string& path);

struct DirEntry {
  std::string name;  // bare name, as the file system reports it
  bool directory = false;
};
// Enumerates the entries matching pattern ("D:\x\*.*") with FindFirstFileA
// semantics, "." and ".." included, in file-system order. The callback returns
// false to stop early. Returns false when the search cannot start.
bool FindEntries(const std::string& pattern, const std::function<bool(const DirEntry&)>& each);

// The directory of the running program, without a trailing "\".
std::string ProgramDirectory();
// Tests point the program directory elsewhere; an empty text restores it.
void SetProgramDirectoryForTests(const std::string& dir);

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
LocalTime Now();

// A fresh, empty directory for a test, under the system's temporary folder.
std::string MakeTempDirectory(const std::string& prefix);
// Deletes a directory tree made by a test.
void RemoveTree(const std::string& path);

}  // namespace qv::os
