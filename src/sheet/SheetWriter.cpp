#include "sheet/SheetWriter.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "common/TextTools.h"
#include "os/Files.h"
#include "os/SafeWrite.h"

namespace qv {
namespace {

// Records are collected in memory and go to the file in pieces of this size,
// so a cell never costs a system call of its own.
constexpr size_t kFlushBytes = 256 * 1024;

constexpr std::uint16_t kBofRecord[6] = {0x0809, 0x0008, 0x0000, 0x0010, 0x0000, 0x0000};
constexpr std::uint16_t kEofRecord[2] = {0x000A, 0x0000};

// The length of text cut to at most limit bytes without splitting a
// double-byte character.
size_t CutLength(const std::string& text, size_t limit) {
  if (text.size() <= limit) return text.size();
  size_t i = 0;
  while (i < text.size()) {
    const size_t w = (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    if (i + w > limit) break;
    i += w;
  }
  return i;
}

}  // namespace

// The file being written: records gather in the buffer, which goes to the
// temporary file whenever it is full and at the end.
struct SheetWriter::Output {
  std::string temp;
  std::string buffer;
  bool ok = true;

  // Little-endian 16-bit words.
  void PutWords(const std::uint16_t* words, size_t count) {
    char bytes[16];
    for (size_t i = 0; i < count; ++i) {
      bytes[2 * i] = static_cast<char>(words[i] & 0xFF);
      bytes[2 * i + 1] = static_cast<char>(words[i] >> 8);
    }
    PutBytes(std::string_view(bytes, 2 * count));
  }
  void PutBytes(std::string_view bytes) {
    buffer.append(bytes);
    if (buffer.size() >= kFlushBytes) Flush();
  }
  void Flush() {
    if (ok && !buffer.empty()) ok = os::AppendToFile(temp, buffer);
    buffer.clear();
  }
};

SheetWriter::SheetWriter(std::function<void()> processEvents) : processEvents_(std::move(processEvents)) {
  sheet_.clear();
}

void SheetWriter::SetRowCount(int count, bool keep) {
  const size_t n = static_cast<size_t>(std::max(count, 0));
  if (!keep) sheet_.clear();
  sheet_.resize(n, SheetRow(1));
}

void SheetWriter::SetColumnCount(int count, bool keep) {
  columnCount_ = std::max(count, 0);
  for (SheetRow& row : sheet_) {
    if (keep) row.resize(static_cast<size_t>(columnCount_));
    else row.assign(static_cast<size_t>(columnCount_), std::string());
  }
}

bool SheetWriter::SetCell(int row, int column, const std::string& text) {
  if (row < 1 || static_cast<size_t>(row) > sheet_.size()) return false;
  if (column < 1 || column > columnCount_) return false;
  SheetRow& cells = sheet_[static_cast<size_t>(row) - 1];
  if (static_cast<size_t>(column) > cells.size()) return false;
  cells[static_cast<size_t>(column) - 1] = text;
  return true;
}

std::string SheetWriter::GetCell(int row, int column) const {
  if (row < 1 || static_cast<size_t>(row) > sheet_.size()) return {};
  if (column < 1 || column > columnCount_) return {};
  const SheetRow& cells = sheet_[static_cast<size_t>(row) - 1];
  if (static_cast<size_t>(column) > cells.size()) return {};
  return cells[static_cast<size_t>(column) - 1];
}

int SheetWriter::AddRow() {
  sheet_.emplace_back(static_cast<size_t>(columnCount_));
  return static_cast<int>(sheet_.size());
}

bool SheetWriter::SaveSheetTo(const SheetData& sheet, const std::string& fileName) {
  sheet_ = sheet;
  return SaveToFile(fileName);
}

bool SheetWriter::SaveToFile(const std::string& fileName) {
  if (fileName.empty() || os::DirectoryExists(fileName)) return false;
  Output out;
  out.temp = os::TemporaryNameBeside(fileName, "qvsheet");
  // Creating the temporary file first tells whether the folder takes a file
  // at all before any work is done.
  if (out.temp.empty() || !os::WriteWholeFile(out.temp, {})) return false;
  out.buffer.reserve(kFlushBytes + 12 + kMaxTextBytes);
  file_ = &out;
  WriteSheet();
  file_ = nullptr;
  out.Flush();
  if (!out.ok || !os::RenameOver(out.temp, fileName)) {
    os::RemoveFile(out.temp);
    return false;
  }
  return true;
}

void SheetWriter::WriteSheet() {
  const std::uint16_t label[6] = {0x0204, 0, 0, 0, 0, 0};
  const std::uint16_t blank[5] = {0x0201, 0x0006, 0, 0, 0x0017};
  std::copy(std::begin(label), std::end(label), labelHeader_);
  std::copy(std::begin(blank), std::end(blank), blankHeader_);
  WriteBof();
  currentRow_ = 0;
  currentColumn_ = 0;
  // Indices, not iterators, and sizes read again: the events processed in
  // between must not be able to leave this loop on freed memory.
  for (size_t r = 0; r < sheet_.size() && currentRow_ < kMaxRows && file_->ok; ++r) {
    for (size_t c = 0; r < sheet_.size() && c < sheet_[r].size() && currentColumn_ < kMaxCells; ++c) {
      const std::string& text = sheet_[r][c];
      if (text.empty()) WriteBlank();
      else WriteLabel(text);
      ++currentColumn_;
      ProcessEvents();
    }
    ++currentRow_;
    currentColumn_ = 0;
    ProcessEvents();
  }
  WriteEof();
}

void SheetWriter::WriteBof() {
  file_->PutWords(kBofRecord, 6);
}

void SheetWriter::WriteEof() {
  file_->PutWords(kEofRecord, 2);
}

void SheetWriter::WriteBlank() {
  blankHeader_[2] = static_cast<std::uint16_t>(currentRow_);
  blankHeader_[3] = static_cast<std::uint16_t>(currentColumn_);
  file_->PutWords(blankHeader_, 5);
}

void SheetWriter::WriteLabel(const std::string& text) {
  const size_t n = CutLength(text, kMaxTextBytes);
  labelHeader_[1] = static_cast<std::uint16_t>(n + 8);
  labelHeader_[2] = static_cast<std::uint16_t>(currentRow_);
  labelHeader_[3] = static_cast<std::uint16_t>(currentColumn_);
  labelHeader_[5] = static_cast<std::uint16_t>(n);
  file_->PutWords(labelHeader_, 6);
  file_->PutBytes(std::string_view(text).substr(0, n));
}

}  // namespace qv
