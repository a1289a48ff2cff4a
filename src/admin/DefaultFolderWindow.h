// "目录管理": the handlers of the window that edits the section "默认目录" of
// User.ini, one row per entry: column 0 its key, column 1 its folder. They work
// on the control seams, so the Win32 window and the tests share them.
#pragma once
#include <string>
#include <string_view>

#include "app/ListControl.h"
#include "app/Ui.h"

namespace qv {

inline constexpr const char* kNoSuchFolderText = "目录不存在或您没权限查看该目录";
inline constexpr const char* kNoSuchFolderTitle = "提示";

// True when folder names a directory whose parent can be listed and holds an
// entry of exactly that name (bytes compared, case-sensitive). A trailing "\"
// that is a character of its own is ignored. A drive root ("D:\") is refused,
// as it is looked up as a folder "D:" in the current folder, and so is a share
// root ("\\server\share"), whose parent cannot be listed. GBK bytes.
bool FolderCheck(const std::string& folder);

// The text with the entries of section that are not the keys 1 ... count
// removed: entries with another key, an empty key, and every repeat of a key
// after its first line. The section is the one whose header line, blanks
// trimmed, is "[" + section + "]", up to the next header; lines without "="
// and every byte outside the section stay as they are. Keys compare as the
// profile functions compare them: blanks around them ignored.
std::string DropLeftoverEntries(std::string_view text, std::string_view section, int count);

class DefaultFolderWindow {
 public:
  // list: 超级列表框_目录列表; changeBox: 编辑框1; addBox: 编辑框2;
  // changeButton: 按钮3 "修改".
  DefaultFolderWindow(ListControl& list, Control& changeBox, Control& addBox, Control& changeButton, Ui& ui)
      : list_(list), changeBox_(changeBox), addBox_(addBox), changeButton_(changeButton), ui_(ui) {}

  // Window created: the section's entries with a key and a folder, sorted by key as text.
  void Load();
  // Current row changed: its folder into 编辑框1.
  void Show();
  // Text of 编辑框1 changed: "修改" is enabled exactly while it holds text.
  void Gate();
  // "浏览": 编辑框2 gets the picked folder ("" when cancelled).
  void Browse();
  // "添加": the folder of 编辑框2, when it exists, as a new last row and entry.
  void Add();
  // "修改": the selected row gets the picked folder and moves to the end.
  void Change();
  // "删除": the selected row goes, with its line in the file.
  void Delete();
  // Window about to be destroyed: the rows, in list order, become the
  // section's entries 1 ... n, and nothing else stays an entry of it.
  void Save();

 private:
  int SelectedRow() const;
  std::string PickFolder(const std::string& initial);

  ListControl& list_;
  Control& changeBox_;
  Control& addBox_;
  Control& changeButton_;
  Ui& ui_;
};

}  // namespace qv
