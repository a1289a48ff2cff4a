// The profile-file seam: one value of an INI file, read or written.
// Win32: GetPrivateProfileStringA / WritePrivateProfileStringA.
// Host: ProfileText below, which follows the same rules on the file's bytes.
#pragma once
#include <string>
#include <string_view>

namespace qv {

// The value of key in section of the file at path, at most bufferSize - 1
// bytes; "" for a missing file, section or key.
std::string ProfileRead(const std::string& section, const std::string& key,
                        const std::string& path, size_t bufferSize);
// Stores key=value in section, creating the file and the section when missing.
bool ProfileWrite(const std::string& section, const std::string& key,
                  const std::string& value, const std::string& path);

// The host implementation's rules, on a file's bytes, so they can be tested
// without a file:
// - lines end at LF (a CR before it is dropped); blanks are bytes <= 32 here;
// - a section header is "[" name "]" after leading blanks; names and keys
//   match ignoring ASCII case, trimmed of blanks; the first equal key wins;
// - a value is trimmed of blanks and loses one pair of enclosing quotes
//   (double or single) when reading;
// - a write rewrites the first line of the key in place (keeping its key as written), or inserts key=value after
//   the last entry line of the section, or appends a new section at the end;
//   every other byte of the file stays as it was; new lines end in CR LF.
namespace profile_text {
std::string Read(std::string_view file, std::string_view section, std::string_view key);
std::string Write(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value);
}  // namespace profile_text

}  // namespace qv
