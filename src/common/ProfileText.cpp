#include <string>
#include <vector>

#include "common/Profile.h"

namespace qv::profile_text {
namespace {

bool IsBlank(unsigned char c) { return c <= ' '; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x += 32;
    if (y >= 'A' && y <= 'Z') y += 32;
    if (x != y) return false;
  }
  return true;
}

struct Line {
  size_t begin;  // first byte of the line
  size_t end;    // one past its last byte, CR and LF excluded
  size_t next;   // first byte of the following line
};

std::vector<Line> SplitLines(std::string_view file) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < file.size()) {
    size_t lf = file.find('\n', pos);
    size_t next = lf == std::string_view::npos ? file.size() : lf + 1;
    size_t end = lf == std::string_view::npos ? file.size() : lf;
    if (end > pos && file[end - 1] == '\r') --end;
    lines.push_back({pos, end, next});
    pos = next;
  }
  return lines;
}

// The section name of a header line, or false when the line is no header.
bool HeaderName(std::string_view line, std::string_view& name) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return false;
  const size_t close = line.rfind(']');
  name = Trim(line.substr(1, close == std::string_view::npos || close < 1 ? line.size() - 1 : close - 1));
  return true;
}

// Key and raw value of an entry line; false for a line without "=".
bool Entry(std::string_view line, std::string_view& key, std::string_view& value) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(line.substr(0, eq));
  value = Trim(line.substr(eq + 1));
  return true;
}

struct Found {
  bool section = false;
  size_t afterLastEntry = 0;  // where a new key of the section goes
  bool key = false;
  Line keyLine{};
  std::string_view keyText;  // the key as it stands on its line, trimmed
  std::string_view value;
};

Found Locate(std::string_view file, std::string_view section, std::string_view key) {
  Found f;
  bool inside = false;
  for (const Line& l : SplitLines(file)) {
    const std::string_view text = file.substr(l.begin, l.end - l.begin);
    std::string_view name;
    if (HeaderName(text, name)) {
      if (f.section && inside) break;  // the first matching section holds the answer
      inside = SameName(name, Trim(section));
      if (inside) {
        f.section = true;
        f.afterLastEntry = l.next;
      }
      continue;
    }
    if (!inside) continue;
    if (!Trim(text).empty()) f.afterLastEntry = l.next;
    std::string_view k, v;
    if (!f.key && Entry(text, k, v) && SameName(k, Trim(key))) {
      f.key = true;
      f.keyLine = l;
      f.keyText = k;
      f.value = v;
    }
  }
  return f;
}

}  // namespace

std::string Read(std::string_view file, std::string_view section, std::string_view key) {
  const Found f = Locate(file, section, key);
  if (!f.key) return {};
  std::string_view v = f.value;
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return std::string(v);
}

std::string Write(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value) {
  const std::string entry = std::string(key) + "=" + std::string(value);
  const Found f = Locate(file, section, key);
  std::string out;
  if (f.key) {
    // The line keeps its key as written there; only the value changes.
    out.append(file.substr(0, f.keyLine.begin));
    out.append(f.keyText).append("=").append(value);
    out.append(file.substr(f.keyLine.end));
    return out;
  }
  if (f.section) {
    size_t at = f.afterLastEntry;
    out.append(file.substr(0, at));
    if (at > 0 && file[at - 1] != '\n') out.append("\r\n");  // last line had no line end
    out.append(entry).append("\r\n");
    out.append(file.substr(at));
    return out;
  }
  out.append(file);
  if (!out.empty() && out.back() != '\n') out.append("\r\n");
  out.append("[").append(section).append("]\r\n").append(entry).append("\r\n");
  return out;
}

}  // namespace qv::profile_text
