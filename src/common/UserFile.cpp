#include "common/UserFile.h"

#include "common/Profile.h"
#include "common/TextTools.h"
#include "os/Files.h"

namespace qv {
namespace {

constexpr size_t kValueBuffer = 10240;

std::string SkipLeadingBlanks(const std::string& s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= 32) ++i;
  return s.substr(i);
}

// The part of a piece after its last CR LF, or the whole piece.
std::string AfterLastLineBreak(const std::string& piece) {
  return FindText(piece, kCrLf) < 0 ? piece : TextAfterLast(piece, kCrLf);
}

}  // namespace

std::string UserFilePath() { return os::ProgramDirectory() + "\\User.ini"; }

std::string ReadValue(const std::string& section, const std::string& key) {
  const std::string path = SkipLeadingBlanks(UserFilePath());
  const std::string s = SkipLeadingBlanks(section);
  const std::string k = SkipLeadingBlanks(key);
  if (path.empty() || s.empty() || k.empty()) return {};
  return ProfileRead(s, k, path, kValueBuffer);
}

void WriteValue(const std::string& section, const std::string& key, const std::string& value) {
  ProfileWrite(section, key, value, UserFilePath());
}

std::string ReadWholeText() {
  std::string bytes;
  if (!os::ReadWholeFile(UserFilePath(), bytes)) return {};
  const size_t nul = bytes.find('\0');
  if (nul != std::string::npos) bytes.resize(nul);
  return bytes;
}

void WriteWholeText(std::string_view text) { os::WriteWholeFile(UserFilePath(), text); }

std::string SectionKeys(const std::string& section) {
  if (!os::FileExists(UserFilePath())) return {};
  const std::string t = ReadWholeText();
  const int len = static_cast<int>(section.size());
  const int p = FindText(t, "[" + section + "]");
  if (p < 0) return {};
  int e = FindText(t, "[", p + len + 1);
  if (e < 0) e = static_cast<int>(t.size()) + 1;
  const std::string body = MidText(t, p + len + 4, e - p - len - 4);
  if (FindText(body, "=") < 0) return {};

  std::vector<std::string> pieces = SplitText(body, "=");
  if (pieces.size() > 1 && pieces.back().empty()) pieces.pop_back();
  std::string keys = AfterLastLineBreak(pieces[0]);
  for (size_t i = 1; i + 1 < pieces.size(); ++i) keys += "|" + AfterLastLineBreak(pieces[i]);
  return keys;
}

namespace line_ops {

std::string LeftText(std::string_view t, int k) {
  if (k <= 0) return {};
  return std::string(t.substr(0, std::min<size_t>(k, t.size())));
}

int PieceCount(std::string_view t) { return static_cast<int>(SplitText(t, kCrLf).size()); }

int LineStart(std::string_view t, int n) {
  if (n < 1) return -1;
  int pos = 1;
  for (int k = 1; k < n; ++k) {
    const int p = FindText(t, kCrLf, pos);
    if (p < 0) return -1;
    pos = p + 2;
  }
  return static_cast<size_t>(pos) > t.size() ? -1 : pos;
}

int LineLength(std::string_view t, int n) {
  const std::vector<std::string> pieces = SplitText(t, kCrLf);
  if (n < 1 || n > static_cast<int>(pieces.size())) return -1;
  return static_cast<int>(pieces[n - 1].size());
}

std::string ReplaceBytes(std::string_view t, int s, int c, std::string_view x) {
  if (s <= 0) s = 1;
  const int len = static_cast<int>(t.size());
  if (s > len) return std::string(t) + std::string(x);
  if (c <= 0) c = 0;
  c = std::min(c, len - s + 1);
  std::string out(t.substr(0, s - 1));
  out.append(x);
  out.append(t.substr(s - 1 + c));
  return out;
}

}  // namespace line_ops

int HeaderLine(std::string_view text, std::string_view name) {
  const int p = FindText(text, name);
  if (p < 0) return -1;
  return line_ops::PieceCount(line_ops::LeftText(text, p));
}

std::string DeleteLine(std::string_view text, int n) {
  using namespace line_ops;
  if (n < 1 || n > PieceCount(text) || LineStart(text, n) == -1) return std::string(text);
  if (n == 1) return ReplaceBytes(text, 1, LineLength(text, 1) + 2, "");
  return ReplaceBytes(text, LineStart(text, n) - 2, LineLength(text, n) + 2, "");
}

std::vector<std::string> SectionLines(std::string_view text, std::string_view section) {
  std::vector<std::string> lines;
  const int header = HeaderLine(text, section);
  if (header < 0) return lines;
  const std::vector<std::string> pieces = SplitText(text, kCrLf);
  const int count = LineCount(text);
  for (int j = header + 1; j <= count; ++j) {
    const std::string& line = pieces[j - 1];
    if (!line.empty() && line[0] == '[') break;
    lines.push_back(line);
  }
  return lines;
}

void DeleteEntryLine(const std::string& section, std::string_view entry) {
  const std::string t = ReadWholeText();
  const int header = HeaderLine(t, section);
  const std::vector<std::string> pieces = SplitText(t, kCrLf);
  const int count = LineCount(t);
  for (int i = 1; i <= count; ++i) {
    const int n = header + i;
    const std::string line = (n >= 1 && n <= static_cast<int>(pieces.size())) ? pieces[n - 1] : std::string();
    if (line == entry) {
      WriteWholeText(DeleteLine(t, n));
      return;
    }
  }
}

void ReplaceEntryText(std::string_view oldEntry, std::string_view newEntry) {
  const std::string t = ReadWholeText();
  std::vector<std::string> pieces = SplitText(t, kCrLf);
  bool changed = false;
  // The empty piece after a final CR LF is no line of its own.
  const size_t lines = static_cast<size_t>(LineCount(t));
  for (size_t i = 0; i < lines; ++i) {
    if (pieces[i] == oldEntry) {
      pieces[i] = std::string(newEntry);
      changed = true;
    }
  }
  if (!changed) return;
  std::string out;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i) out.append(kCrLf);
    out.append(pieces[i]);
  }
  WriteWholeText(out);
}

}  // namespace qv
