// The expected bytes of a worksheet file, built record by record from the
// layout that readers of the format know, for comparing whole files.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace qv::test {

// Bytes from hex pairs separated by blanks: "09 08 08 00".
inline std::string Hex(std::string_view pairs) {
  std::string out;
  auto nibble = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
  for (size_t i = 0; i + 1 < pairs.size(); ++i) {
    if (pairs[i] == ' ') continue;
    out.push_back(static_cast<char>(nibble(pairs[i]) * 16 + nibble(pairs[i + 1])));
    ++i;
  }
  return out;
}

inline std::string Word(unsigned w) {
  return {static_cast<char>(w & 0xFF), static_cast<char>((w >> 8) & 0xFF)};
}

inline std::string Bof() { return Hex("09 08 08 00 00 00 10 00 00 00 00 00"); }
inline std::string Eof() { return Hex("0A 00 00 00"); }
inline std::string Blank(unsigned row, unsigned column) {
  return Hex("01 02 06 00") + Word(row) + Word(column) + Hex("17 00");
}
inline std::string Label(unsigned row, unsigned column, std::string_view text) {
  const auto n = static_cast<unsigned>(text.size());
  return Hex("04 02") + Word(n + 8) + Word(row) + Word(column) + Hex("00 00") + Word(n) + std::string(text);
}

}  // namespace qv::test
