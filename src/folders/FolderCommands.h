// The main window's folder-list commands.
#pragma once
#include "app/MainContext.h"

namespace qv {

void OnAddFolder(MainContext& m);               // "添加"
void OnAddTypedSubfolders(MainContext& m);      // "子目录"
void OnAddSelectedSubfolders(MainContext& m);   // menu "获取子目录"
void OnDeleteSelectedRows(MainContext& m);      // menu "删除该目录"
void OnClearTable(MainContext& m);              // "删除记录"
void OnImportFolderList(MainContext& m);        // "导入"
void OnExportFolderList(MainContext& m);        // "导出"

}  // namespace qv
