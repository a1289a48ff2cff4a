#include "folders/FolderCommands.h"

#include <string>
#include <vector>

#include "folders/FolderListFile.h"
#include "folders/SubfolderScan.h"
#include "os/Files.h"
#include "os/SafeWrite.h"

namespace qv {
namespace {

void AppendRows(ListControl& list, const std::vector<std::string>& texts) {
  for (const std::string& text : texts) AppendRow(list, text);
}

}  // namespace

void OnAddFolder(MainContext& m) {
  FolderPickerArgs args;
  args.title = kFolderPickerTitle;
  args.initialFolder = m.edit2.Text();
  const std::string chosen = m.ui.PickFolder(args);
  if (chosen.empty()) return;
  m.edit2.SetText(chosen);
  AppendRow(m.table, m.edit2.Text());
}

void OnAddTypedSubfolders(MainContext& m) {
  std::vector<std::string> found;
  SubfolderScan(m.edit2.Text(), found, true, m.ui);
  AppendRows(m.table, found);
}

void OnAddSelectedSubfolders(MainContext& m) {
  // The folders first: the rows added below shift the indices.
  std::vector<std::string> folders;
  for (int row : m.table.SelectedRows()) folders.push_back(m.table.CellText(row, 0));
  for (const std::string& folder : folders) {
    std::vector<std::string> found;
    if (SubfolderScan(folder, found, true, m.ui) > 0) AppendRows(m.table, found);
  }
}

void OnDeleteSelectedRows(MainContext& m) {
  // From the highest index down, so the indices still to go stay valid.
  const std::vector<int> rows = m.table.SelectedRows();
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) m.table.DeleteRow(*it);
}

void OnClearTable(MainContext& m) { m.table.DeleteAllRows(); }

void OnImportFolderList(MainContext& m) {
  m.dialog2.save = false;
  if (!m.ui.RunFileDialog(m.dialog2)) return;
  m.edit1.SetText(m.dialog2.fileName);
  std::string bytes;
  os::ReadWholeFile(m.edit1.Text(), bytes);
  AppendRows(m.table, FolderListLines(bytes));
}

void OnExportFolderList(MainContext& m) {
  m.dialog2.save = true;
  if (!m.ui.RunFileDialog(m.dialog2)) return;
  const std::string chosen = m.dialog2.fileName;
  m.edit1.SetText(chosen);
  std::string text;
  const int rows = m.table.RowCount();
  for (int row = 0; row < rows; ++row) {
    text += m.table.CellText(row, 0);
    text += "\r\n";
  }
  // A failed write, even half-way, leaves an existing list file as it was.
  os::WriteFileReplacing(ExportTarget(chosen), text);
}

}  // namespace qv
