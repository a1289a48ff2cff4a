// The folder-list text file: one folder per line, every line ending in CR LF,
// GBK bytes, no header. Lengths and positions count bytes.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The text cut at CR LF with the rules of LineCount/NthLine: an empty text has
// no line, a final CR LF makes no further empty line, a CR LF whose CR is the
// second byte of a double-byte character is no line end. One pass, so a long
// file costs no more than its length.
std::vector<std::string> CrLfLines(std::string_view text);

// The folders an import adds: the bytes up to the first zero byte, cut at
// CR LF (bare CR or LF stay inside the line), empty lines dropped, nothing
// trimmed.
std::vector<std::string> FolderListLines(std::string_view bytes);

// The extension of a file name as PathFindExtensionA finds it: from the last
// "." that is not followed by a "\" or a blank, to the end; "" when there is
// none. Walks double-byte characters whole, so a "\" or "." inside one counts
// for nothing.
std::string_view FindExtension(std::string_view name);

// Where an export is written: the chosen name itself when its extension is
// ".txt" in any ASCII case, otherwise the chosen name with ".Txt" appended.
std::string ExportTarget(const std::string& chosen);

}  // namespace qv
