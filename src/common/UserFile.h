// User.ini in the program directory: the only settings file.
// Every operation opens, uses and closes the file; nothing is cached.
// GBK bytes; positions are 1-based byte positions; lines end in CR LF.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace qv {

inline constexpr const char* kPositionSection = "帐号转换成职位";
inline constexpr const char* kDefaultFolderSection = "默认目录";

// Program directory + "\User.ini", built anew at every call.
std::string UserFilePath();

// A value through the profile functions, cut to 10,239 bytes. Leading bytes
// <= 32 of path, section and key are skipped; any of them empty gives "".
std::string ReadValue(const std::string& section, const std::string& key);
// key=value into the section; an empty value is stored as "key=". Failures are silent.
void WriteValue(const std::string& section, const std::string& key, const std::string& value);
// The section's keys in file order joined by "|"; "" for a missing file or
// section or a section without "=". Split with SplitKeyList.
std::string SectionKeys(const std::string& section);
// The file's bytes up to the first NUL; "" when missing or unreadable.
std::string ReadWholeText();
// Replaces the file's bytes; nothing added. Failures are silent.
void WriteWholeText(std::string_view text);
// The first line that contains name (searched bare), or -1.
int HeaderLine(std::string_view text, std::string_view name);
// The text without line n and one CR LF next to it; unchanged when n is out of range.
std::string DeleteLine(std::string_view text, int n);
// The entry lines of a section: the lines after its header line up to the
// first line that starts with "[".
std::vector<std::string> SectionLines(std::string_view text, std::string_view section);
// Removes the first line below the section's header line that equals entry.
void DeleteEntryLine(const std::string& section, std::string_view entry);
// Replaces every line equal to oldEntry by newEntry; writes only when one changed.
void ReplaceEntryText(std::string_view oldEntry, std::string_view newEntry);

// The section "帐号转换成职位" read as account -> position.
inline std::string PositionOf(const std::string& account) { return ReadValue(kPositionSection, account); }

// The line arithmetic DeleteLine is built from (exposed for tests).
namespace line_ops {
std::string LeftText(std::string_view t, int k);
int PieceCount(std::string_view t);
int LineStart(std::string_view t, int n);
int LineLength(std::string_view t, int n);
std::string ReplaceBytes(std::string_view t, int s, int c, std::string_view x);
}  // namespace line_ops

}  // namespace qv
