#include "app/MemoryList.h"

#include "app/ListSortOrder.h"

namespace qv {

std::string MemoryList::ColumnTitle(int column) const {
  return column >= 0 && column < ColumnCount() ? columns_[column].title : std::string();
}

int MemoryList::ColumnWidth(int column) const {
  return column >= 0 && column < ColumnCount() ? columns_[column].width : 0;
}

int MemoryList::ColumnAlignment(int column) const {
  return column >= 0 && column < ColumnCount() ? columns_[column].alignment : -1;
}

int MemoryList::InsertColumn(int position, const std::string& title, int width, int alignment) {
  if (position < 0 || position > ColumnCount()) position = ColumnCount();
  columns_.insert(columns_.begin() + position, Column{title, width, alignment});
  for (ListRow& r : rows_) {
    if (static_cast<int>(r.cells.size()) > position) r.cells.insert(r.cells.begin() + position, std::string());
  }
  return position;
}

void MemoryList::DeleteColumn(int column) {
  if (column < 0 || column >= ColumnCount()) return;
  columns_.erase(columns_.begin() + column);
  for (ListRow& r : rows_) {
    if (static_cast<int>(r.cells.size()) > column) r.cells.erase(r.cells.begin() + column);
  }
}

int MemoryList::InsertRow(int position, const std::string& text) {
  const int count = RowCount();
  if (sortAscending_) {
    // A view of the stored cell: CellText returns a copy that would be gone.
    position = SortedInsertIndex(count, text, [&](int i) {
      const ListRow& r = rows_[i];
      return r.cells.empty() ? std::string_view() : std::string_view(r.cells[0]);
    });
  } else if (position < 0 || position > count) {
    position = count;
  }
  ListRow row;
  row.cells.push_back(text);
  rows_.insert(rows_.begin() + position, std::move(row));
  // Later rows move down: so do their selection and focus.
  std::set<int> moved;
  for (int s : selected_) moved.insert(s >= position ? s + 1 : s);
  selected_ = std::move(moved);
  if (current_ >= position) ++current_;
  return position;
}

void MemoryList::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  rows_.erase(rows_.begin() + row);
  std::set<int> moved;
  for (int s : selected_) {
    if (s != row) moved.insert(s > row ? s - 1 : s);
  }
  selected_ = std::move(moved);
  if (current_ == row) current_ = -1;
  else if (current_ > row) --current_;
}

void MemoryList::DeleteAllRows() {
  rows_.clear();
  selected_.clear();
  current_ = -1;
}

std::string MemoryList::CellText(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0) return {};
  const ListRow& r = rows_[row];
  return column < static_cast<int>(r.cells.size()) ? r.cells[column] : std::string();
}

void MemoryList::SetCellText(int row, int column, const std::string& text) {
  if (row < 0 || row >= RowCount() || column < 0 || column >= std::max(1, ColumnCount())) return;
  ListRow& r = rows_[row];
  if (static_cast<int>(r.cells.size()) <= column) r.cells.resize(column + 1);
  r.cells[column] = text;
}

void MemoryList::SetCurrent(int row) {
  const int before = current_;
  current_ = row;
  if (row != before && row >= 0 && onCurrentChanged) onCurrentChanged();
}

void MemoryList::SelectRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  selected_.clear();
  selected_.insert(row);
  SetCurrent(row);
}

void MemoryList::SetSelection(const std::vector<int>& rows) {
  selected_.clear();
  for (int r : rows) {
    if (r >= 0 && r < RowCount()) selected_.insert(r);
    if (!multiSelect_) break;
  }
  if (!rows.empty() && rows.front() >= 0 && rows.front() < RowCount()) SetCurrent(rows.front());
}

std::int64_t MemoryList::RowValue(int row) const {
  return row >= 0 && row < RowCount() ? rows_[row].value : 0;
}

void MemoryList::SetRowValue(int row, std::int64_t value) {
  if (row >= 0 && row < RowCount()) rows_[row].value = value;
}

void MemoryList::ReplaceAllRows(const std::vector<ListRow>& rows) {
  DeleteAllRows();
  for (const ListRow& src : rows) {
    const int at = InsertRow(-1, src.cells.empty() ? std::string() : src.cells[0]);
    rows_[at] = src;
  }
}

}  // namespace qv
