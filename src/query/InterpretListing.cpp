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

std::vector<std::string> ListingLines(std::string_view listing) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < listing.size();) {
    const unsigned char b = static_cast<unsigned char>(listing[i]);
    if (IsLeadByte(b) && i + 1 < listing.size()) {
      i += 2;  // a CR or LF here would be the second byte of a character
    } else if (b == '\r' && i + 1 < listing.size() && listing[i + 1] == '\n') {
      lines.emplace_back(listing.substr(start, i - start));
      i += 2;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < listing.size()) lines.emplace_back(listing.substr(start));
  return lines;
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
  const std::vector<std::string> lines = ListingLines(listing);
  for (size_t j = 1; j <= lines.size(); ++j) {
    if (stopped && stopped()) return;
    const ListingLine line = ReadListingLine(lines[j - 1], static_cast<int>(j), folder);
    // The user file is read on the calling thread, not the UI thread.
    const std::string position = line.account.empty() ? std::string() : PositionOf(line.account);
    // One step on the UI thread: nothing else runs there meanwhile, so the
    // column count and the bar's position are read once, not per column.
    ui.Run([&] {
      progress2.SetPos(0);
      const int columns = table.ColumnCount();
      for (int k = 1; k <= columns; ++k) {
        progress2.SetMax(columns);
        progress2.SetPos(k);
        // No account, or one without a position, writes nothing.
        if (!position.empty() && position == table.ColumnTitle(k - 1)) table.SetCellText(row, k - 1, line.word);
      }
    });
  }
}

}  // namespace qv
