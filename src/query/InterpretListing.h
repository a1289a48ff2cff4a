// Reading a cacls listing into the cells of one row of FolderTable.
// GBK bytes throughout; lines end in CR LF.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ListControl.h"
#include "app/Ui.h"

namespace qv {

// The cell text for the last two bytes of a listing line: "R " 读; "F ",
// "C ", "W " 修改; "N " 拒绝; anything else is written as it stands.
std::string PermissionWord(const std::string& code);

// The lines of a listing as LineCount and NthLine count them (cut at CR LF
// that stand at character boundaries; an empty last piece is no line), in
// one pass over the text.
std::vector<std::string> ListingLines(std::string_view listing);

// What one line of a listing says: the cell text and the bare account name
// (after the first "\", up to the next ":"; "" when there is none).
struct ListingLine {
  std::string word;
  std::string account;
};
// Line j (1-based) of a listing of folder. The first line starts with the
// folder and one blank: when it starts with exactly the folder text and a
// blank, that is dropped and the rest read like any line, so an account or
// path with blanks keeps the first entry; otherwise the first line is cut to
// the text between its first two blanks.
ListingLine ReadListingLine(const std::string& line, int j, const std::string& folder);

// Writes the words of the listing of folder into row: every column whose
// title is the position of a line's account (section "帐号转换成职位" of
// User.ini, read anew for each line) gets that line's word. Progress bar 2
// counts the columns of each line, from 0. The controls are touched only
// inside ui.Run, one step per line; stopped is asked before each line and
// ends the reading when true.
void InterpretListing(ListControl& table, ProgressBar& progress2, UiThread& ui, int row, const std::string& folder,
                      const std::string& listing, const std::function<bool()>& stopped = {});

}  // namespace qv
