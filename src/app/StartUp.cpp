#include "app/StartUp.h"

#include "common/TextTools.h"
#include "common/UserFile.h"

namespace qv {

void BuildFolderColumns(ListControl& table) {
  for (int n = table.ColumnCount(); n > 0; --n) table.DeleteColumn(0);
  const std::string text = ReadWholeText();
  table.InsertColumn(-1, kFolderColumnTitle, kFolderColumnWidth, kAlignCentre);
  // Every line takes part, not only those of the position section: a key that
  // is also an account adds that account's position once more.
  const std::vector<std::string> lines = SplitText(text, kCrLf);
  const int count = LineCount(text);
  for (int k = 2; k <= count; ++k) {
    const std::string key = TextBefore(lines[k - 1], "=");
    if (key.empty()) continue;
    const std::string position = ReadValue(kPositionSection, key);
    if (!position.empty()) table.InsertColumn(-1, position, kPositionColumnWidth, kAlignCentre);
  }
}

void AddDefaultFolders(ListControl& table) {
  for (const std::string& name : SplitKeyList(SectionKeys(kDefaultFolderSection))) {
    table.InsertRow(-1, ReadValue(kDefaultFolderSection, name));
  }
}

MainLayout ComputeMainLayout(int w, int h) {
  MainLayout l{};
  l.tableWidth = w - 20;
  l.tableHeight = h - 125;
  l.bottomGroupTop = h - 115;
  l.bottomGroupWidth = w - 20;
  l.progressWidth = l.bottomGroupWidth - 850;
  return l;
}

Rect OuterRectForClient(const Rect& outer, const Rect& parent, const Rect& client, int w, int h) {
  Rect r;
  r.left = outer.left - parent.left;
  r.top = outer.top - parent.top;
  r.right = r.left + (outer.right - outer.left) + w - client.right;
  r.bottom = r.top + (outer.bottom - outer.top) + h - client.bottom;
  return r;
}

}  // namespace qv
