// Where a list with the ascending sort style places an inserted row.
// The ListView searches its rows with a binary search (DPA_Search, sorted,
// insert-after) and compares column-0 texts with CompareRowText. The search
// assumes the rows are in order; rows given their text after insertion can
// break that, and then the row lands where the same search lands.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// <0, 0 or >0 as the ListView orders two column-0 texts.
int CompareRowText(std::string_view a, std::string_view b);

// Index at which a row with this text is inserted among rows whose column-0
// texts are given in order.
template <typename TextAt>
int SortedInsertIndex(int count, std::string_view text, TextAt textAt) {
  int l = 0, r = count - 1;
  while (r >= l) {
    const int x = (l + r) / 2;
    const int n = CompareRowText(text, textAt(x));
    if (n == 0) return x;
    if (n < 0) r = x - 1;
    else l = x + 1;
  }
  return l;
}

}  // namespace qv
