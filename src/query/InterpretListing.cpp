#include "query/InterpretListing.h"

#include "common/TextTools.h"
#include "common/UserFile.h"

namespace qv {

std::string PermissionWord(const std::string& code) {
  if (code == "R ") return "读";
  if (code == "F " || code == "C " || code == "W ") return "修改";
  if (code == "N ") return "拒绝";
  return code;
}

ListingLine ReadListingLine(const std::string& line, int j, const std::string& folder) {
  ListingLine out;
  out.word = PermissionWord(RightText(line, 2));  // taken before the line is cut
  std::string entry = line;
  if (j == 1) {
    const std::string head = folder + " ";
    if (entry.compare(0, head.size(), head) == 0) {
      entry.erase(0, head.size());
    } else {
      entry = TextBetween(entry, " ", " ");
    }
  }
  out.account = TextBetween(entry, "\\", ":");
  return out;
}

void InterpretListing(ListControl& table, ProgressBar& progress2, UiThread& ui, int row, const std::string& folder,
                      const std::string& listing, const std::function<bool()>& stopped) {
  const int lines = LineCount(listing);
  for (int j = 1; j <= lines; ++j) {
    if (stopped && stopped()) return;
    const ListingLine line = ReadListingLine(NthLine(listing, j), j, folder);
    // The user file is read on the calling thread, not the UI thread.
    const std::string position = line.account.empty() ? std::string() : PositionOf(line.account);
    ui.Run([&] {
      progress2.SetPos(0);
      const int columns = table.ColumnCount();
      for (int k = 1; k <= columns; ++k) {
        progress2.SetMax(table.ColumnCount());
        progress2.SetPos(progress2.Pos() + 1);
        // No account, or one without a position, writes nothing.
        if (!position.empty() && position == table.ColumnTitle(k - 1)) table.SetCellText(row, k - 1, line.word);
      }
    });
  }
}

}  // namespace qv
