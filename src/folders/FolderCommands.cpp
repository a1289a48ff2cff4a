#include "folders/FolderCommands.h"

namespace qv {

// Empty until the folder-list work fills them in.
void OnAddFolder(MainContext&) {}
void OnAddTypedSubfolders(MainContext&) {}
void OnAddSelectedSubfolders(MainContext&) {}
void OnDeleteSelectedRows(MainContext&) {}
void OnClearTable(MainContext& m) { m.table.DeleteAllRows(); }
void OnImportFolderList(MainContext&) {}
void OnExportFolderList(MainContext&) {}

}  // namespace qv
