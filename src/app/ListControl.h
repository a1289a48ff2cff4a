// The report-style list that every window shows its data in, addressed by
// 0-based row and column. The Win32 side is a ListView (ListViewControl);
// the host side is MemoryList, an in-memory table with the same rules.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv {

struct ListRow {
  std::vector<std::string> cells;
  std::int64_t value = 0;
};

inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignCentre = 1;

class ListControl {
 public:
  virtual ~ListControl() = default;

  virtual int ColumnCount() const = 0;
  virtual std::string ColumnTitle(int column) const = 0;
  virtual int ColumnWidth(int column) const = 0;
  // position -1 appends. Returns the new column's index, or -1.
  virtual int InsertColumn(int position, const std::string& title, int width, int alignment) = 0;
  virtual void DeleteColumn(int column) = 0;

  virtual int RowCount() const = 0;
  // position -1 appends, unless the list has the sort style: then the row is
  // placed by its column-0 text. Returns the new row's index, or -1.
  virtual int InsertRow(int position, const std::string& text = std::string()) = 0;
  virtual void DeleteRow(int row) = 0;
  virtual void DeleteAllRows() = 0;

  // A cell never set, or out of range, reads as "".
  virtual std::string CellText(int row, int column) const = 0;
  virtual void SetCellText(int row, int column, const std::string& text) = 0;

  virtual int SelectedCount() const = 0;
  virtual std::vector<int> SelectedRows() const = 0;  // ascending
  virtual int CurrentRow() const = 0;                 // the focused row, or -1
  // Makes row the selected and focused row (single-selection lists).
  virtual void SelectRow(int row) = 0;

  virtual std::int64_t RowValue(int row) const = 0;
  // Replaces every row, drawing suspended; no row is selected afterwards.
  virtual void ReplaceAllRows(const std::vector<ListRow>& rows) = 0;
};

// Appends a row and gives it its column-0 text through the index the insert
// returns: with the sort style the list decides where the row stands.
inline int AppendRow(ListControl& list, const std::string& text) {
  const int row = list.InsertRow(-1);
  if (row >= 0) list.SetCellText(row, 0, text);
  return row;
}

}  // namespace qv
