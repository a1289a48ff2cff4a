// The portable steps of the main window's start-up and layout.
#pragma once
#include "app/ListControl.h"

namespace qv {

inline constexpr const char* kFolderColumnTitle = "文件目录  ";  // two blanks, as the header shows
inline constexpr int kFolderColumnWidth = 200;
inline constexpr int kPositionColumnWidth = 60;

// Columns of FolderTable from User.ini: "文件目录  ", then one column per line
// 2..n whose key (text before "=") has a position in "帐号转换成职位".
// Duplicate titles are kept; line 1 is never used.
void BuildFolderColumns(ListControl& table);
// One row per key of "默认目录", in file order, with its folder (maybe empty).
void AddDefaultFolders(ListControl& table);

// What ApplyLayout sets for a main window of outer size w x h.
struct MainLayout {
  int tableWidth, tableHeight;
  int bottomGroupTop, bottomGroupWidth;
  int progressWidth;  // both bars; no lower bound, as the form has it
};
MainLayout ComputeMainLayout(int w, int h);

// The outer rectangle that gives a window the client size w x h while it keeps
// its place and frame (SetClientSize). Rectangles as left, top, right, bottom.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
Rect OuterRectForClient(const Rect& outer, const Rect& parent, const Rect& client, int w, int h);

}  // namespace qv
