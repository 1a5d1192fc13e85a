// SPDX-License-Identifier: MIT
// Clipboard text of a grid: building the text of a copy and applying a pasted text, cut and delete.
// Only bytes in and out; the widget moves the text to and from the system clipboard.
#pragma once

#include <string>
#include <string_view>

#include "grid/cell_table.h"
#include "grid/types.h"

namespace nuvrel::grid {

// The text of the selection's bounding rectangle: one line per visible row, the visible columns
// separated by TAB, lines separated by LF (none after the last). A cell of the rectangle that is
// not selected gives an empty text. Returns "" when nothing is selected.
std::string CopyText(const CellTable& grid);

// Where a paste lands: the top-left corner of the selection's bounding rectangle, else the focus
// cell, else `topLeftVisible` (the first non-fixed cell on screen) when it is a cell of the grid,
// else the first non-fixed cell.
CellId PasteTarget(const CellTable& grid, CellId topLeftVisible);

// Writes a pasted text into the grid from `target` on: lines (ended by LF) go to successive visible
// rows, fields (ended by TAB or comma, trimmed of blanks, TABs, CRs and LFs) to successive visible
// columns; a NUL ends the text. Each field goes through GuardedChange; destinations outside the
// grid are skipped. Afterwards the pasted rectangle becomes the selection (or, without
// `selectPasted`, the selection is cleared). Returns false, changing nothing, when the target is
// not editable.
bool PasteText(CellTable& grid, CellId target, std::string_view text, bool selectPasted = true);

// Stores `text` into an editable cell through the cell's rules when it differs from the cell's
// text, and takes it back (text and modified marks as they were) when the cell's ValidateEdit
// refuses it. Returns true when the text was stored and kept.
bool GuardedChange(CellTable& grid, int row, int col, std::string_view text);

// Empties every selected cell through GuardedChange (the Delete key); nothing unless the grid is
// editable.
void CutSelected(CellTable& grid);

// Cut: the copy text of the selection, then the selected cells emptied. Returns "" and changes
// nothing unless the grid is editable.
std::string CutText(CellTable& grid);

}  // namespace nuvrel::grid
