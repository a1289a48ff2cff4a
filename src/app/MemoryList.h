// In-memory list with the ListView's rules, for the host tests and for the
// handlers' logic. With the sort style, rows are placed the way the ListView
// places them (ListSortOrder.h).
#pragma once
#include <functional>
#include <set>

#include "app/ListControl.h"

namespace qv {

class MemoryList : public ListControl {
 public:
  explicit MemoryList(bool sortAscending = false, bool multiSelect = true)
      : sortAscending_(sortAscending), multiSelect_(multiSelect) {}

  int ColumnCount() const override { return static_cast<int>(columns_.size()); }
  std::string ColumnTitle(int column) const override;
  int ColumnWidth(int column) const override;
  int ColumnAlignment(int column) const;
  int InsertColumn(int position, const std::string& title, int width, int alignment) override;
  void DeleteColumn(int column) override;

  int RowCount() const override { return static_cast<int>(rows_.size()); }
  int InsertRow(int position, const std::string& text = std::string()) override;
  void DeleteRow(int row) override;
  void DeleteAllRows() override;

  std::string CellText(int row, int column) const override;
  void SetCellText(int row, int column, const std::string& text) override;

  int SelectedCount() const override { return static_cast<int>(selected_.size()); }
  std::vector<int> SelectedRows() const override { return {selected_.begin(), selected_.end()}; }
  int CurrentRow() const override { return current_; }
  void SelectRow(int row) override;

  std::int64_t RowValue(int row) const override;
  void SetRowValue(int row, std::int64_t value);
  void ReplaceAllRows(const std::vector<ListRow>& rows) override;

  // What a user's clicks would do: select these rows (the first gets the focus).
  void SetSelection(const std::vector<int>& rows);
  // Raised when the focused row changes to another row.
  std::function<void()> onCurrentChanged;

 private:
  struct Column {
    std::string title;
    int width;
    int alignment;
  };
  void SetCurrent(int row);

  bool sortAscending_;
  bool multiSelect_;
  std::vector<Column> columns_;
  std::vector<ListRow> rows_;
  std::set<int> selected_;
  int current_ = -1;
};

}  // namespace qv
