// SPDX-License-Identifier: MIT
// Sheet files: one line per non-empty data row, the row's label then its cells, separated by TAB,
// each line ending in CR LF; no header, no quoting, bytes as the cells hold them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "grid/cell_table.h"

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::sheets {

// The file a sheet belongs to: set by a successful Save As or Open, forgotten by Clear all.
struct SheetFile {
  std::filesystem::path path;  // full path; empty when the sheet has no file

  bool Empty() const { return path.empty(); }
  void Forget() { path.clear(); }
  // The file's name without its folder, as UTF-8 text.
  std::string Name() const;
  friend bool operator==(const SheetFile&, const SheetFile&) = default;
};

// Empties every data cell (rows 1 and up, columns 1 and up); labels and headers stay.
void ClearSheetData(grid::CellTable& grid);

// The sheet as file bytes.
std::string SheetText(const grid::CellTable& grid);

class SheetTextWriter {
 public:
  explicit SheetTextWriter(const grid::CellTable& grid) : m_grid(grid) {}

  // Writes the sheet to the path. The old file is replaced only when the new one is complete: a
  // failure leaves it as it was. Shows "Cannot create file "%s" !" or "Error writing to file "%s"
  // !" on failure.
  bool WriteSheetFile(const std::filesystem::path& path, app::Ui& ui) const;

 private:
  const grid::CellTable& m_grid;
};

class SheetTextReader {
 public:
  explicit SheetTextReader(grid::CellTable& grid) : m_grid(grid) {}

  // Replaces the sheet's data by the file's. A file that cannot be opened shows "The file "%s"
  // cannot be opened for reading!" and leaves the sheet as it was; a read error shows
  // "Error reading line: %d !" and keeps the lines stored so far.
  bool ReadSheetFile(const std::filesystem::path& path, app::Ui& ui);

  // Stores sheet-file bytes into the (already emptied) sheet, line by line.
  void ReadSheetText(std::string_view bytes);

  // Whether the last read numbered its rows from 0.
  bool ZeroBased() const { return m_zeroBased; }

 private:
  void ReadLine(std::string_view line);

  grid::CellTable& m_grid;
  bool m_zeroBased = false;
};

}  // namespace nuvrel::sheets
