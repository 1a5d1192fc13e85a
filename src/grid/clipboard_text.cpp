// SPDX-License-Identifier: MIT
#include "grid/clipboard_text.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "app/trim.h"

namespace nuvrel::grid {
namespace {

constexpr std::string_view kFieldEnds = "\t,";
constexpr std::string_view kTrimmed = " \t\r\n";

bool RowShown(const CellTable& grid, int row) {
  return grid.GetRowHeight(row) > 0;
}
bool ColumnShown(const CellTable& grid, int col) {
  return grid.GetColumnWidth(col) > 0;
}

// Writes the fields of one pasted line into `row`, field j into the j-th shown column, and widens
// the pasted rectangle to what it reached.
void PasteLine(CellTable& grid, int row, const std::vector<int>& columns, std::string_view line,
               CellRange& pasted) {
  std::size_t start = 0;
  // A field ends at a separator; what follows the last separator is a field only when it is not
  // empty, so "a\t" writes one cell and an empty line writes none.
  for (std::size_t j = 0; start < line.size() && j < columns.size(); ++j) {
    const std::size_t end = line.find_first_of(kFieldEnds, start);
    const std::string_view field =
        line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    GuardedChange(grid, row, columns[j], app::Trim(field, kTrimmed));
    pasted.maxRow = std::max(pasted.maxRow, row);
    pasted.maxCol = std::max(pasted.maxCol, columns[j]);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
}

}  // namespace

std::string CopyText(const CellTable& grid) {
  const CellRange range = grid.GetSelectedBoundingRange();
  if (!range.IsValid()) return {};

  std::vector<int> columns;
  for (int c = range.minCol; c <= range.maxCol; ++c) {
    if (ColumnShown(grid, c)) columns.push_back(c);
  }

  std::string text;
  bool firstLine = true;
  for (int r = range.minRow; r <= range.maxRow; ++r) {
    if (!RowShown(grid, r)) continue;
    if (!firstLine) text += '\n';
    firstLine = false;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) text += '\t';
      if (grid.IsCellSelected(r, columns[i])) text += grid.GetItemText(r, columns[i]);
    }
  }
  return text;
}

CellId PasteTarget(const CellTable& grid, CellId topLeftVisible) {
  const CellRange selection = grid.GetSelectedBoundingRange();
  if (selection.IsValid()) return {selection.minRow, selection.minCol};
  const CellId focus = grid.GetFocusCell();
  if (grid.IsValid(focus.row, focus.col)) return focus;
  if (grid.IsValid(topLeftVisible.row, topLeftVisible.col)) return topLeftVisible;
  return {grid.GetFixedRowCount(), grid.GetFixedColumnCount()};
}

bool PasteText(CellTable& grid, CellId target, std::string_view text, bool selectPasted) {
  if (!grid.IsCellEditable(target.row, target.col)) return false;
  // Clipboard text from elsewhere may carry a terminator and garbage behind it.
  text = text.substr(0, text.find('\0'));

  std::vector<int> columns;
  for (int c = target.col; c < grid.GetColumnCount(); ++c) {
    if (ColumnShown(grid, c)) columns.push_back(c);
  }

  CellRange pasted{target.row, target.col, target.row, target.col};
  const int rowCount = grid.GetRowCount();
  int row = target.row;
  std::size_t pos = 0;
  while (true) {
    while (row < rowCount && !RowShown(grid, row)) ++row;
    // Lines below the last row have nowhere to go; stop rather than scan the rest of the text.
    if (row >= rowCount) break;
    const std::size_t end = text.find('\n', pos);
    const std::string_view line =
        text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    PasteLine(grid, row, columns, line, pasted);
    if (end == std::string_view::npos) break;
    pos = end + 1;
    ++row;
  }

  if (selectPasted) {
    grid.SelectRange(pasted);
  } else {
    grid.ClearSelection();
  }
  return true;
}

bool GuardedChange(CellTable& grid, int row, int col, std::string_view text) {
  if (!grid.IsCellEditable(row, col)) return false;
  // Read through const access: looking at a blank cell does not make it.
  const CellTable& view = grid;
  const std::string previous = view.GetItemText(row, col);
  if (previous == text) return false;

  const CellState previousState = view.GetCell(row, col)->GetState();
  const bool previousModified = grid.GetModified();
  grid.SetItemText(row, col, text);
  if (view.GetCell(row, col)->ValidateEdit(text)) return true;

  // Refused: the cell holds its old text again and carries the marks it had, as if never touched.
  // Going through the grid tells an observer to repaint the old text.
  grid.SetItemText(row, col, previous);
  grid.GetCell(row, col)->SetState(previousState);
  grid.SetModified(previousModified);
  return false;
}

void CutSelected(CellTable& grid) {
  if (!grid.IsEditable()) return;
  for (const CellId& id : grid.GetSelectedCells()) GuardedChange(grid, id.row, id.col, "");
}

std::string CutText(CellTable& grid) {
  if (!grid.IsEditable()) return {};
  std::string text = CopyText(grid);
  CutSelected(grid);
  return text;
}

}  // namespace nuvrel::grid
