// SPDX-License-Identifier: MIT
// Where a sheet differs from what a register is known to hold (register_memory.h): the cells whose
// field would reach the register as other bytes than those it holds. An empty cell never differs:
// an upload leaves such a field as the register has it (the stock it counts down with each sale).
// So 12.5 and 12.50 are one price, and a name differs from its copy with trailing blanks only
// where the register's field is too short to show the difference.
#pragma once

#include <vector>

#include "grid/cell_table.h"
#include "grid/types.h"
#include "sheets/sheet_id.h"

namespace nuvrel::transfers {

// Whether the sheet's cell differs from the same cell of the register's known contents, which are
// laid out as the sheet is. False for a cell that no upload sends.
bool CellDiffers(sheets::SheetId id, const grid::CellTable& sheet, const grid::CellTable& known,
                 int row, int col);

// Every differing cell, row by row, column by column.
std::vector<grid::CellId> Differences(sheets::SheetId id, const grid::CellTable& sheet,
                                      const grid::CellTable& known);

}  // namespace nuvrel::transfers
