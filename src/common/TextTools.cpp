#include "common/TextTools.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace qv {
namespace {

inline unsigned char At(std::string_view s, size_t i) { return static_cast<unsigned char>(s[i]); }

// Width in bytes of the character that starts at i.
inline size_t CharWidth(std::string_view s, size_t i) {
  return (IsLeadByte(At(s, i)) && i + 1 < s.size()) ? 2 : 1;
}

inline unsigned char FoldAscii(unsigned char b) {
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + 32) : b;
}

// Compares sought with text at offset pos, folding ASCII letters that are
// characters of their own in sought (second bytes never fold).
bool MatchesFolded(std::string_view text, size_t pos, std::string_view sought) {
  for (size_t j = 0; j < sought.size();) {
    const size_t w = CharWidth(sought, j);
    if (w == 2) {
      if (At(text, pos + j) != At(sought, j) || At(text, pos + j + 1) != At(sought, j + 1)) return false;
    } else {
      const unsigned char a = At(text, pos + j), b = At(sought, j);
      if (a != b && (a >= 0x80 || b >= 0x80 || FoldAscii(a) != FoldAscii(b))) return false;
    }
    j += w;
  }
  return true;
}

std::string ReplaceQuoteToken(std::string_view marker) {
  static constexpr std::string_view kToken = "#引号";
  std::string out;
  size_t from = 0;
  for (;;) {
    const int p = FindText(marker, kToken, static_cast<int>(from) + 1);
    if (p < 0) break;
    out.append(marker.substr(from, p - 1 - from));
    out.push_back('"');
    from = p - 1 + kToken.size();
  }
  out.append(marker.substr(from));
  return out;
}

// Walks character by character from boundary b to the first boundary at or
// after target. Runs of ASCII are crossed eight bytes at a time.
size_t WalkTo(std::string_view s, size_t b, size_t target) {
  while (b < target) {
    if (target - b >= 8) {
      std::uint64_t w;
      std::memcpy(&w, s.data() + b, 8);
      if ((w & 0x8080808080808080ull) == 0) {
        b += 8;
        continue;
      }
    }
    b += CharWidth(s, b);
  }
  return b;
}

// First match of sought at or after byte offset b, which must be a character
// boundary; npos when there is none.
size_t FindFromBoundary(std::string_view text, std::string_view sought, size_t b, bool ignoreCase) {
  if (text.empty() || sought.empty() || b >= text.size() || text.size() - b < sought.size())
    return std::string_view::npos;
  const size_t last = text.size() - sought.size();  // last offset a match may start at
  if (!ignoreCase) {
    // memchr for the first byte, then a forward walk to check the boundary.
    const unsigned char first = At(sought, 0);
    size_t from = b;
    while (from <= last) {
      const void* hit = std::memchr(text.data() + from, first, last - from + 1);
      if (!hit) return std::string_view::npos;
      const size_t c = static_cast<const char*>(hit) - text.data();
      b = WalkTo(text, b, c);
      if (b == c && std::memcmp(text.data() + c, sought.data(), sought.size()) == 0) return c;
      from = (b == c) ? c + 1 : b;  // a second byte: go on at the next character
    }
    return std::string_view::npos;
  }
  for (; b <= last; b += CharWidth(text, b)) {
    if (MatchesFolded(text, b, sought)) return b;
  }
  return std::string_view::npos;
}

// The boundary at which a search goes on after a match at offset p of length n.
size_t AfterMatch(std::string_view text, size_t p, size_t n) { return WalkTo(text, p, p + n); }

}  // namespace

int FindText(std::string_view text, std::string_view sought, int start, bool ignoreCase) {
  const size_t s = start > 1 ? static_cast<size_t>(start - 1) : 0;
  if (s >= text.size()) return -1;
  const size_t p = FindFromBoundary(text, sought, WalkTo(text, 0, s), ignoreCase);
  return p == std::string_view::npos ? -1 : static_cast<int>(p) + 1;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> pieces;
  size_t start = 0, b = 0;
  for (;;) {
    const size_t p = delimiter.empty() ? std::string_view::npos : FindFromBoundary(text, delimiter, b, false);
    if (p == std::string_view::npos) break;
    pieces.emplace_back(text.substr(start, p - start));
    start = p + delimiter.size();
    b = AfterMatch(text, p, delimiter.size());
  }
  pieces.emplace_back(text.substr(std::min(start, text.size())));
  return pieces;
}

int LineCount(std::string_view text) {
  int pieces = 1;
  size_t start = 0;
  for (;;) {
    const size_t p = FindFromBoundary(text, kCrLf, start, false);
    if (p == std::string_view::npos) break;
    ++pieces;
    start = p + kCrLf.size();  // CR LF are single-byte characters: a boundary
  }
  return start >= text.size() ? pieces - 1 : pieces;  // last piece empty: not a line
}

std::string NthLine(std::string_view text, int n) {
  if (n < 1) return {};
  size_t start = 0;
  for (int k = 1;; ++k) {
    const size_t p = FindFromBoundary(text, kCrLf, start, false);
    const size_t end = p == std::string_view::npos ? text.size() : p;
    if (k == n) return std::string(text.substr(std::min(start, text.size()), end - std::min(start, end)));
    if (p == std::string_view::npos) return {};
    start = end + kCrLf.size();
  }
}

std::string MidText(std::string_view text, int start, int length) {
  if (start < 1 || static_cast<size_t>(start) > text.size() || length <= 0) return {};
  const size_t from = start - 1;
  return std::string(text.substr(from, std::min<size_t>(length, text.size() - from)));
}

std::string RightText(std::string_view text, int n) {
  if (n <= 0) return {};
  if (static_cast<size_t>(n) >= text.size()) return std::string(text);
  return std::string(text.substr(text.size() - n));
}

std::string TextBetween(std::string_view text, std::string_view opening, std::string_view closing) {
  const std::string open = ReplaceQuoteToken(opening);
  const std::string close = ReplaceQuoteToken(closing);
  const int a = FindText(text, open, 1, true);
  if (a < 0) return {};
  const int from = a + static_cast<int>(open.size());
  const int b = FindText(text, close, from, true);
  if (b < 0) return {};
  return std::string(text.substr(from - 1, b - from));
}

std::string TextBefore(std::string_view text, std::string_view marker) {
  const int p = FindText(text, marker);
  if (p <= 1) return {};
  return std::string(text.substr(0, p - 1));
}

std::string TextAfterLast(std::string_view text, std::string_view marker) {
  size_t last = std::string_view::npos;
  for (size_t p = FindFromBoundary(text, marker, 0, false); p != std::string_view::npos;
       p = FindFromBoundary(text, marker, p + CharWidth(text, p), false)) {
    last = p;
  }
  if (last == std::string_view::npos) return {};
  return std::string(text.substr(last + marker.size()));
}

std::vector<std::string> SplitKeyList(std::string_view joined, std::string_view delimiter) {
  if (joined.empty()) return {};
  std::vector<std::string> pieces = SplitText(joined, delimiter);
  if (!pieces.empty() && pieces.back().empty()) pieces.pop_back();
  return pieces;
}

int LastCharPos(std::string_view text) {
  size_t i = 0, lastStart = 0;
  if (text.empty()) return 0;
  while (i < text.size()) {
    lastStart = i;
    i += CharWidth(text, i);
  }
  return static_cast<int>(lastStart) + 1;
}

bool EndsWithBackslashChar(std::string_view text) {
  const int p = LastCharPos(text);
  return p > 0 && static_cast<size_t>(p) == text.size() && text.back() == '\\';
}

}  // namespace qv
