// The list control on a real Win32 ListView (report view), ANSI messages.
#pragma once
#include <windows.h>

#include "app/ListControl.h"

namespace qv {

class ListViewControl : public ListControl {
 public:
  explicit ListViewControl(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND hwnd() const { return hwnd_; }

  int ColumnCount() const override;
  std::string ColumnTitle(int column) const override;
  int ColumnWidth(int column) const override;
  int ColumnAlignment(int column) const;  // kAlignLeft, kAlignCentre, or -1
  int InsertColumn(int position, const std::string& title, int width, int alignment) override;
  void DeleteColumn(int column) override;

  int RowCount() const override;
  int InsertRow(int position, const std::string& text = std::string()) override;
  void DeleteRow(int row) override;
  void DeleteAllRows() override;

  std::string CellText(int row, int column) const override;
  void SetCellText(int row, int column, const std::string& text) override;

  int SelectedCount() const override;
  std::vector<int> SelectedRows() const override;
  int CurrentRow() const override;
  void SelectRow(int row) override;
  // Selects these rows (the first gets the focus), as clicks would.
  void SetSelection(const std::vector<int>& rows);

  std::int64_t RowValue(int row) const override;
  void ReplaceAllRows(const std::vector<ListRow>& rows) override;

 private:
  HWND hwnd_;
};

}  // namespace qv
