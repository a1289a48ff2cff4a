#include "grant/GrantWindowLogic.h"

#include <vector>

#include "common/TextTools.h"
#include "common/UserFile.h"
#include "folders/FolderListFile.h"
#include "folders/SubfolderScan.h"
#include "grant/GrantLog.h"
#include "grant/GrantOperation.h"

namespace qv {
namespace {

void MoveFirstSelected(ListControl& from, ListControl& to) {
  const std::vector<int> selected = from.SelectedRows();
  if (selected.empty()) return;
  const int row = selected.front();
  AppendRow(to, from.CellText(row, 0));
  from.DeleteRow(row);
}

}  // namespace

GrantWindowLogic::GrantWindowLogic(const GrantControls& controls, Ui& ui, GrantFunction grant,
                                   std::function<os::LocalTime()> now)
    : c_(controls), ui_(ui), grant_(std::move(grant)), now_(std::move(now)) {}

void GrantWindowLogic::OnCreated(const ListControl& mainTable) {
  // Lines of every section, not only the accounts: whatever holds "=".
  for (const std::string& line : CrLfLines(ReadWholeText())) {
    if (FindText(line, "=") > 0) AppendRow(c_.users, line);
  }
  for (int row : mainTable.SelectedRows()) AppendRow(c_.folders, mainTable.CellText(row, 0));
}

void GrantWindowLogic::OnUsersDoubleClick() { MoveFirstSelected(c_.users, c_.chosen); }
void GrantWindowLogic::OnChosenDoubleClick() { MoveFirstSelected(c_.chosen, c_.users); }

void GrantWindowLogic::OnAddFolder() {
  FolderPickerArgs args;
  args.title = kFolderPickerTitle;
  args.initialFolder = c_.edit2.Text();
  const std::string chosen = ui_.PickFolder(args);
  if (chosen.empty()) return;
  c_.edit2.SetText(chosen);
  AppendRow(c_.folders, c_.edit2.Text());
}

void GrantWindowLogic::OnAddSubfolders() {
  std::vector<std::string> found;
  SubfolderScan(c_.edit2.Text(), found, true, ui_);
  for (const std::string& path : found) AppendRow(c_.folders, path);
}

void GrantWindowLogic::OnGrant() {
  if (running_) return;
  running_ = true;
  Control* const radios[3] = {&c_.modify, &c_.read, &c_.deny};  // in the order of kGrantChoices
  std::string log;
  const int folderCount = c_.folders.RowCount();
  for (int f = 0; f < folderCount; ++f) {
    const std::string folder = c_.folders.CellText(f, 0);
    // Read again for every folder: the lists stay usable during a run.
    const int accountCount = c_.chosen.RowCount();
    for (int u = 0; u < accountCount; ++u) {
      const std::string account = TextBefore(c_.chosen.CellText(u, 0), "=");
      for (int k = 0; k < 3; ++k) {
        if (!radios[k]->Checked()) continue;
        const bool granted = grant_(folder, account, kGrantChoices[k].mask, kGrantChoices[k].mode);
        log += GrantLogLine(account, folder, granted);
        ui_.ProcessEvents();
      }
      ui_.ProcessEvents();
    }
  }
  WriteGrantLog(log, now_());
  ui_.ShowMessage("授权完毕", "提示", kMbOk | kMbTaskModal);
  running_ = false;
}

}  // namespace qv
