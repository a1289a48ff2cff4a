#include "admin/UserWindow.h"

#include "common/TextTools.h"
#include "common/UserFile.h"

namespace qv {

int UserWindow::SelectedRow() const {
  const std::vector<int> rows = list_.SelectedRows();
  return rows.empty() ? -1 : rows.front();
}

void UserWindow::Load() {
  for (const std::string& key : SplitKeyList(SectionKeys(kPositionSection))) {
    AppendRow(list_, key + "=" + ReadValue(kPositionSection, key));
  }
}

void UserWindow::Pick() {
  const int row = SelectedRow();
  if (row < 0) return;
  const std::string entry = list_.CellText(row, 0);
  account_.SetText(TextBefore(entry, "="));
  position_.SetText(TextAfterLast(entry, "="));
}

void UserWindow::Add() {
  const std::string account = account_.Text(), position = position_.Text();
  AppendRow(list_, account + "=" + position);
  WriteValue(kPositionSection, account, position);
}

void UserWindow::Change() {
  const int row = SelectedRow();
  if (row < 0) return;
  const std::string oldEntry = list_.CellText(row, 0);
  const std::string newEntry = account_.Text() + "=" + position_.Text();
  AppendRow(list_, newEntry);
  list_.DeleteRow(row);
  ReplaceEntryText(oldEntry, newEntry);
  account_.SetText("");
  position_.SetText("");
}

void UserWindow::Delete() {
  const int row = SelectedRow();
  if (row < 0) return;
  // The file loses the entry of the row that goes, as the row shows it: the
  // boxes may have been edited since the row was picked, and would name
  // another user's entry or none.
  const std::string entry = list_.CellText(row, 0);
  list_.DeleteRow(row);
  DeleteEntryLine(kPositionSection, entry);
  if (list_.RowCount() == 0) return;
  list_.SelectRow(0);
  Pick();
}

}  // namespace qv
