#include "admin/DefaultFolderWindow.h"

#include <vector>

#include "common/TextTools.h"
#include "common/UserFile.h"
#include "folders/TableSorter.h"
#include "os/Files.h"

namespace qv {
namespace {

bool IsBlank(unsigned char c) { return c <= ' '; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The number a key stands for when it is written as the program writes keys
// ("1", "2", ... no sign, no leading zero), else 0.
long long KeyNumber(std::string_view key) {
  if (key.empty() || key.size() > 12 || key.front() == '0') return 0;
  long long n = 0;
  for (char c : key) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

// Position (1-based) of the last "\" that is a character of its own, or -1.
int LastBackslash(std::string_view text) {
  int last = -1;
  for (int p = FindText(text, "\\"); p > 0; p = FindText(text, "\\", p + 1)) last = p;
  return last;
}

}  // namespace

bool FolderCheck(const std::string& folder) {
  std::string f = folder;
  // Only a "\" of its own: in "D:\運" the last byte is half of 運.
  if (EndsWithBackslashChar(f)) f.pop_back();
  const int a = LastBackslash(f);
  const std::string parent = a > 0 ? f.substr(0, a) : std::string();
  const std::string name = a > 0 ? f.substr(a) : f;
  bool found = false;
  os::FindEntries(parent + "*.*", [&](const os::DirEntry& e) {
    if (e.directory && e.name == name) found = true;
    return !found;
  });
  return found;
}

std::string DropLeftoverEntries(std::string_view text, std::string_view section, int count) {
  const std::vector<std::string> lines = SplitText(text, kCrLf);
  const std::string header = "[" + std::string(section) + "]";
  size_t first = 0;
  while (first < lines.size() && TrimBlanks(lines[first]) != header) ++first;
  if (first == lines.size()) return std::string(text);

  std::vector<bool> kept(static_cast<size_t>(count > 0 ? count : 0) + 1, false);
  std::vector<bool> drop(lines.size(), false);
  bool dropped = false;
  for (size_t i = first + 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::string_view trimmed = TrimBlanks(line);
    if (!trimmed.empty() && trimmed.front() == '[') break;  // the next section
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;  // no entry: blank lines, notes
    const long long n = KeyNumber(TrimBlanks(line.substr(0, eq)));
    if (n >= 1 && n <= count && !kept[static_cast<size_t>(n)]) {
      kept[static_cast<size_t>(n)] = true;
    } else {
      drop[i] = true;
      dropped = true;
    }
  }
  if (!dropped) return std::string(text);

  // A dropped line goes with its CR LF; the remaining pieces keep theirs.
  std::string out;
  bool any = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (drop[i]) continue;
    if (any) out.append(kCrLf);
    out.append(lines[i]);
    any = true;
  }
  return out;
}

int DefaultFolderWindow::SelectedRow() const {
  const std::vector<int> rows = list_.SelectedRows();
  return rows.empty() ? -1 : rows.front();
}

std::string DefaultFolderWindow::PickFolder(const std::string& initial) {
  FolderPickerArgs args;
  args.title = kFolderPickerTitle;
  args.initialFolder = initial;
  return ui_.PickFolder(args);
}

void DefaultFolderWindow::Load() {
  const std::string text = ReadWholeText();
  for (const std::string& line : SectionLines(text, kDefaultFolderSection)) {
    const std::string key = TextBefore(line, "=");
    const int eq = FindText(line, "=");
    const std::string folder = eq > 0 ? line.substr(static_cast<size_t>(eq)) : std::string();
    if (key.empty() || folder.empty()) continue;
    list_.SetCellText(AppendRow(list_, key), 1, folder);
  }
  TableSorter(list_, 0, kKeyText, kAscending, ui_);
}

void DefaultFolderWindow::Show() {
  const int row = SelectedRow();
  if (row < 0) return;
  changeBox_.SetText(list_.CellText(row, 1));
}

void DefaultFolderWindow::Gate() { changeButton_.SetEnabled(!changeBox_.Text().empty()); }

void DefaultFolderWindow::Browse() { addBox_.SetText(PickFolder(addBox_.Text())); }

void DefaultFolderWindow::Add() {
  const std::string folder = addBox_.Text();
  if (folder.empty() || !FolderCheck(folder)) {
    ui_.ShowMessage(kNoSuchFolderText, kNoSuchFolderTitle, kMbOk | kMbTaskModal);
    return;
  }
  const int row = list_.InsertRow(-1);
  const std::string key = std::to_string(row + 1);  // the row count after appending
  list_.SetCellText(row, 0, key);
  list_.SetCellText(row, 1, folder);
  WriteValue(kDefaultFolderSection, key, folder);
}

void DefaultFolderWindow::Change() {
  const std::string picked = PickFolder(changeBox_.Text());
  if (picked.empty()) return;
  changeBox_.SetText(picked);
  const int selected = SelectedRow();
  if (selected < 0) return;
  const std::string key = list_.CellText(selected, 0);
  const std::string folder = changeBox_.Text();
  list_.DeleteRow(selected);
  list_.SetCellText(AppendRow(list_, key), 1, folder);
  WriteValue(kDefaultFolderSection, key, folder);
}

void DefaultFolderWindow::Delete() {
  const int selected = SelectedRow();
  if (selected < 0) return;
  const std::string key = list_.CellText(selected, 0);
  list_.DeleteRow(selected);
  DeleteEntryLine(kDefaultFolderSection, key + "=" + changeBox_.Text());
  if (list_.RowCount() == 0) return;
  list_.SelectRow(0);
  Show();
}

void DefaultFolderWindow::Save() {
  const int count = list_.RowCount();
  for (int i = 1; i <= count; ++i) WriteValue(kDefaultFolderSection, std::to_string(i), list_.CellText(i - 1, 1));
  // Entries the rows no longer cover (a key above n after a deletion, one the
  // window never showed) would bring a folder back at the next start. The raw
  // bytes are filtered, so nothing outside the section changes.
  std::string bytes;
  if (!os::ReadWholeFile(UserFilePath(), bytes)) return;
  const std::string kept = DropLeftoverEntries(bytes, kDefaultFolderSection, count);
  if (kept != bytes) WriteWholeText(kept);
}

}  // namespace qv
