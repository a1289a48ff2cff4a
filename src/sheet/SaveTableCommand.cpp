#include "sheet/SaveTableCommand.h"

#include "os/Files.h"
#include "sheet/SheetWriter.h"

namespace qv {

void SaveTableCommand(ListControl& list, FileDialog& dialog, Ui& ui) {
  SheetWriter writer([&ui] { ui.ProcessEvents(); });

  // The dialog keeps its title and the name chosen last; the rest is set
  // again before every use.
  dialog.save = true;
  dialog.filter = "文本文档（*.xls）|*.xls";
  dialog.initialDir = os::ProgramDirectory();
  dialog.defaultExt = "xls";

  // The table is copied whole before the dialog opens. Events processed in
  // between may change the table; the counts are read again, and cells that
  // no longer fit the sheet are refused by SetCell.
  writer.SetRowCount(list.RowCount() + 1, false);
  writer.SetColumnCount(list.ColumnCount(), false);
  for (int i = 1; i <= list.ColumnCount(); ++i) {
    writer.SetCell(1, i, list.ColumnTitle(i - 1));
    ui.ProcessEvents();
  }
  for (int j = 1; j <= list.RowCount(); ++j) {
    for (int k = 1; k <= list.ColumnCount(); ++k) {
      writer.SetCell(j + 1, k, list.CellText(j - 1, k - 1));
      ui.ProcessEvents();
    }
  }

  if (ui.RunFileDialog(dialog)) writer.SaveToFile(dialog.fileName);
}

}  // namespace qv
