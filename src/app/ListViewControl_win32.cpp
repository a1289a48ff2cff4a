#include "app/ListViewControl.h"

#include <commctrl.h>
#include <string.h>

namespace qv {
namespace {

// The toolkit's ANSI messages take non-const buffers.
char* Buffer(const std::string& s) { return const_cast<char*>(s.c_str()); }

}  // namespace

int ListViewControl::ColumnCount() const {
  const HWND header = reinterpret_cast<HWND>(SendMessageA(hwnd_, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string ListViewControl::ColumnTitle(int column) const {
  std::string buffer(256, '\0');
  for (;;) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT;
    col.pszText = buffer.data();
    col.cchTextMax = static_cast<int>(buffer.size());
    if (!SendMessageA(hwnd_, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&col))) return {};
    const size_t len = strnlen(buffer.data(), buffer.size());
    if (len + 1 < buffer.size() || buffer.size() >= (1u << 20)) return buffer.substr(0, len);
    buffer.assign(buffer.size() * 4, '\0');
  }
}

int ListViewControl::ColumnWidth(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  return static_cast<int>(SendMessageA(hwnd_, LVM_GETCOLUMNWIDTH, column, 0));
}

int ListViewControl::ColumnAlignment(int column) const {
  LVCOLUMNA col{};
  col.mask = LVCF_FMT;
  if (!SendMessageA(hwnd_, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&col))) return -1;
  switch (col.fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_CENTER: return kAlignCentre;
    case LVCFMT_LEFT: return kAlignLeft;
    default: return 2;
  }
}

int ListViewControl::InsertColumn(int position, const std::string& title, int width, int alignment) {
  if (position < 0) position = ColumnCount();
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  col.fmt = alignment == kAlignCentre ? LVCFMT_CENTER : LVCFMT_LEFT;
  col.cx = width;
  col.pszText = Buffer(title);
  if (position == 0 && alignment == kAlignCentre && ColumnCount() == 0) {
    // The first column of a ListView is always left-aligned; a column that
    // becomes the first by deleting the one before it keeps its alignment.
    LVCOLUMNA dummy{};
    dummy.mask = LVCF_WIDTH;
    SendMessageA(hwnd_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&dummy));
    SendMessageA(hwnd_, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&col));
    SendMessageA(hwnd_, LVM_DELETECOLUMN, 0, 0);
    return 0;
  }
  return static_cast<int>(SendMessageA(hwnd_, LVM_INSERTCOLUMNA, position, reinterpret_cast<LPARAM>(&col)));
}

void ListViewControl::DeleteColumn(int column) { SendMessageA(hwnd_, LVM_DELETECOLUMN, column, 0); }

int ListViewControl::RowCount() const { return static_cast<int>(SendMessageA(hwnd_, LVM_GETITEMCOUNT, 0, 0)); }

int ListViewControl::InsertRow(int position, const std::string& text) {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = position < 0 ? RowCount() : position;
  item.pszText = Buffer(text);
  return static_cast<int>(SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListViewControl::DeleteRow(int row) { SendMessageA(hwnd_, LVM_DELETEITEM, row, 0); }
void ListViewControl::DeleteAllRows() { SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0); }

std::string ListViewControl::CellText(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0) return {};
  std::string buffer(512, '\0');
  for (;;) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const int n = static_cast<int>(SendMessageA(hwnd_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
    if (n < 0) return {};
    // A full buffer may mean a longer text: ask again with more room.
    if (static_cast<size_t>(n) + 1 < buffer.size() || buffer.size() >= (1u << 24)) {
      return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
    }
    buffer.assign(buffer.size() * 4, '\0');
  }
}

void ListViewControl::SetCellText(int row, int column, const std::string& text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = Buffer(text);
  SendMessageA(hwnd_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

int ListViewControl::SelectedCount() const {
  return static_cast<int>(SendMessageA(hwnd_, LVM_GETSELECTEDCOUNT, 0, 0));
}

std::vector<int> ListViewControl::SelectedRows() const {
  std::vector<int> rows;
  int i = -1;
  while ((i = static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0) rows.push_back(i);
  return rows;
}

int ListViewControl::CurrentRow() const {
  return static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void ListViewControl::SelectRow(int row) { SetSelection({row}); }

void ListViewControl::SetSelection(const std::vector<int>& rows) {
  LVITEMA clear{};
  clear.stateMask = LVIS_SELECTED;
  SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
  bool first = true;
  for (int row : rows) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | (first ? LVIS_FOCUSED : 0);
    item.state = item.stateMask;
    SendMessageA(hwnd_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    if (first) SendMessageA(hwnd_, LVM_ENSUREVISIBLE, row, FALSE);
    first = false;
  }
}

std::int64_t ListViewControl::RowValue(int row) const {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageA(hwnd_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return static_cast<std::int64_t>(item.lParam);
}

void ListViewControl::ReplaceAllRows(const std::vector<ListRow>& rows) {
  SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0);
  for (const ListRow& row : rows) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = RowCount();
    // Both branches lvalues: a temporary copy would hand the ListView a dangling pointer.
    static const std::string kNoText;
    item.pszText = Buffer(row.cells.empty() ? kNoText : row.cells[0]);
    item.lParam = static_cast<LPARAM>(row.value);
    const int at = static_cast<int>(SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (size_t c = 1; c < row.cells.size(); ++c) SetCellText(at, static_cast<int>(c), row.cells[c]);
  }
  SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace qv
