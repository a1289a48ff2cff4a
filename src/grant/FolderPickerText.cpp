#include "common/TextTools.h"
#include "grant/FolderPicker.h"

namespace qv {

std::string TrimFolderText(std::string_view text) {
  // Width of the blank at i (1 or 2 bytes), or 0 when the character there is
  // no blank; width of the character at i.
  auto blankAt = [&](size_t i) -> size_t {
    if (text[i] == ' ') return 1;
    if (static_cast<unsigned char>(text[i]) == 0xA1 && i + 1 < text.size() &&
        static_cast<unsigned char>(text[i + 1]) == 0xA1)
      return 2;
    return 0;
  };
  auto widthAt = [&](size_t i) -> size_t {
    return (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
  };
  size_t i = 0;
  while (i < text.size()) {
    const size_t blank = blankAt(i);
    if (blank == 0) break;
    i += blank;
  }
  const size_t begin = i;
  size_t end = begin;  // just past the last character that is no blank
  while (i < text.size()) {
    const size_t w = widthAt(i);
    if (blankAt(i) == 0) end = i + w;
    i += w;
  }
  return std::string(text.substr(begin, end - begin));
}

}  // namespace qv
