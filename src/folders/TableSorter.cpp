#include "folders/TableSorter.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "os/Files.h"

namespace qv {
namespace {

// Record layout of both temporary files, little-endian:
//   text keys:            key (512 bytes, 0-padded) | key length (u16) | row index (i32)
//   number and date keys: key (IEEE double, 8 bytes) | row index (i32)
constexpr size_t kKeyWidth = 512;

struct Record {
  std::string text;     // text keys
  double number = 0.0;  // number and date keys
  std::int32_t index = 0;
};

size_t RecordSize(bool textKey) { return textKey ? kKeyWidth + 2 + 4 : 8 + 4; }

void PutU32(std::string& out, std::uint32_t v) {
  for (int b = 0; b < 4; ++b) out.push_back(static_cast<char>((v >> (8 * b)) & 0xFF));
}
std::uint32_t GetU32(const char* p) {
  std::uint32_t v = 0;
  for (int b = 3; b >= 0; --b) v = (v << 8) | static_cast<unsigned char>(p[b]);
  return v;
}

void AppendRecord(std::string& out, const Record& r, bool textKey) {
  if (textKey) {
    const size_t n = std::min(r.text.size(), kKeyWidth);
    out.append(r.text, 0, n);
    out.append(kKeyWidth - n, '\0');
    out.push_back(static_cast<char>(n & 0xFF));
    out.push_back(static_cast<char>(n >> 8));
  } else {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &r.number, sizeof bits);
    PutU32(out, static_cast<std::uint32_t>(bits));
    PutU32(out, static_cast<std::uint32_t>(bits >> 32));
  }
  PutU32(out, static_cast<std::uint32_t>(r.index));
}

// The records of a file, or false when its size is not a whole number of them.
bool ParseRecords(const std::string& bytes, bool textKey, std::vector<Record>& out) {
  const size_t size = RecordSize(textKey);
  if (bytes.size() % size != 0) return false;
  out.clear();
  out.reserve(bytes.size() / size);
  for (size_t at = 0; at < bytes.size(); at += size) {
    const char* p = bytes.data() + at;
    Record r;
    if (textKey) {
      const size_t n = static_cast<unsigned char>(p[kKeyWidth]) | (static_cast<unsigned char>(p[kKeyWidth + 1]) << 8);
      if (n > kKeyWidth) return false;
      r.text.assign(p, n);
      p += kKeyWidth + 2;
    } else {
      const std::uint64_t bits = GetU32(p) | (static_cast<std::uint64_t>(GetU32(p + 4)) << 32);
      std::memcpy(&r.number, &bits, sizeof bits);
      p += 8;
    }
    r.index = static_cast<std::int32_t>(GetU32(p));
    out.push_back(std::move(r));
  }
  return true;
}

// The text without its "," read as a decimal number; 0 when it does not begin with one.
double NumberKey(const std::string& text) {
  std::string s;
  for (char c : text) {
    if (c != ',') s.push_back(c);
  }
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  double value = 0.0;
  const auto r = std::from_chars(s.data() + i, s.data() + s.size(), value, std::chars_format::general);
  if (r.ec != std::errc()) return 0.0;
  return negative ? -value : value;
}

// A date and time as one orderable number: digits of "Y-M-D h:m:s" (also "/"
// or "." between the date's parts, time optional). Anything else gives the
// earliest date, 100-01-01 00:00:00.
double DateKey(const std::string& text) {
  constexpr double kEarliest = 100.0 * 1e10 + 1.0 * 1e8 + 1.0 * 1e6;
  int part[6] = {0, 0, 0, 0, 0, 0};
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  int n = 0;
  for (; n < 6; ++n) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') break;
    int v = 0, digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 5) v = v * 10 + (text[i++] - '0'), ++digits;
    part[n] = v;
    if (i >= text.size()) {
      ++n;
      break;
    }
    const char sep = text[i];
    const bool dateSep = n < 2 && (sep == '-' || sep == '/' || sep == '.');
    const bool dayEnd = n == 2 && (sep == ' ' || sep == 'T');
    const bool timeSep = (n == 3 || n == 4) && sep == ':';
    if (!(dateSep || dayEnd || timeSep)) {
      ++n;
      break;
    }
    ++i;
  }
  if (n < 3) return kEarliest;
  const int y = part[0], mo = part[1], d = part[2], h = part[3], mi = part[4], se = part[5];
  if (y < 100 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || se > 59) return kEarliest;
  return y * 1e10 + mo * 1e8 + d * 1e6 + h * 1e4 + mi * 1e2 + se;
}

