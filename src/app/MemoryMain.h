// A main window made of in-memory controls, for the handlers' tests.
#pragma once
#include "app/MainContext.h"
#include "app/MemoryList.h"
#include "app/MemoryUi.h"

namespace qv {

class DirectUiThread : public UiThread {
 public:
  void Run(const std::function<void()>& op) override { op(); }
};

struct MemoryMain {
  MemoryList table{true, true};  // FolderTable: sort style, multiple selection
  MemoryControl edit1, edit2, status{"提示:"};
  MemoryProgress progress1, progress2;
  FileDialog dialog1{true, "请选择保存的位置", "Excel文件(*.xls)", "", "", ""};
  FileDialog dialog2{false, "请选择文件位置", "文本文件(*.Txt)", "", "", ""};
  ScriptedUi ui;
  DirectUiThread uiThread;
  std::vector<int> shows;
  MainContext context{table, edit1, edit2, progress1, progress2, status, dialog1, dialog2, ui, uiThread,
                      [this](int cmd) { shows.push_back(cmd); }};
};

}  // namespace qv
