// SPDX-License-Identifier: MIT
// Sheet files: building and splitting their lines, and moving them to and from disk. Writing goes
// through a temporary file beside the target so that a failure never damages the old file.
#include "sheets/sheet_file.h"

#include <climits>
#include <string>

#include "app/file_io.h"
#include "app/file_replace.h"
#include "app/format.h"
#include "app/ui.h"
#include "sheets/decimal_text.h"

namespace nuvrel::sheets {
namespace {

// Larger files are refused: no register table comes near this, and the whole file is held in
// memory while it is read.
constexpr std::size_t kMaxFileSize = std::size_t{64} * 1024 * 1024;
constexpr int kFirstDataRow = 1;
constexpr int kFirstDataColumn = 1;

// Calls `line` for every line of the bytes and returns how many there were. A line ends at LF (a CR
// before it is dropped) or at a lone CR; a last line without an ending counts when it is not empty.
template <class LineFn>
std::size_t ForEachLine(std::string_view bytes, LineFn&& line) {
  std::size_t count = 0;
  std::size_t start = 0;
  const std::size_t size = bytes.size();
  while (start < size) {
    std::size_t end = start;
    while (end < size && bytes[end] != '\n' && bytes[end] != '\r') ++end;
    line(bytes.substr(start, end - start));
    ++count;
    if (end < size && bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return count;
}

// The bytes up to and including the last line ending: the lines known to be complete.
std::string_view CompleteLines(std::string_view bytes) {
  const std::size_t last = bytes.find_last_of("\r\n");
  return last == std::string_view::npos ? std::string_view() : bytes.substr(0, last + 1);
}

}  // namespace

std::string SheetFile::Name() const {
  return app::PathText(path.filename());
}

void ClearSheetData(grid::CellTable& grid) {
  for (int r = kFirstDataRow; r < grid.GetRowCount(); ++r) {
    for (int c = kFirstDataColumn; c < grid.GetColumnCount(); ++c) grid.SetItemText(r, c, "");
  }
}

std::string SheetText(const grid::CellTable& grid) {
  std::string text;
  const int columns = grid.GetColumnCount();
  // Room for a full sheet of short cells up front: growing a big text step by step costs more
  // than building it.
  text.reserve(static_cast<std::size_t>(grid.GetRowCount()) * static_cast<std::size_t>(columns) *
               8);
  for (int r = kFirstDataRow; r < grid.GetRowCount(); ++r) {
    // The line is built in place and taken back when every data cell of the row was empty.
    const std::size_t lineStart = text.size();
    text += grid.GetItemText(r, 0);
    bool any = false;
    for (int c = kFirstDataColumn; c < columns; ++c) {
      const std::string cellText = grid.GetItemText(r, c);
      any = any || !cellText.empty();
      text += '\t';
      text += cellText;
    }
    if (any) {
      text += "\r\n";
    } else {
      text.resize(lineStart);
    }
  }
  return text;
}

bool SheetTextWriter::WriteSheetFile(const std::filesystem::path& path, app::Ui& ui) const {
  return app::SaveFile(ui, path, SheetText(m_grid));
}

bool SheetTextReader::ReadSheetFile(const std::filesystem::path& path, app::Ui& ui) {
  app::WaitCursor wait(ui);

  const app::FileContents file = app::ReadWholeFile(path, kMaxFileSize);
  if (file.status == app::ReadStatus::Missing || file.status == app::ReadStatus::CannotOpen) {
    ui.ShowMessage(app::Format(app::Sid::FileCannotOpen, {path}), app::Icon::Error);
    return false;
  }

  ClearSheetData(m_grid);
  if (file.status == app::ReadStatus::Failed) {
    // Keep what was read completely; the line that was being read when it failed is reported.
    const std::string_view complete = CompleteLines(file.bytes);
    ReadSheetText(complete);
    const std::size_t lines = ForEachLine(complete, [](std::string_view) {});
    const auto lineNumber = static_cast<unsigned long long>(lines) + 1;
    ui.ShowMessage(app::Format(app::Sid::ErrorReadingLine, {lineNumber}), app::Icon::Error);
    return false;
  }
  ReadSheetText(file.bytes);
  return true;
}

void SheetTextReader::ReadSheetText(std::string_view bytes) {
  const ParsedInteger label = ParseInteger(m_grid.GetItemText(kFirstDataRow, 0));
  m_zeroBased = label.consumed > 0 && !label.overflow && label.value == 0;
  ForEachLine(bytes, [this](std::string_view line) { ReadLine(line); });
}

void SheetTextReader::ReadLine(std::string_view line) {
  const std::size_t firstTab = line.find('\t');
  const std::string_view field0 = line.substr(0, firstTab);
  const ParsedInteger number = ParseInteger(field0);
  if (number.consumed != field0.size()) return;
  // Row number 0 means the file numbers its rows from 0 (as Departments does); a blank line reads
  // as 0 too and so switches it on for the rest of the file.
  if (number.value == 0 && !number.overflow) m_zeroBased = true;
  if (number.overflow || number.value < INT_MIN || number.value > INT_MAX) return;
  const long long row = number.value + (m_zeroBased ? 1 : 0);
  // Only data rows: a file never writes into the header row.
  if (row < kFirstDataRow || row >= m_grid.GetRowCount()) return;

  const int columns = m_grid.GetColumnCount();
  std::size_t start = firstTab;
  for (int c = kFirstDataColumn; c < columns && start != std::string_view::npos; ++c) {
    const std::size_t from = start + 1;
    const std::size_t tab = line.find('\t', from);
    const std::size_t end = tab == std::string_view::npos ? line.size() : tab;
    m_grid.SetItemText(static_cast<int>(row), c, line.substr(from, end - from));
    start = tab;
  }
}

}  // namespace nuvrel::sheets