// One sort at a time: a second one started from the events a sort lets
// through would use the same two files.
std::atomic<bool> g_sorting{false};

struct SortingFlag {
  bool owned = !g_sorting.exchange(true);
  ~SortingFlag() {
    if (owned) g_sorting.store(false);
  }
};

// Both temporary files go, whatever happened.
struct TempFiles {
  std::string source, sorted;
  ~TempFiles() {
    os::RemoveFile(source);
    os::RemoveFile(sorted);
  }
};

}  // namespace

bool TableSorter(ListControl& list, int column, int keyKind, int direction, Ui& ui) {
  const SortingFlag flag;
  if (!flag.owned) return false;

  const int columns = list.ColumnCount();
  const int rows = list.RowCount();
  const bool textKey = keyKind != kKeyNumber && keyKind != kKeyDate;
  const std::string dir = os::ProgramDirectory();
  TempFiles files{dir + "\\Sort_S.aji", dir + "\\Sort_E.aji"};

  // The source table: created (or emptied) first, so that a directory that
  // takes no file leaves the list untouched.
  if (!os::WriteWholeFile(files.source, std::string_view())) return false;
  std::string source;
  source.reserve(static_cast<size_t>(rows) * RecordSize(textKey));
  for (int i = 0; i < rows; ++i) {
    ui.ProcessEvents();
    Record r;
    const std::string cell = list.CellText(i, column);
    if (keyKind == kKeyNumber) {
      r.number = NumberKey(cell);
    } else if (keyKind == kKeyDate) {
      r.number = DateKey(cell);
    } else {
      r.text = cell.substr(0, kKeyWidth);
    }
    r.index = i;
    AppendRecord(source, r, textKey);
  }
  // From here on a failure leaves the list as it is: the rows are only
  // replaced once the sorted copy has been read back whole.
  if (!os::WriteWholeFile(files.source, source)) return false;

  std::vector<Record> records;
  std::string bytes;
  if (!os::ReadWholeFile(files.source, bytes) || !ParseRecords(bytes, textKey, records)) return false;
  // Text keys in byte order (unsigned, GBK codes); a key before any longer
  // key it begins. Equal keys keep their order.
  const bool ascending = direction == kAscending;
  std::stable_sort(records.begin(), records.end(), [&](const Record& a, const Record& b) {
    if (textKey) return ascending ? a.text < b.text : b.text < a.text;
    return ascending ? a.number < b.number : b.number < a.number;
  });
  std::string sorted;
  sorted.reserve(bytes.size());
  for (const Record& r : records) AppendRecord(sorted, r, textKey);
  if (!os::WriteWholeFile(files.sorted, sorted)) return false;
  if (!os::ReadWholeFile(files.sorted, bytes) || !ParseRecords(bytes, textKey, records)) return false;

  // The sorted copy must name every row once.
  if (static_cast<int>(records.size()) != rows) return false;
  std::vector<bool> seen(static_cast<size_t>(rows), false);
  for (const Record& r : records) {
    if (r.index < 0 || r.index >= rows || seen[r.index]) return false;
    seen[r.index] = true;
  }

  std::vector<ListRow> rebuilt;
  rebuilt.reserve(records.size());
  for (const Record& r : records) {
    ui.ProcessEvents();
    ListRow row;
    // Column 0's text exists even in a list without columns.
    const int cells = std::max(columns, 1);
    row.cells.reserve(cells);
    for (int k = 0; k < cells; ++k) {
      ui.ProcessEvents();
      row.cells.push_back(list.CellText(r.index, k));
      if (k == 0) row.value = list.RowValue(r.index);
    }
    rebuilt.push_back(std::move(row));
  }
  // Rows added or removed by a handler while events were let through: the
  // collected rows no longer are the list, and replacing it would lose one.
  if (list.RowCount() != rows || list.ColumnCount() != columns) return false;
  list.ReplaceAllRows(rebuilt);
  return true;
}

}  // namespace qv
