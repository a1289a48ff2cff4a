// Text operations shared by every window and the query worker.
// GBK bytes in and out. Positions are 1-based byte positions, -1 = not found.
// A byte >= 0x81 leads a two-byte character; searches never match from the
// second byte of a character, so a "\" (0x5C) inside "運" is never found.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace qv {

inline constexpr std::string_view kCrLf = "\r\n";

inline bool IsLeadByte(unsigned char b) { return b >= 0x81; }

// Lines of a text cut at CR LF; an empty last piece is not counted.
int LineCount(std::string_view text);
// Piece n (1-based) of the text cut at CR LF; "" when out of range.
std::string NthLine(std::string_view text, int n);
// Pieces between delimiters; always at least one piece. An empty delimiter
// is never found.
std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter);
// First match of sought at or after start (1-based). ignoreCase folds ASCII
// letters only; second bytes of double-byte characters never fold.
int FindText(std::string_view text, std::string_view sought, int start = 1, bool ignoreCase = false);
// length bytes from position start (1-based), cut at the end of the text.
std::string MidText(std::string_view text, int start, int length);
// The last n bytes.
std::string RightText(std::string_view text, int n);
// The bytes between the first opening marker and the next closing marker,
// both found ignoring ASCII case; "#引号" in a marker stands for a double quote.
std::string TextBetween(std::string_view text, std::string_view opening, std::string_view closing);
// The bytes before the first marker; "" when absent or at position 1.
std::string TextBefore(std::string_view text, std::string_view marker);
// The bytes after the last marker; "" when absent or at the end.
std::string TextAfterLast(std::string_view text, std::string_view marker);

// Callers' split of a "|"-joined list: empty inner pieces stay, an empty last
// piece is dropped, an empty text gives no piece.
std::vector<std::string> SplitKeyList(std::string_view joined, std::string_view delimiter = "|");

// Position (1-based) of the last character of the text, or 0 for "".
// Walks characters, so it tells whether the final byte is a character of its own.
int LastCharPos(std::string_view text);
// True when the text ends in a "\" that is a character of its own.
bool EndsWithBackslashChar(std::string_view text);

}  // namespace qv
