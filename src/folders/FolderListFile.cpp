#include "folders/FolderListFile.h"

#include "common/TextTools.h"

namespace qv {
namespace {

// Lead bytes of the ANSI code page as IsDBCSLeadByte reports them for 936.
bool IsDbcsLead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

}  // namespace

std::vector<std::string> CrLfLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0, i = 0;
  while (i < text.size()) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      i += 2;
      start = i;
    } else {
      // Same character widths as the text helpers' searches.
      i += (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::string> FolderListLines(std::string_view bytes) {
  const size_t zero = bytes.find('\0');
  std::vector<std::string> lines = CrLfLines(bytes.substr(0, zero));
  std::erase_if(lines, [](const std::string& line) { return line.empty(); });
  return lines;
}

std::string_view FindExtension(std::string_view name) {
  size_t dot = std::string_view::npos, i = 0;
  while (i < name.size() && name[i] != '\0') {
    const unsigned char b = static_cast<unsigned char>(name[i]);
    if (b == '\\' || b == ' ') dot = std::string_view::npos;
    else if (b == '.') dot = i;
    i += (IsDbcsLead(b) && i + 1 < name.size() && name[i + 1] != '\0') ? 2 : 1;
  }
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot, i - dot);
}

std::string ExportTarget(const std::string& chosen) {
  const std::string_view ext = FindExtension(chosen);
  std::string lower(ext);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return lower == ".txt" ? chosen : chosen + ".Txt";
}

}  // namespace qv
