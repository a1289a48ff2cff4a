// A grid of texts written as a minimal .xls worksheet: a bare BIFF record
// stream of BOF, one LABEL or BLANK record per cell, and EOF. Texts are GBK
// bytes, written as they are; numbers, fonts and widths are never written.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv {

using SheetRow = std::vector<std::string>;  // cell texts, in order
using SheetData = std::vector<SheetRow>;    // rows, in order

class SheetWriter {
 public:
  // The record fields are 16 bits wide. What does not fit is left out of the
  // file rather than written with a wrapped row or a wrong length:
  //  - rows after the first kMaxRows and cells after the first kMaxCells of a
  //    row are not written;
  //  - a text longer than kMaxTextBytes is cut to at most that many bytes,
  //    at a character boundary.
  static constexpr int kMaxRows = 65536;
  static constexpr int kMaxCells = 65536;
  static constexpr int kMaxTextBytes = 65527;  // the record length n + 8 fits 16 bits

  // processEvents lets pending window events be handled; it is called after
  // every cell and every row written. May be empty.
  explicit SheetWriter(std::function<void()> processEvents = {});

  // Rows and columns are numbered from 1 here and from 0 in the file. The
  // row count is set before the column count: rows added later by
  // SetRowCount hold a single cell until SetColumnCount runs again.
  // Negative counts count as 0.
  void SetRowCount(int count, bool keep);
  void SetColumnCount(int count, bool keep);
  // False (and nothing stored) unless 1 <= row <= rows, 1 <= column <=
  // the column count and the row holds at least column cells.
  bool SetCell(int row, int column, const std::string& text);
  // The cell's text; "" for a cell that SetCell would refuse.
  std::string GetCell(int row, int column) const;
  // Appends a row of column-count empty cells; returns the new row count.
  int AddRow();

  // Writes the sheet to the named file. The new file is written under a
  // temporary name in the same folder and only then takes the place of an
  // existing file, so a failed save leaves the old file as it was. Returns
  // false when nothing was written (folder missing or not writable, name of
  // a directory, write error); failures are otherwise silent.
  bool SaveToFile(const std::string& fileName);
  // Replaces the held sheet by a copy of the given one (the column count
  // stays), then saves as SaveToFile does.
  bool SaveSheetTo(const SheetData& sheet, const std::string& fileName);

  const SheetData& Sheet() const { return sheet_; }

 private:
  struct Output;  // the buffered file being written, inside SaveToFile only

  void WriteBlank();
  void WriteLabel(const std::string& text);
  void WriteBof();
  void WriteEof();
  void WriteSheet();
  void ProcessEvents() {
    if (processEvents_) processEvents_();
  }

  Output* file_ = nullptr;
  // Plain ints: the row and column limits are checked before the numbers go
  // into the 16-bit fields, so nothing wraps.
  int currentRow_ = 0;
  int currentColumn_ = 0;
  SheetData sheet_;
  std::uint16_t labelHeader_[6] = {};
  std::uint16_t blankHeader_[5] = {};
  int columnCount_ = 0;
  std::function<void()> processEvents_;
};

}  // namespace qv
