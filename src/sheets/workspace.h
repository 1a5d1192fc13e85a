// SPDX-License-Identifier: MIT
// The eight sheets of a run: seven grids, laid out, and the Reports text; with the file each grid
// sheet was last saved to.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "grid/cell_table.h"
#include "sheets/sheet_file.h"
#include "sheets/sheet_id.h"

namespace nuvrel::sheets {

class Workspace {
 public:
  // Lays out every grid sheet, measured with the measurer (which must outlive the workspace).
  explicit Workspace(const grid::TextMeasurer* measurer = &grid::SheetFontMetrics());

  grid::CellTable& Grid(SheetId id) { return *m_grids[static_cast<std::size_t>(Index(id))]; }
  const grid::CellTable& Grid(SheetId id) const {
    return *m_grids[static_cast<std::size_t>(Index(id))];
  }
  // The file a grid sheet remembers (name and full path), empty when it has none.
  SheetFile& File(SheetId id) { return m_files[static_cast<std::size_t>(Index(id))]; }
  const SheetFile& File(SheetId id) const { return m_files[static_cast<std::size_t>(Index(id))]; }

  // The Reports pane's text: Windows-1251, lines ending in CR LF.
  std::string& ReportsText() { return m_reports; }
  const std::string& ReportsText() const { return m_reports; }

  // Whether any grid carries its modified mark.
  bool AnyModified() const;

 private:
  std::array<std::unique_ptr<grid::CellTable>, kGridSheetCount> m_grids;
  std::array<SheetFile, kGridSheetCount> m_files;
  std::string m_reports;
};

}  // namespace nuvrel::sheets
