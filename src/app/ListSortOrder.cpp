#include "app/ListSortOrder.h"

#include <array>
#include <vector>

#include "common/TextTools.h"

namespace qv {
namespace {

// The order in which the ListView (CompareString with the user's locale, word
// sort) puts ASCII characters, read off Wine with code page 936. Letters of
// both cases share a primary weight; "-" and "'" weigh nothing at first and
// only break ties at the end.
constexpr std::string_view kAsciiOrder =
    " !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>0123456789abcdefghijklmnopqrstuvwxyz";

struct Weights {
  std::array<int, 128> primary{};
  Weights() {
    for (size_t i = 0; i < kAsciiOrder.size(); ++i) primary[static_cast<unsigned char>(kAsciiOrder[i])] = static_cast<int>(i) + 1;
    for (int c = 'A'; c <= 'Z'; ++c) primary[c] = primary[c + 32];
  }
};

struct Key {
  std::vector<int> primary;  // one weight per character that counts
  std::vector<int> casing;   // 0 lower or no case, 1 upper
  std::vector<int> special;  // position and byte of each "-" and "'"
};

Key MakeKey(std::string_view s) {
  static const Weights w;
  Key k;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (IsLeadByte(c) && i + 1 < s.size()) {
      // Double-byte characters sort after ASCII; among themselves by their
      // codes. Wine orders Chinese by the locale's collation instead.
      k.primary.push_back(0x10000 + (c << 8) + static_cast<unsigned char>(s[i + 1]));
      k.casing.push_back(0);
      i += 2;
      continue;
    }
    if (c == '-' || c == '\'') {
      k.special.push_back(static_cast<int>(i));
      k.special.push_back(c);
    } else if (c < 128 && w.primary[c]) {
      k.primary.push_back(w.primary[c]);
      k.casing.push_back(c >= 'A' && c <= 'Z' ? 1 : 0);
    } else {
      k.primary.push_back(0x8000 + c);  // control bytes, lone high bytes
      k.casing.push_back(0);
    }
    ++i;
  }
  return k;
}

int Lexicographic(const std::vector<int>& a, const std::vector<int>& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

int CompareRowText(std::string_view a, std::string_view b) {
  const Key ka = MakeKey(a), kb = MakeKey(b);
  if (int c = Lexicographic(ka.primary, kb.primary)) return c;
  if (int c = Lexicographic(ka.casing, kb.casing)) return c;
  return Lexicographic(ka.special, kb.special);
}

}  // namespace qv
